// The setup dialog's checks, OK and Cancel. Sending the new limits until the logger reports them
// and the one restart after run end to end in tests/e2e/setup.cpp.
#include "link/Form1.h"
#include "support/Fixtures.h"
#include "support/PromptScript.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

struct SetupCase {
    const char* name;
    int range;          // 250 or 500 Volt
    const char* typed;  // High, Low and mode (1 = IN, 2 = OUT); "-" leaves one as loaded
    const char* steps;  // buttons pressed after typing
    const char* prompt; // the one message expected, answered OK, or Cancel after "|"
    bool open;
    const char* after; // LimitHigh LimitLow LimitMode
    int confirmed;
};
// The logger reported High 200, Low 50 (raw steps), mode 1: 200/50 V on the 250 V range,
// 400/100 V on the 500 V range.
const SetupCase kCases[] = {
    {"high equal to low", 250, "100 100 -", "ok", "Invalid Limits", true, "100 100 1", 1},
    {"odd high on 500 V", 500, "101 - -", "ok", "Must be even numbers", true, "50.5 50 1", 1},
    {"500 V in raw steps", 500, "100 50 -", "ok", "restart", false, "50 25 1", 0},
    {"mode only", 250, "- - 2", "ok", "restart", false, "200 50 2", 0},
    {"unchanged on 250 V", 250, "- - -", "ok", "", false, "200 50 1", 1},
    {"unchanged on 500 V", 500, "- - -", "ok", "", false, "400 100 1", 1},
    {"Cancel after ERROR", 250, "100 100 2", "ok cancel", "Invalid", false, "200 50 1", 1},
    {"Cancel on the question", 250, "150 - 2", "ok", "restart|", true, "150 50 2", 1},
    {"Escape", 250, "150 - 2", "esc", "", false, "200 50 1", 1},
};

} // namespace

class SetupTest : public QObject {
    Q_OBJECT
private slots:
    void okAndCancel_data() {
        QTest::addColumn<int>("i");
        for (int i = 0; i < int(std::size(kCases)); ++i) QTest::newRow(kCases[i].name) << i;
    }
    void okAndCancel() {
        QFETCH(int, i);
        const SetupCase& c = kCases[i];
        ScopedWorkDir dir;
        MainWindowFixture fx;
        AppState& st = *fx.st;
        st.VoltageRange = QStringLiteral("%1 Volt").arg(c.range);
        st.LimitHigh = 200 * c.range / 250;
        st.LimitLow = 50 * c.range / 250;
        st.LimitMode = 1;
        Form1& form = FormOf<Form1>(*fx.w);
        PromptScript script;
        const QString prompt = c.prompt;
        if (!prompt.isEmpty())
            script.message(prompt.section('|', 0, 0), prompt.contains('|') ? ui::Cancel : ui::Ok);
        fx.w->mnuSetup->trigger();
        const QStringList typed = QString(c.typed).split(' ');
        if (typed[0] != "-") form.Text1->setText(typed[0]);
        if (typed[1] != "-") form.Text2->setText(typed[1]);
        if (typed[2] != "-") (typed[2] == "1" ? form.Option1 : form.Option2)->click();
        for (const QString& step : QString(c.steps).split(' ')) {
            if (step == "ok") form.Command1->click();
            if (step == "cancel") form.Command2->click();
            if (step == "esc") QTest::keyClick(&form, Qt::Key_Escape);
        }
        QVERIFY2(script.finished(), qPrintable(script.report()));
        for (const PromptScript::Seen& seen : script.seen())
            QCOMPARE(seen.title, seen.text.contains("restart") ? "WARNING" : "ERROR");
        QCOMPARE(form.isVisible(), c.open);
        QCOMPARE(int(st.SetupOpen), c.open ? 1 : 0);
        QCOMPARE(QStringLiteral("%1 %2 %3")
                     .arg(st.LimitHigh.value())
                     .arg(st.LimitLow.value())
                     .arg(st.LimitMode.value()),
                 QString(c.after));
        QCOMPARE(int(st.LimitsConfirmed), c.confirmed);
    }

    // Back from another program, what was typed stays; back from the main window, the dialog
    // loads the limits anew.
    void activation() {
        ScopedWorkDir dir;
        MainWindowFixture fx;
        AppState& st = *fx.st;
        st.LimitHigh = 200, st.LimitLow = 50, st.LimitMode = 1;
        Form1& form = FormOf<Form1>(*fx.w);
        fx.w->show();
        fx.w->mnuSetup->trigger();
        QApplication::setActiveWindow(&form);
        form.Text1->setText("150");
        QApplication::setActiveWindow(nullptr);
        QApplication::setActiveWindow(&form);
        QCOMPARE(form.Text1->text(), QStringLiteral("150"));
        QApplication::setActiveWindow(fx.w.get());
        QApplication::setActiveWindow(&form);
        QCOMPARE(form.Text1->text(), QStringLiteral("200"));
        form.Command2->click();
    }
};

VESTO_TEST(SetupTest)
#include "tst_setup.moc"
