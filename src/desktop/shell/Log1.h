#pragma once
// The main window: menu bar, live logger status panel, the graph's picture box, the statistics
// panel, the Unzoom and Annotate buttons, the download progress area, the eleven timers of the
// dialogue with the logger and the serial port. It owns no data of its own: everything lives in
// the AppState it is given. Each control is a member with its design name, and its objectName is
// that same name.

#include "shell/AppState.h"

#include <QMainWindow>
#include <functional>

class LoggerLink;
class LogoBox;
class MSComm1;
class PictureBox;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QTimer;

class Log1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Log1(AppState& state, QWidget* parent = nullptr);
    ~Log1() override;

    AppState& st;

    // Procedures of the other parts of the program that start-up, resizing and closing call.
    // The wiring in app/ fills them in; an unset one does nothing.
    struct Procedures {
        std::function<void()> LoadLanguageAndSettings;
        std::function<void()> ShowLanguageDialog;
        std::function<void()> ApplyCaptions;
        std::function<void()> mnuUsa_Click;
        std::function<void()> mnuEur_Click;
        std::function<void()> DrawGraph;
        std::function<void()> WriteSettingsFile; // returns after reporting any failure itself
    } procedures;

    // The start-up sequence; runs once, before the window is first shown (it shows it last).
    void Load();
    // The record-loaded test: a record is in memory when ProgressBar1 shows exactly 100.
    bool RecordLoaded() const;
    // Applies the layout rule for the window's present size.
    void ApplyLayout();

    // ---- Controls on the window --------------------------------------------------------------
    LogoBox* Picture2;
    QLabel* Label28;
    QLabel* Label1;
    QGroupBox* Frame1;
    PictureBox* Picture1;
    QLabel* Label3;
    QLabel* Label20;
    QGroupBox* Frame2;
    QPushButton* Command2;
    QPushButton* Command3;
    QLabel* Label15;
    QLabel* Label14;
    QLabel* Label17;
    QLabel* Label16;
    QProgressBar* ProgressBar1;
    QLabel* Label41; // status line: a download that could not be archived

    // Inside Picture1.
    QLabel* Label18;
    QLabel* Label8;
    QLabel* Label25;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label12;

    // Inside Frame1: the live status of the logger.
    QLabel* Label22; // readings held by the logger
    QLabel* Label23; // "points"
    QLabel* Label4;  // "High:"
    QLabel* Label6;
    QLabel* Label21; // "Low:"
    QLabel* Label11;
    QLabel* Label26; // "Present:"
    QLabel* Label19;
    QLabel* Label34; // recording mode
    QLabel* Label13; // port
    QLabel* Label5;  // "First data point:"
    QLabel* Label2;

    // Inside Frame2: statistics of the displayed graph.
    QLabel* Label33; // "Max:"
    QLabel* Label32; // "Min:"
    QLabel* Label27; // "Avg:"
    QLabel* Label24; // "Points:"
    QLabel* Label29;
    QLabel* Label30;
    QLabel* Label31;
    QLabel* Label40;

    // ---- Menus (each item and each menu is a QAction named after it) ------------------------
    QMenu* fileMenu;
    QAction* mnuFile;
    QAction* mnuSaveTXT;
    QAction* mnuOpen;
    QMenu* recentMenu;
    QAction* mnuRecent;
    QAction* mnuArchive;
    QAction* mnuPGraph;
    QAction* mnuPData;
    QAction* mnuGClip;
    QAction* mnuEvents;
    QAction* mnuCurves;
    QAction* mnuReport;
    QAction* mnuExportCSV;
    QAction* mnuSaveGraph;
    QAction* mnuLang;
    QMenu* voltRangeMenu;
    QAction* mnuvoltrange;
    QAction* mnu250v;
    QAction* mnu500v;
    QAction* mnuExit;
    QAction* mnuSetTime;
    QAction* mnuDownload;
    QAction* mnuPort;
    QMenu* funcWenMenu;
    QAction* mnuFuncWEN;
    QAction* mnudegF;
    QAction* mnudegC;
    QAction* mnuvolt;
    QAction* mnuOhm;
    QMenu* funcTrelMenu;
    QAction* mnuFuncTREL;
    QAction* func01;
    QAction* func02;
    QAction* func03;
    QAction* mnuSetup;
    QAction* mnuScale;
    QMenu* dateMenu;
    QAction* mnuDate;
    QAction* mnuUsa;
    QAction* mnuEur;
    QAction* spacer1;
    QAction* spacer2;
    QMenu* helpMenu;
    QAction* mnuHelp;
    QAction* mnuHelpAbout;

    // ---- The dialogue with the logger --------------------------------------------------------
    // The link runs it; its port and timers are the window's controls of the design.
    LoggerLink* Link;
    QTimer* Timer1;
    QTimer* Timer2;
    QTimer* Timer3;
    QTimer* Timer4;
    QTimer* Timer5;
    QTimer* Timer6;
    QTimer* Timer7;
    QTimer* Timer8;
    QTimer* Timer9;
    QTimer* Timer10;
    QTimer* Timer11;
    ::MSComm1* MSComm1;

    // The seven menus that long operations disable.
    QList<QAction*> busyMenus() const;

signals:
    // The close request was accepted: settings written, timers stopped, port released.
    void ended();
    // A download or an opened file has taken the place of the record in memory.
    void recordReplaced();
    // The date order was chosen: every date and time pattern was set anew.
    void datePatternsChanged();
    // A nominal voltage was chosen for the record's logger.
    void nominalChanged();
    // A file was dragged from a file manager and dropped on the window, to be opened.
    void fileDropped(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void buildTimers();
    void showAbout();
    bool ended_ = false;
};

// Hourglass pointer and the seven menus of the busy set disabled; EndBusy undoes both, whatever
// was called before (the two do not nest).
void BeginBusy(Log1& w);
void EndBusy(Log1& w);

// A dialog of the main window: created hidden on first use (running its own set-up once), then
// the same object every time.
template <class Form> Form& FormOf(Log1& w) {
    if (auto* form = w.findChild<Form*>(QString(), Qt::FindDirectChildrenOnly)) return *form;
    return *new Form(w);
}
