#include "link/Form1.h"
#include "support/Fixtures.h"
#include "support/PromptScript.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

// The logger reported High 200, Low 50 (raw steps), mode 1: 200/50 V on the 250 V range,
// 400/100 V on the 500 V range.
struct SetupFixture {
    ScopedWorkDir dir;
    MainWindowFixture fx;
    AppState& st = *fx.st;
    Form1& form = FormOf<Form1>(*fx.w);
    explicit SetupFixture(const QString& range) {
        st.VoltageRange = range;
        const double factor = range == QLatin1String("250 Volt") ? 1 : 2;
        st.LimitHigh = 200 * factor;
        st.LimitLow = 50 * factor;
        st.LimitMode = 1;
    }
    QString limits() const {
        return QStringLiteral("%1 %2 %3")
            .arg(st.LimitHigh.value())
            .arg(st.LimitLow.value())
            .arg(st.LimitMode.value());
    }
};

struct SetupCase {
    const char* name;
    const char* range;  // "250" or "500" Volt
    const char* typed;  // High, Low and mode (1 = IN, 2 = OUT); "-" leaves one as loaded
    const char* steps;  // buttons pressed after typing; "open" chooses Setup again
    const char* prompt; // the one message expected, answered OK, or Cancel after "|"
    bool open;
    const char* after; // LimitHigh LimitLow LimitMode
    int confirmed;
};
const SetupCase kCases[] = {
    {"high equal to low", "250", "100 100 -", "ok", "Invalid Limits", true, "100 100 1", 1},
    {"high above 255", "250", "300 - -", "ok", "Invalid Limits", true, "300 50 1", 1},
    {"odd high on 500 V", "500", "101 - -", "ok", "even numbers", true, "50.5 50 1", 1},
    {"500 V in raw steps", "500", "100 50 -", "ok", "restart", false, "50 25 1", 0},
    {"reopened before confirmed", "500", "100 50 -", "ok open ok", "restart", false, "50 25 1", 0},
    {"mode only", "250", "- - 2", "ok", "restart", false, "200 50 2", 0},
    {"unchanged on 250 V", "250", "- - -", "ok", "", false, "200 50 1", 1},
    {"unchanged on 500 V", "500", "- - -", "ok", "", false, "400 100 1", 1},
    {"retyped on 500 V", "500", "400 100 1", "ok", "", false, "400 100 1", 1},
    {"Cancel after ERROR", "250", "100 100 2", "ok cancel", "Invalid", false, "200 50 1", 1},
    {"Cancel after ERROR on 500 V", "500", "101 - 2", "ok cancel", "even", false, "400 100 1", 1},
    {"Cancel on the question", "250", "150 - 2", "ok", "restart|", true, "150 50 2", 1},
    {"close box after question", "250", "150 - 2", "ok close", "restart|", false, "200 50 1", 1},
    {"Escape", "250", "150 - 2", "esc", "", false, "200 50 1", 1},
};

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
        SetupFixture f(QString(c.range) + " Volt");
        PromptScript script;
        const QString prompt = c.prompt;
        if (!prompt.isEmpty())
            script.message(prompt.section('|', 0, 0), prompt.contains('|') ? ui::Cancel : ui::Ok);
        f.fx.w->mnuSetup->trigger();
        QCOMPARE(int(f.st.SetupOpen), 1);
        const QStringList typed = QString(c.typed).split(' ');
        if (typed[0] != "-") f.form.Text1->setText(typed[0]);
        if (typed[1] != "-") f.form.Text2->setText(typed[1]);
        if (typed[2] != "-") (typed[2] == "1" ? f.form.Option1 : f.form.Option2)->click();
        for (const QString& step : QString(c.steps).split(' ')) {
            if (step == "ok") f.form.Command1->click();
            if (step == "cancel") f.form.Command2->click();
            if (step == "close") f.form.close();
            if (step == "esc") QTest::keyClick(&f.form, Qt::Key_Escape);
            if (step == "open") f.fx.w->mnuSetup->trigger();
        }
        QVERIFY2(script.finished(), qPrintable(script.report()));
        for (const PromptScript::Seen& seen : script.seen()) {
            const bool question = seen.text.contains("restart");
            QCOMPARE(seen.title, question ? "WARNING" : "ERROR");
            QCOMPARE(seen.icon, question ? ui::Icon::Critical : ui::Icon::None);
            QCOMPARE(seen.buttons, question ? ui::Buttons::OkCancel : ui::Buttons::Ok);
        }
        QCOMPARE(f.form.isVisible(), c.open);
        QCOMPARE(int(f.st.SetupOpen), c.open ? 1 : 0);
        QCOMPARE(f.limits(), QString(c.after));
        QCOMPARE(int(f.st.LimitsConfirmed), c.confirmed);
    }

    // Coming back from the main window reloads the fields; once OK was pressed, the typed
    // values stay, whatever activates the dialog again (the message boxes of OK do).
    void activation() {
        SetupFixture f("250 Volt");
        f.fx.w->show();
        f.fx.w->mnuSetup->trigger();
        QTRY_VERIFY(f.form.isActiveWindow());
        auto comeBack = [&f] {
            f.fx.w->activateWindow();
            QTRY_VERIFY(f.fx.w->isActiveWindow() && !f.form.isActiveWindow());
            f.form.activateWindow();
            QTRY_VERIFY(f.form.isActiveWindow());
        };
        f.form.Text1->setText("150");
        comeBack();
        QCOMPARE(f.form.Text1->text(), "200");
        PromptScript script;
        script.message("Invalid Limits", ui::Ok);
        f.form.Text1->setText("10");
        f.form.Command1->click();
        comeBack();
        QCOMPARE(f.form.Text1->text(), "10");
        f.form.Command2->click();
        QCOMPARE(f.limits(), "200 50 1");
    }
};

VESTO_TEST(SetupTest)
#include "tst_setup.moc"
