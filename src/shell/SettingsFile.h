#pragma once
// The settings file loggerx.ini: the user's choices from one run to the next.

class Log1;

// Writes the settings file at the end of a run.
void WriteSettingsFile(Log1& w);
