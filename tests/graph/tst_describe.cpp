#include "graph/Describe.h"
#include "support/Fixtures.h"
#include "support/PromptScript.h"
#include "support/TestRegistry.h"
#include "ui/Colors.h"
#include "ui/Pointer.h"
#include "ui/Twips.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

class DescribeTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ScopedWorkDir> dir;
    std::unique_ptr<MainWindowFixture> fx;
    Log1* w = nullptr;
    AppState* st = nullptr;

    // Runs Annotate; edit works the dialog before it is closed with OK, or with Escape when
    // cancel is set.
    void annotate(const std::function<void(Describe&)>& edit, bool cancel = false) {
        PromptScript script;
        script.modal(QStringLiteral("Describe"), [&](QDialog& d) {
            auto& dialog = static_cast<Describe&>(d);
            edit(dialog);
            if (cancel)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                dialog.Command1->click();
        });
        w->Command3->click();
        QVERIFY2(script.finished(), qPrintable(script.report()));
    }
    // The record counts as saved again, so the next mark shows.
    void markSaved() {
        st->DataSaved = 1;
        w->Label16->setText(QStringLiteral("saved"));
        w->mnuSaveTXT->setEnabled(false);
    }
    bool marked() const {
        return st->DataSaved == 0 && w->Label16->text() == QLatin1String("not saved") &&
               w->mnuSaveTXT->isEnabled();
    }

private slots:
    void init() {
        dir = std::make_unique<ScopedWorkDir>();
        fx = std::make_unique<MainWindowFixture>();
        w = fx->w.get();
        st = fx->st.get();
        st->LanguageIndex = 1;
        st->LangText[67][1] = QStringLiteral("not saved");
        markSaved();
    }
    void cleanup() {
        fx.reset();
        dir.reset();
        ui::SetPointer(ui::Pointer::Default);
    }

    void layout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("Label1") << "Label1" << QRect(240, 360, 1695, 255);
        QTest::newRow("Text1") << "Text1" << QRect(1920, 360, 3015, 285);
        QTest::newRow("Label9") << "Label9" << QRect(240, 960, 3735, 255);
        QTest::newRow("Label2") << "Label2" << QRect(480, 1320, 6615, 255);
        QTest::newRow("Text2") << "Text2" << QRect(1800, 1680, 2175, 285);
        QTest::newRow("Label4") << "Label4" << QRect(4200, 1680, 1215, 255);
        QTest::newRow("Text5") << "Text5" << QRect(5520, 1680, 2175, 285);
        QTest::newRow("Text6") << "Text6" << QRect(4200, 2040, 3495, 285);
        QTest::newRow("Text4") << "Text4" << QRect(480, 2400, 3495, 285);
        QTest::newRow("Command2") << "Command2" << QRect(4440, 3000, 975, 375);
    }
    void layout() {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        Describe& dialog = FormOf<Describe>(*w);
        QCOMPARE(dialog.size(), ui::TwipsRect(0, 0, 8130, 3705).size());
        auto* control = dialog.findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(),
                 ui::TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    }

    void okCutsLinesAndReplacesQuotes() {
        const QString tag50 = QStringLiteral("0123456789").repeated(5);
        annotate([&](Describe& d) {
            d.Text1->setText(QStringLiteral("A title \"quoted\" and longer than forty characters"));
            d.Text2->setText(tag50);
            d.Text7->setText(QStringLiteral("\"\""));
        });
        QCOMPARE(st->GraphTitle,
                 QStringLiteral("A title  quoted  and longer than forty characters"));
        QCOMPARE(st->DescriptionLine2, tag50.left(40));
        QCOMPARE(st->DescriptionLine7, QStringLiteral("  "));
        QCOMPARE(st->DescriptionChanged.value(), 1.0);
        QVERIFY(marked());
        QCOMPARE(ui::BackColor(w->Label16), QColor(255, 255, 0));
    }

    void changeFlagAcrossUses() {
        // An unchanged OK before any change marks nothing.
        annotate([](Describe&) {});
        QVERIFY(!marked());
        annotate([](Describe& d) { d.Text5->setText(QStringLiteral("Hall 2")); });
        QVERIFY(marked());
        markSaved();
        // Unchanged, but the flag of the earlier OK still stands.
        annotate([](Describe& d) { QCOMPARE(d.Text5->text(), QStringLiteral("Hall 2")); });
        QVERIFY(marked());
        markSaved();
        // Cancel throws the typing away and clears the flag.
        annotate([](Describe& d) { d.Text3->setText(QStringLiteral("typed")); }, true);
        QCOMPARE(st->DescriptionChanged.value(), 0.0);
        QCOMPARE(st->DescriptionLine3, QString());
        QVERIFY(!marked());
        annotate([](Describe& d) { QCOMPARE(d.Text3->text(), QString()); });
        QVERIFY(!marked());
    }

    void quoteSurvivesSaveAndRead() {
        for (int i = 1; i <= 5; ++i) {
            st->RecordTime.point(i) = st->DisplayTime.point(i) = 38412.5 + i / 86400.0;
            st->RecordValue.point(i) = float(i);
            st->DisplayValue.point(i) = i;
        }
        st->RecordCount = st->DisplayCount = 5;
        w->ProgressBar1->setValue(100);
        annotate([](Describe& d) { d.Text1->setText(QStringLiteral("Pump \"B\", east")); });
        PromptScript script;
        script.saveFile(dir->file(QStringLiteral("pump")))
            .openFile(dir->file(QStringLiteral("pump.txt")));
        w->mnuSaveTXT->trigger();
        st->GraphTitle.clear();
        w->mnuOpen->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(st->GraphTitle, QStringLiteral("Pump  B , east"));
    }
};

VESTO_TEST(DescribeTest)
#include "tst_describe.moc"
