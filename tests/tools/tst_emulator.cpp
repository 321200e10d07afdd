#include "logger-emulator/Session.h"
#include "support/TestRegistry.h"

#include <QTemporaryDir>
#include <QTest>

using namespace emulator;

namespace {

QByteArray bytes(const QList<int>& values) {
    QByteArray out;
    for (const int v : values) out.append(char(v));
    return out;
}

quint8 at(const QByteArray& data, qsizetype i) {
    return quint8(data.at(i));
}

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

class LoggerEmulatorTest : public QObject {
    Q_OBJECT

private slots:
    // Four 10-bit codes as one 40-bit little-endian number in five bytes; a block is its start
    // tick, fifteen groups and a spare byte.
    void encoding() {
        const auto packed = [](quint16 a, quint16 b, quint16 c, quint16 d) {
            const auto group = PackGroup(a, b, c, d);
            return QByteArray(reinterpret_cast<const char*>(group.data()), 5);
        };
        QCOMPARE(packed(1023, 1023, 1023, 1023), bytes({255, 255, 255, 255, 255}));
        QCOMPARE(packed(1, 1, 1, 1), bytes({0x01, 0x04, 0x10, 0x40, 0x00}));
        QCOMPARE(packed(1, 2, 3, 4), bytes({0x01, 0x08, 0x30, 0x00, 0x01}));
        Block block;
        block.startTick = 0x12345678;
        block.codes[4] = 1;     // first reading of group 1
        block.codes[59] = 1023; // last reading of group 14
        QByteArray expected(BlockBytes, '\0');
        expected.replace(0, 4, bytes({0x78, 0x56, 0x34, 0x12}));
        expected[9] = 0x01;
        expected.replace(74, 5, bytes({0, 0, 0, 0xC0, 0xFF}));
        QCOMPARE(EncodeBlock(block), expected);
    }

    // Byte positions counted from 1, as the logger's documentation counts them.
    void statusRecord() {
        // clang-format off
        StatusFields fields{.clock = 0x01020304, .mode = 1, .presentShown = true, .number = 1234,
                            .low = 50, .high = 200, .currentBlockFlag = 1, .present = 480,
                            .currentBlock = 419, .wrapCount = 3};
        QByteArray record = EncodeStatus(fields);
        QCOMPARE(record.size(), 112);
        const int F = StatusFiller; // bytes the logger does not define
        const QList<std::pair<int, int>> expected{
            {2, 0x04}, {3, 0x03}, {4, 0x02}, {5, 0x01}, {11, 80}, {24, 0x88}, {28, 0xD2},
            {29, 0x04}, {35, 50}, {36, 200}, {43, 1}, {44, 0xE0}, {45, 0x01}, {68, 10}, {69, 0},
            {70, 1}, {71, 3}, {1, F}, {25, F}, {46, F}, {72, F}, {112, F}};
        // clang-format on
        for (const auto& [position, value] : expected)
            QVERIFY2(at(record, position - 1) == value, qPrintable(QString::number(position)));
        fields.mode = 2, fields.presentShown = false, fields.currentBlock = 1226;
        fields.present = 1023;
        record = EncodeStatus(fields);
        QCOMPARE(record.mid(23, 1) + record.mid(43, 2) + record.mid(67, 3),
                 bytes({0x00, 0xFF, 0x03, 0x98, 0x01, 2}));
    }

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
        QTest::newRow("four in a row")
            << L{Status + Transfer + Limits + Restart} << 0 << L{Status, Transfer, Limits, Restart};
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
        QCOMPARE(LineSpeed::Parse("2000")->BytesAfter(1500), 3000);
        QVERIFY(!LineSpeed::Parse("0") && !LineSpeed::Parse("slow"));
        Pacer pacer(real);
        QCOMPARE(pacer.Allowance(113, 5000), 1); // the first byte goes at once
        pacer.Sent(1);
        QCOMPARE(pacer.Allowance(112, 5001), 0);
        QCOMPARE(pacer.Allowance(1000, 5997), 435); // 436 in the first second
        pacer.Idle();
        QCOMPARE(pacer.Allowance(10, 9000), 1);
    }

