#include "GraphWindow.h"
#include "graph/Describe.h"
#include "support/PromptScript.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class DescribeTest : public QObject {
    Q_OBJECT

private slots:
    // Annotate on a saved record: OK marks it changed when the lines changed now or at an
    // earlier OK; Cancel throws the typing away and clears the change. The title is kept whole,
    // the other lines cut to 40 characters, double quotes become spaces, and that survives a
    // save and a read.
    void describe() {
        GraphWindow g;
        g.draw({1, 2, 3, 4, 5});
        const auto annotate = [&g](const std::function<void(Describe&)>& edit, bool cancel) {
            g.st.DataSaved = 1, g.w.Label16->clear(), g.w.mnuSaveTXT->setEnabled(false);
            PromptScript script;
            script.modal("Describe", [&](QDialog& d) {
                edit(static_cast<Describe&>(d));
                cancel ? QTest::keyClick(&d, Qt::Key_Escape)
                       : static_cast<Describe&>(d).Command1->click();
            });
            g.w.Command3->click();
            return script.finished() && g.st.DataSaved == 0 &&
                   g.w.Label16->text() == g.st.Text(67) && g.w.mnuSaveTXT->isEnabled();
        };
        const auto nothing = [](Describe&) {};
        const QString title = "Pump \"B\", east side, longer than forty characters";
        const QString tag50 = QStringLiteral("0123456789").repeated(5);
        QVERIFY(!annotate(nothing, false));
        QVERIFY(annotate([&](Describe& d) { d.Text1->setText(title), d.Text2->setText(tag50); },
                         false));
        QCOMPARE(g.st.DescriptionLine2, tag50.left(40));
        QVERIFY(annotate(nothing, false));
        QVERIFY(!annotate([](Describe& d) { d.Text3->setText("typed"); }, true));
        QVERIFY(g.st.DescriptionChanged == 0 && g.st.DescriptionLine3.isEmpty());
        QVERIFY(!annotate(nothing, false));

        PromptScript script;
        script.saveFile(g.dir.file("pump")).openFile(g.dir.file("pump.txt"));
        g.st.DataSaved = 0;
        g.w.mnuSaveTXT->setEnabled(true);
        g.w.mnuSaveTXT->trigger();
        g.st.GraphTitle.clear();
        g.w.mnuOpen->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(g.st.GraphTitle, QString(title).replace('"', ' '));
    }
};

VESTO_TEST(DescribeTest)
#include "tst_describe.moc"
