#pragma once
// The program's command line: --help, --version and an optional record file to open once the
// window is up (what a file manager's "Open with" passes).

#include <QString>

class QCoreApplication;

struct CommandLine {
    QString recordFile; // absolute; empty when none was given
};

// --help and --version print their text and end the program, as every Qt program does; an
// unknown option or a second file prints the reason and ends it with status 1.
CommandLine ParseCommandLine(const QCoreApplication& app);
