// The dialogue with the logger one timer action or one answer at a time, the test playing the
// logger on a pseudo-terminal. Whole exchanges run end to end in tests/e2e: polling from start-up
// and the status panel (polling.cpp), twenty unanswered polls (polling.cpp), downloads and an
// empty logger (download.cpp), a stalled transfer given up by the watchdog, a wrong acknowledge
// and Download during a status exchange (faults.cpp), new limits until reported and the one restart
// (setup.cpp). Those runs also show each timer sending only in its turn.
#include "LinkWindow.h"
#include "link/CommandSequencer.h"
#include "link/LoggerLink.h"
#include "link/ReceiveHandler.h"
#include "link/StatusRecord.h"
#include "support/PromptScript.h"
#include "support/TestRegistry.h"
#include "ui/Pointer.h"

#include <QAction>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace {

const QByteArray kAck("\x04", 1);

} // namespace

class SequencerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LinkWindow> f;

    // Sends Status and answers it with the bytes given, in one write or in two.
    void answerStatus(const QByteArray& answer, bool split = false) {
        f->st.LinkState = 1;
        Timer1_Timer(*f->w.Link);
        QCOMPARE(f->line.read(2), QByteArray("\0R", 2));
        QVERIFY(f->line.write(split ? answer.left(1) : answer));
        if (!split) return;
        QTRY_COMPARE(f->st.StatusPhase, qint16(1));
        QVERIFY(f->line.write(answer.mid(1)));
    }

private slots:
    void init() {
        f = std::make_unique<LinkWindow>();
        f->st.LangText[73][1] = QStringLiteral("Discard the record?");
        f->st.VoltageRange = QStringLiteral("250 Volt");
        f->w.MSComm1->setInBufferSize(32760);
        QCOMPARE(f->w.MSComm1->setPortOpen(true), 0);
    }
    void cleanup() {
        f.reset();
        ui::SetPointer(ui::Pointer::Default);
    }

    // A download called off at the warning about an unsaved record or in the clock dialog
    // requests nothing; the menu item itself never sends.
    void downloadCalledOff() {
        f->st.LoggerRecordCount = 600;
        f->st.LoggerOnline = 1;
        f->st.PortReady = 1;
        f->w.ProgressBar1->setValue(100); // a record not yet saved is shown
        PromptScript script;
        script.message("Discard the record?", ui::Cancel).message("Discard the record?", ui::Ok);
        script.modal("frmTimeset",
                     [](QDialog& d) { d.findChild<QPushButton*>("Command3")->click(); });
        f->w.mnuDownload->trigger();
        f->w.mnuDownload->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(QList<int>({f->st.DownloadRequested, f->st.DownloadCancelled}),
                 QList<int>({0, 0}));
        QVERIFY(f->line.read(1, 100).isEmpty());
    }

    // Records that cannot be a status record, or that stop short, are not taken; what the last
    // good record said stays, and the next status exchange is clean.
    void unusableRecords_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("bank 3") << kAck + StatusRecordWith({{68, 10}, {70, 3}});
        QTest::newRow("stops short") << kAck + StatusRecordWith({{68, 10}}).left(60);
    }
    void unusableRecords() {
        QFETCH(QByteArray, answer);
        AppState& st = f->st;
        st.PortReady = 1;
        ApplyStatusRecord(*f->w.Link, *ParseStatusRecord(StatusRecordWith({{68, 5}})));
        st.LoggerOnline = 0;
        answerStatus(answer);
        QTest::qWait(200);
        QCOMPARE(st.LoggerOnline, qint16(0));
        QCOMPARE(int(st.LoggerRecordCount), 300);
        QCOMPARE(int(st.BankBytes[1]), 400);
        Timer5_Timer(*f->w.Link);
        answerStatus(kAck + StatusRecordWith({{68, 10}}), true); // the acknowledge apart
        QTRY_COMPARE(st.LoggerOnline, qint16(1));
        QCOMPARE(int(st.LoggerRecordCount), 600);
    }
    // A late answer still waiting in the input would be read as the answer to the next command:
    // each of the four commands throws it away before it goes out.
    void lateAnswerThrownAway() {
        const std::pair<void (*)(LoggerLink&), QByteArray> commands[] = {{SendStatus, {"\0R", 2}},
                                                                   {SendTransfer, {"\0T", 2}},
                                                                   {SendLimits, {"\0L", 2}},
                                                                   {SendRestart, {"\0B", 2}}};
        for (const auto& [send, sent] : commands) {
            QVERIFY(f->line.write("late"));
            QTRY_COMPARE(f->w.MSComm1->inBufferCount(), 4);
            send(*f->w.Link);
            QCOMPARE(f->line.read(sent.size()), sent);
            QCOMPARE(f->w.MSComm1->inBufferCount(), 0);
            f->line.read(3, 100); // the rest of the Limits command
        }
    }
};

VESTO_TEST(SequencerTest)
#include "tst_sequencer.moc"
