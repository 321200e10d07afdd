#pragma once
// The settings file written at the end of a run.

class Log1;

// Writes the settings file at the end of a run. The file is replaced whole or not at all; when it
// cannot be written the user is told, and the run ends anyway.
void WriteSettingsFile(Log1& w);
