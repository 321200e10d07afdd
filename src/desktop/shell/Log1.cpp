#include "shell/Log1.h"

#include "graph/canvas/PictureBox.h"
#include "link/LoggerLink.h"
#include "link/serial/MSComm1.h"
#include "shell/DatePatterns.h"
#include "shell/Logo.h"
#include "shell/WindowPlace.h"
#include "shell/about2.h"
#include "ui/Accessible.h"
#include "ui/Colors.h"
#include "ui/DateSerial.h"
#include "ui/Pointer.h"
#include "ui/Prompts.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {

const QColor kCream(255, 255, 224);
const QColor kMagenta(255, 0, 255);
const QColor kYellow(255, 255, 0);
// The main window's place in the program's own settings file.
const QString kWindowName = QStringLiteral("main");

QAction* makeAction(QObject* parent, const char* name, const QString& caption) {
    auto* action = new QAction(caption, parent);
    action->setObjectName(QLatin1String(name));
    return action;
}

// A menu of the menu bar: the QMenu and its action both carry the design name.
QMenu* makeMenu(QMenuBar* bar, const char* name, const QString& caption, QAction*& action) {
    auto* menu = new QMenu(caption, bar);
    menu->setObjectName(QLatin1String(name));
    action = bar->addMenu(menu);
    action->setObjectName(QLatin1String(name));
    return menu;
}

QAction* addItem(QMenu* menu, const char* name, const QString& caption) {
    auto* action = makeAction(menu, name, caption);
    menu->addAction(action);
    return action;
}

// An item placed directly on the menu bar (it acts on a click, without a drop-down).
QAction* addBarItem(QMenuBar* bar, const char* name, const QString& caption) {
    auto* action = makeAction(bar, name, caption);
    bar->addAction(action);
    return action;
}

// The banner's size is a half point; QFont's constructor would drop the half.
QFont BannerFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(13.5);
    return font;
}

} // namespace

Log1::Log1(AppState& state, QWidget* parent) : QMainWindow(parent), st(state) {
    setObjectName(QStringLiteral("Log1"));
    Link = new LoggerLink(st, this);
    MSComm1 = Link->MSComm1;
    buildControls();
    buildMenus();
    buildTimers();
    // Controls keep their design positions; the window itself may be sized freely.
    layout()->setSizeConstraint(QLayout::SetNoConstraint);
    setAcceptDrops(true);
    ui::SetDialogParent(this);
}

Log1::~Log1() {
    ui::SetDialogParent(nullptr);
}

