#include "lang/Language.h"

#include "files/ExportCsv.h"
#include "files/SaveOpt.h"
#include "graph/Describe.h"
#include "graph/canvas/PictureBox.h"
#include "link/UpDown.h"
#include "link/frmPort.h"
#include "link/frmTimeset.h"
#include "output/PrintOpt.h"
#include "output/frmCurves.h"
#include "output/frmEvents.h"
#include "shell/Log1.h"
#include "shell/Logo.h"
#include "shell/StringNumbers.h"
#include "shell/about2.h"
#include "ui/Accessible.h"
#include "ui/Format.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSizeGrip>
#include <QTableView>
#include <initializer_list>

namespace {

// One caption: a control, or a window standing for its own title, and its string number.
struct Caption {
    QObject* target;
    int string;
};

void SetCaption(QObject* target, const QString& text) {
    if (auto* action = qobject_cast<QAction*>(target))
        action->setText(text); // an ampersand makes the next letter the item's mnemonic
    else if (auto* label = qobject_cast<QLabel*>(target))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(target))
        button->setText(text);
    else if (auto* frame = qobject_cast<QGroupBox*>(target))
        frame->setTitle(text);
    else if (auto* window = qobject_cast<QWidget*>(target))
        window->setWindowTitle(text);
}

void Apply(const AppState& st, std::initializer_list<Caption> captions) {
    for (const Caption& caption : captions) SetCaption(caption.target, st.Text(caption.string));
}

// Names for screen readers where the caption alone does not tell what a control shows.
void NameMainWindowParts(Log1& w) {
    const AppState& st = w.st;
    const QString program = st.Text(1);
    w.centralWidget()->setAccessibleName(program);
    w.menuBar()->setAccessibleName(program);
    w.Picture2->setAccessibleName(program);
    ui::NameValue(w.Frame1, st.Text(str::kLoggerStatus));
    ui::NameValue(w.Label22, st.Text(str::kStoredReadings));
    ui::NameValue(w.Label13, st.Text(33)); // the port
    ui::NameValue(w.Label14, st.Text(66)); // per cent of the download
    w.ProgressBar1->setAccessibleName(ui::PlainName(st.Text(66)));
    w.Command3->setAccessibleDescription(st.Text(str::kAnnotateTells));
    if (!w.RecordLoaded()) w.Picture1->setAccessibleName(ui::PlainName(st.Text(45)));
}

void CaptionMainWindow(Log1& w) {
    Apply(w.st, {{w.mnuFile, 20},
                 {w.mnuSaveTXT, 21},
                 {w.mnuOpen, 22},
                 {w.mnuRecent, str::kRecentCaption},
                 {w.mnuArchive, str::kArchiveFolderCaption},
                 {w.mnuPGraph, 23},
                 {w.mnuPData, 24},
                 {w.mnuGClip, 25},
                 {w.mnuEvents, str::kMenuEvents},
                 {w.mnuCurves, str::kMenuCurves},
                 {w.mnuReport, str::kMenuReport},
                 {w.mnuExportCSV, str::kMenuExportCsv},
                 {w.mnuSaveGraph, str::kMenuSaveGraph},
                 {w.mnuLang, 141},
                 {w.mnuExit, 30},
                 {w.mnuSetTime, 31},
                 {w.mnuDownload, 32},
                 {w.mnuPort, 33},
                 {w.mnuFuncWEN, 34},
                 {w.mnudegF, 35},
                 {w.mnudegC, 36},
                 {w.mnuFuncTREL, 34},
                 {w.mnuScale, 37},
                 {w.mnuDate, 38},
                 {w.mnuUsa, 39},
                 {w.mnuEur, 40},
                 {w.mnuHelp, 41},
                 {w.mnuHelpAbout, 44},
                 {w.Label5, 17},
                 {w.Label23, 19},
                 {w.Command2, 49},
                 {w.Command3, 50},
                 {w.Frame2, 45},
                 {w.Label33, 46},
                 {w.Label32, 47},
                 {w.Label27, 48},
                 {w.Label8, 68},
                 {&w, 1},
                 {w.Label28, 68},
                 {w.Label24, 19}});
    NameMainWindowParts(w);
}

void CaptionClock(Log1& w) {
    frmTimeset& d = FormOf<frmTimeset>(w);
    Apply(w.st, {{&d, 95},
                 {d.Label9, 94},
                 {d.Label1, 96},
                 {d.Label2, 97},
                 {d.Label3, 98},
                 {d.Label4, 99},
                 {d.Label5, 100},
                 {d.Label6, 101},
                 {d.Command3, 119},
                 {d.Command2, 120}});
    // The arrows beside each field, named after it: "Month +", "Month −".
    const QLabel* labels[] = {d.Label1, d.Label2, d.Label3, d.Label4, d.Label5, d.Label6};
    QLineEdit* texts[] = {d.Text1, d.Text2, d.Text3, d.Text4, d.Text5, d.Text6};
    UpDown* arrows[] = {d.UpDown1, d.UpDown2, d.UpDown3, d.UpDown4, d.UpDown5, d.UpDown6};
    for (int i = 0; i < 6; ++i) {
        const QString field = ui::PlainName(labels[i]->text());
        texts[i]->setAccessibleDescription(w.st.Text(str::kClockFieldKeys));
        arrows[i]->setAccessibleName(field);
        arrows[i]->upButton->setAccessibleName(field + QStringLiteral(" +"));
        arrows[i]->downButton->setAccessibleName(field + QStringLiteral(" \u2212"));
    }
}

