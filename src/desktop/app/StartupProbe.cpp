#include "app/StartupProbe.h"

#include "shell/Log1.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace {

class FirstPaint : public QObject {
public:
    FirstPaint(QWidget& window, qint64 launchNs) : QObject(&window), launchNs_(launchNs) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // The children paint after the window itself; the clock stops once all have.
            QTimer::singleShot(0, this, [this] {
                const qint64 now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                       std::chrono::system_clock::now().time_since_epoch())
                                       .count();
                std::printf("first window: %.1f ms\n", double(now - launchNs_) / 1e6);
                const auto* window = qobject_cast<const Log1*>(parent());
                std::printf("readings: %d\n", window != nullptr && window->RecordLoaded()
                                                  ? int(window->st.RecordCount.value())
                                                  : 0);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    qint64 launchNs_;
    bool seen_ = false;
};

} // namespace

void ArmStartupProbe(QWidget& window) {
    bool ok = false;
    const qint64 launchNs = qgetenv("VESTO_STARTUP_PROBE").toLongLong(&ok);
    if (ok) window.installEventFilter(new FirstPaint(window, launchNs));
}