void Log1::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    ui::SetBackColor(this, kCream);
    ui::SetBackColor(client, kCream);

    // The banner Label28 lies over the lower part of the picture, so the drawing keeps above it.
    Picture2 = new LogoBox(client, ui::TwipsToPixels(330));
    Picture2->setObjectName(QStringLiteral("Picture2"));
    ui::PlaceTwips(Picture2, 240, 120, 1935, 615);
    Label28 = ui::NewLabel(client, "Label28", QStringLiteral("Vesto Logger"), 240, 480, 1695, 255);
    Label28->setFont(QFont(QStringLiteral("Arial"), 10));
    Label28->raise();
    Label1 = ui::NewLabel(client, "Label1", {}, 240, 840, 1215, 255);

    Frame1 = ui::NewControl<QGroupBox>(client, "Frame1", {}, 2280, 0, 6615, 975);
    Frame1->setFlat(true);
    Frame1->setStyleSheet(QStringLiteral("QGroupBox#Frame1 { background: white; border: none; }"));
    Label22 = ui::NewLabel(Frame1, "Label22", {}, 120, 240, 1095, 255);
    Label22->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label23 = ui::NewLabel(Frame1, "Label23", QStringLiteral("points"), 1260, 240, 735, 255);
    Label4 = ui::NewLabel(Frame1, "Label4", QStringLiteral("High:"), 2160, 240, 615, 255);
    Label6 = ui::NewLabel(Frame1, "Label6", {}, 2760, 240, 735, 255);
    Label21 = ui::NewLabel(Frame1, "Label21", QStringLiteral("Low:"), 3600, 240, 615, 255);
    Label11 = ui::NewLabel(Frame1, "Label11", {}, 4200, 240, 735, 255);
    Label34 = ui::NewLabel(Frame1, "Label34", {}, 5040, 240, 1455, 255);
    Label13 = ui::NewLabel(Frame1, "Label13", {}, 120, 600, 855, 255);
    Label26 = ui::NewLabel(Frame1, "Label26", QStringLiteral("Present:"), 1080, 600, 735, 255);
    Label19 = ui::NewLabel(Frame1, "Label19", {}, 1800, 600, 855, 255);
    Label5 =
        ui::NewLabel(Frame1, "Label5", QStringLiteral("First data point:"), 2760, 600, 1455, 255);
    Label2 = ui::NewLabel(Frame1, "Label2", {}, 4260, 600, 2235, 255);

    // The two diagnostic labels lie behind the picture box.
    Label3 = ui::NewLabel(client, "Label3", {}, 1200, 2880, 1455, 375);
    Label20 = ui::NewLabel(client, "Label20", {}, 960, 1920, 1215, 255);
    Label3->hide();
    Label20->hide();

    Picture1 = new PictureBox(client);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    ui::PlaceTwips(Picture1, 240, 1080, 8655, 4215);
    Label18 = ui::NewLabel(Picture1, "Label18", {}, 0, 0, 2655, 255);
    Label8 =
        ui::NewLabel(Picture1, "Label8", QStringLiteral("Vesto Logger"), 3120, 1800, 2895, 495);
    Label8->setFont(BannerFont());
    Label25 = ui::NewLabel(Picture1, "Label25", {}, 5040, 120, 900, 255);
    Label9 = ui::NewLabel(Picture1, "Label9", {}, 6000, 120, 1500, 255);
    Label10 = ui::NewLabel(Picture1, "Label10", {}, 5640, 360, 700, 255);
    Label10->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label12 = ui::NewLabel(Picture1, "Label12", {}, 6360, 360, 900, 255);
    for (QLabel* label : {Label18, Label8, Label25, Label9, Label10, Label12})
        label->setAttribute(Qt::WA_TransparentForMouseEvents);

    Frame2 = ui::NewControl<QGroupBox>(client, "Frame2", QStringLiteral("Displayed Graph"), 2640,
                                       5280, 3495, 735);
    Label33 = ui::NewLabel(Frame2, "Label33", QStringLiteral("Max:"), 120, 240, 495, 225);
    Label29 = ui::NewLabel(Frame2, "Label29", {}, 600, 240, 855, 225);
    Label32 = ui::NewLabel(Frame2, "Label32", QStringLiteral("Min:"), 1560, 240, 495, 225);
    Label30 = ui::NewLabel(Frame2, "Label30", {}, 2040, 240, 855, 225);
    Label27 = ui::NewLabel(Frame2, "Label27", QStringLiteral("Avg:"), 120, 480, 495, 225);
    Label31 = ui::NewLabel(Frame2, "Label31", {}, 600, 480, 855, 225);
    Label24 = ui::NewLabel(Frame2, "Label24", QStringLiteral("Points:"), 1560, 480, 615, 225);
    Label40 = ui::NewLabel(Frame2, "Label40", {}, 2160, 480, 1215, 225);

    // A screen reader reads each value with the caption beside it: "High: 200".
    const std::pair<QLabel*, QLabel*> captioned[] = {
        {Label6, Label4},   {Label11, Label21}, {Label19, Label26}, {Label2, Label5},
        {Label29, Label33}, {Label30, Label32}, {Label31, Label27}, {Label40, Label24}};
    for (const auto& [value, caption] : captioned) ui::NameValue(value, caption);

    Command2 = ui::NewControl<QPushButton>(client, "Command2", QStringLiteral("Unzoom"), 240, 5400,
                                           1455, 255);
    Command3 = ui::NewControl<QPushButton>(client, "Command3", QStringLiteral("Annotate"), 240,
                                           5760, 1455, 255);

    Label15 = ui::NewLabel(client, "Label15", {}, 6240, 5400, 2655, 225);
    ui::SetBackColor(Label15, kMagenta);
    Label14 = ui::NewLabel(client, "Label14", {}, 6240, 5640, 375, 255);
    Label14->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label17 = ui::NewLabel(client, "Label17", QStringLiteral("%"), 6600, 5640, 255, 255);
    Label16 = ui::NewLabel(client, "Label16", {}, 6840, 5640, 2055, 225);
    ui::SetBackColor(Label16, kYellow);
    ProgressBar1 = new QProgressBar(client);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ui::PlaceTwips(ProgressBar1, 6240, 5880, 2655, 255);
    Label41 = ui::NewLabel(client, "Label41", {}, 240, 6180, 8655, 255);
    ui::SetForeColor(Label41, QColor(160, 0, 0));

    // The design shows these at load until start-up hides them; nothing is on screen before.
    for (QWidget* w : std::initializer_list<QWidget*>{
             Frame2,   Label33,  Label32, Label27, Label24, Label29, Label30,      Label31, Label40,
             Command2, Command3, Label15, Label14, Label17, Label16, ProgressBar1, Label18, Label25,
             Label9,   Label10,  Label12, Label22, Label23, Label4,  Label6,       Label21, Label11,
             Label26,  Label19,  Label34, Label13, Label5,  Label2,  Label41})
        w->hide();
}

