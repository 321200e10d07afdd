#include "logger-emulator/Session.h"
#include "support/TestRegistry.h"

#include <QTemporaryDir>
#include <QTest>

using namespace emulator;

namespace {

using Bytes = QList<int>;
using Positions = QList<QPair<int, int>>; // status byte (counted from 1), expected value

QByteArray bytes(const Bytes& values) {
    QByteArray out;
    for (const int v : values) out.append(char(v));
    return out;
}

quint8 at(const QByteArray& data, qsizetype i) {
    return quint8(data.at(i));
}

quint32 tickOf(const QByteArray& block) {
    return at(block, 0) | at(block, 1) << 8 | at(block, 2) << 16 | quint32(at(block, 3)) << 24;
}

// The first reading of a block, read the way the layout is documented: c1 + 256 x (c2 mod 4).
int firstCodeOf(const QByteArray& block) {
    return (at(block, 5) & 3) * 256 + at(block, 4);
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

const QByteArray Status("\0R", 2);
const QByteArray Transfer("\0T", 2);

} // namespace

class LoggerEmulatorTest : public QObject {
    Q_OBJECT

private slots:
    void packGroup_data() {
        QTest::addColumn<Bytes>("codes");
        QTest::addColumn<Bytes>("packed");
        QTest::newRow("all 1023") << Bytes{1023, 1023, 1023, 1023}
                                  << Bytes{255, 255, 255, 255, 255};
        QTest::newRow("all 1") << Bytes{1, 1, 1, 1} << Bytes{0x01, 0x04, 0x10, 0x40, 0x00};
        QTest::newRow("1 2 3 4") << Bytes{1, 2, 3, 4} << Bytes{0x01, 0x08, 0x30, 0x00, 0x01};
        QTest::newRow("first only") << Bytes{1023, 0, 0, 0} << Bytes{0xFF, 0x03, 0, 0, 0};
        QTest::newRow("second only") << Bytes{0, 1023, 0, 0} << Bytes{0, 0xFC, 0x0F, 0, 0};
        QTest::newRow("third only") << Bytes{0, 0, 1023, 0} << Bytes{0, 0, 0xF0, 0x3F, 0};
        QTest::newRow("fourth only") << Bytes{0, 0, 0, 1023} << Bytes{0, 0, 0, 0xC0, 0xFF};
    }
    void packGroup() {
        QFETCH(Bytes, codes);
        QFETCH(Bytes, packed);
        const auto group =
            PackGroup(quint16(codes[0]), quint16(codes[1]), quint16(codes[2]), quint16(codes[3]));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(group.data()), 5), bytes(packed));
    }

    void blockLayout() {
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

    void statusRecord_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<int>("block");
        QTest::addColumn<Positions>("expected");
        QTest::newRow("mode 1 shown, bank 1")
            << 1 << true << 419
            << Positions{{2, 0x04},  {3, 0x03},  {4, 0x02}, {5, 0x01}, {11, 80}, {24, 0x88},
                         {28, 0xD2}, {29, 0x04}, {35, 50},  {36, 200}, {43, 1},  {44, 0xE0},
                         {45, 0x01}, {68, 10},   {69, 0},   {70, 1},   {71, 3}};
        QTest::newRow("mode 2 hidden, last block")
            << 2 << false << 1226 << Positions{{24, 0x00}, {68, 0x98}, {69, 0x01}, {70, 2}};
        QTest::newRow("mode 1 hidden, end of bank 1")
            << 1 << false << 408 << Positions{{24, 0x80}, {68, 0x98}, {69, 0x01}, {70, 0}};
        QTest::newRow("mode 2 shown, start of bank 3")
            << 2 << true << 818 << Positions{{24, 0x08}, {68, 0}, {69, 0}, {70, 2}};
    }
    void statusRecord() {
        QFETCH(int, mode);
        QFETCH(bool, shown);
        QFETCH(int, block);
        QFETCH(Positions, expected);
        StatusFields fields;
        fields.clock = 0x01020304;
        fields.number = 1234;
        fields.low = 50;
        fields.high = 200;
        fields.currentBlockFlag = 1;
        fields.present = 480;
        fields.wrapCount = 3;
        fields.mode = mode;
        fields.presentShown = shown;
        fields.currentBlock = block;
        const QByteArray record = EncodeStatus(fields);
        QCOMPARE(record.size(), 112);
        for (const auto& [position, value] : expected)
            QVERIFY2(at(record, position - 1) == value, qPrintable(QString::number(position)));
        // Bytes the logger does not define carry the filler.
        for (const int position : {1, 6, 10, 12, 23, 25, 27, 30, 34, 37, 42, 46, 67, 72, 112})
            QCOMPARE(at(record, position - 1), StatusFiller);
        fields.present = 1023;
        QCOMPARE(at(EncodeStatus(fields), 43), 0xFF);
        QCOMPARE(at(EncodeStatus(fields), 44), 0x03);
    }

    // The memory is read back as the program places it: unwrapped in memory order; wrapped with
    // reading n at memory reading m, n = m - WritePointer - 60 x flag (plus 73620 below 1).
    // Ramp readings have no pauses, so order shows in the ticks; each block must also match the
    // record file's readings, oldest first.
    void ringOrder_data() {
        QTest::addColumn<int>("readings");
        QTest::addColumn<bool>("wrapped");
        QTest::addColumn<int>("block");
        QTest::addColumn<int>("flag");
        QTest::addColumn<int>("wrapCount");
        QTest::newRow("one bank") << 600 << false << -1 << 0 << 1;
        QTest::newRow("two banks, flag 1") << 25140 << false << -1 << 1 << 1;
        QTest::newRow("wrapped, flag 0") << 0 << true << 419 << 0 << 1;
        QTest::newRow("wrapped, flag 1") << 0 << true << 419 << 1 << 1;
        QTest::newRow("wrapped twice, flag 1") << 0 << true << 419 << 1 << 2;
        QTest::newRow("wrapped at the end, flag 1") << 0 << true << 1226 << 1 << 1;
        QTest::newRow("wrapped at the start, flag 0") << 0 << true << 0 << 0 << 1;
        QTest::newRow("filled exactly, flag 0") << 73620 << false << -1 << 0 << 1;
        QTest::newRow("filled exactly, flag 1") << 73620 << false << -1 << 1 << 1;
    }
    void ringOrder() {
        QFETCH(int, readings);
        QFETCH(bool, wrapped);
        QFETCH(int, block);
        QFETCH(int, flag);
        QFETCH(int, wrapCount);
        LoggerSettings settings;
        settings.pattern = Pattern{Pattern::Kind::Ramp, 0};
        settings.readings = readings;
        settings.wrapped = wrapped;
        if (block >= 0) settings.currentBlock = block;
        settings.currentBlockFlag = quint8(flag);
        settings.wrapCount = quint8(wrapCount);
        const Logger logger(settings, 0);

        const QByteArray status = logger.StatusRecord(0);
        const int position = at(status, 67) + 256 * at(status, 68) + 409 * at(status, 69);
        const int wraps = at(status, 70);
        const int blockCount = qMin(position + 1227 * wraps, 1227);
        const bool ringed = wraps > 0;
        QCOMPARE(ringed, wrapped || readings == 73620);
        if (!ringed) QCOMPARE(blockCount, readings / 60);
        const QByteArray memory = logger.TransferBytes();
        QCOMPARE(memory.size(), blockCount * 80);

        QList<QByteArray> placed(blockCount);
        for (int p = 0; p < blockCount; ++p) {
            const int firstM = 60 * p + 1;
            int n = ringed ? firstM - 60 * position - 60 * (at(status, 42) > 0 ? 1 : 0) : firstM;
            if (n < 1) n += 73620;
            placed[(n - 1) / 60] = memory.mid(80 * p, 80);
        }
        const std::vector<Reading> truth = logger.Readings();
        QCOMPARE(int(truth.size()), blockCount * 60);
        for (int j = 0; j < blockCount; ++j) {
            const Reading& first = truth[size_t(j) * 60];
            QCOMPARE(tickOf(placed[j]), first.tick);
            QCOMPARE(firstCodeOf(placed[j]), int(first.code));
            if (j > 0) QCOMPARE(tickOf(placed[j]), tickOf(placed[j - 1]) + 60);
        }
    }

    void commandParser_data() {
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::addColumn<int>("pauseMs"); // between chunks
        QTest::addColumn<QList<QByteArray>>("commands");
        using L = QList<QByteArray>;
        const QByteArray limits("\0L\x19\x32\x01", 5);
        QTest::newRow("status") << L{Status} << 0 << L{Status};
        QTest::newRow("noise around") << L{"xx\x05" + Status + "\xff"} << 0 << L{Status};
        QTest::newRow("split after the zero") << L{QByteArray(1, '\0'), "R"} << 10 << L{Status};
        QTest::newRow("limits in pieces") << L{limits.left(3), limits.mid(3)} << 10 << L{limits};
        QTest::newRow("zero parameters")
            << L{QByteArray("\0L\0\0R\0T", 7)} << 0 << L{QByteArray("\0L\0\0R", 5), Transfer};
        QTest::newRow("zero before zero") << L{QByteArray("\0\0T", 3)} << 0 << L{Transfer};
        QTest::newRow("zero then noise")
            << L{QByteArray("\0\x04\0r\0B", 6)} << 0 << L{QByteArray("\0B", 2)};
        QTest::newRow("four in a row") << L{Status + Transfer + limits + QByteArray("\0B", 2)} << 0
                                       << L{Status, Transfer, limits, QByteArray("\0B", 2)};
        QTest::newRow("half a command forgotten") << L{limits.left(3), Status} << 1500 << L{Status};
        QTest::newRow("half a command finished")
            << L{limits.left(3), Status} << 500 << L{limits.left(3) + Status.left(2)};
    }
    void commandParser() {
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(int, pauseMs);
        QFETCH(QList<QByteArray>, commands);
        CommandParser parser;
        QList<QByteArray> got;
        qint64 now = 100;
        for (const QByteArray& chunk : chunks) {
            for (const Command& command : parser.Feed(chunk, now)) {
                QCOMPARE(command.letter, command.bytes.at(1));
                got << command.bytes;
            }
            now += pauseMs;
        }
        QCOMPARE(got, commands);
    }

    void pacing_data() {
        QTest::addColumn<QString>("speed");
        QTest::addColumn<qint64>("elapsedMs");
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<qint64>("msForBytes");
        // 4800 baud, 11 bits a byte: 436.36 bytes a second.
        QTest::newRow("real, one second") << "real" << 1000LL << 436LL << 1000LL;
        QTest::newRow("real, 11 s") << "real" << 11000LL << 4800LL << 11000LL;
        QTest::newRow("real, one byte") << "real" << 2LL << 0LL << 3LL;
        QTest::newRow("real, full memory") << "real" << 224953LL << 98161LL << 224953LL;
        QTest::newRow("2000 per second") << "2000" << 1500LL << 3000LL << 1500LL;
    }
    void pacing() {
        QFETCH(QString, speed);
        QFETCH(qint64, elapsedMs);
        QFETCH(qint64, bytes);
        QFETCH(qint64, msForBytes);
        const auto line = LineSpeed::Parse(speed);
        QVERIFY(line.has_value());
        QCOMPARE(line->BytesAfter(elapsedMs), bytes);
        QCOMPARE(line->MsFor(qMax<qint64>(bytes, 1)), msForBytes);
    }

    void pacerRun() {
        Pacer pacer(LineSpeed::Real());
        QCOMPARE(pacer.Allowance(113, 5000), 1); // the first byte goes at once
        pacer.Sent(1);
        QCOMPARE(pacer.Allowance(112, 5001), 0);
        QCOMPARE(pacer.MsUntilNext(5001), 1);       // second byte due 2 x 2.29 ms after the start
        QCOMPARE(pacer.Allowance(1000, 5997), 435); // 436 in the first second, one already sent
        pacer.Idle();
        QCOMPARE(pacer.Allowance(10, 9000), 1);
        QVERIFY(!LineSpeed::Parse("0") && !LineSpeed::Parse("slow"));
        QCOMPARE(Pacer(LineSpeed::Fast()).Allowance(98161, 0), 98161);
    }

    void limitsAndRestart() {
        QTemporaryDir dir;
        LoggerSettings settings;
        settings.readings = 600;
        Session session(settings, LineSpeed::Fast(), {dir.filePath("record"), {}}, 0);
        QString error;
        QVERIFY2(session.Start(&error), qPrintable(error));
        auto recordLines = [&] {
            QFile file(dir.filePath("record"));
            return file.open(QIODevice::ReadOnly) ? file.readAll().count('\n') : -1;
        };
        QCOMPARE(recordLines(), 600);

        QCOMPARE(exchange(session, QByteArray("\0L\x19\x32\x02", 5), 100), QByteArray());
        QByteArray status = exchange(session, Status, 200);
        QCOMPARE(status.size(), 113);
        QCOMPARE(at(status, 35), 25);       // Low
        QCOMPARE(at(status, 36), 50);       // High
        QCOMPARE(at(status, 24) & 0x80, 0); // mode 2
        QCOMPARE(at(status, 68), 10);
        QCOMPARE(recordLines(), 600); // limits leave the readings alone

        QCOMPARE(exchange(session, QByteArray("\0B", 2), 5000), QByteArray());
        status = exchange(session, Status, 6234);
        QCOMPARE(status.mid(2, 4), bytes({12, 0, 0, 0})); // clock restarted 1.234 s ago
        QCOMPARE(status.mid(68, 4), bytes({0, 0, 0, 0}));
        QCOMPARE(at(status, 35), 25); // limits survive the restart
        QCOMPARE(exchange(session, Transfer, 7000), QByteArray(1, Acknowledge));
        QCOMPARE(recordLines(), 0);

        QString message;
        QCOMPARE(session.Console("readings 125", 8000, &message), Session::ConsoleResult::Done);
        QCOMPARE(recordLines(), 120);
        QCOMPARE(exchange(session, Transfer, 8100).size(), 1 + 2 * 80);
        QCOMPARE(session.Console("readings 73621", 8000, &message), Session::ConsoleResult::Error);
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
        QTest::newRow("short-status") << "short-status" << Status << QByteArray("\x04") << 57 << 57;
        QTest::newRow("short-status:30/1")
            << "short-status:30/1" << Status << QByteArray("\x04") << 31 << 113;
        QTest::newRow("stall-at") << "stall-at:100" << Transfer << QByteArray("\x04\x64") << 101
                                  << 113;
        QTest::newRow("cut-at") << "cut-at:100" << Transfer << QByteArray("\x04\x64") << 101 << 0;
        QTest::newRow("garbage") << "garbage/1" << Status
                                 << QByteArray("\xFF\xFE\x13\x00\x7E\xA5\x11\x04", 8) << 120 << 113;
        QTest::newRow("no-answer") << "no-answer" << Status << QByteArray() << 0 << 0;
        QTest::newRow("no-answer twice") << "no-answer/2" << Status << QByteArray() << 0 << 0;
        QTest::newRow("no-answer once") << "no-answer/1" << Status << QByteArray() << 0 << 113;
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
        const auto parsed = Fault::Parse(fault);
        QVERIFY(parsed.has_value());
        session.AddFault(*parsed);
        const QByteArray answer = exchange(session, command, 10);
        QCOMPARE(answer.size(), length);
        QVERIFY(answer.startsWith(head));
        QCOMPARE(exchange(session, Status, 500).size(), nextStatus);
        QString message;
        session.Console("fault clear", 600, &message);
        QCOMPARE(exchange(session, Status, 700).size(), 113);
    }

    void faultNames_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("stall needs a count") << "stall-at" << false;
        QTest::newRow("garbage takes none") << "garbage:5" << false;
        QTest::newRow("zero answers") << "bad-ack/0" << false;
        QTest::newRow("unknown") << "noise" << false;
        QTest::newRow("one-byte") << "one-byte" << true;
        QTest::newRow("cut-at with count") << "cut-at:32720/3" << true;
    }
    void faultNames() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(Fault::Parse(text).has_value(), valid);
    }

    void busyAndOneByte() {
        Session session(LoggerSettings{}, LineSpeed::Fast(), {}, 0);
        session.AddFault(*Fault::Parse("one-byte"));
        session.Receive(Status, 0);
        QCOMPARE(session.Due(0).size(), 1);
        session.Written(1, 0);
        QCOMPARE(session.Due(1), QByteArray()); // bytes at least 2 ms apart
        QCOMPARE(session.MsUntilDue(1), 1);
        session.Receive(Transfer, 1); // a logger busy answering does not listen
        QCOMPARE(session.Due(2).size(), 1);
        session.Written(1, 2);
        QString message;
        QCOMPARE(session.Console("fault bogus", 3, &message), Session::ConsoleResult::Error);
        qint64 rest = 0;
        for (qint64 t = 4; session.Busy(); t += 2) {
            const qsizetype count = session.Due(t).size();
            rest += count;
            session.Written(count, t);
        }
        QCOMPARE(rest, 111); // the status record, and nothing for the ignored Transfer
    }
};

VESTO_TEST(LoggerEmulatorTest)
#include "tst_emulator.moc"
