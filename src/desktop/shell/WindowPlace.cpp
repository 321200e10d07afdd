#include "shell/WindowPlace.h"

#include "shell/FileLocations.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

namespace {

QString Key(const QString& name, const char* field) {
    return QStringLiteral("windows/%1/%2").arg(name, QLatin1String(field));
}

// The rectangle moved as little as it takes to lie inside the area (its top-left corner inside
// when it is larger).
QRect Inside(QRect r, const QRect& area) {
    r.moveLeft(std::max(area.left(), std::min(r.left(), area.right() + 1 - r.width())));
    r.moveTop(std::max(area.top(), std::min(r.top(), area.bottom() + 1 - r.height())));
    return r;
}

QRect Centred(const QSize& size, const QRect& area) {
    QRect r(QPoint(), size);
    r.moveCenter(area.center());
    return Inside(r, area);
}

} // namespace

QRect PlaceWindow(const std::optional<QRect>& saved, const QList<QRect>& screens,
                  const QRect& primary, const QSize& smallest, double firstShare) {
    if (!saved || saved->isEmpty()) {
        const QSize share(int(primary.width() * firstShare), int(primary.height() * firstShare));
        return Centred(share.expandedTo(smallest), primary);
    }
    // A screen that shows the middle of the window is the one it comes back on.
    for (const QRect& screen : screens) {
        if (screen.contains(saved->center())) {
            QRect r = *saved;
            r.setSize(r.size().boundedTo(screen.size()).expandedTo(smallest));
            return Inside(r, screen);
        }
    }
    return Centred(saved->size().boundedTo(primary.size()).expandedTo(smallest), primary);
}

bool HasWindowPlace(const QString& name) {
    const QSettings file(ProgramSettingsPath(), QSettings::IniFormat);
    return file.contains(Key(name, "geometry"));
}

bool RestoreWindowPlace(QWidget& window, const QString& name, const QSize& smallest,
                        double firstShare) {
    const QSettings file(ProgramSettingsPath(), QSettings::IniFormat);
    std::optional<QRect> saved;
    const QVariant geometry = file.value(Key(name, "geometry"));
    if (geometry.canConvert<QRect>()) saved = geometry.toRect();
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect primaryArea = primary ? primary->availableGeometry() : QRect(0, 0, 800, 600);
    window.setGeometry(PlaceWindow(saved, screens, primaryArea, smallest, firstShare));
    return saved && file.value(Key(name, "maximized")).toBool();
}

void KeepWindowPlace(const QWidget& window, const QString& name) {
    QSettings file(ProgramSettingsPath(), QSettings::IniFormat);
    file.setValue(Key(name, "geometry"), window.normalGeometry());
    file.setValue(Key(name, "maximized"), window.isMaximized());
}
