#include "lang/Language.h"

#include "files/ExportCsv.h"
#include "files/SaveOpt.h"
#include "graph/Describe.h"
#include "link/frmPort.h"
#include "link/frmTimeset.h"
#include "output/PrintOpt.h"
#include "output/frmCurves.h"
#include "output/frmEvents.h"
#include "shell/Log1.h"
#include "shell/StringNumbers.h"
#include "shell/about2.h"
#include "ui/Format.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
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
}

void CaptionPort(Log1& w) {
    frmPort& d = FormOf<frmPort>(w);
    Apply(w.st, {{&d, 92},
                 {d.Label1, 91},
                 {d.Option5, 142},
                 {d.Command1, 120},
                 {d.Command2, 119},
                 {d.Command3, 153}});
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
    if (d.isVisible()) d.UpdateTexts(); // showing it makes them anew
}

void CaptionCurves(Log1& w) {
    frmCurves& d = FormOf<frmCurves>(w);
    Apply(w.st, {{&d, str::kCurvesTitle},
                 {d.Command1, str::kSaveAsButton},
                 {d.Command2, str::kPrintButton},
                 {d.Command3, str::kCloseButton}});
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