void Log1::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));

    fileMenu = makeMenu(bar, "mnuFile", {}, mnuFile);
    mnuSaveTXT = addItem(fileMenu, "mnuSaveTXT", QStringLiteral("Save As .TXT"));
    mnuOpen = addItem(fileMenu, "mnuOpen", QStringLiteral("Open"));
    recentMenu = new QMenu(QStringLiteral("Recent"), fileMenu);
    recentMenu->setObjectName(QStringLiteral("mnuRecent"));
    recentMenu->setToolTipsVisible(true);
    mnuRecent = fileMenu->addMenu(recentMenu);
    mnuRecent->setObjectName(QStringLiteral("mnuRecent"));
    mnuArchive = addItem(fileMenu, "mnuArchive", QStringLiteral("Open Archive Folder"));
    fileMenu->addSeparator();
    mnuPGraph = addItem(fileMenu, "mnuPGraph", QStringLiteral("Print Graph"));
    mnuPData = addItem(fileMenu, "mnuPData", QStringLiteral("Print Data"));
    mnuGClip = addItem(fileMenu, "mnuGClip", QStringLiteral("Graph to Clipboard"));
    fileMenu->addSeparator();
    mnuEvents = addItem(fileMenu, "mnuEvents", QStringLiteral("Events..."));
    mnuCurves = addItem(fileMenu, "mnuCurves", QStringLiteral("&Tolerance Curves..."));
    mnuReport = addItem(fileMenu, "mnuReport", QStringLiteral("&Site Report..."));
    mnuExportCSV = addItem(fileMenu, "mnuExportCSV", QStringLiteral("Export CSV..."));
    mnuSaveGraph = addItem(fileMenu, "mnuSaveGraph", QStringLiteral("Save Graph As..."));
    fileMenu->addSeparator();
    mnuLang = addItem(fileMenu, "mnuLang", QStringLiteral("Language"));
    fileMenu->addSeparator();
    voltRangeMenu = new QMenu(QStringLiteral("Voltage Range"), fileMenu);
    voltRangeMenu->setObjectName(QStringLiteral("mnuvoltrange"));
    mnuvoltrange = fileMenu->addMenu(voltRangeMenu);
    mnuvoltrange->setObjectName(QStringLiteral("mnuvoltrange"));
    mnu250v = addItem(voltRangeMenu, "mnu250v", QStringLiteral("250 Volt"));
    mnu500v = addItem(voltRangeMenu, "mnu500v", QStringLiteral("500 Volt"));
    mnu250v->setCheckable(true);
    mnu500v->setCheckable(true);
    fileMenu->addSeparator();
    mnuExit = addItem(fileMenu, "mnuExit", QStringLiteral("Exit"));

    mnuSetTime = addBarItem(bar, "mnuSetTime", QStringLiteral("&Time Set"));
    mnuDownload = addBarItem(bar, "mnuDownload", QStringLiteral("&Download"));
    mnuPort = addBarItem(bar, "mnuPort", QStringLiteral("&Port"));

    funcWenMenu = makeMenu(bar, "mnuFuncWEN", QStringLiteral("Fu&nction"), mnuFuncWEN);
    addItem(funcWenMenu, "mnuFuncWENBlank", {});
    mnudegF = addItem(funcWenMenu, "mnudegF", QStringLiteral("degF"));
    mnudegC = addItem(funcWenMenu, "mnudegC", QStringLiteral("degC"));
    mnuvolt = addItem(funcWenMenu, "mnuvolt", QStringLiteral("Volt"));
    mnuOhm = addItem(funcWenMenu, "mnuOhm", QStringLiteral("Ohm"));
    mnudegF->setCheckable(true);
    mnudegC->setCheckable(true);
    mnudegF->setChecked(true);

    funcTrelMenu = makeMenu(bar, "mnuFuncTREL", QStringLiteral("Fu&nction"), mnuFuncTREL);
    addItem(funcTrelMenu, "mnuFuncTRELBlank", {});
    func01 = addItem(funcTrelMenu, "func01", {});
    func02 = addItem(funcTrelMenu, "func02", {});
    func03 = addItem(funcTrelMenu, "func03", {});

    mnuSetup = addBarItem(bar, "mnuSetup", QStringLiteral("Set&up"));
    mnuScale = addBarItem(bar, "mnuScale", QStringLiteral("&Scale"));

    dateMenu = makeMenu(bar, "mnuDate", QStringLiteral("Date Fr&mt"), mnuDate);
    mnuUsa = addItem(dateMenu, "mnuUsa", QStringLiteral("USA"));
    mnuEur = addItem(dateMenu, "mnuEur", QStringLiteral("Europe"));
    mnuUsa->setCheckable(true);
    mnuEur->setCheckable(true);
    mnuUsa->setChecked(true);

    spacer1 = addBarItem(bar, "spacer1", {});
    spacer2 = addBarItem(bar, "spacer2", {});

    helpMenu = makeMenu(bar, "mnuHelp", QStringLiteral("&Help"), mnuHelp);
    mnuHelpAbout = addItem(helpMenu, "mnuHelpAbout", QStringLiteral("About"));

    connect(mnuExit, &QAction::triggered, this, [this] { close(); });
    connect(mnuHelpAbout, &QAction::triggered, this, [this] { showAbout(); });
}

