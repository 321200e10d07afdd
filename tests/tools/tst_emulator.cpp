#include "logger-emulator/Session.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace emulator;

namespace {

// Everything the session answers to `command`, taken off the line at once (fast line).
QByteArray exchange(Session& session, const QByteArray& command, qint64 nowMs) {
    session.Receive(command, nowMs);
    QByteArray answer;
    for (qint64 t = nowMs; session.Busy(); t += Session::OneByteGapMs) {
        const QByteArray due = session.Due(t);
        answer += due;
        session.Written(due.size(), t);
    }
    return answer;
}

const QByteArray Status("\0R", 2), Transfer("\0T", 2), Restart("\0B", 2);
const QByteArray Limits("\0L\x19\x32\x02", 5); // Low 25, High 50, mode 2

} // namespace

// What the end-to-end tests cannot see: how commands are picked out of a noisy line, the real
// line's pace, the console and the faults' answers. The status record's fields, the memory's
// layout and the packing of codes show in the end-to-end polling and download tests, where the
// program's decoder reads every reading the logger holds.
class LoggerEmulatorTest : public QObject {
    Q_OBJECT

private slots:
    void commandParser_data() {
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::addColumn<int>("pauseMs"); // between chunks
        QTest::addColumn<QList<QByteArray>>("commands");
        using L = QList<QByteArray>;
        QTest::newRow("noise around") << L{"xx\x05" + Status + "\xff"} << 0 << L{Status};
        QTest::newRow("limits in pieces") << L{Limits.left(3), Limits.mid(3)} << 10 << L{Limits};
        QTest::newRow("zero parameters")
            << L{QByteArray("\0L\0\0R\0T", 7)} << 0 << L{QByteArray("\0L\0\0R", 5), Transfer};
        QTest::newRow("zero then noise") << L{QByteArray("\0\x04\0r\0B", 6)} << 0 << L{Restart};
        QTest::newRow("half a command forgotten") << L{Limits.left(3), Status} << 1500 << L{Status};
        QTest::newRow("half a command finished")
            << L{Limits.left(3), Status} << 500 << L{Limits.left(3) + Status};
    }
    void commandParser() {
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(int, pauseMs);
        QFETCH(QList<QByteArray>, commands);
        CommandParser parser;
        QList<QByteArray> got;
        qint64 now = 100;
        for (const QByteArray& chunk : chunks) {
            for (const Command& command : parser.Feed(chunk, now)) got << command.bytes;
            now += pauseMs;
        }
        QCOMPARE(got, commands);
    }

    // 4800 baud, 11 bits a byte: 436.36 bytes a second, a full memory in about 225 s.
    void pacing() {
        const LineSpeed real = *LineSpeed::Parse("real");
        QCOMPARE(real.BytesAfter(1000), 436);
        QCOMPARE(real.MsFor(98161), 224953);
        Pacer pacer(real);
        QCOMPARE(pacer.Allowance(113, 5000), 1); // the first byte goes at once
        pacer.Sent(1);
        QCOMPARE(pacer.Allowance(112, 5001), 0);
        QCOMPARE(pacer.Allowance(1000, 5997), 435); // 436 in the first second
    }

    // The console sets the memory in whole blocks of 60 readings and refuses what it cannot do.
    void console() {
        Session session(LoggerSettings{}, LineSpeed::Fast(), {}, 0);
        QString message;
        QCOMPARE(session.Console("readings 125", 0, &message), Session::ConsoleResult::Done);
        QCOMPARE(exchange(session, Transfer, 100).size(), 1 + 2 * 80);
        for (const char* refused : {"readings 73621", "fault bogus"})
            QCOMPARE(session.Console(refused, 200, &message), Session::ConsoleResult::Error);
        QCOMPARE(session.Console("quit", 200, &message), Session::ConsoleResult::Quit);
    }

    // A one-time fault spoils one status record, cut short or behind a burst of noise; the next
    // comes whole. The stall, the cut line, the deaf logger and wrong acknowledges are end-to-end
    // tests.
    void faults() {
        for (const auto& [fault, head, length] :
             {std::tuple{"short-status:30/1", QByteArray("\x04"), 31},
              {"garbage/1", QByteArray("\xFF\xFE\x13\x00\x7E\xA5\x11\x04", 8), 120}}) {
            Session session(LoggerSettings{}, LineSpeed::Fast(), {}, 0);
            session.AddFault(*Fault::Parse(fault));
            const QByteArray answer = exchange(session, Status, 10);
            QVERIFY2(answer.size() == length && answer.startsWith(head), fault);
            QCOMPARE(exchange(session, Status, 500).size(), 113);
        }
    }

    // A logger busy answering does not listen; under the one-byte fault its bytes go one at a
    // time, at least 2 ms apart.
    void busyAndOneByte() {
        Session session(LoggerSettings{}, LineSpeed::Fast(), {}, 0);
        session.AddFault(*Fault::Parse("one-byte"));
        session.Receive(Status, 0);
        session.Receive(Transfer, 0);
        qint64 sent = 0;
        for (qint64 t = 0; session.Busy() && t < 1000; ++t) {
            const qsizetype count = session.Due(t).size();
            QCOMPARE(count, t % 2 == 0 ? 1 : 0);
            sent += count;
            session.Written(count, t);
        }
        QCOMPARE(sent, 113); // the status record, and nothing for the Transfer
    }
};

VESTO_TEST(LoggerEmulatorTest)
#include "tst_emulator.moc"
