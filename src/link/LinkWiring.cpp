#include "link/LinkWiring.h"

#include "link/CommandSequencer.h"
#include "link/Form1.h"
#include "link/PortSelection.h"
#include "link/ReceiveHandler.h"
#include "link/ReferenceClock.h"
#include "link/serial/MSComm1.h"
#include "shell/Log1.h"

#include <QAction>
#include <QTimer>

void WireLink(Log1& w) {
    Log1* window = &w;
    auto onTimeout = [window](QTimer* timer, void (*action)(Log1&)) {
        QObject::connect(timer, &QTimer::timeout, window, [window, action] { action(*window); });
    };
    onTimeout(w.Timer1, Timer1_Timer);
    onTimeout(w.Timer2, Timer2_Timer);
    onTimeout(w.Timer3, Timer3_Timer);
    onTimeout(w.Timer4, Timer4_Timer);
    onTimeout(w.Timer5, Timer5_Timer);
    // Timer6 waits for a link state that nothing enters; it has no action.
    onTimeout(w.Timer7, Timer7_Timer);
    onTimeout(w.Timer8, Timer8_Timer);
    onTimeout(w.Timer9, Timer9_Timer);
    onTimeout(w.Timer10, Timer10_Timer);
    onTimeout(w.Timer11, Timer11_Timer);

    QObject::connect(w.MSComm1, &MSComm1::OnComm, window, [window] { MSComm1_OnComm(*window); });
    QObject::connect(w.MSComm1, &MSComm1::DeviceLost, window, [window] { PortLost(*window); });
    QObject::connect(w.MSComm1, &MSComm1::DeviceBack, window, [window] { PortBack(*window); });
    QObject::connect(w.mnuDownload, &QAction::triggered, window,
                     [window] { mnuDownload_Click(*window); });
    QObject::connect(w.mnuPort, &QAction::triggered, window, [window] { mnuPort_Click(*window); });
    QObject::connect(w.mnuSetTime, &QAction::triggered, window,
                     [window] { mnuSetTime_Click(*window); });
    QObject::connect(w.mnuSetup, &QAction::triggered, window,
                     [window] { mnuSetup_Click(*window); });
}