void Log1::buildTimers() {
    // The dialogue's timers are the link's; the window watches Timer3 and Timer9 as well.
    Timer1 = Link->Timer1, Timer2 = Link->Timer2, Timer3 = Link->Timer3, Timer4 = Link->Timer4;
    Timer5 = Link->Timer5, Timer6 = Link->Timer6, Timer7 = Link->Timer7, Timer8 = Link->Timer8;
    Timer9 = Link->Timer9, Timer10 = Link->Timer10, Timer11 = Link->Timer11;
}

QList<QAction*> Log1::busyMenus() const {
    return {mnuFile, mnuSetTime, mnuDownload, mnuDate, mnuHelp, mnuPort, mnuSetup};
}

bool Log1::RecordLoaded() const {
    return ProgressBar1->value() == 100;
}

void Log1::Load() {
    // 1
    st.LimitsConfirmed = 1;
    st.RestartPending = 0;
    mnuSetup->setVisible(false);
    // 2
    for (QLabel* label : {Label4, Label6, Label21, Label11, Label19, Label26}) label->hide();
    // 3: the reference clock's fields start at the computer's time.
    const ui::DateParts now = ui::PartsFromSerial(ui::Now());
    st.ClockMonth = static_cast<qint16>(now.month);
    st.ClockDay = static_cast<qint16>(now.day);
    st.ClockYear = static_cast<qint16>(now.year);
    st.ClockHour = static_cast<qint16>(now.hour);
    st.ClockMinute = static_cast<qint16>(now.minute);
    st.ClockSecond = static_cast<qint16>(now.second);
    // 4
    st.FunctionUnitName = QStringLiteral("V");
    st.UnitName = QStringLiteral("V");
    st.ClockSet = 0;
    // 5: the language dialog's OK button needs a caption before any language is chosen.
    st.LangText[120][0] = QStringLiteral("OK");
    // 6
    st.GraphFontName = QStringLiteral("Arial");
    st.PrintFontName = QStringLiteral("Arial");
    st.GraphFontSize = 9;
    st.TitleFontSize = 12;
    st.FooterFontSize = 8;
    st.PrintFontSize = 10;
    st.PrintTitleFontSize = 14;
    // 7
    Picture2->show();
    Label28->setFont(QFont(QStringLiteral("Arial"), 10));
    Label8->setFont(BannerFont());
    Label8->setText(st.Text(68));
    setWindowTitle(st.Text(1));
    Label28->setText(st.Text(68));
    // 8
    SetUsDatePatterns(st);
    // 9
    mnuFuncWEN->setVisible(false);
    mnuFuncTREL->setVisible(false);
    mnuScale->setVisible(false);
    // 10
    Command2->hide();
    Command3->hide();
    // 11
    Picture1->Shape1()->hide();
    ProgressBar1->hide();
    Label1->hide();
    // 12
    Label19->clear();
    Label21->clear();
    for (QLabel* label :
         {Label19, Label21, Label14, Label13, Label9, Label25, Label10, Label12, Label22, Label23})
        label->hide();
    // 13
    for (QWidget* w :
         std::initializer_list<QWidget*>{Label18, Label24, Label32, Label33, Label27, Label40,
                                         Label29, Label30, Label31, Frame2, Label34})
        w->hide();
    // 14
    st.FunctionScale = 1;
    st.FunctionCode = 1;
    for (QAction* item : {mnuSaveTXT, mnuPGraph, mnuPData, mnuGClip}) item->setEnabled(false);
    // 15: a read returns every waiting byte; a whole bank of 32720 bytes fits the buffer.
    MSComm1->setInputLen(0);
    MSComm1->setInBufferSize(32760);
    // 16
    if (procedures.LoadLanguageAndSettings) procedures.LoadLanguageAndSettings();
    // 17: the logger only talks at 4800 baud, whatever the settings file says.
    st.BaudRate = 4800;
    // 18
    mnudegF->setChecked(st.FahrenheitFlag == 1);
    mnudegC->setChecked(st.FahrenheitFlag == 0);
    // 19
    if (st.VoltageRange != QLatin1String("500 Volt")) {
        mnu250v->setChecked(true);
        mnu500v->setChecked(false);
        st.VoltageRange = QStringLiteral("250 Volt");
    } else {
        mnu250v->setChecked(false);
        mnu500v->setChecked(true);
    }
    Label1->setText(st.VoltageRange);
    Label1->show();
    Label1->repaint();
    // 20
    MSComm1->setSettings(st.BaudRate == 4800 ? QStringLiteral("4800,N,8,2")
                                             : QStringLiteral("1200,N,8,2"));
    // 21
    if (!(st.LanguageIndex >= 1 && st.LanguageIndex <= kLanguages)) {
        if (procedures.ShowLanguageDialog) procedures.ShowLanguageDialog();
    }
    // 22
    if (procedures.ApplyCaptions) procedures.ApplyCaptions();
    // 23
    if (st.UsDateFormat == 1) {
        if (procedures.mnuUsa_Click) procedures.mnuUsa_Click();
    } else {
        if (procedures.mnuEur_Click) procedures.mnuEur_Click();
    }
    st.DateOrder = st.UsDateFormat == 1 ? QStringLiteral("US") : QStringLiteral("Eur");
    // 24
    const double language = st.LanguageIndex;
    if (language >= 0 && language <= kLanguages)
        st.HelpFileName = st.LangHelpFile[static_cast<size_t>(language)];
    // 25: from here on the timers fire.
    Link->start();
    // 26
    Label15->clear();
    Label16->clear();
    for (QLabel* label : {Label15, Label16, Label17, Label2, Label5}) label->hide();
    // 27
    st.LinkStarted = 0;
    // 28: where the user left the window, else at three quarters of the screen; the layout rule
    // places the controls for that size as for any other.
    const QSize design(ui::TwipsToPixels(9195),
                       ui::TwipsToPixels(6555) + menuBar()->sizeHint().height());
    if (RestoreWindowPlace(*this, kWindowName, design, 0.75))
        showMaximized();
    else
        show();
}

