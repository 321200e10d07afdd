#include "support/Fixtures.h"
#include "support/TestRegistry.h"
#include "ui/ReplaceFile.h"

#include <QTest>
#include <csignal>
#include <sys/resource.h>

class ReplaceFileTest : public QObject {
    Q_OBJECT
private slots:
    // Past a file-size limit a write takes only part of the bytes: the rest must be written or
    // the failure seen, and the earlier file kept.
    void shortWriteKeepsTheEarlierFile() {
        ScopedWorkDir dir;
        dir.write("record.txt", "earlier");
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &small);
        const QString failure = ui::ReplaceFile(dir.file("record.txt"), QByteArray(10000, 'x'));
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        QVERIFY(!failure.isEmpty());
        QCOMPARE(dir.read("record.txt"), QByteArray("earlier"));
        QCOMPARE(ui::ReplaceFile(dir.file("record.txt"), QByteArray(10000, 'y')), QString());
        QCOMPARE(dir.read("record.txt"), QByteArray(10000, 'y'));
    }
};

VESTO_TEST(ReplaceFileTest)
#include "tst_replacefile.moc"
