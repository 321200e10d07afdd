#pragma once
// Language strings of the download archive and the Recent menu. They follow the strings of the
// other commands in the language file; kept together here so a renumbering touches one place.

// "&Recent", the File menu's list of recent records.
inline constexpr int kRecentCaption = 187;
// "Open Archive &Folder".
inline constexpr int kArchiveFolderCaption = 188;
// One entry of the Recent menu: logger number, date and time, number of readings.
inline constexpr int kRecentEntry = 189;
// "%1 (partial)": an entry whose download ended before the last bank.
inline constexpr int kRecentPartial = 190;
// The one greyed-out entry of an empty Recent menu.
inline constexpr int kRecentNone = 191;
// "%1 is no longer there ...": a Recent entry whose file is gone.
inline constexpr int kRecentGone = 192;
// The status line when a download cannot be archived, with the reason.
inline constexpr int kArchiveFailed = 193;
// The archive folder could not be shown in a file manager.
inline constexpr int kArchiveFolderNotShown = 194;
// Added to the message of a download given up: the readings kept, then the file.
inline constexpr int kPartialKept = 195;
