#include "LinkFixture.h"
#include "link/CommandSequencer.h"
#include "support/PromptScript.h"
#include "support/TestRegistry.h"
#include "ui/Pointer.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
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

const std::map<QString, Field>& fields() {
    static const std::map<QString, Field> all = {
        {"LinkState", field(&AppState::LinkState)},
        {"LinkSuspended", field(&AppState::LinkSuspended)},
        {"LinkStarted", field(&AppState::LinkStarted)},
        {"PortReady", field(&AppState::PortReady)},
        {"StatusPhase", field(&AppState::StatusPhase)},
        {"PollMisses", field(&AppState::PollMisses)},
        {"StatusFresh", field(&AppState::StatusFresh)},
        {"DownloadRequested", field(&AppState::DownloadRequested)},
        {"Transferring", field(&AppState::Transferring)},
        {"TransferSeconds", field(&AppState::TransferSeconds)},
        {"SetupOpen", field(&AppState::SetupOpen)},
        {"LimitsConfirmed", field(&AppState::LimitsConfirmed)},
        {"RestartPending", field(&AppState::RestartPending)},
        {"LimitLow", field(&AppState::LimitLow)},
        {"LimitHigh", field(&AppState::LimitHigh)},
        {"LimitMode", field(&AppState::LimitMode)},
        {"LoggerRecordCount", field(&AppState::LoggerRecordCount)},
    };
    return all;
}

// "Name=value Name=value"
void apply(AppState& st, const QString& assignments) {
    for (const QString& part : assignments.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList kv = part.split(u'=');
        fields().at(kv[0]).set(st, kv[1].toDouble());
    }
}

QString check(const AppState& st, const QString& expected) {
    QStringList wrong;
    for (const QString& part : expected.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList kv = part.split(u'=');
        const double got = fields().at(kv[0]).get(st);
        if (got != kv[1].toDouble()) wrong << QStringLiteral("%1=%2").arg(kv[0]).arg(got);
    }
    return wrong.join(u' ');
}

using Action = void (*)(Log1&);

} // namespace

class SequencerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LinkFixture> f;

