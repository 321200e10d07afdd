#include "link/frmPort.h"

#include "link/serial/MSComm1.h"
#include "shell/Log1.h"
#include "ui/Prompts.h"
#include "ui/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

frmPort::frmPort(Log1& owner) : QDialog(&owner), w_(owner) {
    setObjectName(QStringLiteral("frmPort"));
    setWindowTitle(QStringLiteral("PORT SELECTION"));
    setModal(true);
    setFixedSize(ui::TwipsToPixels(4200), ui::TwipsToPixels(3480));

    Label1 =
        new QLabel(QStringLiteral("Select a communications port to connect with the logger"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    ui::PlaceTwips(Label1, 240, 120, 3720, 495);

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    ui::PlaceTwips(Frame1, 240, 720, 2295, 2175);
    QRadioButton** options[] = {&Option1, &Option2, &Option3, &Option4, &Option5};
    for (int i = 0; i < 5; ++i) {
        const QString caption =
            i < 4 ? QStringLiteral("COM %1").arg(i + 1) : QStringLiteral("No Logger");
        auto* option = new QRadioButton(caption, Frame1);
        option->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        ui::PlaceTwips(option, 240, 240 + i * 375, 1935, 315);
        *options[i] = option;
    }

    Command1 =
        ui::NewControl<QPushButton>(this, "Command1", QStringLiteral("OK"), 2760, 840, 1215, 375);
    Command1->setDefault(true);
    Command2 = ui::NewControl<QPushButton>(this, "Command2", QStringLiteral("Cancel"), 2760, 1320,
                                           1215, 375);
    connect(Command1, &QPushButton::clicked, this, &frmPort::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmPort::Command2_Click);
}

void frmPort::showEvent(QShowEvent* event) {
    selectPort(w_.st.CommPort);
    QDialog::showEvent(event);
}

// Port 0 is "No Logger"; a number the dialog has no option for leaves every option clear.
void frmPort::selectPort(int port) {
    QRadioButton* options[] = {Option5, Option1, Option2, Option3, Option4};
    for (QRadioButton* option : options) option->setAutoExclusive(false);
    for (int i = 0; i < 5; ++i) options[i]->setChecked(i == port);
    for (QRadioButton* option : options) option->setAutoExclusive(true);
}

void frmPort::Command1_Click() {
    AppState& st = w_.st;
    ::MSComm1& port = *w_.MSComm1;
    if (port.portOpen()) port.setPortOpen(false);

    QRadioButton* ports[] = {Option1, Option2, Option3, Option4};
    for (int n = 1; n <= 4; ++n) {
        if (!ports[n - 1]->isChecked()) continue;
        port.setCommPort(n);
        st.PortReady = 1;
        st.CommPort = static_cast<qint16>(n);
        st.LinkState = 1;
        const int error = port.portOpen() ? 0 : port.setPortOpen(true);
        if (error == MSComm1::DeviceUnavailable) {
            // Nothing to talk to: the commands stay silent until another port is chosen.
            hide();
            st.PortReady = 0;
            return;
        }
        if (error != 0) {
            if (error == MSComm1::PermissionDenied) st.LinkState = 1;
            ui::MsgBox(QStringLiteral("COM ") + QString::number(port.commPort()) +
                           QStringLiteral(" is not available."),
                       ui::Buttons::Ok, ui::Icon::Exclamation, st.Text(54));
            if (port.portOpen()) port.setPortOpen(false);
            st.PortReady = 0;
            return;
        }
        st.LinkSuspended = 0;
        hide();
        return;
    }
    if (Option5->isChecked()) {
        if (port.portOpen()) port.setPortOpen(false);
        st.LinkSuspended = 1;
        st.PortReady = 0;
        st.FunctionCode = 0;
        hide();
    }
}

void frmPort::Command2_Click() {
    hide();
}

void frmPort::reject() {
    Command2_Click();
}
