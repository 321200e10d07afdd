#include "data/DecodeRecordBlocks.h"
#include "shell/AppState.h"
#include "support/TestRegistry.h"

#include <QTest>
#include <array>
#include <memory>
#include <random>
#include <vector>

namespace {

// A record block as the logger writes it: a start tick count and 60 sample codes.
struct LoggerBlock {
    quint32 ticks = 0;
    std::array<int, 60> codes{};
};

// Written from the block layout: 4 header bytes little-endian, then each four codes as one
// 40-bit little-endian number with sample 1 in bits 0..9, then a filler byte.
QByteArray encodeBlocks(const std::vector<LoggerBlock>& blocks) {
    QByteArray bytes;
    for (const LoggerBlock& block : blocks) {
        for (int i = 0; i < 4; ++i) bytes.append(char((block.ticks >> (8 * i)) & 0xFF));
        for (int g = 0; g < 15; ++g) {
            quint64 packed = 0;
            for (int k = 0; k < 4; ++k)
                packed |= quint64(block.codes[size_t(g * 4 + k)] & 0x3FF) << (10 * k);
            for (int i = 0; i < 5; ++i) bytes.append(char((packed >> (8 * i)) & 0xFF));
        }
        bytes.append(char(0xEE));
    }
    return bytes;
}

std::vector<LoggerBlock> randomBlocks(int count, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> code(0, 1023);
    std::uniform_int_distribution<quint32> gap(60, 5000);
    std::vector<LoggerBlock> blocks(static_cast<size_t>(count));
    quint32 ticks = 0x00FFFF00; // crosses a carry into the fourth header byte on the way
    for (LoggerBlock& block : blocks) {
        block.ticks = ticks;
        ticks += gap(rng);
        for (int& c : block.codes) c = code(rng);
    }
    return blocks;
}

std::span<const std::uint8_t> bytesOf(const QByteArray& b) {
    return {reinterpret_cast<const std::uint8_t*>(b.constData()), size_t(b.size())};
}

// One block: the header, then the given bytes as group 0 and zeros after.
QByteArray blockWith(const QByteArray& header, const QByteArray& group0) {
    QByteArray block = header + group0;
    block.append(kRecordBlockBytes - block.size(), char(0));
    return block;
}

constexpr double kSentinel = -7.0;
constexpr double kSecond = 1.0 / 86400.0;

} // namespace

class DecodeTest : public QObject {
    Q_OBJECT
private slots:
    void groupCodes_data() {
        QTest::addColumn<QByteArray>("group");
        QTest::addColumn<QString>("range");
        QTest::addColumn<QList<double>>("volts");
        const QByteArray ones("\xFF\xFF\xFF\xFF\xFF", 5);
        const QByteArray codeOne("\x01\x04\x10\x40\x00", 5);
        QTest::newRow("all ones, 250 V") << ones << "250 Volt" << QList<double>(4, 255.75);
        QTest::newRow("all ones, 500 V") << ones << "500 Volt" << QList<double>(4, 511.5);
        QTest::newRow("unknown range text acts as 500 V")
            << ones << "250 volt" << QList<double>(4, 511.5);
        QTest::newRow("codes 1,1,1,1") << codeOne << "250 Volt" << QList<double>(4, 0.25);
        QTest::newRow("codes 1,1,1,1 at 500 V") << codeOne << "500 Volt" << QList<double>(4, 0.5);
        // 1023, 0, 1023, 0: each sample's bits sit only in its own 10-bit field.
        QTest::newRow("alternating") << QByteArray("\xFF\x03\xF0\x3F\x00", 5) << "250 Volt"
                                     << QList<double>{255.75, 0, 255.75, 0};
        // 512, 256, 128, 64 (the top bit of each code, then lower ones)
        QTest::newRow("single high bits") << QByteArray("\x00\x02\x04\x08\x10", 5) << "250 Volt"
                                          << QList<double>{128, 64, 32, 16};
    }
    void groupCodes() {
        QFETCH(QByteArray, group);
        QFETCH(QString, range);
        QFETCH(QList<double>, volts);
        const QByteArray bank = blockWith(QByteArray(4, char(0)), group);
        std::vector<double> values(61, kSentinel), times(61, kSentinel);
        const BankDecode r =
            DecodeBank(bytesOf(bank), 1, 1, 0.0, RangeFactor(range), values, times);
        QVERIFY(r.complete);
        for (int k = 0; k < 4; ++k) QCOMPARE(values[size_t(k + 1)], volts[k]);
        QCOMPARE(values[5], 0.0); // group 1 is all zeros
        QCOMPARE(values[0], kSentinel);
    }

    void headerOffsets_data() {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<double>("firstSeconds");
        QTest::newRow("ten ticks") << QByteArray("\x0A\x00\x00\x00", 4) << 1.0;
        QTest::newRow("second byte") << QByteArray("\x00\x01\x00\x00", 4) << 25.6;
        QTest::newRow("third byte") << QByteArray("\x00\x00\x01\x00", 4) << 6553.6;
        QTest::newRow("fourth byte") << QByteArray("\x00\x00\x00\x01", 4) << 1677721.6;
        QTest::newRow("largest") << QByteArray("\xFF\xFF\xFF\xFF", 4) << 429496729.5;
    }
    void headerOffsets() {
        QFETCH(QByteArray, header);
        QFETCH(double, firstSeconds);
        const double start = 45000.25;
        const QByteArray bank = blockWith(header, {});
        std::vector<double> values(61, kSentinel), times(61, kSentinel);
        DecodeBank(bytesOf(bank), 1, 1, start, 1.0, values, times);
        // Day serials near 45000 resolve about a microsecond.
        QVERIFY(qAbs((times[1] - start) / kSecond - firstSeconds) < 1e-4);
        QVERIFY(qAbs((times[2] - start) / kSecond - (firstSeconds + 0.1)) < 1e-4);
        QVERIFY(qAbs((times[60] - start) / kSecond - (firstSeconds + 5.9)) < 1e-4);
    }

