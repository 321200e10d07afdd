#include "data/DecodeRecordBlocks.h"
#include "data/UnitCodes.h"
#include "support/Fixtures.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <memory>
#include <random>

namespace {

// Written from the block layout: a 4-byte tick count little-endian, then four 10-bit codes at a
// time as one 40-bit little-endian number (sample 1 lowest), then a spare byte.
QByteArray encodeBlock(quint32 ticks, const int* codes) {
    QByteArray bytes;
    for (int i = 0; i < 4; ++i) bytes.append(char(ticks >> (8 * i)));
    for (int g = 0; g < 15; ++g) {
        quint64 packed = 0;
        for (int k = 0; k < 4; ++k) packed |= quint64(codes[g * 4 + k]) << (10 * k);
        for (int i = 0; i < 5; ++i) bytes.append(char(packed >> (8 * i)));
    }
    return bytes + char(0xEE);
}

// Bank 1 of a transfer of `transferBlocks` blocks, announced with `announced` blocks.
std::unique_ptr<AppState> decode(const QByteArray& bank, double announced, double transferBlocks,
                                 const QString& range = "250 Volt") {
    auto st = std::make_unique<AppState>();
    st->DownloadBuffer = bank, st->BankIndex = 1, st->BankBlockCounts[1] = announced;
    st->BlockCount = transferBlocks, st->DownloadStart = 45000.25, st->VoltageRange = range;
    st->RecordCount = 1234, st->Zoomed = 1;
    DecodeRecordBlocks(*st);
    return st;
}

} // namespace

class DataTest : public QObject {
    Q_OBJECT
private slots:
    // A bank of random codes against the encoder: every value and time of the
    // blocks that are whole in the bytes, announced (at most 409) and within the transfer, and
    // nothing past them; only a complete decode sets Zoomed to 0.
    void banks_data() {
        QTest::addColumn<QList<int>>("plan"); // announced, transfer blocks, bytes
        QTest::addColumn<int>("decoded");
        QTest::newRow("full bank") << QList<int>{409, 1227, 32720} << 409;
        QTest::newRow("stops at the transfer's count") << QList<int>{5, 3, 400} << 3;
        QTest::newRow("bank shorter than announced") << QList<int>{5, 9, 250} << 3;
        QTest::newRow("last block lacks its spare byte") << QList<int>{2, 9, 159} << 1;
        QTest::newRow("410 blocks refused") << QList<int>{410, 1227, 32800} << 0;
    }
    void banks() {
        QFETCH(QList<int>, plan);
        QFETCH(int, decoded);
        std::mt19937 rng(3);
        std::vector<int> codes(410 * 60);
        QByteArray bank;
        for (int& c : codes) c = int(rng() % 1024);
        for (int b = 0; b < 410; ++b)
            bank += encodeBlock(0xFFFF00 + 997 * b, codes.data() + b * 60);
        const auto st = decode(bank.left(plan[2]), plan[0], plan[1], "500 Volt");
        QCOMPARE(st->DisplayCount.value(), 1234.0);
        QCOMPARE(st->Zoomed, qint16(decoded == plan[0] ? 0 : 1));
        int wrong = 0;
        for (int n = 1, i = 0; n < BankArray<double>::size(); ++n, ++i) {
            const bool in = n <= decoded * 60;
            const double time = in ? 45000.25 + (0xFFFF00 + 997 * (i / 60) + i % 60) / 864000.0 : 0;
            wrong += st->BlockValue[n] != (in ? codes[size_t(i)] * 0.5 : 0) ||
                     qAbs(st->BlockTime[n] - time) > 1e-8;
        }
        QCOMPARE(wrong, 0);
    }

    // The two ranges act as a radio pair; the record in memory keeps its scale.
    void rangeMenu() {
        ScopedWorkDir dir;
        MainWindowFixture fx;
        fx.load();
        fx.st->RecordValue(1, 1) = 100.0f;
        // The second click is on the item already checked: nothing may change.
        for (QAction* item : {fx.w->mnu500v, fx.w->mnu500v, fx.w->mnu250v, fx.w->mnu500v}) {
            item->trigger();
            QCOMPARE(fx.st->VoltageRange + fx.w->Label1->text(), item->text() + item->text());
            QCOMPARE(QList<bool>({fx.w->mnu250v->isChecked(), fx.w->mnu500v->isChecked()}),
                     QList<bool>({item == fx.w->mnu250v, item == fx.w->mnu500v}));
        }
        QCOMPARE(fx.st->RecordValue(1, 1), 100.0f);
    }
};

VESTO_TEST(DataTest)
#include "tst_data.moc"
