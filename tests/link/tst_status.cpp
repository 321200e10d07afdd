#include "link/StatusRecord.h"
#include "support/TestRegistry.h"

#include <QTest>
#include <set>

namespace {

// A status record with the given bytes (numbered from 1) set, every other byte 0.
QByteArray record(std::initializer_list<std::pair<int, int>> bytes, int size = 112) {
    QByteArray r(size, '\0');
    for (const auto& [n, value] : bytes) r[n - 1] = static_cast<char>(value);
    return r;
}

using Plan = QList<int>; // bytes 1..3, readings 1..3, blocks 1..3

} // namespace

class StatusRecordTest : public QObject {
    Q_OBJECT
private slots:
    void memoryCounts_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("blocks");
        QTest::addColumn<int>("banks");
        QTest::addColumn<int>("writePointer");
        QTest::addColumn<Plan>("plan"); // empty: the previous plan stays
        QTest::newRow("two banks") << record({{68, 10}, {69, 0}, {70, 1}, {71, 0}}) << 419 << 2
                                   << 25140 << Plan{32720, 800, 0, 24540, 600, 0, 409, 10, 0};
        QTest::newRow("wrapped: capped, three full banks")
            << record({{68, 10}, {70, 1}, {71, 1}}) << 1227 << 3 << 25140
            << Plan{32720, 32720, 32720, 24540, 24540, 24540, 409, 409, 409};
        QTest::newRow("wrapped many times")
            << record({{68, 0}, {70, 0}, {71, 200}}) << 1227 << 3 << 0
            << Plan{32720, 32720, 32720, 24540, 24540, 24540, 409, 409, 409};
        QTest::newRow("one bank, index above 255")
            << record({{68, 0x2C}, {69, 0x01}}) << 300 << 1 << 18000
            << Plan{24000, 0, 0, 18000, 0, 0, 300, 0, 0};
        QTest::newRow("last block of the memory")
            << record({{68, 152}, {69, 1}, {70, 2}}) << 1226 << 3 << 73560
            << Plan{32720, 32720, 32640, 24540, 24540, 24480, 409, 409, 408};
        QTest::newRow("second bank just begun: it brings nothing")
            << record({{70, 1}}) << 409 << 2 << 24540 << Plan{32720, 0, 0, 24540, 0, 0, 409, 0, 0};
        QTest::newRow("empty memory") << record({}) << 0 << 0 << 0 << Plan{};
    }
    void memoryCounts() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, blocks);
        QFETCH(int, banks);
        QFETCH(int, writePointer);
        QFETCH(Plan, plan);
        const auto r = ParseStatusRecord(bytes);
        QVERIFY(r);
        QCOMPARE(r->blockCount(), blocks);
        QCOMPARE(r->bankCount(), banks);
        QCOMPARE(r->writePointer(), writePointer);
        QCOMPARE(r->loggerRecordCount(), 60 * blocks);
        QCOMPARE(r->downloadBytes(), 80 * blocks);
        const auto made = PlanTransfer(r->bankCount(), r->downloadBytes(), r->loggerRecordCount());
        QCOMPARE(made.has_value(), !plan.isEmpty());
        if (!made) return;
        Plan got;
        for (const auto* part : {&made->bankBytes, &made->bankRecordCounts, &made->bankBlockCounts})
            for (size_t k = 1; k <= 3; ++k) got << (*part)[k];
        QCOMPARE(got, plan);
    }

    void loggerClock_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<double>("days");
        QTest::newRow("byte 4 = 1") << record({{4, 1}}) << 0.075851859;
        QTest::newRow("one second") << record({{2, 10}}) << 1.0 / 86400;
        QTest::newRow("bytes 2 and 3") << record({{2, 0x40}, {3, 0x38}}) << 14400 / 864000.0;
        QTest::newRow("byte 5 = 1") << record({{5, 1}}) << 19.41807407;
        QTest::newRow("all") << record({{2, 255}, {3, 255}, {4, 255}, {5, 255}})
                             << 65535 / 864000.0 + 255 * 0.075851859 + 255 * 19.41807407;
    }
    void loggerClock() {
        QFETCH(QByteArray, bytes);
        QFETCH(double, days);
        QCOMPARE(ParseStatusRecord(bytes)->loggerElapsed(), days);
    }

    void flagsAndPresent_data() {
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QList<int>>("bits"); // entries 0..7
        QTest::newRow("0x88: mode 1, present shown")
            << 0x88 << 1 << 1 << QList<int>{0, 0, 0, 1, 0, 0, 0, 1};
        QTest::newRow("0x00: mode 2, hidden")
            << 0x00 << 2 << 0 << QList<int>{0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("0x7F: mode 2, shown")
            << 0x7F << 2 << 1 << QList<int>{1, 1, 1, 1, 1, 1, 1, 0};
        QTest::newRow("0x80: mode 1, hidden")
            << 0x80 << 1 << 0 << QList<int>{0, 0, 0, 0, 0, 0, 0, 1};
    }
    void flagsAndPresent() {
        QFETCH(int, flags);
        QFETCH(int, mode);
        QFETCH(int, shown);
        QFETCH(QList<int>, bits);
        const auto r = ParseStatusRecord(record({{24, flags}}));
        QCOMPARE(r->mode(), mode);
        QCOMPARE(r->presentShown(), shown);
        const auto got = r->statusBits();
        for (int b = 0; b < 8; ++b) QCOMPARE(int(got[size_t(b)]), bits[b]);
        QCOMPARE(int(got[8]), 0);
    }

    void identityAndLimits() {
        const auto r = ParseStatusRecord(record({{11, 80},
                                                 {28, 0xD2},
                                                 {29, 0x04},
                                                 {35, 50},
                                                 {36, 200},
                                                 {43, 7},
                                                 {44, 0xFF},
                                                 {45, 0x03}}));
        QVERIFY(r);
        QCOMPARE(r->loggerType, 80);
        QCOMPARE(r->loggerNumber, 1234);
        QCOMPARE(r->lowRaw, 50);
        QCOMPARE(r->highRaw, 200);
        QCOMPARE(r->currentBlockFlag, 1); // any value above 0
        QCOMPARE(r->presentReading(), 255.75);
        QCOMPARE(r->presentReading() * PresentRangeFactor(QStringLiteral("500 Volt")), 511.5);
        // Only the low two bits of byte 45 belong to the reading.
        QCOMPARE(ParseStatusRecord(record({{44, 0x01}, {45, 0xFE}}))->presentReading(), 128.25);
        QCOMPARE(ParseStatusRecord(record({{43, 0}}))->currentBlockFlag, 0);
    }

    void rangeFactors_data() {
        QTest::addColumn<QString>("range");
        QTest::addColumn<double>("limits");
        QTest::addColumn<double>("present");
        QTest::newRow("250 V") << "250 Volt" << 1.0 << 1.0;
        QTest::newRow("500 V") << "500 Volt" << 2.0 << 2.0;
        // Limits use 1 only for "250 Volt", the present reading 2 only for "500 Volt".
        QTest::newRow("not set") << "" << 2.0 << 1.0;
    }
    void rangeFactors() {
        QFETCH(QString, range);
        QFETCH(double, limits);
        QFETCH(double, present);
        QCOMPARE(LimitRangeFactor(range), limits);
        QCOMPARE(PresentRangeFactor(range), present);
    }

    void impossibleRecordsRefused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("taken");
        QTest::newRow("111 bytes") << record({}, 111) << false;
        QTest::newRow("nothing") << QByteArray() << false;
        QTest::newRow("bank 3") << record({{70, 3}}) << false;
        QTest::newRow("bank 255") << record({{70, 255}, {71, 1}}) << false;
        QTest::newRow("block index 409") << record({{68, 0x99}, {69, 0x01}}) << false;
        QTest::newRow("block index 65535") << record({{68, 0xFF}, {69, 0xFF}}) << false;
        QTest::newRow("block index 408 of bank 2")
            << record({{68, 0x98}, {69, 1}, {70, 2}}) << true;
        QTest::newRow("longer than 112") << record({{70, 2}}, 300) << true;
    }
    void impossibleRecordsRefused() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, taken);
        QCOMPARE(ParseStatusRecord(bytes).has_value(), taken);
    }

    void wrappedOrder_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("writePointer");
        QTest::addColumn<int>("flag");
        QTest::addColumn<int>("reading");
        QTest::newRow("after the current block is the oldest") << 25201 << 25140 << 1 << 1;
        QTest::newRow("just before the current block") << 25140 << 25140 << 1 << 73560;
        QTest::newRow("last of the current block") << 25200 << 25140 << 1 << 73620;
        QTest::newRow("first of the memory") << 1 << 25140 << 1 << 48421;
        QTest::newRow("last of the memory") << 73620 << 25140 << 1 << 48420;
        QTest::newRow("flag 0: current block is the oldest") << 25141 << 25140 << 0 << 1;
        QTest::newRow("flag 0: just before it is the newest") << 25140 << 25140 << 0 << 73620;
        QTest::newRow("pointer 0, flag 0: memory order") << 1 << 0 << 0 << 1;
        QTest::newRow("pointer at the last block, flag 1") << 1 << 73560 << 1 << 1;
    }
    void wrappedOrder() {
        QFETCH(int, position);
        QFETCH(int, writePointer);
        QFETCH(int, flag);
        QFETCH(int, reading);
        QCOMPARE(WrappedReadingNumber(position, writePointer, flag), reading);
    }

    // Every reading of a wrapped memory gets its own place, whatever the pointer and flag.
    void wrappedOrderIsOneToOne_data() {
        QTest::addColumn<int>("writePointer");
        QTest::addColumn<int>("flag");
        QTest::newRow("pointer 0, flag 1") << 0 << 1;
        QTest::newRow("middle, flag 0") << 25140 << 0;
        QTest::newRow("last block, flag 1") << 73560 << 1;
    }
    void wrappedOrderIsOneToOne() {
        QFETCH(int, writePointer);
        QFETCH(int, flag);
        std::set<int> seen;
        for (int m = 1; m <= kMemoryReadings; ++m) {
            const int n = WrappedReadingNumber(m, writePointer, flag);
            QVERIFY(n >= 1 && n <= kMemoryReadings);
            seen.insert(n);
        }
        QCOMPARE(int(seen.size()), kMemoryReadings);
    }

    void watchdogLimit_data() {
        QTest::addColumn<double>("readings");
        QTest::addColumn<int>("seconds");
        QTest::newRow("full memory") << 73620.0 << 267;
        QTest::newRow("1200 readings") << 1200.0 << 41;
        QTest::newRow("none") << 0.0 << 41;
        QTest::newRow("exactly 40 s stays") << 11000.0 << 40;
        QTest::newRow("just below 40 s") << 10999.0 << 41;
        QTest::newRow("above 270 s") << 100000.0 << 270;
    }
    void watchdogLimit() {
        QFETCH(double, readings);
        QFETCH(int, seconds);
        QCOMPARE(WatchdogLimitSeconds(readings), seconds);
    }

    void limitsCommand_data() {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<double>("mode");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("whole values") << 50.0 << 200.0 << 1.0 << QByteArray("\0L\x32\xC8\x01", 5);
        QTest::newRow("halves to even") << 2.5 << 3.5 << 1.5 << QByteArray("\0L\x02\x04\x02", 5);
        QTest::newRow("outside a byte") << -3.0 << 300.0 << 2.0 << QByteArray("\0L\x00\xFF\x02", 5);
    }
    void limitsCommand() {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(double, mode);
        QFETCH(QByteArray, bytes);
        QCOMPARE(LimitsCommand(low, high, mode), bytes);
    }

    void progress_data() {
        QTest::addColumn<int>("bank");
        QTest::addColumn<int>("waiting");
        QTest::addColumn<int>("total");
        QTest::addColumn<float>("percent");
        QTest::newRow("half of the first of two") << 1 << 16360 << 65440 << 25.0f;
        QTest::newRow("second bank begun") << 2 << 0 << 65440 << 50.0f;
        QTest::newRow("nothing announced") << 1 << 500 << 0 << 0.0f;
    }
    void progress() {
        QFETCH(int, bank);
        QFETCH(int, waiting);
        QFETCH(int, total);
        QFETCH(float, percent);
        QCOMPARE(TransferProgress(bank, waiting, total), percent);
    }
};

VESTO_TEST(StatusRecordTest)
#include "tst_status.moc"