private slots:
    void init() {
        f = std::make_unique<LinkFixture>();
        QVERIFY(f->opened);
        f->st.PortReady = 0; // each row says what it needs
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
        const QByteArray none;
        const QByteArray status("\0R", 2), transfer("\0T", 2), restart("\0B", 2);
        QTest::newRow("1: status poll")
            << 1 << "LinkState=1 PortReady=1" << status << "PollMisses=1 LinkState=1";
        QTest::newRow("1: silent after No Logger")
            << 1 << "LinkState=1 PortReady=1 LinkSuspended=1" << none << "PollMisses=0";
        QTest::newRow("1: silent while the record comes")
            << 1 << "LinkState=1 PortReady=1 StatusPhase=1" << none << "PollMisses=0";
        QTest::newRow("1: silent when idle")
            << 1 << "LinkState=0 PortReady=1" << none << "PollMisses=0";
        QTest::newRow("1: silent without a port") << 1 << "LinkState=1" << none << "PollMisses=0";
        QTest::newRow("2: transfer request")
            << 2 << "LinkState=2 DownloadRequested=1 PortReady=1" << transfer << "LinkState=2";
        QTest::newRow("2: silent once transferring")
            << 2 << "LinkState=2 DownloadRequested=1 PortReady=1 Transferring=1" << none << "";
        QTest::newRow("2: silent unless requested") << 2 << "LinkState=2 PortReady=1" << none << "";
        QTest::newRow("4: status before transfer")
            << 4 << "DownloadRequested=1" << none << "LinkState=1";
        QTest::newRow("4: transfer after a fresh status")
            << 4 << "DownloadRequested=1 StatusFresh=1" << none << "LinkState=2";
        QTest::newRow("4: silent after No Logger")
            << 4 << "DownloadRequested=1 StatusFresh=1 LinkSuspended=1" << none << "LinkState=0";
        QTest::newRow("4: nothing requested") << 4 << "StatusFresh=1" << none << "LinkState=0";
        QTest::newRow("5: periodic refresh")
            << 5 << "StatusPhase=1" << none << "StatusPhase=0 LinkState=1";
        QTest::newRow("5: an unfinished record is dropped, state kept")
            << 5 << "LinkState=2 StatusPhase=1" << none << "StatusPhase=0 LinkState=2";
        QTest::newRow("5: paused while setup is open")
            << 5 << "SetupOpen=1 StatusPhase=1" << none << "StatusPhase=1 LinkState=0";
        QTest::newRow("5: paused while limits wait")
            << 5 << "LimitsConfirmed=0" << none << "LinkState=0";
        QTest::newRow("5: paused while transferring")
            << 5 << "Transferring=1" << none << "LinkState=0";
        QTest::newRow("7: new limits") << 7
                                       << "LimitsConfirmed=0 PortReady=1 LimitLow=50 "
                                          "LimitHigh=200 LimitMode=2"
                                       << QByteArray("\0L\x32\xC8\x02", 5) << "LinkState=1";
        QTest::newRow("7: new limits from state 2")
            << 7 << "LimitsConfirmed=0 PortReady=1 LinkState=2 LimitLow=1 LimitHigh=2 LimitMode=1"
            << QByteArray("\0L\x01\x02\x01", 5) << "LinkState=1";
        QTest::newRow("7: not during a status exchange")
            << 7 << "LimitsConfirmed=0 PortReady=1 LinkState=1" << none << "LinkState=1";
        QTest::newRow("7: nothing waits") << 7 << "PortReady=1" << none << "LinkState=0";
        QTest::newRow("7: not while transferring")
            << 7 << "LimitsConfirmed=0 PortReady=1 Transferring=1" << none << "LinkState=0";
        QTest::newRow("8: watchdog counts") << 8
                                            << "Transferring=1 LoggerRecordCount=1200 "
                                               "TransferSeconds=30 LinkState=2"
                                            << none << "TransferSeconds=40 Transferring=1";
        QTest::newRow("8: gives up at 41 s") << 8
                                             << "Transferring=1 LoggerRecordCount=1200 "
                                                "TransferSeconds=40 LinkState=2 "
                                                "DownloadRequested=1 StatusFresh=1"
                                             << none
                                             << "TransferSeconds=0 Transferring=0 LinkState=0 "
                                                "DownloadRequested=0 StatusFresh=0";
        QTest::newRow("8: full memory, 260 s") << 8
                                               << "Transferring=1 LoggerRecordCount=73620 "
                                                  "TransferSeconds=250"
                                               << none << "TransferSeconds=260 Transferring=1";
        QTest::newRow("8: full memory gives up at 270 s")
            << 8 << "Transferring=1 LoggerRecordCount=73620 TransferSeconds=260" << none
            << "TransferSeconds=0 Transferring=0";
        QTest::newRow("8: silent after No Logger")
            << 8 << "Transferring=1 LoggerRecordCount=1200 TransferSeconds=40 LinkSuspended=1"
            << none << "TransferSeconds=40 Transferring=1";
        QTest::newRow("10: first status request")
            << 10 << "" << none << "LinkStarted=1 LinkState=1";
        QTest::newRow("10: only once") << 10 << "LinkStarted=1" << none << "LinkState=0";
        QTest::newRow("10: waits for idle")
            << 10 << "LinkState=2" << none << "LinkStarted=0 LinkState=2";
        QTest::newRow("11: restart")
            << 11 << "RestartPending=1" << restart << "RestartPending=0 LinkState=1";
        QTest::newRow("11: waits for idle")
            << 11 << "RestartPending=1 LinkState=1" << none << "RestartPending=1";
    }
    void timers() {
        QFETCH(int, timer);
        QFETCH(QString, given);
        QFETCH(QByteArray, sent);
        QFETCH(QString, then);
        const Action actions[] = {nullptr,      Timer1_Timer, Timer2_Timer,  Timer3_Timer,
                                  Timer4_Timer, Timer5_Timer, nullptr,       Timer7_Timer,
                                  Timer8_Timer, Timer9_Timer, Timer10_Timer, Timer11_Timer};
        apply(f->st, given);
        PromptScript script;
        if (timer == 8 && then.contains(QStringLiteral("Transferring=0")))
            script.message(QStringLiteral("The download was given up"), ui::Ok);
        // A late answer waits in the input: every command must throw it away first.
        QVERIFY(f->line.write("late"));
        QTRY_COMPARE(f->w.MSComm1->inBufferCount(), 4);
        actions[timer](f->w);
        QCOMPARE(f->line.read(sent.size(), sent.isEmpty() ? 100 : 5000), sent);
        QVERIFY(f->line.readAvailable().isEmpty());
        if (!sent.isEmpty()) QCOMPARE(f->w.MSComm1->inBufferCount(), 0);
        if (timer == 1 || timer == 2) QCOMPARE(f->w.MSComm1->rThreshold(), sent.isEmpty() ? 0 : 1);
        const QString wrong = check(f->st, then);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        QVERIFY2(script.finished(), qPrintable(script.report()));
    }

    void twentiethUnansweredPollLosesTheLogger() {
        AppState& st = f->st;
        Log1& w = f->w;
        apply(st, "LinkState=1 PortReady=1");
        st.LoggerOnline = 1;
        const QList<QLabel*> display = {w.Label22, w.Label23, w.Label2,  w.Label5,
                                        w.Label4,  w.Label21, w.Label26, w.Label19,
                                        w.Label34, w.Label6,  w.Label11, w.Label13};
        for (QLabel* label : display) label->show();
        w.Frame1->setTitle(QStringLiteral("Logger 1234 online"));
        for (int poll = 1; poll <= 19; ++poll) Timer1_Timer(w);
        QCOMPARE(f->line.read(38), QByteArray("\0R", 2).repeated(19));
        QCOMPARE(st.LoggerOnline, qint16(1));
        Timer1_Timer(w);
        QVERIFY(f->line.read(1, 100).isEmpty()); // nothing sent on that tick
        QCOMPARE(st.LoggerOnline, qint16(0));
        QCOMPARE(st.PollMisses, qint16(0));
        QCOMPARE(w.Frame1->title(), QStringLiteral("No logger"));
        for (QLabel* label : display) QVERIFY2(label->isHidden(), qPrintable(label->objectName()));
        Timer1_Timer(w); // polling goes on
        QCOMPARE(f->line.read(2), QByteArray("\0R", 2));
    }

    void download_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<int>("progress");
        QTest::addColumn<QString>("prompts"); // m = message OK, c = message Cancel, t = clock OK,
                                              // x = clock Cancel
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<int>("requested");
        const QByteArray none;
        const QString ready = QStringLiteral("LoggerRecordCount=600 LinkState=0 ");
        QTest::newRow("first download asks for the clock") << ready << 0 << "t" << none << 1;
        QTest::newRow("clock cancelled") << ready << 0 << "x" << none << 0;
        QTest::newRow("during a status exchange")
            << "LoggerRecordCount=600 LinkState=1" << 0 << "" << none << 0;
        QTest::newRow("while transferring") << ready + "Transferring=1" << 0 << "" << none << 0;
        QTest::newRow("after No Logger") << ready + "LinkSuspended=1" << 0 << "" << none << 0;
        QTest::newRow("empty logger: one Transfer")
            << "LoggerRecordCount=0" << 0 << "" << QByteArray("\0T", 2) << 0;
        QTest::newRow("unsaved record kept") << ready << 100 << "c" << none << 0;
        QTest::newRow("unsaved record discarded") << ready << 100 << "mt" << none << 1;
    }
    void download() {
        QFETCH(QString, given);
        QFETCH(int, progress);
        QFETCH(QString, prompts);
        QFETCH(QByteArray, sent);
        QFETCH(int, requested);
        AppState& st = f->st;
        Log1& w = f->w;
        apply(st, given);
        st.LoggerOnline = 1;
        st.DataFromFile = 1;
        st.DataSaved = 0;
        w.ProgressBar1->setValue(progress);
        w.Command2->show();
        PromptScript script;
        for (QChar p : prompts) {
            if (p == u'm' || p == u'c')
                script.message("Discard the record?", p == u'm' ? ui::Ok : ui::Cancel);
            else
                script.modal("frmTimeset", [p](QDialog& d) {
                    d.findChild<QPushButton*>(p == u't' ? "Command2" : "Command3")->click();
                });
        }
        w.mnuDownload->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(f->line.read(sent.size(), sent.isEmpty() ? 100 : 5000), sent);
        QCOMPARE(int(st.DownloadRequested), requested);
        QCOMPARE(script.beeps(), prompts.contains(u'm') || prompts.contains(u'c') ? 1 : 0);
        if (prompts.contains(u'm') || prompts.contains(u'c')) {
            QCOMPARE(script.seen().first().title, QStringLiteral("Warning"));
            QCOMPARE(script.seen().first().icon, ui::Icon::Critical);
        }
        const bool started = prompts.contains(u't') || prompts.contains(u'x');
        QCOMPARE(w.Command2->isHidden(), started);
        QCOMPARE(int(st.DataFromFile), requested == 1 ? 0 : 1);
        QCOMPARE(int(st.DownloadCancelled), 0);
        if (started) QCOMPARE(int(st.LinkState), 0);
    }
};

VESTO_TEST(SequencerTest)
#include "tst_sequencer.moc"
