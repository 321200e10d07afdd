// The choices in the port dialog (another port, errors 68 and 70, "No Logger", back to COM1),
// the Port menu while a logger answers and the search for the logger run end to end in
// tests/e2e/faults.cpp.
#include "LinkWindow.h"
#include "link/LoggerSearch.h"
#include "link/PortDevices.h"
#include "link/PortSelection.h"
#include "link/StatusRecord.h"
#include "link/frmPort.h"
#include "support/PromptScript.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

class PortSelectionTest : public QObject {
    Q_OBJECT
private slots:
    // The dialog opens on the stored port; Cancel leaves everything as it was.
    void preselectAndCancel() {
        LinkWindow f;
        QCOMPARE(f.w.MSComm1->setPortOpen(true), 0);
        f.st.CommPort = 3, f.st.PortReady = 1;
        PromptScript script;
        script.modal("frmPort", [&](QDialog& d) {
            for (int n = 1; n <= 5; ++n) QCOMPARE(OptionOf(d, n)->isChecked(), n == 3);
            OptionOf(d, 5)->click();
            d.findChild<QPushButton*>("Command2")->click();
        });
        f.w.mnuPort->trigger(); // no logger answers, so the menu shows the dialog
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QVERIFY(f.w.MSComm1->portOpen());
        QCOMPARE(QList<int>({f.st.CommPort, int(f.st.LinkSuspended), int(f.st.PortReady)}),
                 QList<int>({3, 0, 1}));
    }

    // The detected devices offered for each port, the by-id link kept for an adapter, a typed
    // path used, the variable's device shown and locked, and the choices kept for the next run.
    void devicesPerPort() {
        LinkWindow f; // VESTO_COM1 names the test's line
        Pty typed;
        const QList<SerialDevice> detected = {
            {"/dev/ttyS0", {}, {}, {}, {}, false, true},
            {"/dev/ttyS1", {}, {}, {}, {}, false, false},
            {"/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10KXYZ-if00-port0",
             "FT232R USB UART", "FTDI", "A10KXYZ", true, true},
            {"/dev/ttyACM0", {}, "USB Serial", {}, {}, true, true}};
        frmPort& form = FormOf<frmPort>(f.w);
        form.listDevices = [&detected] { return detected; };
        QStringList shown;
        PromptScript script;
        script.modal("frmPort", [&](QDialog&) {
            for (int i = 0; i < form.Combo2->count(); ++i) shown << form.Combo2->itemText(i);
            QVERIFY(!form.Combo1->isEnabled());
            QCOMPARE(form.Combo1->currentText(), f.line.slavePath());
            QCOMPARE(form.Combo4->currentText(), QStringLiteral("/dev/ttyS3"));
            form.Combo2->setCurrentIndex(1);
            form.Combo3->setEditText(typed.slavePath());
            OptionOf(form, 3)->click();
            form.Command1->click();
        });
        ShowPortDialog(f.w);
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(shown,
                 QStringList({"/dev/ttyACM0 - USB Serial",
                              "/dev/ttyUSB0 - FT232R USB UART, FTDI, A10KXYZ", "/dev/ttyS0"}));
        QCOMPARE(f.w.MSComm1->devicePath(3), typed.slavePath());
        QVERIFY(f.w.MSComm1->portOpen());
        QCOMPARE(f.st.CommPort, qint16(3));

        // The next run stands for the same devices; the untouched port for its default.
        MSComm1 next;
        ReadPortDevices(next);
        QCOMPARE(QStringList({next.devicePath(2), next.devicePath(3), next.chosenDevice(4)}),
                 QStringList({detected[2].stablePath, typed.slavePath(), QString()}));
    }

    // Search asks the COM options' devices first, in their order, then the other detected ones.
    // An acknowledge with a record that cannot be a status record (bank 3, block 409) is not
    // the logger.
    void searchOrderAndAnswers() {
        LinkWindow f; // COM1 the test's line
        Pty other;
        frmPort& form = FormOf<frmPort>(f.w);
        form.listDevices = [&other] {
            return QList<SerialDevice>{{other.slavePath(), {}, {}, {}, {}, false, true}};
        };
        QStringList asked, expected;
        PromptScript script;
        script.modal("frmPort", [&](QDialog&) {
            for (int n = 1; n <= 4; ++n) expected << form.comboPath(n);
            auto* search = form.findChild<LoggerSearch*>();
            QSignalSpy trying(search, &LoggerSearch::trying), found(search, &LoggerSearch::found);
            form.Command3->click();
            for (auto [device, record] : {std::pair{&f.line, StatusRecordWith({{70, 3}})},
                                          {&f.line, StatusRecordWith({{68, 0x99}, {69, 1}})},
                                          {&other, StatusRecordWith({{28, 77}})}})
                QVERIFY(device->read(2, 3000) == QByteArray("\0R", 2) &&
                        device->write(kAcknowledge + record));
            QTRY_COMPARE(found.size(), 1);
            QCOMPARE(found[0], QVariantList({other.slavePath(), 77}));
            for (const QList<QVariant>& call : trying) asked << call[0].toString();
            form.Command2->click();
        });
        ShowPortDialog(f.w);
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(asked, expected << other.slavePath());
    }

    // The stored port failed at start-up: COM1 is tried, then the user is told and asked.
    void com1Fallback() {
        for (const bool opens : {true, false}) {
            LinkWindow f(opens);
            f.st.LangText[59][1] = QStringLiteral("The port cannot be opened.");
            f.st.CommPort = 3;
            f.st.LinkState = 1;
            f.st.LinkSuspended = 1;
            PromptScript script;
            if (!opens) {
                script.message("The port cannot be opened.", ui::Ok);
                script.modal("frmPort", [](QDialog& d) {
                    QVERIFY(OptionOf(d, 1)->isChecked());
                    d.findChild<QPushButton*>("Command2")->click();
                });
            }
            OpenCom1Fallback(f.w);
            QVERIFY2(script.finished(), qPrintable(script.report()));
            QCOMPARE(f.w.MSComm1->portOpen(), opens);
            QCOMPARE(QList<int>({f.st.CommPort, int(f.st.PortReady), int(f.st.LinkState),
                                 int(f.st.LinkSuspended), f.w.MSComm1->commPort()}),
                     QList<int>({1, opens ? 1 : 0, 0, 0, 1}));
        }
    }
};

VESTO_TEST(PortSelectionTest)
#include "tst_port.moc"
