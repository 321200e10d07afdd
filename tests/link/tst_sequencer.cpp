// The dialogue with the logger one timer action or one answer at a time, the test playing the
// logger on a pseudo-terminal. Whole exchanges run end to end in tests/e2e: polling from start-up
// and the status panel (polling.cpp), twenty unanswered polls (polling.cpp), downloads and an
// empty logger (download.cpp), a stalled transfer, a wrong acknowledge and Download during a
// status exchange (faults.cpp), new limits until reported and the one restart (setup.cpp).
#include "link/CommandSequencer.h"
#include "link/ReceiveHandler.h"
#include "link/StatusRecord.h"
#include "link/serial/MSComm1.h"
#include "support/Fixtures.h"
#include "support/PromptScript.h"
#include "support/Pty.h"
#include "support/TestRegistry.h"
#include "ui/Pointer.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <map>

namespace {

// The link fields the timers look at, by name, so that a table row can set and check them.
struct Field {
    std::function<double(const AppState&)> get;
    std::function<void(AppState&, double)> set;
};

template <class T> Field field(T AppState::*member) {
    return {[member](const AppState& st) { return double(st.*member); },
            [member](AppState& st, double v) { st.*member = static_cast<T>(v); }};
}

#define LINK_FIELD(name) {#name, field(&AppState::name)},
const std::map<QString, Field>& fields() {
    static const std::map<QString, Field> all = {
        LINK_FIELD(LinkState) LINK_FIELD(LinkSuspended) LINK_FIELD(LinkStarted)
            LINK_FIELD(PortReady) LINK_FIELD(StatusPhase) LINK_FIELD(PollMisses)
                LINK_FIELD(StatusFresh) LINK_FIELD(DownloadRequested) LINK_FIELD(Transferring)
                    LINK_FIELD(TransferSeconds) LINK_FIELD(SetupOpen) LINK_FIELD(LimitsConfirmed)
                        LINK_FIELD(RestartPending) LINK_FIELD(LoggerRecordCount)};
    return all;
}

// "Name=value Name=value": sets the fields, or lists those that differ.
QString applyOrCheck(AppState& st, const QString& assignments, bool set) {
    QStringList wrong;
    for (const QString& part : assignments.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList kv = part.split(u'=');
        const Field& f = fields().at(kv[0]);
        if (set) f.set(st, kv[1].toDouble());
        if (f.get(st) != kv[1].toDouble()) wrong << kv[0] + u'=' + QString::number(f.get(st));
    }
    return wrong.join(u' ');
}

const QByteArray kAck("\x04", 1);

// A status record of logger 1234, type 80, limits 50..200, mode 1, present reading shown, with
// the given bytes (numbered from 1) set on top.
QByteArray statusWith(std::initializer_list<std::pair<int, int>> memory) {
    QByteArray r(112, '\0');
    const auto set = [&r](std::initializer_list<std::pair<int, int>> bytes) {
        for (const auto& [n, value] : bytes) r[n - 1] = static_cast<char>(value);
    };
    set({{11, 80}, {24, 0x88}, {28, 0xD2}, {29, 0x04}, {35, 50}, {36, 200}, {44, 0xFF}, {45, 3}});
    set(memory);
    return r;
}

} // namespace

class SequencerTest : public QObject {
    Q_OBJECT

    // The main window with its serial port on the pseudo-terminal, its timers not started.
    struct Link {
        ScopedWorkDir dir;
        MainWindowFixture fx;
        Pty line;
        AppState& st = *fx.st;
        Log1& w = *fx.w;
        Link() {
            qputenv("VESTO_COM1", line.slavePath().toLocal8Bit());
            st.LanguageIndex = 1;
            st.LangText[65][1] = QStringLiteral("Reading status");
            st.LangText[73][1] = QStringLiteral("Discard the record?");
            st.LangText[151][1] = QStringLiteral("Logger");
            st.LangText[152][1] = QStringLiteral(" online");
            st.VoltageRange = QStringLiteral("250 Volt");
            st.CommPort = 1;
            w.MSComm1->setInBufferSize(32760);
            w.MSComm1->setCommPort(1);
        }
        ~Link() { qunsetenv("VESTO_COM1"); }
    };
    std::unique_ptr<Link> f;

