#pragma once
// Where the program finds its settings file (loggerx.ini) and its language file (loglango.txt).
//
// A working directory that holds either file is the program's own folder, as it has always been:
// the settings are read there and written back there. Started anywhere else (from the desktop
// menu, say), the program keeps its settings in the per-user settings folder, the first time a
// copy of the installed default. The language file is the one in the working directory, else
// the installed one, else the copy built into the program.

#include <QString>

inline constexpr const char* kSettingsFileName = "loggerx.ini";
inline constexpr const char* kLanguageFileName = "loglango.txt";
// The program's own settings beyond what loggerx.ini has room for (the device each COM option
// stands for, say), kept beside it so that loggerx.ini stays as other programs know it.
inline constexpr const char* kProgramSettingsFileName = "vesto-logger.conf";

struct FileFolders {
    QString work;      // the working directory
    QString user;      // the per-user settings folder
    QString installed; // the installed data folder, which may not exist (a build tree)
};

struct FileLocations {
    QString settings; // read at start-up, written at close
    QString language; // empty: the copy built into the program
    QString seed;     // copied to `settings` before its first use; empty: none to copy
};

// The folders of this run: the working directory, QStandardPaths::AppConfigLocation and the
// data folder installed beside the program.
FileFolders StandardFolders();

FileLocations LocateFiles(const FileFolders& folders);

// The settings file's path for reading or writing: its folder created and, on first use, the
// installed default copied there.
QString SettingsFilePath(const FileFolders& folders = StandardFolders());
// The program's own settings file, beside the settings file.
QString ProgramSettingsPath(const FileFolders& folders = StandardFolders());
// The language file's path; empty when only the built-in copy is left.
QString LanguageFilePath(const FileFolders& folders = StandardFolders());
