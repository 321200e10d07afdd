#include "link/PartialTransfer.h"
#include "link/StatusRecord.h"
#include "logger-emulator/Logger.h"
#include "support/Fixtures.h"
#include "support/TestRegistry.h"

#include <QTest>
#include <cmath>
#include <map>

class StatusRecordTest : public QObject {
    Q_OBJECT
private slots:
    void memoryCounts_data() {
        QTest::addColumn<QByteArray>("bytes");
        // Blocks, banks and write pointer, then bytes, readings and blocks of banks 1..3 when a
        // transfer is planned; empty when the record is refused.
        QTest::addColumn<QList<int>>("expected");
        // clang-format off
        QTest::newRow("two banks") << StatusRecordWith({{68, 10}, {69, 0}, {70, 1}, {71, 0}}) << QList<int>{419, 2, 25140, 32720, 800, 0, 24540, 600, 0, 409, 10, 0};
        QTest::newRow("wrapped: capped, three full banks") << StatusRecordWith({{68, 10}, {70, 1}, {71, 1}}) << QList<int>{1227, 3, 25140, 32720, 32720, 32720, 24540, 24540, 24540, 409, 409, 409};
        QTest::newRow("one bank, index above 255") << StatusRecordWith({{68, 0x2C}, {69, 0x01}}) << QList<int>{300, 1, 18000, 24000, 0, 0, 18000, 0, 0, 300, 0, 0};
        QTest::newRow("block index 409") << StatusRecordWith({{68, 0x99}, {69, 1}}) << QList<int>{};
        // clang-format on
    }
    void memoryCounts() {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<int>, expected);
        QList<int> got;
        if (const auto r = ParseStatusRecord(bytes)) {
            got << r->blockCount() << r->bankCount() << r->writePointer();
            if (const auto plan =
                    PlanTransfer(r->bankCount(), r->downloadBytes(), r->loggerRecordCount()))
                for (const auto* part :
                     {&plan->bankBytes, &plan->bankRecordCounts, &plan->bankBlockCounts})
                    for (size_t k = 1; k <= 3; ++k) got << (*part)[k];
        }
        QCOMPARE(got, expected);
    }

    // The logger's clock, its mode and its present reading (on the 250 V range).
    void fields_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<double>("days");
        QTest::addColumn<QList<double>>("modeShownPresent");
        // clang-format off
        QTest::newRow("clock 0 0 1 0; 0x00: mode 2, hidden") << StatusRecordWith({{4, 1}}) << 0.075851859 << QList<double>{2, 0, 0};
        QTest::newRow("clock byte 5") << StatusRecordWith({{2, 10}, {5, 1}}) << 19.41807407 + 1 / 86400.0 << QList<double>{2, 0, 0};
        QTest::newRow("0x88: mode 1, shown; present 0xFF 0x03") << StatusRecordWith({{24, 0x88}, {44, 0xFF}, {45, 0x03}}) << 0.0 << QList<double>{1, 1, 255.75};
        QTest::newRow("0x7F: mode 2, shown; high bits of byte 45 ignored") << StatusRecordWith({{24, 0x7F}, {44, 0x01}, {45, 0xFE}}) << 0.0 << QList<double>{2, 1, 128.25};
        // clang-format on
    }
    void fields() {
        QFETCH(QByteArray, bytes);
        QFETCH(double, days);
        QFETCH(QList<double>, modeShownPresent);
        const auto r = ParseStatusRecord(bytes);
        QCOMPARE(r->loggerElapsed(), days);
        QCOMPARE(QList<double>({double(r->mode()), double(r->presentShown()), r->presentReading()}),
                 modeShownPresent);
        QCOMPARE(r->presentReading() * PresentRangeFactor("500 Volt"), 2 * modeShownPresent[2]);
    }

    // Low before High, each rounded half to even, then the mode.
    void limitsCommand() {
        QCOMPARE(LimitsCommand(50.5, 201.5, 2),
                 QByteArray("\0L", 2) + char(50) + char(202) + char(2));
        QCOMPARE(LimitsCommand(7, 255, 1), QByteArray("\0L\x07\xFF\x01", 5));
    }

    // A transfer cut after some bytes: the whole blocks that came, in time order, each reading
    // one the virtual logger holds; a memory wrapped twice leaves its current block out.
    void readingsReceived_data() {
        QTest::addColumn<QList<int>>("memory"); // readings, wrap count, current block, flag
        QTest::addColumn<int>("bytes");
        QTest::addColumn<int>("blocks");
        QTest::newRow("cut in bank 2") << QList<int>{30000, 0, 0, 0} << 35000 << 437;
        QTest::newRow("wrapped, cut in bank 2") << QList<int>{0, 1, 419, 1} << 40000 << 500;
        QTest::newRow("wrapped, flag 0, in bank 3") << QList<int>{0, 1, 419, 0} << 70000 << 875;
        QTest::newRow("wrapped twice, current came") << QList<int>{0, 2, 100, 1} << 40000 << 499;
    }
    void readingsReceived() {
        QFETCH(QList<int>, memory);
        QFETCH(int, bytes);
        QFETCH(int, blocks);
        emulator::LoggerSettings settings;
        settings.readings = memory[0];
        settings.wrapped = memory[1] > 0;
        settings.wrapCount = quint8(memory[1]);
        if (settings.wrapped) settings.currentBlock = memory[2];
        settings.currentBlockFlag = quint8(memory[3]);
        const emulator::Logger logger(settings, 0);
        const auto s = ParseStatusRecord(logger.StatusRecord(0));
        const auto plan = PlanTransfer(s->bankCount(), s->downloadBytes(), s->loggerRecordCount());
        const QByteArray sent = logger.TransferBytes().left(bytes);
        const QByteArray b1 = sent.left(kBankBytes), b2 = sent.mid(kBankBytes, kBankBytes),
                         b3 = sent.mid(2 * kBankBytes);
        const int last = s->wrapCount > 1 && s->currentBlockFlag ? 73560 : 73620;
        // clang-format off
        const ReceivedBanks r{{{{}, b1, b2, b3}}, plan->bankBlockCounts, plan->bankRecordCounts,
                              s->blockCount(), s->wrapCount > 0, s->writePointer(),
                              s->currentBlockFlag, last, 0, 1, {}};
        // clang-format on
        std::map<qint64, int> held; // tick -> code
        for (const emulator::Reading& reading : logger.Readings())
            held[reading.tick] = reading.code;
        const std::vector<RecordPoint> points = ReadingsReceived(r);
        QCOMPARE(int(points.size()), blocks * 60);
        for (size_t i = 0; i < points.size(); ++i) {
            const qint64 tick = std::llround(points[i].time * 864000);
            QVERIFY(held.count(tick) && points[i].value == held[tick] / 4.0);
            QVERIFY(i == 0 || points[i].time > points[i - 1].time);
        }
    }
};

VESTO_TEST(StatusRecordTest)
#include "tst_status.moc"