    // Limits and Restart change the logger as it reports them; the record file follows the
    // memory; the console changes the readings.
    void limitsRestartAndConsole() {
        QTemporaryDir dir;
        LoggerSettings settings;
        settings.readings = 600;
        Session session(settings, LineSpeed::Fast(), {dir.filePath("record"), {}}, 0);
        QString message;
        QVERIFY2(session.Start(&message), qPrintable(message));
        const auto recordLines = [&] {
            QFile file(dir.filePath("record"));
            return file.open(QIODevice::ReadOnly) ? file.readAll().count('\n') : -1;
        };
        QCOMPARE(recordLines(), 600);
        QCOMPARE(exchange(session, Limits, 100), QByteArray());
        QByteArray status = exchange(session, Status, 200);
        QCOMPARE(status.size(), 113);
        QCOMPARE(status.mid(35, 2) + char(at(status, 24) & 0x80) + status.mid(68, 1),
                 bytes({25, 50, 0, 10}));
        QCOMPARE(exchange(session, Restart, 5000), QByteArray());
        status = exchange(session, Status, 6234);
        QCOMPARE(status.mid(2, 4), bytes({12, 0, 0, 0})); // clock restarted 1.234 s ago
        QCOMPARE(status.mid(68, 4) + status.mid(35, 1), bytes({0, 0, 0, 0, 25}));
        QCOMPARE(exchange(session, Transfer, 7000), QByteArray(1, Acknowledge));
        QCOMPARE(recordLines(), 0);
        QCOMPARE(session.Console("readings 125", 8000, &message), Session::ConsoleResult::Done);
        QCOMPARE(recordLines(), 120);
        QCOMPARE(exchange(session, Transfer, 8100).size(), 1 + 2 * 80);
        QCOMPARE(session.Console("readings 73621", 8000, &message), Session::ConsoleResult::Error);
        QCOMPARE(session.Console("fault bogus", 8000, &message), Session::ConsoleResult::Error);
        QCOMPARE(session.Console("quit", 8000, &message), Session::ConsoleResult::Quit);
    }

    void faults_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("head"); // how the first answer begins
        QTest::addColumn<int>("length");      // its length
        QTest::addColumn<int>("nextStatus");  // length of the answer to a Status after it
        QTest::newRow("bad-ack") << "bad-ack" << Status << QByteArray("\x15") << 1 << 1;
        QTest::newRow("bad-ack once") << "bad-ack/1" << Status << QByteArray("\x15") << 1 << 113;
        QTest::newRow("short-status:30/1")
            << "short-status:30/1" << Status << QByteArray("\x04") << 31 << 113;
        QTest::newRow("stall-at") << "stall-at:100" << Transfer << QByteArray("\x04\x64") << 101
                                  << 113;
        QTest::newRow("cut-at") << "cut-at:100" << Transfer << QByteArray("\x04\x64") << 101 << 0;
        QTest::newRow("garbage") << "garbage/1" << Status
                                 << QByteArray("\xFF\xFE\x13\x00\x7E\xA5\x11\x04", 8) << 120 << 113;
        QTest::newRow("no-answer twice") << "no-answer/2" << Status << QByteArray() << 0 << 0;
    }
    void faults() {
        QFETCH(QString, fault);
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, head);
        QFETCH(int, length);
        QFETCH(int, nextStatus);
        LoggerSettings settings;
        settings.readings = 600; // first block starts at tick 100 = 0x64
        Session session(settings, LineSpeed::Fast(), {}, 0);
        session.AddFault(*Fault::Parse(fault));
        const QByteArray answer = exchange(session, command, 10);
        QCOMPARE(answer.size(), length);
        QVERIFY(answer.startsWith(head));
        QCOMPARE(exchange(session, Status, 500).size(), nextStatus);
        QString message;
        session.Console("fault clear", 600, &message);
        QCOMPARE(exchange(session, Status, 700).size(), 113);
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
