#pragma once
// The program's command line: --help, --version and an optional record file to open once the
// window is up (what a file manager's "Open with" passes).

#include <QString>

class QCoreApplication;

struct CommandLine {
    QString recordFile; // absolute; empty when none was given
};

// --help and --version print their text on standard output and end the program, before any
// application object of the caller's exists (so without a display, and without the warnings a
// window system may give on starting).
void AnswerInformationOptions(int argc, char** argv);

// An unknown option or a second file prints the reason and ends the program with status 1.
CommandLine ParseCommandLine(const QCoreApplication& app);
