#pragma once
// The link tests' main window, not loaded, its timers not started: COM1 is a pseudo-terminal
// the test plays the logger on, or a device that does not exist.

#include "link/serial/MSComm1.h"
#include "support/Fixtures.h"
#include "support/Pty.h"

struct LinkWindow {
    Pty line;
    ScopedWorkDir dir;
    MainWindowFixture fx;
    AppState& st = *fx.st;
    Log1& w = *fx.w;
    explicit LinkWindow(bool com1Exists = true) {
        qputenv("VESTO_COM1", com1Exists ? line.slavePath().toLocal8Bit() : "/nonexistent/tty");
        st.LanguageIndex = 1;
    }
    ~LinkWindow() { qunsetenv("VESTO_COM1"); }
};