    // Sends Status and answers it with the bytes given, in one write or in two.
    void answerStatus(const QByteArray& answer, bool split = false) {
        f->st.LinkState = 1;
        Timer1_Timer(f->w);
        QCOMPARE(f->line.read(2), QByteArray("\0R", 2));
        QVERIFY(f->line.write(split ? answer.left(1) : answer));
        if (!split) return;
        QTRY_COMPARE(f->st.StatusPhase, qint16(1));
        QVERIFY(f->line.write(answer.mid(1)));
    }

private slots:
    void init() {
        f = std::make_unique<Link>();
        QCOMPARE(f->w.MSComm1->setPortOpen(true), 0);
    }
    void cleanup() {
        f.reset();
        ui::SetPointer(ui::Pointer::Default);
    }

    void timers_data() {
        QTest::addColumn<int>("timer");
        QTest::addColumn<QString>("given");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QString>("then");
        const QByteArray none, status("\0R", 2);
        // clang-format off
        QTest::newRow("1: status poll") << 1 << "LinkState=1 PortReady=1" << status << "PollMisses=1 LinkState=1";
        QTest::newRow("1: silent while the record comes") << 1 << "LinkState=1 PortReady=1 StatusPhase=1" << none << "PollMisses=0";
        QTest::newRow("2: silent unless requested") << 2 << "LinkState=2 PortReady=1" << none << "";
        QTest::newRow("5: an unfinished record is dropped") << 5 << "LinkState=2 StatusPhase=1" << none << "StatusPhase=0 LinkState=2";
        QTest::newRow("5: paused while setup is open") << 5 << "SetupOpen=1 StatusPhase=1" << none << "StatusPhase=1 LinkState=0";
        QTest::newRow("7: no limits during a status exchange") << 7 << "LimitsConfirmed=0 PortReady=1 LinkState=1" << none << "LinkState=1";
        QTest::newRow("8: watchdog counts ten seconds a tick") << 8 << "Transferring=1 LoggerRecordCount=1200 TransferSeconds=30 LinkState=2" << none << "TransferSeconds=40 Transferring=1";
        QTest::newRow("8: gives up at 41 s") << 8 << "Transferring=1 LoggerRecordCount=1200 TransferSeconds=40 LinkState=2 DownloadRequested=1 StatusFresh=1" << none << "TransferSeconds=0 Transferring=0 LinkState=0 DownloadRequested=0 StatusFresh=0";
        QTest::newRow("8: silent after No Logger") << 8 << "Transferring=1 LoggerRecordCount=1200 TransferSeconds=40 LinkSuspended=1" << none << "TransferSeconds=40 Transferring=1";
        QTest::newRow("11: restart waits for idle") << 11 << "RestartPending=1 LinkState=1 PortReady=1" << none << "RestartPending=1";
        // clang-format on
    }
    void timers() {
        QFETCH(int, timer);
        QFETCH(QString, given);
        QFETCH(QByteArray, sent);
        QFETCH(QString, then);
        using Action = void (*)(Log1&);
        const std::map<int, Action> actions = {{1, Timer1_Timer}, {2, Timer2_Timer},
                                               {5, Timer5_Timer}, {7, Timer7_Timer},
                                               {8, Timer8_Timer}, {11, Timer11_Timer}};
        f->st.PortReady = 0;
        applyOrCheck(f->st, given, true);
        // A late answer waits in the input: every command must throw it away first.
        QVERIFY(f->line.write("late"));
        QTRY_COMPARE(f->w.MSComm1->inBufferCount(), 4);
        actions.at(timer)(f->w);
        QCOMPARE(f->line.read(sent.size(), sent.isEmpty() ? 100 : 5000), sent);
        if (!sent.isEmpty()) QCOMPARE(f->w.MSComm1->inBufferCount(), 0);
        const QString wrong = applyOrCheck(f->st, then, false);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

    // Download asks for nothing when the clock dialog or the warning about an unsaved record is
    // cancelled, nor after "No Logger"; the menu item itself never sends.
    void downloadCalledOff_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<int>("progress");      // 100: a record not yet saved is shown
        QTest::addColumn<QString>("cancelled"); // the prompt answered with Cancel
        QTest::newRow("clock cancelled") << "" << 0 << "frmTimeset";
        QTest::newRow("after No Logger") << "LinkSuspended=1" << 0 << "";
        QTest::newRow("unsaved record kept") << "" << 100 << "Discard the record?";
    }
    void downloadCalledOff() {
        QFETCH(QString, given);
        QFETCH(int, progress);
        QFETCH(QString, cancelled);
        AppState& st = f->st;
        applyOrCheck(st, "LoggerRecordCount=600 PortReady=1 " + given, true);
        st.LoggerOnline = 1;
        st.DataSaved = 0;
        f->w.ProgressBar1->setValue(progress);
        PromptScript script;
        if (cancelled == "frmTimeset")
            script.modal(cancelled,
                         [](QDialog& d) { d.findChild<QPushButton*>("Command3")->click(); });
        else if (!cancelled.isEmpty())
            script.message(cancelled, ui::Cancel);
        f->w.mnuDownload->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(int(st.DownloadRequested), 0);
        QCOMPARE(int(st.DownloadCancelled), 0);
        QVERIFY(f->line.read(1, 100).isEmpty());
    }

