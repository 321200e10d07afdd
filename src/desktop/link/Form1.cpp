#include "link/Form1.h"

#include "link/LoggerSetup.h"

#include "link/StatusRecord.h"
#include "shell/Log1.h"
#include "ui/Format.h"
#include "ui/Parse.h"
#include "ui/Prompts.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <cmath>
#include <utility>

namespace {

const QString kInText = QStringLiteral("Records when between High and Low");
const QString kOutText = QStringLiteral("Records when above High or below Low");

// A limit as the fields show it: an empty one (no status record yet) as an empty field.
QString asText(const Number& value, double factor) {
    return value.isEmpty() ? QString() : ui::PlainText(value.value() * factor);
}

} // namespace

Form1::Form1(Log1& owner) : QDialog(&owner), w_(owner) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Exception Logger Setup"));
    setModal(false);
    setFixedSize(ui::TwipsToPixels(4800), ui::TwipsToPixels(2880));

    Label1 = ui::NewLabel(this, "Label1", QStringLiteral("High:"), 240, 285, 675, 255);
    Text1 = ui::NewControl<QLineEdit>(this, "Text1", {}, 960, 240, 1215, 315);
    Label2 = ui::NewLabel(this, "Label2", QStringLiteral("Low:"), 240, 765, 675, 255);
    Text2 = ui::NewControl<QLineEdit>(this, "Text2", {}, 960, 720, 1215, 315);
    Label1->setBuddy(Text1);
    Label2->setBuddy(Text2);

    Frame1 =
        ui::NewControl<QGroupBox>(this, "Frame1", QStringLiteral("Mode"), 2520, 120, 2040, 1035);
    Option1 =
        ui::NewControl<QRadioButton>(Frame1, "Option1", QStringLiteral("IN"), 240, 300, 1575, 315);
    Option2 =
        ui::NewControl<QRadioButton>(Frame1, "Option2", QStringLiteral("OUT"), 240, 660, 1575, 315);

    Label3 = ui::NewLabel(this, "Label3", {}, 240, 1380, 4320, 255);

    Command1 =
        ui::NewControl<QPushButton>(this, "Command1", QStringLiteral("OK"), 960, 2040, 1215, 375);
    Command1->setDefault(true);
    Command2 = ui::NewControl<QPushButton>(this, "Command2", QStringLiteral("Cancel"), 2640, 2040,
                                           1215, 375);

    connect(Option1, &QRadioButton::clicked, this, &Form1::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &Form1::Option2_Click);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
}

// Only the program's own show and hide count: the window system hiding the dialog with a
// minimised main window and showing it again is no new start.
void Form1::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        holdFields_ = false;
        leftProgram_ = false;
        activate();
    }
    QDialog::showEvent(event);
}

void Form1::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) holdFields_ = false;
    QDialog::hideEvent(event);
}

void Form1::changeEvent(QEvent* event) {
    // The user coming back from the main window finds the limits as they are now; while an OK
    // is under way or was refused, what was typed stays. Coming back from another program is
    // no new activation within this one: what was typed stays too.
    if (event->type() == QEvent::ActivationChange) {
        if (!isActiveWindow()) {
            // The window losing activation is told after the new one is known.
            leftProgram_ = QApplication::activeWindow() == nullptr;
        } else if (isVisible() && !std::exchange(leftProgram_, false) && !holdFields_) {
            activate();
        }
    }
    QDialog::changeEvent(event);
}

void Form1::activate() {
    AppState& st = w_.st;
    // From OK until the restart goes out, the limits are the wanted raw steps, not the logger's
    // display units; the fields always show display units.
    savedInSteps_ = st.LimitsConfirmed == 0 || st.RestartPending == 1;
    const double toDisplay = savedInSteps_ ? LimitRangeFactor(st.VoltageRange) : 1.0;

    st.SavedMode = st.LimitMode;
    st.SavedHigh = st.LimitHigh;
    st.SavedLow = st.LimitLow;
    if (st.LimitMode == 1)
        Label3->setText(kInText);
    else if (st.LimitMode == 2)
        Label3->setText(kOutText);
    else
        Label3->clear();
    if (st.LimitMode == 1)
        Option1->setChecked(true);
    else
        Option2->setChecked(true);
    Text1->setText(asText(st.LimitHigh, toDisplay));
    Text2->setText(asText(st.LimitLow, toDisplay));
}

void Form1::Option1_Click() {
    Label3->setText(kInText);
}

void Form1::Option2_Click() {
    Label3->setText(kOutText);
}

void Form1::Command1_Click() {
    AppState& st = w_.st;
    holdFields_ = true;
    // Display units to the logger's raw steps.
    const double factor = 1.0 / LimitRangeFactor(st.VoltageRange);
    const double high = ui::Val(Text1->text());
    const double low = ui::Val(Text2->text());
    st.LimitHigh = high * factor;
    st.LimitLow = low * factor;
    st.LimitMode = Option1->isChecked() ? 1 : 2;

    if (!LimitsFitRange(high, low, st.VoltageRange)) {
        ui::MsgBox(kNotEven, ui::Buttons::Ok, ui::Icon::None, kSetupErrorTitle);
        return;
    }

    const double savedFactor = savedInSteps_ ? 1.0 : factor;
    const bool unchanged = st.LimitHigh == st.SavedHigh * savedFactor &&
                           st.LimitLow == st.SavedLow * savedFactor && st.LimitMode == st.SavedMode;
    if (unchanged) {
        // Nothing to send: the limits go back to what they were, in the units they were in.
        st.LimitHigh = st.SavedHigh;
        st.LimitLow = st.SavedLow;
        st.LimitMode = st.SavedMode;
    } else {
        if (!LimitsValid(st.LimitHigh, st.LimitLow)) {
            ui::MsgBox(kInvalidLimits, ui::Buttons::Ok, ui::Icon::None, kSetupErrorTitle);
            return;
        }
        if (ui::MsgBox(kRestartWarning, ui::Buttons::OkCancel, ui::Icon::Critical,
                       kRestartWarningTitle) != ui::Ok)
            return;
        st.LimitsConfirmed = 0;
    }
    st.SetupOpen = 0;
    hide();
}

void Form1::Command2_Click() {
    AppState& st = w_.st;
    st.LimitHigh = st.SavedHigh;
    st.LimitLow = st.SavedLow;
    st.LimitMode = st.SavedMode;
    st.SetupOpen = 0;
    hide();
}

void Form1::reject() {
    Command2_Click();
}

void mnuSetup_Click(Log1& w) {
    w.st.SetupOpen = 1;
    Form1& form = FormOf<Form1>(w);
    if (form.isVisible()) {
        form.raise();
        form.activateWindow();
    } else {
        form.show();
    }
}