    // A full bank through the shared state, as the download runs it.
    void fullBankMatchesTheEncoder() {
        auto st = std::make_unique<AppState>();
        const std::vector<LoggerBlock> blocks = randomBlocks(409, 3);
        st->DownloadBuffer = encodeBlocks(blocks);
        st->BankIndex = 2;
        st->BankBlockCounts[2] = 409;
        st->BlockCount = 1227;
        st->DownloadStart = 44927.5;
        st->VoltageRange = QStringLiteral("500 Volt");
        st->RecordCount = 1234;
        st->Zoomed = 1;
        DecodeRecordBlocks(*st);
        QCOMPARE(st->DisplayCount.value(), 1234.0);
        QCOMPARE(st->Zoomed, qint16(0));
        int mismatches = 0;
        for (int b = 0; b < 409; ++b) {
            for (int s = 0; s < 60; ++s) {
                const int n = b * 60 + s + 1;
                const LoggerBlock& block = blocks[size_t(b)];
                const double volts = block.codes[size_t(s)] * 0.5;
                const double time = 44927.5 + (block.ticks + s) * 0.1 * kSecond;
                if (st->BlockValue[n] != volts || qAbs(st->BlockTime[n] - time) > 1e-3 * kSecond)
                    ++mismatches;
            }
        }
        QCOMPARE(mismatches, 0);
    }

    // How far a decode goes, and whether it counts as complete (Zoomed back to 0).
    void partialDecodes_data() {
        QTest::addColumn<int>("bankIndex");
        QTest::addColumn<double>("announced");
        QTest::addColumn<double>("transferBlocks");
        QTest::addColumn<int>("bufferBytes");
        QTest::addColumn<int>("decodedBlocks");
        QTest::addColumn<bool>("zoomReset");
        QTest::newRow("whole bank") << 1 << 5.0 << 5.0 << 400 << 5 << true;
        QTest::newRow("stops at the transfer's block count")
            << 1 << 5.0 << 3.0 << 400 << 3 << false;
        QTest::newRow("transfer count empty") << 1 << 5.0 << 0.0 << 400 << 0 << false;
        QTest::newRow("buffer shorter than announced") << 1 << 5.0 << 9.0 << 250 << 3 << false;
        QTest::newRow("last block lacks its filler byte") << 1 << 2.0 << 9.0 << 159 << 1 << false;
        QTest::newRow("empty buffer") << 1 << 2.0 << 9.0 << 0 << 0 << false;
        QTest::newRow("nothing announced") << 1 << 0.0 << 9.0 << 400 << 0 << true;
        QTest::newRow("409 blocks") << 3 << 409.0 << 1227.0 << 32720 << 409 << true;
        QTest::newRow("410 blocks refused") << 3 << 410.0 << 1227.0 << 32800 << 0 << false;
        QTest::newRow("bank index beyond the table") << 4 << 5.0 << 5.0 << 400 << 0 << false;
        QTest::newRow("negative bank index") << -1 << 5.0 << 5.0 << 400 << 0 << false;
    }
    void partialDecodes() {
        QFETCH(int, bankIndex);
        QFETCH(double, announced);
        QFETCH(double, transferBlocks);
        QFETCH(int, bufferBytes);
        QFETCH(int, decodedBlocks);
        QFETCH(bool, zoomReset);
        auto st = std::make_unique<AppState>();
        std::vector<LoggerBlock> blocks = randomBlocks(410, 7);
        for (LoggerBlock& b : blocks) b.codes.fill(400); // 100 V at the 250 V range
        st->DownloadBuffer = encodeBlocks(blocks).left(bufferBytes);
        st->BankIndex = bankIndex;
        if (bankIndex >= 0 && bankIndex <= 3) st->BankBlockCounts[size_t(bankIndex)] = announced;
        st->BlockCount = transferBlocks;
        st->VoltageRange = QStringLiteral("250 Volt");
        st->Zoomed = 1;
        for (int n = 0; n < BankArray<double>::size(); ++n) st->BlockValue[n] = kSentinel;
        DecodeRecordBlocks(*st);
        int written = 0;
        for (int n = 1; n < BankArray<double>::size(); ++n) written += st->BlockValue[n] == 100.0;
        QCOMPARE(written, decodedBlocks * 60);
        QCOMPARE(st->BlockValue[decodedBlocks * 60 + 1], kSentinel);
        QCOMPARE(st->BlockValue[0], kSentinel);
        QCOMPARE(st->Zoomed, qint16(zoomReset ? 0 : 1));
    }

    // Output arrays smaller than a full bank are never written past their ends.
    void outputRoomLimitsTheDecode() {
        const QByteArray bank = encodeBlocks(randomBlocks(3, 11));
        std::vector<double> values(125, kSentinel), times(200, kSentinel);
        const BankDecode r = DecodeBank(bytesOf(bank), 3, 3, 0.0, 1.0, values, times);
        QCOMPARE(r.blocks, 2);
        QVERIFY(!r.complete);
        QCOMPARE(times[121], kSentinel);
        const BankDecode none = DecodeBank(bytesOf(bank), 3, 3, 0.0, 1.0, {}, times);
        QCOMPARE(none.blocks, 0);
    }
};

VESTO_TEST(DecodeTest)
#include "tst_decode.moc"