    void statusPanel_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("labels"); // Label22, Label6, Label11, Label19, Label34
        QTest::newRow("500 V, acknowledge apart")
            << 80 << QStringList{"25,140", "400", "100", "511.5", "Exception IN"};
        QTest::newRow("another type keeps the limit labels hidden")
            << 81 << QStringList{"25,140", "", "", "511.5", ""};
    }
    void statusPanel() {
        QFETCH(int, type);
        QFETCH(QStringList, labels);
        AppState& st = f->st;
        Log1& w = f->w;
        st.VoltageRange = QStringLiteral("500 Volt");
        st.PortReady = 1;
        w.mnuSetup->setVisible(type != 80);
        answerStatus(kAck + statusWith({{68, 10}, {70, 1}, {11, type}}), true);
        QTRY_COMPARE(st.LoggerOnline, qint16(1));
        QCOMPARE(w.Label15->text(), QStringLiteral("Reading status"));
        QCOMPARE(QList<int>({int(st.LinkState), st.StatusPhase, st.StatusFresh}),
                 QList<int>({0, 0, 1}));
        QCOMPARE(w.Frame1->title(), QStringLiteral("Logger 1234 online"));
        const QList<QLabel*> shown = {w.Label22, w.Label6, w.Label11, w.Label19, w.Label34};
        for (int i = 0; i < shown.size(); ++i) {
            QCOMPARE(shown[i]->isVisibleTo(&w), !labels[i].isEmpty());
            if (!labels[i].isEmpty()) QCOMPARE(shown[i]->text(), labels[i]);
        }
        QCOMPARE(w.mnuSetup->isVisible(), type == 80);
    }

    // Records that cannot be a status record, or that stop short, are not taken; what the last
    // good record said stays, and the next status exchange is clean.
    void unusableRecords_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("bank 3") << kAck + statusWith({{68, 10}, {70, 3}});
        QTest::newRow("block index 409") << kAck + statusWith({{68, 0x99}, {69, 0x01}});
        QTest::newRow("stops short") << kAck + statusWith({{68, 10}}).left(60);
    }
    void unusableRecords() {
        QFETCH(QByteArray, answer);
        AppState& st = f->st;
        st.PortReady = 1;
        ApplyStatusRecord(f->w, *ParseStatusRecord(statusWith({{68, 5}})));
        st.LoggerOnline = 0;
        answerStatus(answer);
        QTest::qWait(200);
        QCOMPARE(st.LoggerOnline, qint16(0));
        QCOMPARE(int(st.LoggerRecordCount), 300);
        QCOMPARE(int(st.BankBytes[1]), 400);
        Timer5_Timer(f->w);
        answerStatus(kAck + statusWith({{68, 10}}));
        QTRY_COMPARE(st.LoggerOnline, qint16(1));
        QCOMPARE(int(st.LoggerRecordCount), 600);
    }
};

VESTO_TEST(SequencerTest)
#include "tst_sequencer.moc"
