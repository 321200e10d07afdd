#pragma once
// The language file and string table, the language dialog, captions and date formats.

class Log1;

// Reads the language file, then the settings file, then opens the serial port. A damaged file is
// reported (a damaged language file gives way to the built-in one). A failure on the way ends the
// sequence: an unavailable port is reported and the port dialog shown; any other failure falls
// back to COM1.
void LoadLanguageAndSettings(Log1& w);
// Shows the language dialog modally.
void ShowLanguageDialog(Log1& w);
// The Language menu command: the dialog, then the captions of the language chosen.
void mnuLang_Click(Log1& w);
// Puts the texts of the chosen language on every window.
void ApplyCaptions(Log1& w);
// The two date-format commands: patterns, beep, redraw, flag and check marks.
void mnuUsa_Click(Log1& w);
void mnuEur_Click(Log1& w);
// Sounds the system beep while a logger answers and no record transfer runs.
void AttentionBeep(Log1& w);
