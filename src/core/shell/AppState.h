#pragma once
// Every value that outlives one event: created once in main(), handed by reference to every
// window and procedure. Only the user-interface thread touches it, one event at a time.
//
// Kinds of values:
//   Number    a double that may be empty (empty acts as 0 and formats as empty text)
//   qint16    the logger's 16-bit integers and flags (0/1)
//   float     single precision (the record's values, as the logger's resolution needs no more)
//   QString   texts, empty at the start
//   double    date-times: day serials (ui/DateSerial.h)
// The initialisers below are the values every field holds when the program starts.

#include "shell/RecordArrays.h"
#include "ui/DateSerial.h"
#include "ui/Number.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>

// A value read from the settings file's probe section: a number, a text, or nothing.
struct TextOrNumber {
    enum class Kind { Empty, Number, Text };
    Kind kind = Kind::Empty;
    double number = 0.0;
    QString text;

    static TextOrNumber fromNumber(double v) { return {Kind::Number, v, {}}; }
    static TextOrNumber fromText(const QString& t) { return {Kind::Text, 0.0, t}; }
    bool operator==(const TextOrNumber&) const = default;
};

constexpr int kLanguageStrings = 400; // string numbers 1..400 (0 unused)
constexpr int kLanguages = 8;         // languages 1..8 (0 = none chosen)

struct AppState {
    // ---- Record storage: the whole record and the displayed window -------------------------
    RecordArray<float> RecordValue;
    RecordArray<double> RecordTime;
    Number RecordCount;
    RecordArray<double> DisplayValue;
    RecordArray<double> DisplayTime;
    Number DisplayCount;
    RecordArray<double> ZoomValueBuf;
    RecordArray<double> ZoomTimeBuf;
    BankArray<double> BlockValue; // one decoded bank, from index 1
    BankArray<double> BlockTime;

    // ---- Record description and identity --------------------------------------------------
    QString GraphTitle;
    QString DescriptionLine2, DescriptionLine3, DescriptionLine4, DescriptionLine5,
        DescriptionLine6, DescriptionLine7;
    Number DescriptionChanged;
    QString FileKind;
    Number LoggerNumber;
    QString UnitName = QStringLiteral("V");
    Number UnitCode;
    Number ProbeScale;
    Number HighLimitValue, LowLimitValue;
    qint16 DataFromFile = 0;
    QString OpenFileName;
    QString SaveFileName;
    Number DataSaved;
    // DataSaved of the record in memory when a transfer began: a transfer given up leaves that
    // record, and with it the answer to whether it was saved.
    Number DataSavedBeforeTransfer;
    qint16 ViewSaved = 0;
    // 1 once the status line has told that a download could not be archived.
    qint16 ArchiveFailureShown = 0;
    Number ReopenPending;

    // ---- Channel function, units and range -------------------------------------------------
    Number FunctionCode = 1;
    QString FunctionUnitName = QStringLiteral("V");
    Number FunctionScale = 1;
    std::array<QString, 41> FunctionUnitNames;
    Number FahrenheitFlag;
    QString VoltageRange;
    // Probe constants, rows 1..11 of index 0..12.
    std::array<TextOrNumber, 13> ProbeTableA, ProbeTableB, ProbeTableC, ProbeTableD;
    // Probe interpolation rows: ProbeRowsA[k] is ProbeRowsA1..A8 for k = 0..7, index 0..30.
    std::array<std::array<TextOrNumber, 31>, 8> ProbeRowsA, ProbeRowsB;

    // ---- Nominal voltage ------------------------------------------------------------------------
    // The nominal chosen in this run for the logger numbered NominalLogger (empty: none chosen).
    // It holds for the rest of the run even when the settings file could not keep it.
    Number NominalVoltage, NominalLogger;

    // ---- Serial link and dialogue with the logger ------------------------------------------
    qint16 CommPort = 0;
    Number BaudRate = 4800;
    Number PortReady;
    Number LinkState = 0; // 0 idle, 1 status exchange, 2 record transfer
    Number LinkSuspended = 0;
    Number LinkStarted = 0;
    qint16 StatusPhase = 0; // 0 waiting for the acknowledge byte, 1 for the status record
    qint16 PollMisses = 0;
    qint16 StatusFresh = 0;
    qint16 LoggerOnline = 0;
    qint16 DownloadRequested = 0;
    qint16 Transferring = 0;
    Number TransferSeconds;

