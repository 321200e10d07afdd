#pragma once
// The language file and string table, the language dialog, captions and date formats.

class Log1;

// Reads the language file, then the settings file, then opens the serial port.
void LoadLanguageAndSettings(Log1& w);
// Shows the language dialog modally.
void ShowLanguageDialog(Log1& w);
// Puts the texts of the chosen language on every window.
void ApplyCaptions(Log1& w);
// The two date-format commands.
void mnuUsa_Click(Log1& w);
void mnuEur_Click(Log1& w);
