// New limits and mode written into the virtual logger on the 500 V range: sent between status
// exchanges until a status record reports them, then one restart that empties its memory.
#include "link/Form1.h"
#include "support/ProgramRun.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

class SetupRunTest : public QObject {
    Q_OBJECT
private slots:
    void limitsUntilReportedThenOneRestart() {
        ProgramRun run({"--readings", "600", "--high", "200", "--low", "50", "--mode", "1"});
        QCOMPARE(run.start(false), QString());
        Log1& w = run.w();
        w.mnu500v->trigger();
        QVERIFY(run.waitOnline());
        QTRY_COMPARE(run.st().LinkState.value(), 0.0);
        w.mnuSetup->trigger();
        Form1& form = FormOf<Form1>(w);
        QCOMPARE(form.Text1->text(), "400");
        // The logger misses the first Limits command, so the program has to send it again.
        run.logger.console("fault no-answer/1");
        QTest::qWait(300);
        form.Text1->setText("100");
        form.Text2->setText("50");
        form.Option2->click();
        run.script.message("This will restart the logger", ui::Ok);
        form.Command1->click();
        QVERIFY2(run.script.finished(), qPrintable(run.script.report()));

        QTRY_VERIFY_WITH_TIMEOUT(!run.logger.commands(QByteArray("\0B", 2)).isEmpty(), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(w.Label22->text(), "0", 10000);
        QTest::qWait(1500);
        // One letter per command from the first Limits on; each Limits holds Low 25, High 50
        // and mode 2 in raw steps.
        QString letters;
        QList<qint64> limitsAt;
        for (const LoggerEmulator::Command& c : run.logger.commands()) {
            if (c.bytes.at(1) == 'L') {
                QCOMPARE(c.bytes, QByteArray("\0L\x19\x32\x02", 5));
                limitsAt << c.ms;
            }
            if (!limitsAt.isEmpty()) letters += QChar(c.bytes.at(1));
        }
        QVERIFY2(QRegularExpression("^LR+LR+BR+$").match(letters).hasMatch(), qPrintable(letters));
        const qint64 gap = limitsAt[1] - limitsAt[0];
        QVERIFY2(gap >= 350 && gap <= 1300, qPrintable(QString::number(gap)));
        QVERIFY(run.logger.readings().isEmpty());
        const QStringList shown = {w.Label6->text(), w.Label11->text(), w.Label34->text()};
        QCOMPARE(shown.join('|'), "100|50|Exception OUT");
    }
};

VESTO_TEST(SetupRunTest)
#include "setup.moc"
