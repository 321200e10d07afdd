// What a screen reader and a keyboard user meet, after a download: every window's widgets have
// names, the panel's values say what they are, the graph tells its title and statistics, and Tab
// goes through the controls in the order they are laid out.
#include "files/ExportCsv.h"
#include "files/SaveOpt.h"
#include "graph/Describe.h"
#include "graph/canvas/PictureBox.h"
#include "lang/langfrm.h"
#include "link/Form1.h"
#include "link/frmPort.h"
#include "link/frmTimeset.h"
#include "output/PrintOpt.h"
#include "output/frmEvents.h"
#include "shell/about2.h"
#include "support/ProgramRun.h"
#include "support/TestRegistry.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>

namespace {

using WindowOf = std::function<QWidget&(Log1&)>;

// Every window of the program, by its design name. A new window is one more entry.
const std::map<QString, WindowOf>& Windows() {
    static const std::map<QString, WindowOf> windows = {
        {"Log1", [](Log1& w) -> QWidget& { return w; }},
        {"frmPort", [](Log1& w) -> QWidget& { return FormOf<frmPort>(w); }},
        {"frmTimeset", [](Log1& w) -> QWidget& { return FormOf<frmTimeset>(w); }},
        {"langfrm", [](Log1& w) -> QWidget& { return FormOf<langfrm>(w); }},
        {"Form1", [](Log1& w) -> QWidget& { return FormOf<Form1>(w); }},
        {"Describe", [](Log1& w) -> QWidget& { return FormOf<Describe>(w); }},
        {"SaveOpt", [](Log1& w) -> QWidget& { return FormOf<SaveOpt>(w); }},
        {"ExportOpt", [](Log1& w) -> QWidget& { return FormOf<ExportOpt>(w); }},
        {"PrintOpt", [](Log1& w) -> QWidget& { return FormOf<PrintOpt>(w); }},
        {"about2", [](Log1& w) -> QWidget& { return FormOf<about2>(w); }},
        {"frmEvents", [](Log1& w) -> QWidget& { return FormOf<frmEvents>(w); }}};
    return windows;
}

QString AccessibleText(QWidget* widget, QAccessible::Text text) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(text) : QString();
}

// The controls Tab reaches in the window, in order, from its first one; the part of a control
// that takes the focus (a drop-down's text box) counts as the control.
QStringList TabOrder(QWidget& window) {
    QWidget* first = window.nextInFocusChain();
    while (!(first->isVisible() && first->isEnabled() && (first->focusPolicy() & Qt::TabFocus)))
        first = first->nextInFocusChain();
    first->setFocus(Qt::TabFocusReason);
    QStringList names;
    for (QWidget* now = window.focusWidget(); names.size() < 50;) {
        names << (now->objectName().isEmpty() ? now->parentWidget() : now)->objectName();
        QTest::keyClick(now, Qt::Key_Tab);
        now = window.focusWidget();
        if (now == first->focusWidget() || now == first) break;
    }
    return names;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramRun> run;

private slots:
    void initTestCase() {
        run = std::make_unique<ProgramRun>(QStringList{"--readings", "600", "--number", "4321"});
        run->ownFiles = true;
        QCOMPARE(run->start(), QString());
        QVERIFY(run->download());
        run->st().GraphTitle = QStringLiteral("Feeder 3");
        run->w().procedures.DrawGraph();
    }
    void cleanupTestCase() { run.reset(); }

    // Each window shown: every widget in it a screen reader can reach has a name.
    void everyWidgetNamed_data() {
        QTest::addColumn<QString>("window");
        for (const auto& [name, window] : Windows()) QTest::newRow(qPrintable(name)) << name;
    }
    void everyWidgetNamed() {
        QFETCH(QString, window);
        QWidget& shown = Windows().at(window)(run->w());
        shown.show();
        QStringList unnamed;
        QList<QWidget*> widgets = shown.findChildren<QWidget*>();
        for (QWidget* w : widgets << &shown) {
            if (w->isVisible() && AccessibleText(w, QAccessible::Name).trimmed().isEmpty())
                unnamed << w->objectName() + " (" + w->metaObject()->className() + ")";
        }
        if (&shown != &run->w()) shown.hide();
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    }

    // The panel's values say what they are; the graph its title and statistics.
    void valuesAndGraphSayWhatTheyAre() {
        Log1& w = run->w();
        QCOMPARE(AccessibleText(w.Label22, QAccessible::Name),
                 QStringLiteral("Stored readings: 600"));
        QCOMPARE(AccessibleText(w.Label6, QAccessible::Name), "High: " + w.Label6->text());
        QCOMPARE(AccessibleText(w.Label29, QAccessible::Name), "Max: " + w.Label29->text());
        QVERIFY(AccessibleText(w.Picture1, QAccessible::Name).endsWith("Feeder 3"));
        const QString statistics = AccessibleText(w.Picture1, QAccessible::Description);
        for (QLabel* value : {w.Label29, w.Label30, w.Label31, w.Label40})
            QVERIFY2(statistics.contains(value->text()), qPrintable(statistics));
    }

    // Tab follows the layout: the graph, then the buttons below it; in the port dialog each
    // port's option and device, then OK, Cancel and Search.
    void tabOrder() {
        Log1& w = run->w();
        w.Command2->show();
        QCOMPARE(TabOrder(w), QStringList({"Picture1", "Command2", "Command3"}));
        frmPort& port = FormOf<frmPort>(w);
        port.show();
        // COM 1's device is set by VESTO_COM1 here, so its box is locked.
        QCOMPARE(TabOrder(port),
                 QStringList({"Option1", "Option2", "Combo2", "Option3", "Combo3", "Option4",
                              "Combo4", "Option5", "Command1", "Command2", "Command3"}));
        port.hide();
    }
};

VESTO_TEST(AccessibilityTest)
#include "accessibility.moc"
