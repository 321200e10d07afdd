#pragma once
// Numbers of the language strings that the events window, the CSV export, the graph image, the
// download archive, the Recent menu, the tolerance curves, the site report and the names for
// screen readers use (see share/loglango.txt). Everything refers to them by these names, so
// moving a string to another number is a change of one line here.

namespace str {

constexpr int kMenuEvents = 163;     // "&Events..."
constexpr int kMenuExportCsv = 164;  // "Export CS&V..."
constexpr int kMenuSaveGraph = 165;  // "Save &Graph As..."
constexpr int kEventsTitle = 166;    // "Events"
constexpr int kEventCount = 167;     // "Events:"
constexpr int kTimeRecorded = 168;   // "Time recorded:"
constexpr int kLongest = 169;        // "Longest:"
constexpr int kLowest = 170;         // "Lowest:"
constexpr int kHighest = 171;        // "Highest:"
constexpr int kColumnNumber = 172;   // "No."
constexpr int kColumnEnd = 173;      // "End"
constexpr int kColumnDuration = 174; // "Duration"
constexpr int kColumnLimits = 175;   // "Limits"
constexpr int kAboveHigh = 176;      // "above High"
constexpr int kBelowLow = 177;       // "below Low"
constexpr int kAboveAndBelow = 178;  // "above and below"
constexpr int kBetween = 179;        // "between"
constexpr int kExportButton = 180;   // "&Export..."
constexpr int kPrintButton = 181;    // "&Print..."
constexpr int kCloseButton = 182;    // "Close"
constexpr int kPage = 183;           // "Page %1"
constexpr int kNoRecord = 184;       // there is no record in memory
constexpr int kNotWritten = 185;     // %1 (file) could not be written (%2, why)
constexpr int kTooShortToZoom = 186; // an event of fewer than three readings

// Strings of the earlier commands that the new ones show as well.
constexpr int kStart = 58;                     // "Start: " (column caption without its colon)
constexpr int kPoints = 19;                    // "Points": the readings of an event
constexpr int kMax = 46, kMin = 47, kAvg = 48; // "Max:", "Min:", "Avg:"
constexpr int kMessageTitle = 54;              // title of the file and print messages
constexpr int kConfirmTitle = 74;              // "Please confirm"
constexpr int kReplaceFile = 144;              // a file with this name already exists: replace it?

// The download archive, the Recent menu and a download cut by a line that went away.
constexpr int kLineLostKept = 159;          // "... after %1 of the %2 bytes it announced. The
constexpr int kLineLost = 160;              //  record in memory has not changed." / without it
constexpr int kRecentCaption = 187;         // "&Recent"
constexpr int kArchiveFolderCaption = 188;  // "Open Archive &Folder"
constexpr int kRecentEntry = 189;           // an entry: logger number, date and time, readings
constexpr int kRecentPartial = 190;         // "%1 (partial)": a download that ended early
constexpr int kRecentNone = 191;            // the greyed-out entry of an empty list
constexpr int kRecentGone = 192;            // "%1 is no longer there ..."
constexpr int kArchiveFailed = 193;         // the status line when a download cannot be kept
constexpr int kArchiveFolderNotShown = 194; // no file manager showed the archive folder
constexpr int kPartialKept = 195;           // the readings kept from a download given up, the file

// The nominal voltage, the tolerance curves and their chart.
constexpr int kMenuCurves = 196;       // "Tolerance &Curves..."
constexpr int kCurvesTitle = 197;      // "Tolerance Curves"
constexpr int kNominal = 198;          // "Nominal voltage:"
constexpr int kAbove110 = 199;         // "Above 110 % of nominal:"
constexpr int kBelow90 = 200;          // "Below 90 % of nominal:"
constexpr int kWithin = 201;           // ITIC regions: "within", "no-damage", "prohibited"
constexpr int kInside = 204;           // SEMI F47: "inside", "outside", "not covered"
constexpr int kSaveAsButton = 207;     // "&Save As..."
constexpr int kLegendWithin = 208;     // "Within the curves: %1", then the two other regions
constexpr int kLegendSemi = 211;       // "SEMI F47 (dashed): %1 inside, %2 outside, ..."
constexpr int kLegendResolution = 212; // the curves below 0.1 s cannot be shown
constexpr int kAxisDuration = 213;     // "Duration (s)"
constexpr int kPercentOfNominal = 214; // "% of nominal"
constexpr int kNoNominal = 215;        // "This record is in %1, not in volts. ..."
constexpr int kBadNominal = 216;       // "%1 is not a nominal voltage. Type ... %2 to %3 V ..."
constexpr int kNominalNotKept = 217;   // the choice holds for this run only: %1 not written

// The site report.
constexpr int kMenuReport = 218;    // "&Site Report..."
constexpr int kReportTitle = 219;   // "Site Report"
constexpr int kReportAsPdf = 220;   // save as PDF (Yes) or print (No)?
constexpr int kPageOf = 221;        // "Page %1 of %2"
constexpr int kReportMade = 222;    // "Report made %1"
constexpr int kUnit = 223;          // "Unit:"
constexpr int kRange = 224;         // "Range:"
constexpr int kHighLimit = 225;     // "High limit:", then "Low limit:"
constexpr int kTimeSpan = 227;      // "Time span:"
constexpr int kEventsBySide = 228;  // "Events by side:"
constexpr int kTimeAboveHigh = 229; // "Time above High:", "Time below Low:", "Time between ..."
constexpr int kWritingReport = 232; // "Writing the report..."
constexpr int kFirstDataPoint = 17; // "First data point:", then "Last data point:"
constexpr int kLoggerNo = 146;      // "Logger No: "
constexpr int kPointsColon = 149;   // "Points: "
constexpr int kProgramName = 1;     // "Vesto Logger"

// What screen readers say of controls whose caption alone does not tell.
constexpr int kStoredReadings = 233; // "Stored readings": the logger's count in the panel
constexpr int kLoggerStatus = 234;   // "Logger status": the panel of the logger's state
constexpr int kAnnotateTells = 235;  // what Annotate is for
constexpr int kEventListKeys = 236;  // Enter zooms, Ctrl+C copies, in the events list
constexpr int kClockFieldKeys = 237; // the arrow keys change a field of the clock dialog

// A download stopped, and the command-line tool.
constexpr int kDownloadStopped = 238; // "The download was stopped after %1 of the %2 bytes ..."
constexpr int kCliNoAnswer = 239;     // "No logger answers on %1. ..."
constexpr int kCliCannotOpen = 240;   // "%1 cannot be opened: %2. ...", %2 one of the next two
constexpr int kCliNotThere = 241;     // "the device is not there"
constexpr int kCliInUse = 242;        // "another program holds it, or you may not use it ..."
constexpr int kCliBank = 243;         // "Bank %1 of %2 received: %3 bytes"
constexpr int kCliProgress = 244;     // "%1 %  %2 of %3 bytes  %4 left"
constexpr int kCliDownloaded = 245;   // "%1 readings downloaded from logger No. %2."
constexpr int kCliArchived = 246;     // "Kept in the archive as %1."
constexpr int kCliWritten = 247;      // "Written to %1."
constexpr int kCliEmpty = 248;        // the logger holds no readings
constexpr int kCliWouldSetUp = 249;   // what setup would write without --yes
constexpr int kCliSetUp = 250;        // the new limits written and the logger restarted
constexpr int kCliNotTaken = 251;     // the logger did not take the new limits
constexpr int kCliNoSetup = 252;      // a logger of another type than 80
constexpr int kCliBadClock = 253;     // "%1 is not a time. Give it as YYYY-MM-DD hh:mm:ss."
constexpr int kCliBadNominal = 254;   // "%1 is not a nominal voltage. Give one from %2 to %3 V."
constexpr int kCliUsage = 255;        // "%1. See vesto-cli %2 --help."
constexpr int kCliDetected = 256;     // "Detected serial devices:"
constexpr int kCliNoDevices = 257;    // "(none)"
constexpr int kCliRecording = 258;    // "Recording:"
constexpr int kCliPort = 259;         // "Port:"

} // namespace str
