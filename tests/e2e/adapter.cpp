// A USB adapter pulled out and plugged in again, with the logger behind a by-id style link: the
// program lets the dead device be, keeps its record, and finds the logger again by itself. The
// downloads are archived, the cut one as partial, and File > Recent offers them.
#include "files/Recent.h"
#include "link/serial/MSComm1.h"
#include "support/ProgramRun.h"
#include "support/TestRegistry.h"
#include "ui/Format.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTest>

class AdapterTest : public QObject {
    Q_OBJECT
private slots:
    void pulledDuringTransferAndPluggedIn() {
        QTemporaryDir links;
        const QString link = links.filePath("usb-Vesto_Logger_Cable_A10KXYZ-if00-port0");
        ProgramRun run({"--readings", "3000", "--speed", "3000", "--link", link});
        run.ownFiles = true;
        run.com1 = link;
        QCOMPARE(run.start(), QString());
        AppState& st = run.st();
        Log1& w = run.w();
        QVERIFY(run.download());
        QCOMPARE(run.compareWithLogger(3000), QString());
        // As if the user had saved it: a given-up transfer must not make it unsaved.
        st.DataSaved = 1;
        const QByteArray kept = RecordDigest(st);

        // Pulled out in the middle of the next transfer.
        run.script.message("went away during the download", ui::Ok);
        w.mnuDownload->trigger();
        QCOMPARE(int(st.DownloadRequested), 1);
        QTRY_VERIFY_WITH_TIMEOUT(st.Transferring == 1, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(w.MSComm1->inBufferCount() >= 1000, 10000);
        run.logger.console("unplug");
        QTRY_VERIFY_WITH_TIMEOUT(w.MSComm1->deviceLost(), 5000);
        QTRY_VERIFY(run.script.finished());
        QVERIFY2(run.script.finished(), qPrintable(run.script.report()));
        QCOMPARE(RecordDigest(st), kept);
        QCOMPARE(int(st.DataSaved), 1);
        QVERIFY(run.idle());
        QCOMPARE(int(st.LoggerOnline), 0);
        QCOMPARE(w.Frame1->title(), st.Text(90));
        QVERIFY(w.Label22->isHidden());
        // The whole blocks that came before the pull are kept as a partial download.
        const QStringList partial = run.archive().filter("-partial.txt");
        int readings = 0;
        QCOMPARE(partial.size(), 1);
        QCOMPARE(run.compareFileWithLogger(partial[0], &readings), QString());
        QVERIFY(readings > 0 &&
                run.script.messages().last().contains("is kept in the archive as " + partial[0]));

        // Still away after the port's next look for the device.
        QTest::qWait(MSComm1::kReopenMs + 500);
        QVERIFY(w.MSComm1->deviceLost() && int(st.LoggerOnline) == 0);

        // Plugged in again: a new pseudo-terminal behind the same link.
        run.logger.console("plug");
        QVERIFY(run.waitOnline(10000));
        QVERIFY(w.Label22->isVisible());
        QVERIFY(run.download());
        QCOMPARE(run.compareWithLogger(3000), QString());
        QVERIFY2(run.script.finished(), qPrintable(run.script.report()));

        QCOMPARE(run.archive().size(), 3);

        // File > Recent, newest first: an entry opens its file after the question about the
        // unsaved download, and comes first, as does a file read by Open; a file removed
        // meanwhile leaves the list.
        const auto recent = [&w] {
            FillRecentMenu(w);
            return w.recentMenu->actions();
        };
        QList<QAction*> entries = recent();
        QVERIFY(entries.size() == 3 && entries[0]->text().contains("   3,000 readings"));
        run.script.message("opening a file replaces them", ui::Ok);
        entries[1]->trigger();
        QVERIFY(st.OpenFileName == partial[0] && st.RecordCount == readings && run.idle());
        entries = recent();
        QVERIFY2(entries.size() == 3 && entries[0]->text().endsWith(ui::Format(readings, "#,##0") +
                                                                    " readings (partial)"),
                 qPrintable(entries[0]->text()));
        const QString first = entries[2]->toolTip(), second = entries[1]->toolTip();
        run.script.openFile(first);
        w.mnuOpen->trigger();
        entries = recent();
        QVERIFY(entries.size() == 3 && entries[0]->toolTip() == first);
        QVERIFY(QFile::remove(second));
        run.script.message("is no longer there", ui::Ok);
        entries[2]->trigger();
        QVERIFY2(run.script.finished(), qPrintable(run.script.report()));
        QCOMPARE(recent().size(), 2);
    }
};

VESTO_TEST(AdapterTest)
#include "adapter.moc"
