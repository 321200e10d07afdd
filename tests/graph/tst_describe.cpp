#include "graph/Describe.h"
#include "support/Fixtures.h"
#include "support/PromptScript.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

class DescribeTest : public QObject {
    Q_OBJECT
    ScopedWorkDir dir;
    MainWindowFixture fx;
    Log1& w = *fx.w;
    AppState& st = *fx.st;

    // Runs Annotate from a saved record; edit works the dialog before OK (or Escape). True when
    // the record was marked as changed.
    bool annotate(const std::function<void(Describe&)>& edit, bool cancel = false) {
        st.DataSaved = 1;
        w.Label16->clear();
        w.mnuSaveTXT->setEnabled(false);
        PromptScript script;
        script.modal("Describe", [&](QDialog& d) {
            edit(static_cast<Describe&>(d));
            if (cancel)
                QTest::keyClick(&d, Qt::Key_Escape);
            else
                static_cast<Describe&>(d).Command1->click();
        });
        w.Command3->click();
        return script.finished() && st.DataSaved == 0 && w.Label16->text() == "not saved" &&
               w.mnuSaveTXT->isEnabled();
    }

private slots:
    void describe() {
        st.LanguageIndex = 1;
        st.LangText[67][1] = QStringLiteral("not saved");
        for (int i = 1; i <= 5; ++i) {
            st.RecordTime.point(i) = st.DisplayTime.point(i) = 38412.5 + i / 86400.0;
            st.RecordValue.point(i) = float(i);
            st.DisplayValue.point(i) = i;
        }
        st.RecordCount = st.DisplayCount = 5;
        w.ProgressBar1->setValue(100);

        QVERIFY(!annotate([](Describe&) {}));
        const QString tag50 = QStringLiteral("0123456789").repeated(5);
        QVERIFY(annotate([&](Describe& d) {
            d.Text1->setText("Pump \"B\", east side, longer than forty characters");
            d.Text2->setText(tag50);
        }));
        QCOMPARE(st.GraphTitle,
                 QStringLiteral("Pump  B , east side, longer than forty characters"));
        QCOMPARE(st.DescriptionLine2, tag50.left(40));
        // Unchanged, but the change of the earlier OK still stands.
        QVERIFY(annotate([](Describe&) {}));
        // Cancel throws the typing away and clears the change.
        QVERIFY(!annotate([](Describe& d) { d.Text3->setText("typed"); }, true));
        QCOMPARE(st.DescriptionChanged.value(), 0.0);
        QCOMPARE(st.DescriptionLine3, QString());
        QVERIFY(!annotate([](Describe&) {}));

        PromptScript script;
        script.saveFile(dir.file("pump")).openFile(dir.file("pump.txt"));
        st.DataSaved = 0;
        w.mnuSaveTXT->setEnabled(true);
        w.mnuSaveTXT->trigger();
        st.GraphTitle.clear();
        w.mnuOpen->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(st.GraphTitle,
                 QStringLiteral("Pump  B , east side, longer than forty characters"));
    }
};

VESTO_TEST(DescribeTest)
#include "tst_describe.moc"
