// The choices in the port dialog (another port, errors 68 and 70, "No Logger", back to COM1) and
// the Port menu while a logger answers run end to end in tests/e2e/faults.cpp.
#include "LinkWindow.h"
#include "link/PortSelection.h"
#include "support/PromptScript.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

QRadioButton* option(QDialog& d, int n) {
    return d.findChild<QRadioButton*>(QStringLiteral("Option%1").arg(n));
}

} // namespace

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
            for (int n = 1; n <= 5; ++n) QCOMPARE(option(d, n)->isChecked(), n == 3);
            option(d, 5)->click();
            d.findChild<QPushButton*>("Command2")->click();
        });
        f.w.mnuPort->trigger(); // no logger answers, so the menu shows the dialog
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QVERIFY(f.w.MSComm1->portOpen());
        QCOMPARE(QList<int>({f.st.CommPort, int(f.st.LinkSuspended), int(f.st.PortReady)}),
                 QList<int>({3, 0, 1}));
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
                    QVERIFY(option(d, 1)->isChecked());
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