void Log1::ApplyLayout() {
    const double W = ui::PixelsToTwips(width());
    const double H = ui::PixelsToTwips(height());
    const int pictureWidth = ui::TwipsToPixels(0.95 * W);
    const int pictureHeight = ui::TwipsToPixels(0.62 * H);
    Picture1->resize(pictureWidth, pictureHeight);
    const int command2Top = ui::TwipsToPixels(0.8 * H);
    Command2->move(Command2->x(), command2Top);
    Command3->move(Command3->x(), command2Top + ui::TwipsToPixels(360));
    Frame2->move(Frame2->x(), command2Top);
    Label15->move(Label15->x(), command2Top);
    const int label14Top = Label15->y() + ui::TwipsToPixels(240);
    Label14->move(Label14->x(), label14Top);
    Label16->move(Label16->x(), label14Top);
    Label17->move(Label17->x(), label14Top);
    ProgressBar1->move(ProgressBar1->x(), label14Top + ui::TwipsToPixels(240));
    Label41->move(Label41->x(), ProgressBar1->y() + ui::TwipsToPixels(300));
    Label15->repaint();
    Label14->repaint();
    ProgressBar1->repaint();
}

void Log1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    ApplyLayout();
    if (RecordLoaded() && procedures.DrawGraph) procedures.DrawGraph();
}

