#include "link/PortSelection.h"
#include "link/frmPort.h"
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

void setDevice(int port, const QString& path) {
    const QByteArray name = "VESTO_COM" + QByteArray::number(port);
    if (path.isEmpty())
        qunsetenv(name.constData());
    else
        qputenv(name.constData(), path.toLocal8Bit());
}

QRadioButton* option(QDialog& d, int n) {
    return d.findChild<QRadioButton*>(QStringLiteral("Option%1").arg(n));
}

} // namespace

class PortSelectionTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScopedWorkDir> dir;
    std::unique_ptr<MainWindowFixture> fx;
    std::unique_ptr<Pty> free_;  // a port nobody holds
    std::unique_ptr<Pty> taken_; // a port another program holds
    std::unique_ptr<MSComm1> other_;

private slots:
    void init() {
        dir = std::make_unique<ScopedWorkDir>();
        fx = std::make_unique<MainWindowFixture>();
        AppState& st = *fx->st;
        st.LanguageIndex = 1;
        st.LangText[54][1] = QStringLiteral("Port");
        st.LangText[59][1] = QStringLiteral("The port cannot be opened.");
        free_ = std::make_unique<Pty>();
        taken_ = std::make_unique<Pty>();
        QVERIFY(free_->isOpen() && taken_->isOpen());
        setDevice(1, free_->slavePath());
        setDevice(2, free_->slavePath());
        setDevice(3, QStringLiteral("/nonexistent/ttyVESTO"));
        setDevice(4, taken_->slavePath());
        other_ = std::make_unique<MSComm1>();
        other_->setCommPort(4);
        QCOMPARE(other_->setPortOpen(true), 0);
    }
    void cleanup() {
        fx.reset();
        other_.reset();
        free_.reset();
        taken_.reset();
        dir.reset();
        for (int n = 1; n <= 4; ++n) setDevice(n, {});
    }

    void choosePort_data() {
        QTest::addColumn<int>("choice"); // 1..4, 5 = No Logger
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("open");
        QTest::addColumn<int>("portReady");
        QTest::addColumn<int>("commPort");
        QTest::addColumn<int>("suspended");
        QTest::newRow("a port that exists") << 2 << true << QString() << true << 1 << 2 << 0;
        QTest::newRow("68: a port that does not exist")
            << 3 << true << QString() << false << 0 << 3 << 1;
        QTest::newRow("70: a port another program holds")
            << 4 << false << "COM 4 is not available." << false << 0 << 4 << 1;
        QTest::newRow("No Logger keeps the port number")
            << 5 << true << QString() << false << 0 << 1 << 1;
    }
    void choosePort() {
        QFETCH(int, choice);
        QFETCH(bool, hidden);
        QFETCH(QString, message);
        QFETCH(bool, open);
        QFETCH(int, portReady);
        QFETCH(int, commPort);
        QFETCH(int, suspended);
        AppState& st = *fx->st;
        Log1& w = *fx->w;
        // COM1 is open and the dialogue was silenced by an earlier "No Logger".
        st.CommPort = 1;
        st.LinkSuspended = 1;
        st.PortReady = 1;
        st.FunctionCode = 4;
        QCOMPARE(w.MSComm1->setPortOpen(true), 0);

        PromptScript script;
        bool visibleAfterOk = false;
        script.modal("frmPort", [&](QDialog& d) {
            QVERIFY(option(d, 1)->isChecked());
            option(d, choice)->click();
            d.findChild<QPushButton*>("Command1")->click();
            visibleAfterOk = d.isVisible();
            if (visibleAfterOk) d.findChild<QPushButton*>("Command2")->click();
        });
        if (!message.isEmpty()) script.message(message, ui::Ok);
        ShowPortDialog(w);
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(visibleAfterOk, !hidden);
        if (!message.isEmpty()) {
            const PromptScript::Seen& seen = script.seen().last();
            QCOMPARE(seen.text, message);
            QCOMPARE(seen.title, QStringLiteral("Port"));
            QCOMPARE(seen.icon, ui::Icon::Exclamation);
            QCOMPARE(seen.buttons, ui::Buttons::Ok);
        }
        QCOMPARE(w.MSComm1->portOpen(), open);
        QCOMPARE(int(st.PortReady), portReady);
        QCOMPARE(int(st.CommPort), commPort);
        QCOMPARE(int(st.LinkSuspended), suspended);
        QCOMPARE(int(st.FunctionCode), choice == 5 ? 0 : 4);
        if (choice != 5) QCOMPARE(int(st.LinkState), 1);
        if (open) QCOMPARE(w.MSComm1->commPort(), choice);
    }

    void preselectsStoredPort_data() {
        QTest::addColumn<int>("commPort");
        QTest::addColumn<int>("checked"); // 0: none
        QTest::newRow("COM3") << 3 << 3;
        QTest::newRow("No Logger") << 0 << 5;
        QTest::newRow("a number without an option") << 7 << 0;
    }
    void preselectsStoredPort() {
        QFETCH(int, commPort);
        QFETCH(int, checked);
        fx->st->CommPort = qint16(commPort);
        frmPort& d = FormOf<frmPort>(*fx->w);
        option(d, 2)->setChecked(true); // left over from an earlier showing
        d.show();
        for (int n = 1; n <= 5; ++n) QCOMPARE(option(d, n)->isChecked(), n == checked);
        d.hide();
    }

    void cancelChangesNothing_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel") << false;
        QTest::newRow("Escape") << true;
    }
    void cancelChangesNothing() {
        QFETCH(bool, escape);
        AppState& st = *fx->st;
        st.CommPort = 1;
        st.PortReady = 1;
        QCOMPARE(fx->w->MSComm1->setPortOpen(true), 0);
        PromptScript script;
        script.modal("frmPort", [&](QDialog& d) {
            option(d, 5)->click();
            if (escape)
                QTest::keyClick(&d, Qt::Key_Escape);
            else
                d.findChild<QPushButton*>("Command2")->click();
        });
        ShowPortDialog(*fx->w);
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QVERIFY(fx->w->MSComm1->portOpen());
        QCOMPARE(int(st.LinkSuspended), 0);
        QCOMPARE(int(st.PortReady), 1);
    }

    void portMenu_data() {
        QTest::addColumn<int>("online");
        QTest::addColumn<int>("portReady");
        QTest::addColumn<bool>("shown");
        QTest::newRow("a logger answers") << 1 << 1 << false;
        QTest::newRow("no logger answers") << 0 << 1 << true;
        QTest::newRow("answering but no port ready") << 1 << 0 << true;
    }
    void portMenu() {
        QFETCH(int, online);
        QFETCH(int, portReady);
        QFETCH(bool, shown);
        fx->st->LoggerOnline = qint16(online);
        fx->st->PortReady = portReady;
        PromptScript script;
        if (shown)
            script.modal("frmPort",
                         [](QDialog& d) { d.findChild<QPushButton*>("Command2")->click(); });
        fx->w->mnuPort->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(script.seen().size(), shown ? 1 : 0);
    }

    void com1Fallback_data() {
        QTest::addColumn<QString>("device"); // empty: the free pseudo-terminal
        QTest::addColumn<bool>("opens");
        QTest::newRow("COM1 opens") << QString() << true;
        QTest::newRow("COM1 missing too") << "/nonexistent/ttyVESTO" << false;
        QTest::newRow("COM1 held by another program") << "taken" << false;
    }
    void com1Fallback() {
        QFETCH(QString, device);
        QFETCH(bool, opens);
        if (device == QLatin1String("taken"))
            setDevice(1, taken_->slavePath());
        else if (!device.isEmpty())
            setDevice(1, device);
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
        if (!opens) {
            QCOMPARE(script.seen().first().icon, ui::Icon::Information);
            QCOMPARE(script.seen().first().title, QStringLiteral("Port"));
        }
        QCOMPARE(fx->w->MSComm1->portOpen(), opens);
        QCOMPARE(fx->w->MSComm1->commPort(), 1);
        QCOMPARE(int(st.CommPort), 1);
        QCOMPARE(int(st.PortReady), opens ? 1 : 0);
        QCOMPARE(int(st.LinkState), 0);
        QCOMPARE(int(st.LinkSuspended), 0);
    }
};

VESTO_TEST(PortSelectionTest)
#include "tst_port.moc"
