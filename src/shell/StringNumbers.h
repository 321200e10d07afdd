#pragma once
// Numbers of the language strings that the events window, the CSV export, the graph image, the
// download archive, the Recent menu and the names for screen readers use (see
// share/loglango.txt). Everything refers to them by these names, so moving a string to another
// number is a change of one line here.

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

// What screen readers say of controls whose caption alone does not tell.
constexpr int kStoredReadings = 196; // "Stored readings": the logger's count in the panel
constexpr int kLoggerStatus = 197;   // "Logger status": the panel of the logger's state
constexpr int kAnnotateTells = 198;  // what Annotate is for
constexpr int kEventListKeys = 199;  // Enter zooms, Ctrl+C copies, in the events list
constexpr int kClockFieldKeys = 200; // the arrow keys change a field of the clock dialog

} // namespace str
