#include "link/PortSelection.h"

#include "link/frmPort.h"
#include "link/serial/MSComm1.h"
#include "shell/Log1.h"
#include "ui/Prompts.h"

void ShowPortDialog(Log1& w) {
    ui::RunModal(FormOf<frmPort>(w));
}

void OpenCom1Fallback(Log1& w) {
    AppState& st = w.st;
    ::MSComm1& port = *w.MSComm1;
    st.CommPort = 1;
    if (port.portOpen() && port.commPort() != 1) port.setPortOpen(false);
    port.setCommPort(1);
    st.PortReady = 1;
    st.LinkState = 0;
    st.LinkSuspended = 0;
    const int error = port.portOpen() ? 0 : port.setPortOpen(true);
    if (error == 0) return;
    st.PortReady = 0;
    ui::MsgBox(st.Text(59), ui::Buttons::Ok, ui::Icon::Information, st.Text(54));
    ShowPortDialog(w);
}

void mnuPort_Click(Log1& w) {
    // The port cannot be changed while a logger answers on it.
    if (w.st.LoggerOnline == 1 && w.st.PortReady == 1) return;
    ShowPortDialog(w);
}
