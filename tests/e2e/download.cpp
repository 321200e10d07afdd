// Downloads from the virtual logger: every reading compared with what the logger holds.
#include "graph/canvas/PictureBox.h"
#include "support/ProgramRun.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

class DownloadTest : public QObject {
    Q_OBJECT
private slots:
    void download_data() {
        QTest::addColumn<QString>("logger");
        QTest::addColumn<int>("count");
        QTest::newRow("one bank") << "--readings 1200" << 1200;
        // The first bank just filled: the status record announces a second bank of no bytes.
        QTest::newRow("one full bank") << "--readings 24540" << 24540;
        QTest::newRow("two banks") << "--readings 30000 --pattern ramp" << 30000;
        QTest::newRow("wrapped, current block newest")
            << "--wrapped --write-block 419 --current-block-flag 1" << 73620;
        QTest::newRow("wrapped, current block oldest")
            << "--wrapped --write-block 419 --current-block-flag 0" << 73620;
        QTest::newRow("wrapped twice: the current block left out")
            << "--wrap-count 2 --write-block 1000 --current-block-flag 1" << 73560;
    }
    void download() {
        QFETCH(QString, logger);
        QFETCH(int, count);
        ProgramRun run(logger.split(' '));
        QCOMPARE(run.start(), QString());
        QVERIFY(run.download());
        QCOMPARE(run.compareWithLogger(count), QString());
        // Kept in the archive, once and whole, as the program reads it back.
        const QStringList archived = run.archive();
        QCOMPARE(archived.size(), 1);
        QVERIFY2(archived[0].contains(QRegularExpression("/1234/[-0-9T]{19}\\.txt$")),
                 qPrintable(archived[0]));
        int readings = 0;
        QCOMPARE(run.compareFileWithLogger(archived[0], &readings), QString());
        QCOMPARE(readings, count);
        Log1& w = run.w();
        QCOMPARE(w.Label40->text(), QString::number(count));
        QVERIFY(!w.Label40->isHidden() && w.Command3->isVisible() && w.mnuSaveTXT->isEnabled() &&
                w.mnuPGraph->isEnabled() && int(run.st().LinkState) == 0);
        QVERIFY2(run.script.finished(), qPrintable(run.script.report()));
    }

    void emptyLoggerGetsOneTransfer() {
        ProgramRun run({"--readings", "0"});
        QCOMPARE(run.start(), QString());
        Log1& w = run.w();
        QCOMPARE(w.Label22->text(), QStringLiteral("0"));
        const QImage before = w.Picture1->Image();
        w.mnuDownload->trigger(); // no clock dialog: nothing will come
        QTRY_COMPARE(run.logger.commands(QByteArray("\0T", 2)).size(), 1);
        QTest::qWait(1500);
        QCOMPARE(run.logger.commands(QByteArray("\0T", 2)).size(), 1);
        QVERIFY(run.st().DownloadRequested == 0 && run.st().RecordCount.isEmpty());
        QVERIFY(w.ProgressBar1->value() == 0 && !w.Command3->isVisible());
        QCOMPARE(w.Picture1->Image(), before);
        QVERIFY2(run.script.finished(), qPrintable(run.script.report()));
    }
};

VESTO_TEST(DownloadTest)
#include "download.moc"
