// What a screen reader and a keyboard user meet after a download: every widget of every window
// named, the panel's values read with what they are, the graph with its title and statistics,
// and Tab going through the controls in the order they are laid out.
#include "graph/canvas/PictureBox.h"
#include "lang/langfrm.h"
#include "link/Form1.h"
#include "output/frmCurves.h"
#include "support/ProgramRun.h"
#include "support/TestRegistry.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>

namespace {

// Every window of the program, by its design name; a new window is one more name.
const char* const kWindows[] = {"Log1",     "frmPort",  "frmTimeset", "langfrm",
                                "Form1",    "Describe", "SaveOpt",    "ExportOpt",
                                "PrintOpt", "about2",   "frmEvents",  "frmCurves"};

QString Told(QWidget* widget, QAccessible::Text text = QAccessible::Name) {
    return QAccessible::queryAccessibleInterface(widget)->text(text);
}

// The controls in the order Tab goes through them (a drop-down's text box is its drop-down).
QStringList TabOrder(QWidget& window) {
    QStringList names;
    for (QWidget* w = window.nextInFocusChain(); w != &window; w = w->nextInFocusChain())
        if (w->isVisibleTo(&window) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
            !w->objectName().isEmpty())
            names << w->objectName();
    return names;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramRun> run;

private slots:
    void initTestCase() {
        run = std::make_unique<ProgramRun>(QStringList{"--readings", "600"});
        run->ownFiles = true;
        QCOMPARE(run->start(), QString());
        QVERIFY(run->download());
        run->st().GraphTitle = QStringLiteral("Feeder 3");
        run->w().procedures.DrawGraph();
        // The two windows this run has not needed yet; the others are made at start-up.
        FormOf<langfrm>(run->w()), FormOf<Form1>(run->w());
        FormOf<frmCurves>(run->w());
    }

    void everyWidgetNamed_data() {
        QTest::addColumn<QString>("window");
        for (const char* name : kWindows) QTest::newRow(name) << name;
    }
    void everyWidgetNamed() {
        QFETCH(QString, window);
        Log1& w = run->w();
        QWidget* shown = window == "Log1" ? &w : w.findChild<QWidget*>(window);
        shown->show();
        QStringList unnamed;
        QList<QWidget*> widgets = shown->findChildren<QWidget*>();
        for (QWidget* part : widgets << shown)
            if (part->isVisible() && Told(part).trimmed().isEmpty())
                unnamed << part->objectName() + " (" + part->metaObject()->className() + ")";
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    }

    // The panel's values say what they are, the graph its title and statistics; Tab goes from
    // the graph to the buttons below it, and in the port dialog through each port's option and
    // device (COM 1's set by VESTO_COM1 here, so locked), then OK, Cancel and Search.
    void readAndReached() {
        Log1& w = run->w();
        QCOMPARE(Told(w.Label22) + Told(w.Label6), "Stored readings: 600High: " + w.Label6->text());
        QVERIFY(Told(w.Picture1).endsWith("Feeder 3"));
        for (QLabel* value : {w.Label29, w.Label30, w.Label31, w.Label40})
            QVERIFY(Told(w.Picture1, QAccessible::Description).contains(Told(value)));
        QTest::keyClick(w.Picture1, Qt::Key_Plus); // zoomed: Unzoom shows
        QCOMPARE(TabOrder(w), QStringList({"Picture1", "Command2", "Command3"}));
        QCOMPARE(TabOrder(*w.findChild<QDialog*>("frmPort")),
                 QStringList({"Option1", "Option2", "Combo2", "Option3", "Combo3", "Option4",
                              "Combo4", "Option5", "Command1", "Command2", "Command3"}));
    }
};

VESTO_TEST(AccessibilityTest)
#include "accessibility.moc"