    // ---- Logger status and transfer plan (from the last status record) ---------------------
    Number ClockByte0, ClockByte1, ClockByte2, ClockByte3;
    Number LoggerElapsed; // logger clock in days
    double DownloadStart = 0.0;
    // Where the computer's UTC offset changed while the logger ran: readings before a change are
    // shown at the wall time they were taken at, not an hour off.
    ui::WallShifts DownloadShifts;
    Number LoggerType;
    qint16 StatusFlags = 0;
    std::array<qint16, 9> StatusBits{};
    Number PresentShown;
    Number StatusLoggerNumber, ShownLoggerNumber;
    Number CurrentBlockFlag;
    Number WrapCount;
    Number WritePointer;
    Number BlockCount;
    Number LoggerRecordCount;
    qint32 DownloadBytes = 0;
    Number BankCount;
    std::array<Number, 4> BankBytes, BankBlockCounts, BankRecordCounts; // entries 1..3
    Number BankReceiving;
    QByteArray BankData1, BankData2, BankData3;
    // Bytes read with an answer that belong to what follows it (the status record or a bank
    // that came in the same read as the acknowledge or as the previous bank).
    QByteArray ReceivedAhead;
    QByteArray DownloadBuffer;
    Number BankIndex;

    // ---- Limits and logger setup ------------------------------------------------------------
    Number LimitHigh, LimitLow;
    Number LimitMode; // 1 records between High and Low, 2 above High or below Low
    Number SavedHigh, SavedLow, SavedMode;
    Number LimitsConfirmed = 1;
    Number RestartPending = 0;
    Number SetupOpen;

    // ---- Reference clock ----------------------------------------------------------------------
    qint16 ClockMonth = 0, ClockDay = 0, ClockYear = 0, ClockHour = 0, ClockMinute = 0,
           ClockSecond = 0;
    QString ClockTimeText;
    Number ClockOffset; // computer time minus reference time, in days
    qint16 ClockSet = 0;
    qint16 ClockFromMenu = 0;
    qint16 DownloadCancelled = 0;

    // ---- Graph, zoom and output ---------------------------------------------------------------
    qint16 Zoomed = 0;
    Number AxisMin, AxisMax;
    double ZoomTimeFrom = 0.0, ZoomTimeTo = 0.0;
    Number ZoomFirst, ZoomLast;
    Number DragValueTop, DragValueBottom;
    qint16 DragActive = 0;
    float DragStartX = 0.0f, DragStartY = 0.0f;
    // What the last drawing of the graph left for the zoom and the printout.
    double PlotLeft = 0, PlotWidth = 0, PlotTop = 0, PlotHeight = 0, RightMargin = 0,
           BottomMargin = 0;
    double AxisBottom = 0, AxisTop = 0, ValueStep = 0;
    int ValueDivisions = 0;
    QString ValueLabelFormat, ValueReadoutFormat;
    double TimeLabelSeconds = 0, TimeLabelDays = 0;
    int TimeSubdivisions = 0;
    QString TimeLabelFormat;
    double FirstTimeLabel = 0, LastTimeLabel = 0;
    double StatMin = 0, StatMax = 0, StatAvg = 0;
    QString GraphFontName = QStringLiteral("Arial");
    QString PrintFontName = QStringLiteral("Arial");
    Number GraphFontSize = 9, TitleFontSize = 12, FooterFontSize = 8;
    Number PrintFontSize = 10, PrintTitleFontSize = 14;
    qint16 SaveScope = 0; // 0 entire record, 1 displayed graph only
    Number SaveCancelled;
    qint16 PrintScope = 0;
    Number PrintCancelled;
    Number PrintGraphAnswer;

    // ---- Language and display formats ----------------------------------------------------------
    // LangText[s][l]: string s (0..400) of language l (0..8); language 0 is used while none is
    // chosen and holds only string 120, "OK".
    std::array<std::array<QString, kLanguages + 1>, kLanguageStrings + 1> LangText;
    Number LanguageIndex;
    qint16 LanguageCount = 0;
    std::array<QString, kLanguages + 1> LangName, LangHelpFile;
    QString HelpFileName;
    Number UsDateFormat;
    QString DateOrder = QStringLiteral("US");
    QString DateTimeFormatLong = QStringLiteral("mm/dd/yy hh:mm:ss am/pm");
    QString DateTimeFormatShort = QStringLiteral("m/d/yy hh:mm:ss am/pm");
    QString DateFormat = QStringLiteral("m/d/yy");
    QString TimeFormatSec = QStringLiteral("hh:mm:ss am/pm");
    QString TimeFormatMin = QStringLiteral("h:mm am/pm");
    QString TimeFormatHour = QStringLiteral("h am/pm");

    // Language string s in the language in use (the first language while none is chosen);
    // empty for numbers outside the table.
    QString Text(int s) const;
};
