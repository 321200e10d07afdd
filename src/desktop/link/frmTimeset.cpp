#include "link/frmTimeset.h"

#include "link/ReferenceClock.h"

#include "link/UpDown.h"
#include "shell/Log1.h"
#include "ui/DateSerial.h"
#include "ui/Format.h"
#include "ui/Twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

frmTimeset::frmTimeset(Log1& owner) : QDialog(&owner), w_(owner) {
    setObjectName(QStringLiteral("frmTimeset"));
    setWindowTitle(QStringLiteral("Set Date and Time"));
    setModal(true);
    setFixedSize(ui::TwipsToPixels(5400), ui::TwipsToPixels(3720));

    Label9 = ui::NewLabel(this, "Label9",
                          QStringLiteral("The program needs the correct present time to calculate "
                                         "timing for logger downloads.  Your system clock will not "
                                         "change."),
                          240, 120, 4920, 615);
    Label9->setWordWrap(true);

    // Date on the left, time of day on the right, one row per field.
    const char* labelNames[] = {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"};
    const char* captions[] = {"Month:", "Day:", "Year:", "Hour:", "Minutes:", "Seconds:"};
    const char* textNames[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"};
    QLabel** labels[] = {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6};
    QLineEdit** texts[] = {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6};
    UpDown** arrows[] = {&UpDown1, &UpDown2, &UpDown3, &UpDown4, &UpDown5, &UpDown6};
    for (int i = 0; i < 6; ++i) {
        const int left = i < 3 ? 240 : 2760;
        const int top = 840 + (i % 3) * 420;
        *labels[i] =
            ui::NewLabel(this, labelNames[i], QLatin1String(captions[i]), left, top, 975, 255);
        auto* text = new QLineEdit(this);
        text->setObjectName(QLatin1String(textNames[i]));
        (*labels[i])->setBuddy(text);
        // The arrow keys step the field as the arrows beside it do.
        text->installEventFilter(this);
        // The boxes only show their field: the arrows and the running clock change it.
        text->setReadOnly(true);
        text->setAlignment(Qt::AlignRight);
        ui::PlaceTwips(text, left + 1020, top - 45, 735, 315);
        *texts[i] = text;
        auto* updown = new UpDown(this);
        updown->setObjectName(QStringLiteral("UpDown%1").arg(i + 1));
        ui::PlaceTwips(updown, left + 1755, top - 45, 255, 315);
        *arrows[i] = updown;
        const auto field = static_cast<ClockField>(i + 1);
        connect(updown, &UpDown::UpClick, this, [this, field] { arrow(field, true); });
        connect(updown, &UpDown::DownClick, this, [this, field] { arrow(field, false); });
    }

    Label7 = ui::NewLabel(this, "Label7", {}, 240, 2160, 4920, 255);
    Label8 = ui::NewLabel(this, "Label8", {}, 240, 2460, 4920, 255);

    Command2 =
        ui::NewControl<QPushButton>(this, "Command2", QStringLiteral("OK"), 1080, 3000, 1215, 375);
    Command2->setDefault(true);
    Command3 = ui::NewControl<QPushButton>(this, "Command3", QStringLiteral("Cancel"), 3000, 3000,
                                           1215, 375);
    connect(Command2, &QPushButton::clicked, this, &frmTimeset::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmTimeset::Command3_Click);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &frmTimeset::Timer1_Timer);
}

bool frmTimeset::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const QLineEdit* texts[] = {Text1, Text2, Text3, Text4, Text5, Text6};
        for (int i = 0; i < 6; ++i) {
            if (watched == texts[i] && (key == Qt::Key_Up || key == Qt::Key_Down)) {
                arrow(static_cast<ClockField>(i + 1), key == Qt::Key_Up);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

ClockFields frmTimeset::fields() const {
    const AppState& st = w_.st;
    return {st.ClockMonth, st.ClockDay, st.ClockYear, st.ClockHour, st.ClockMinute, st.ClockSecond};
}

void frmTimeset::setFields(const ClockFields& f) {
    AppState& st = w_.st;
    st.ClockMonth = static_cast<qint16>(f.month);
    st.ClockDay = static_cast<qint16>(f.day);
    st.ClockYear = static_cast<qint16>(f.year);
    st.ClockHour = static_cast<qint16>(f.hour);
    st.ClockMinute = static_cast<qint16>(f.minute);
    st.ClockSecond = static_cast<qint16>(f.second);
}

void frmTimeset::showEvent(QShowEvent* event) {
    activate();
    QDialog::showEvent(event);
}

void frmTimeset::hideEvent(QHideEvent* event) {
    Timer1->stop();
    QDialog::hideEvent(event);
}

void frmTimeset::activate() {
    AppState& st = w_.st;
    const ui::DateParts now = ui::PartsFromSerial(ui::Now() - st.ClockOffset);
    setFields({now.month, now.day, now.year, now.hour, now.minute, now.second});
    monthLengths_ = BuildMonthLengths(now.year);
    monthNames_.clear();
    for (int s = 102; s <= 113; ++s) monthNames_ << st.Text(s);
    showAll();
    Timer1->start(1000);
}

void frmTimeset::arrow(ClockField field, bool up) {
    ClockFields f = fields();
    StepClockField(f, field, up, monthLengths_);
    setFields(f);
    showField(field);
}

void frmTimeset::Timer1_Timer() {
    ClockFields f = fields();
    TickClock(f, monthLengths_);
    setFields(f);
    showAll();
}

void frmTimeset::showField(ClockField field) {
    const ClockFields f = fields();
    switch (field) {
    case ClockField::Month:
        Text1->setText(QString::number(f.month));
        break;
    case ClockField::Day:
        Text2->setText(QString::number(f.day));
        break;
    case ClockField::Year:
        Text3->setText(QString::number(f.year));
        break;
    case ClockField::Hour:
        Text4->setText(QString::number(f.hour));
        break;
    case ClockField::Minute:
        Text5->setText(QString::number(f.minute));
        break;
    case ClockField::Second:
        Text6->setText(QString::number(f.second));
        break;
    }
}

void frmTimeset::showAll() {
    for (int i = 1; i <= 6; ++i) showField(static_cast<ClockField>(i));
    AppState& st = w_.st;
    const ClockFields f = fields();
    const QString monthName = monthNames_.value(f.month - 1);
    if (st.UsDateFormat == 1)
        Label7->setText(monthName + u' ' + ui::Str(f.day) + QStringLiteral(", ") + ui::Str(f.year));
    else
        Label7->setText(ui::Str(f.day) + u' ' + monthName + u' ' + ui::Str(f.year));
    st.ClockTimeText = ui::Str(f.hour) + u':' + ui::Format(f.minute, QStringLiteral("00")) + u':' +
                       ui::Format(f.second, QStringLiteral("00"));
    Label8->setText(st.ClockTimeText);
}

void frmTimeset::Command2_Click() {
    AppState& st = w_.st;
    const ClockFields f = fields();
    SetReferenceTime(st, ui::DateSerial(f.year, f.month, f.day) +
                             ui::TimeSerial(f.hour, f.minute, f.second));
    st.ClockFromMenu = 0;
    hide();
}

void frmTimeset::Command3_Click() {
    AppState& st = w_.st;
    if (st.ClockFromMenu != 1) st.DownloadCancelled = 1;
    st.ClockFromMenu = 0;
    hide();
}

void frmTimeset::reject() {
    Command3_Click();
}