void CaptionPort(Log1& w) {
    frmPort& d = FormOf<frmPort>(w);
    Apply(w.st, {{&d, 92},
                 {d.Label1, 91},
                 {d.Option5, 142},
                 {d.Command1, 120},
                 {d.Command2, 119},
                 {d.Command3, 153}});
    d.Frame1->setAccessibleName(w.st.Text(91));
    // Each device box is named after its port's option; the search's report after the button.
    QComboBox* combos[] = {d.Combo1, d.Combo2, d.Combo3, d.Combo4};
    const QRadioButton* options[] = {d.Option1, d.Option2, d.Option3, d.Option4};
    for (int i = 0; i < 4; ++i) {
        combos[i]->setAccessibleName(ui::PlainName(options[i]->text()));
        combos[i]->lineEdit()->setAccessibleName(ui::PlainName(options[i]->text()));
    }
    ui::NameValue(d.Label2, w.st.Text(153));
}

// A dialog not opened yet is created here, hidden, so that it shows the language when it opens.
void CaptionAboutBox(Log1& w) {
    about2& d = FormOf<about2>(w);
    Apply(w.st, {{&d, 44},
                 {d.Label1, 1},
                 {d.Label2, 2},
                 {d.Label10, 3},
                 {d.Label3, 4},
                 {d.Label4, 5},
                 {d.Label5, 6},
                 {d.Label6, 7},
                 {d.Label7, 8},
                 {d.Label11, 9},
                 {d.Label9, 11},
                 {d.Command1, 120}});
    if (auto* logo = d.findChild<QWidget*>(QStringLiteral("Image1")))
        logo->setAccessibleName(w.st.Text(1));
}

void CaptionDescription(Log1& w) {
    Describe& d = FormOf<Describe>(w);
    Apply(w.st, {{&d, 13},
                 {d.Label1, 12},
                 {d.Label9, 13},
                 {d.Label2, 14},
                 {d.Label3, 15},
                 {d.Label4, 16},
                 {d.Command1, 120},
                 {d.Command2, 119}});
    // The four description lines without a caption of their own, numbered as they are laid out.
    QLineEdit* lines[] = {d.Text3, d.Text6, d.Text4, d.Text7};
    for (int i = 0; i < 4; ++i)
        lines[i]->setAccessibleName(ui::PlainName(w.st.Text(13)) + u' ' + QString::number(i + 1));
}

void CaptionPrintOptions(Log1& w) {
    PrintOpt& d = FormOf<PrintOpt>(w);
    Apply(w.st, {{&d, 116}, {d.Command1, 117}, {d.Command2, 118}, {d.Command3, 119}});
}

void CaptionSaveOptions(Log1& w) {
    SaveOpt& d = FormOf<SaveOpt>(w);
    Apply(w.st, {{&d, 121}, {d.Command1, 117}, {d.Command2, 118}, {d.Command3, 119}});
}

void CaptionExportOptions(Log1& w) {
    ExportOpt& d = FormOf<ExportOpt>(w);
    Apply(w.st, {{&d, 121}, {d.Command1, 117}, {d.Command2, 118}, {d.Command3, 119}});
}

void CaptionEvents(Log1& w) {
    frmEvents& d = FormOf<frmEvents>(w);
    Apply(w.st, {{&d, str::kEventsTitle},
                 {d.Command1, str::kExportButton},
                 {d.Command2, str::kPrintButton},
                 {d.Command3, str::kCloseButton},
                 {d.Command4, str::kMenuCurves}});
    // The list, and the parts Qt builds into it and into the window, by the window's name.
    const QString events = w.st.Text(str::kEventsTitle);
    d.Grid1->setAccessibleDescription(w.st.Text(str::kEventListKeys));
    QList<QWidget*> parts = d.Grid1->findChildren<QWidget*>();
    for (QWidget* part : parts << d.Grid1) part->setAccessibleName(events);
    for (QSizeGrip* grip : d.findChildren<QSizeGrip*>()) grip->setAccessibleName(events);
    if (d.isVisible()) d.UpdateTexts(); // showing it makes them anew
}

void CaptionCurves(Log1& w) {
    frmCurves& d = FormOf<frmCurves>(w);
    Apply(w.st, {{&d, str::kCurvesTitle},
                 {d.Command1, str::kSaveAsButton},
                 {d.Command2, str::kPrintButton},
                 {d.Command3, str::kCloseButton}});
    for (QSizeGrip* grip : d.findChildren<QSizeGrip*>())
        grip->setAccessibleName(w.st.Text(str::kCurvesTitle));
    if (d.isVisible()) d.Redraw(); // showing it draws anew
}

} // namespace

void ApplyCaptions(Log1& w) {
    AppState& st = w.st;
    // Windows in this order: main window, clock dialog, About box, description dialog, port
    // dialog, print options, save options; then the windows of the record as data.
    CaptionMainWindow(w);
    CaptionClock(w);
    CaptionAboutBox(w);
    CaptionDescription(w);
    CaptionPort(w);
    CaptionPrintOptions(w);
    CaptionSaveOptions(w);
    CaptionExportOptions(w);
    CaptionEvents(w);
    CaptionCurves(w);

    const double language = st.LanguageIndex;
    if (language >= 0 && language <= kLanguages)
        st.HelpFileName = st.LangHelpFile[static_cast<size_t>(language)];

    if (st.LoggerOnline != 0) {
        st.ShownLoggerNumber = st.StatusLoggerNumber;
        w.Frame1->setTitle(st.Text(151) + ui::Str(st.ShownLoggerNumber) + st.Text(152));
    }
}
