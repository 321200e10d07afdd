#include "link/LoggerLink.h"

#include "link/CommandSequencer.h"
#include "link/ReceiveHandler.h"
#include "link/serial/MSComm1.h"

#include <QTimer>

LoggerLink::LoggerLink(AppState& state, QObject* parent)
    : QObject(parent), st(state), MSComm1(new ::MSComm1(this)) {
    setObjectName(QStringLiteral("LoggerLink"));
    MSComm1->setObjectName(QStringLiteral("MSComm1"));
    QTimer** timers[] = {&Timer1, &Timer2, &Timer3, &Timer4,  &Timer5, &Timer6,
                         &Timer7, &Timer8, &Timer9, &Timer10, &Timer11};
    int n = 1;
    for (QTimer** timer : timers) {
        *timer = new QTimer(this);
        (*timer)->setObjectName(QStringLiteral("Timer%1").arg(n++));
    }
    const auto onTimeout = [this](QTimer* timer, void (*action)(LoggerLink&)) {
        connect(timer, &QTimer::timeout, this, [this, action] { action(*this); });
    };
    onTimeout(Timer1, Timer1_Timer);
    onTimeout(Timer2, Timer2_Timer);
    onTimeout(Timer4, Timer4_Timer);
    onTimeout(Timer5, Timer5_Timer);
    // Timer6 waits for a link state that nothing enters; it has no action.
    onTimeout(Timer7, Timer7_Timer);
    onTimeout(Timer8, Timer8_Timer);
    onTimeout(Timer10, Timer10_Timer);
    onTimeout(Timer11, Timer11_Timer);
    connect(MSComm1, &MSComm1::OnComm, this, [this] { MSComm1_OnComm(*this); });
    connect(MSComm1, &MSComm1::DeviceLost, this, [this] { PortLost(*this); });
    connect(MSComm1, &MSComm1::DeviceBack, this, [this] { PortBack(*this); });
}

LoggerLink::~LoggerLink() = default;

void LoggerLink::start() {
    const int intervals[] = {200, 200, 1000, 500, 10000, 200, 400, 10000, 2000, 2000, 1000};
    QTimer* timers[] = {Timer1, Timer2, Timer3, Timer4,  Timer5, Timer6,
                        Timer7, Timer8, Timer9, Timer10, Timer11};
    for (int i = 0; i < 11; ++i) timers[i]->start(intervals[i]);
}

void LoggerLink::stop() {
    for (QTimer* timer : findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly))
        timer->stop();
}
