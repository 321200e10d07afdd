// The choices in the port dialog (another port, errors 68 and 70, "No Logger", back to COM1) and
// the Port menu while a logger answers run end to end in tests/e2e/faults.cpp.
#include "link/PortSelection.h"
#include "link/serial/MSComm1.h"
#include "support/Fixtures.h"
#include "support/PromptScript.h"
#include "support/Pty.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

QRadioButton* option(QDialog& d, int n) {
    return d.findChild<QRadioButton*>(QStringLiteral("Option%1").arg(n));
}

// The main window with COM1 on a pseudo-terminal, or on a missing device.
struct PortFixture {
    Pty line;
    ScopedWorkDir dir;
    MainWindowFixture fx;
    AppState& st = *fx.st;
    explicit PortFixture(bool com1Exists = true) {
        qputenv("VESTO_COM1", com1Exists ? line.slavePath().toLocal8Bit() : "/nonexistent/tty");
        st.LanguageIndex = 1;
        st.LangText[59][1] = QStringLiteral("The port cannot be opened.");
    }
    ~PortFixture() { qunsetenv("VESTO_COM1"); }
};

} // namespace

class PortSelectionTest : public QObject {
    Q_OBJECT
private slots:
    // The dialog opens on the stored port; Cancel and Escape leave everything as it was.
    void preselectAndCancel_data() {
        QTest::addColumn<int>("commPort");
        QTest::addColumn<int>("checked"); // 0: none
        QTest::addColumn<bool>("escape");
        QTest::newRow("COM3, Cancel") << 3 << 3 << false;
        QTest::newRow("No Logger, Escape") << 0 << 5 << true;
        QTest::newRow("a number without an option") << 7 << 0 << false;
    }
    void preselectAndCancel() {
        QFETCH(int, commPort);
        QFETCH(int, checked);
        QFETCH(bool, escape);
        PortFixture f;
        QCOMPARE(f.fx.w->MSComm1->setPortOpen(true), 0);
        f.st.CommPort = qint16(commPort);
        f.st.PortReady = 1;
        PromptScript script;
        script.modal("frmPort", [&](QDialog& d) {
            for (int n = 1; n <= 5; ++n) QCOMPARE(option(d, n)->isChecked(), n == checked);
            option(d, 5)->click();
            if (escape)
                QTest::keyClick(&d, Qt::Key_Escape);
            else
                d.findChild<QPushButton*>("Command2")->click();
        });
        f.fx.w->mnuPort->trigger(); // no logger answers, so the menu shows the dialog
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QVERIFY(f.fx.w->MSComm1->portOpen());
        QCOMPARE(QList<int>({f.st.CommPort, int(f.st.LinkSuspended), int(f.st.PortReady)}),
                 QList<int>({commPort, 0, 1}));
    }

    // The stored port failed at start-up: COM1 is tried, then the user is told and asked.
    void com1Fallback() {
        for (const bool opens : {true, false}) {
            PortFixture f(opens);
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
            OpenCom1Fallback(*f.fx.w);
            QVERIFY2(script.finished(), qPrintable(script.report()));
            QCOMPARE(f.fx.w->MSComm1->portOpen(), opens);
            QCOMPARE(QList<int>({f.st.CommPort, int(f.st.PortReady), int(f.st.LinkState),
                                 int(f.st.LinkSuspended), f.fx.w->MSComm1->commPort()}),
                     QList<int>({1, opens ? 1 : 0, 0, 0, 1}));
        }
    }
};

VESTO_TEST(PortSelectionTest)
#include "tst_port.moc"
