#include "files/Archive.h"
#include "support/TestRegistry.h"

#include <QTest>

class ArchiveTest : public QObject {
    Q_OBJECT
private slots:
    // Many small files of 100 bytes, file i written i minutes after the first, met in no order.
    void sizeRule_data() {
        QTest::addColumn<int>("files");
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<int>("removed"); // files 1..removed go
        QTest::newRow("within the limit") << 30 << qint64(3000) << 0;
        QTest::newRow("the oldest go until the rest fit") << 30 << qint64(2450) << 6;
        QTest::newRow("never one of the 20 newest") << 30 << qint64(1000) << 10;
        QTest::newRow("20 files over a limit of 0") << 20 << qint64(0) << 0;
    }
    void sizeRule() {
        QFETCH(int, files);
        QFETCH(qint64, limit);
        QFETCH(int, removed);
        std::vector<ArchivedFile> archive;
        for (int k = 0; k < files; ++k) {
            const int i = (k * 7) % files + 1;
            archive.push_back({QString::number(i), 100, 46000 + i / 1440.0});
        }
        QStringList expected;
        for (int i = 1; i <= removed; ++i) expected << QString::number(i);
        const std::vector<QString> excess = ArchiveExcess(archive, limit);
        QCOMPARE(QStringList(excess.begin(), excess.end()), expected);
    }
};

VESTO_TEST(ArchiveTest)
#include "tst_archive.moc"
