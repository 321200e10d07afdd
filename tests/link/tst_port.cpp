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

} // namespace

class PortSelectionTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScopedWorkDir> dir;
    std::unique_ptr<MainWindowFixture> fx;
    Pty line;

private slots:
    void init() {
        qputenv("VESTO_COM1", line.slavePath().toLocal8Bit());
        dir = std::make_unique<ScopedWorkDir>();
        fx = std::make_unique<MainWindowFixture>();
        fx->st->LanguageIndex = 1;
        fx->st->LangText[59][1] = QStringLiteral("The port cannot be opened.");
    }
    void cleanup() {
        fx.reset();
        dir.reset();
        qunsetenv("VESTO_COM1");
    }

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
        AppState& st = *fx->st;
        QCOMPARE(fx->w->MSComm1->setPortOpen(true), 0);
        st.CommPort = qint16(commPort);
        st.PortReady = 1;
        PromptScript script;
        script.modal("frmPort", [&](QDialog& d) {
            for (int n = 1; n <= 5; ++n) QCOMPARE(option(d, n)->isChecked(), n == checked);
            option(d, 5)->click();
            if (escape)
                QTest::keyClick(&d, Qt::Key_Escape);
            else
                d.findChild<QPushButton*>("Command2")->click();
        });
        fx->w->mnuPort->trigger(); // no logger answers, so the menu shows the dialog
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QVERIFY(fx->w->MSComm1->portOpen());
        QCOMPARE(QList<int>({st.CommPort, int(st.LinkSuspended), int(st.PortReady)}),
                 QList<int>({commPort, 0, 1}));
    }

    // The stored port failed at start-up: COM1 is tried, then the user is told and asked.
    void com1Fallback_data() {
        QTest::addColumn<bool>("opens");
        QTest::newRow("COM1 opens") << true;
        QTest::newRow("COM1 missing too") << false;
    }
    void com1Fallback() {
        QFETCH(bool, opens);
        if (!opens) qputenv("VESTO_COM1", "/nonexistent/ttyVESTO");
        AppState& st = *fx->st;
        st.CommPort = 3;
        st.LinkState = 1;
        st.LinkSuspended = 1;
        PromptScript script;
        if (!opens) {
            script.message("The port cannot be opened.", ui::Ok);
            script.modal("frmPort", [](QDialog& d) {
                QVERIFY(option(d, 1)->isChecked());
                d.findChild<QPushButton*>("Command2")->click();
            });
        }
        OpenCom1Fallback(*fx->w);
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(fx->w->MSComm1->portOpen(), opens);
        QCOMPARE(fx->w->MSComm1->commPort(), 1);
        QCOMPARE(
            QList<int>({st.CommPort, int(st.PortReady), int(st.LinkState), int(st.LinkSuspended)}),
            QList<int>({1, opens ? 1 : 0, 0, 0}));
    }
};

VESTO_TEST(PortSelectionTest)
#include "tst_port.moc"