namespace {

// The one local file a drag brings; empty for several files, a web address or text.
QString DroppedFile(const QMimeData* data) {
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    return urls.size() == 1 && urls.first().isLocalFile() ? urls.first().toLocalFile() : QString();
}

} // namespace

// A file is taken whenever File > Open could be chosen: not while a download, a drawing or a
// printout holds the menus.
void Log1::dragEnterEvent(QDragEnterEvent* event) {
    if (mnuFile->isEnabled() && !DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Log1::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (!mnuFile->isEnabled() || path.isEmpty()) return;
    event->acceptProposedAction();
    emit fileDropped(path);
}

void Log1::closeEvent(QCloseEvent* event) {
    if (ended_) {
        event->accept();
        return;
    }
    // Unsaved data: a record is loaded (or partly) and the whole of it was never saved.
    if (ProgressBar1->value() != 0 && st.DataSaved != 1) {
        const ui::Answer answer =
            ui::MsgBox(st.Text(143), ui::Buttons::OkCancel, ui::Icon::Critical, st.Text(74), 2);
        if (answer == ui::Cancel) {
            event->ignore();
            return;
        }
    }
    if (procedures.WriteSettingsFile) procedures.WriteSettingsFile();
    KeepWindowPlace(*this, kWindowName);
    ended_ = true;
    Link->stop();
    for (QTimer* timer : findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly))
        timer->stop();
    MSComm1->setPortOpen(false);
    for (QWidget* child : findChildren<QDialog*>(QString(), Qt::FindDirectChildrenOnly))
        child->hide();
    event->accept();
    emit ended();
}

void Log1::showAbout() {
    ui::RunModal(FormOf<about2>(*this));
}

void BeginBusy(Log1& w) {
    ui::SetPointer(ui::Pointer::Hourglass);
    for (QAction* menu : w.busyMenus()) menu->setEnabled(false);
}

void EndBusy(Log1& w) {
    ui::SetPointer(ui::Pointer::Default);
    for (QAction* menu : w.busyMenus()) menu->setEnabled(true);
}
