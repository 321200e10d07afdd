#pragma once
// The main window with its serial port on a pseudo-terminal, its timers not started: a link test
// plays the logger on the far end and calls the timers' actions itself.

#include "link/serial/MSComm1.h"
#include "support/Fixtures.h"
#include "support/Pty.h"

#include <QTest>

struct LinkFixture {
    ScopedWorkDir dir;
    MainWindowFixture fx;
    Pty line;
    AppState& st = *fx.st;
    Log1& w = *fx.w;

    LinkFixture() {
        qputenv("VESTO_COM1", line.slavePath().toLocal8Bit());
        st.LanguageIndex = 1;
        st.LangText[65][1] = QStringLiteral("Reading status");
        st.LangText[66][1] = QStringLiteral("Downloading");
        st.LangText[67][1] = QStringLiteral("Please wait");
        st.LangText[73][1] = QStringLiteral("Discard the record?");
        st.LangText[74][1] = QStringLiteral("Warning");
        st.LangText[90][1] = QStringLiteral("No logger");
        st.LangText[151][1] = QStringLiteral("Logger");
        st.LangText[152][1] = QStringLiteral(" online");
        st.VoltageRange = QStringLiteral("250 Volt");
        st.CommPort = 1;
        st.PortReady = 1;
        w.MSComm1->setInputLen(0);
        w.MSComm1->setInBufferSize(32760);
        w.MSComm1->setCommPort(1);
        opened = w.MSComm1->setPortOpen(true) == 0;
    }
    ~LinkFixture() { qunsetenv("VESTO_COM1"); }
    bool opened = false;
};
