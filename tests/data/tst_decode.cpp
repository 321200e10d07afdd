#include "data/DecodeRecordBlocks.h"
#include "shell/AppState.h"
#include "support/TestRegistry.h"

#include <QTest>
#include <memory>
#include <random>

namespace {

// Written from the block layout: a 4-byte tick count little-endian, then four 10-bit codes at a
// time as one 40-bit little-endian number (sample 1 lowest), then a spare byte.
QByteArray encodeBlock(quint32 ticks, const std::vector<int>& codes) {
    QByteArray bytes;
    for (int i = 0; i < 4; ++i) bytes.append(char(ticks >> (8 * i)));
    for (int g = 0; g < 15; ++g) {
        quint64 packed = 0;
        for (int k = 0; k < 4; ++k) packed |= quint64(codes[size_t(g * 4 + k)]) << (10 * k);
        for (int i = 0; i < 5; ++i) bytes.append(char(packed >> (8 * i)));
    }
    return bytes + char(0xEE);
}

std::unique_ptr<AppState> decode(const QByteArray& bank, double bankIndex, double announced,
                                 double transferBlocks, const char* range = "250 Volt") {
    auto st = std::make_unique<AppState>();
    st->DownloadBuffer = bank;
    st->BankIndex = bankIndex;
    if (bankIndex <= 3) st->BankBlockCounts[size_t(bankIndex)] = announced;
    st->BlockCount = transferBlocks;
    st->DownloadStart = 45000.25;
    st->VoltageRange = QString::fromLatin1(range);
    st->RecordCount = 1234;
    st->Zoomed = 1;
    DecodeRecordBlocks(*st);
    return st;
}

} // namespace

class DecodeTest : public QObject {
    Q_OBJECT
private slots:
    // One block of the given header and first group (the rest zeros).
    void singleBlocks_data() {
        QTest::addColumn<QByteArray>("bytes"); // header, then group 0
        QTest::addColumn<QString>("range");
        QTest::addColumn<QList<double>>("volts");
        QTest::addColumn<double>("seconds"); // first sample after DownloadStart
        const QByteArray zero(4, 0), ones(5, char(0xFF));
        // clang-format off
        QTest::newRow("all ones, 250 V") << zero + ones << "250 Volt" << QList<double>(4, 255.75) << 0.0;
        QTest::newRow("all ones, 500 V") << zero + ones << "500 Volt" << QList<double>(4, 511.5) << 0.0;
        QTest::newRow("other range text is 500 V") << zero + ones << "250 volt" << QList<double>(4, 511.5) << 0.0;
        QTest::newRow("codes 1, 1, 1, 1") << zero + QByteArray("\x01\x04\x10\x40\x00", 5) << "250 Volt" << QList<double>(4, 0.25) << 0.0;
        QTest::newRow("512, 256, 128, 64") << zero + QByteArray("\x00\x02\x04\x08\x10", 5) << "250 Volt" << QList<double>{128, 64, 32, 16} << 0.0;
        QTest::newRow("header of ten ticks") << QByteArray("\x0A\x00\x00\x00", 4) << "250 Volt" << QList<double>(4, 0) << 1.0;
        QTest::newRow("header 0 1 0 0") << QByteArray("\x00\x01\x00\x00", 4) << "250 Volt" << QList<double>(4, 0) << 25.6;
        QTest::newRow("largest header") << QByteArray("\xFF\xFF\xFF\xFF", 4) << "250 Volt" << QList<double>(4, 0) << 429496729.5;
        // clang-format on
    }
    void singleBlocks() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, range);
        QFETCH(QList<double>, volts);
        QFETCH(double, seconds);
        const auto st = decode(bytes.leftJustified(80, 0), 1, 1, 1, range.toLatin1().constData());
        for (int k = 0; k < 4; ++k) QCOMPARE(st->BlockValue[k + 1], volts[k]);
        QCOMPARE(st->BlockValue[5], 0.0);
        for (int n : {1, 2, 60}) // 0.1 s apart; serials near 45000 resolve about a microsecond
            QVERIFY(qAbs((st->BlockTime[n] - 45000.25) * 86400 - seconds - (n - 1) / 10.0) < 1e-4);
    }

    // A full bank of random codes and block starts, against the encoder.
    void fullBankMatchesTheEncoder() {
        std::mt19937 rng(3);
        std::vector<quint32> ticks;
        std::vector<int> codes(24540);
        QByteArray bank;
        for (int& c : codes) c = int(rng() % 1024);
        for (quint32 b = 0, t = 0x00FFFF00; b < 409; ++b, t += 60 + rng() % 5000) {
            ticks.push_back(t);
            bank += encodeBlock(t, {codes.begin() + b * 60, codes.begin() + b * 60 + 60});
        }
        const auto st = decode(bank, 2, 409, 1227, "500 Volt");
        QCOMPARE(st->DisplayCount.value(), 1234.0);
        QCOMPARE(st->Zoomed, qint16(0));
        int wrong = 0;
        for (int n = 1; n <= 24540; ++n) {
            const double time = 45000.25 + (ticks[size_t((n - 1) / 60)] + (n - 1) % 60) / 864000.0;
            wrong += st->BlockValue[n] != codes[size_t(n - 1)] * 0.5 ||
                     qAbs(st->BlockTime[n] - time) > 1e-8;
        }
        QCOMPARE(wrong, 0);
    }

    // How far a decode goes, and whether it counts as complete (Zoomed back to 0).
    void partialDecodes_data() {
        QTest::addColumn<QList<double>>("plan"); // bank index, announced, transfer blocks, bytes
        QTest::addColumn<int>("decoded");
        QTest::addColumn<bool>("zoomReset");
        // clang-format off
        QTest::newRow("whole bank") << QList<double>{1, 5, 5, 400} << 5 << true;
        QTest::newRow("stops at the transfer's count") << QList<double>{1, 5, 3, 400} << 3 << false;
        QTest::newRow("bank shorter than announced") << QList<double>{1, 5, 9, 250} << 3 << false;
        QTest::newRow("last block lacks its spare byte") << QList<double>{1, 2, 9, 159} << 1 << false;
        QTest::newRow("409 blocks") << QList<double>{3, 409, 1227, 32720} << 409 << true;
        QTest::newRow("410 blocks refused") << QList<double>{3, 410, 1227, 32800} << 0 << false;
        QTest::newRow("bank index beyond the table") << QList<double>{4, 5, 5, 400} << 0 << false;
        // clang-format on
    }
    void partialDecodes() {
        QFETCH(QList<double>, plan);
        QFETCH(int, decoded);
        QFETCH(bool, zoomReset);
        QByteArray bank;
        for (quint32 b = 0; b < 410; ++b) bank += encodeBlock(b, std::vector<int>(60, 400));
        const auto st = decode(bank.left(int(plan[3])), plan[0], plan[1], plan[2]);
        int written = 0; // 400 / 4 = 100 V
        for (int n = 0; n < BankArray<double>::size(); ++n) written += st->BlockValue[n] == 100.0;
        QCOMPARE(written, decoded * 60);
        QCOMPARE(st->BlockValue[decoded * 60], decoded ? 100.0 : 0.0);
        QCOMPARE(st->Zoomed, qint16(zoomReset ? 0 : 1));
        QCOMPARE(st->DisplayCount.value(), 1234.0);
    }
};

VESTO_TEST(DecodeTest)
#include "tst_decode.moc"
