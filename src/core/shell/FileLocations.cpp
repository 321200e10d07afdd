#include "shell/FileLocations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef VESTO_INSTALLED_DATA
#define VESTO_INSTALLED_DATA "../share/vesto-logger"
#endif

namespace {

QString In(const QString& folder, const char* name) {
    return folder.isEmpty() ? QString() : QDir(folder).filePath(QString::fromLatin1(name));
}

bool Exists(const QString& path) {
    return !path.isEmpty() && QFile::exists(path);
}

} // namespace

FileFolders StandardFolders() {
    // Found from the program's own folder, so an installation moved elsewhere (or made with
    // another prefix) still finds its files.
    const QString installed = QCoreApplication::applicationDirPath() + QStringLiteral("/") +
                              QStringLiteral(VESTO_INSTALLED_DATA);
    return {QDir::currentPath(),
            QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
            QDir::cleanPath(installed)};
}

FileLocations LocateFiles(const FileFolders& folders) {
    FileLocations found;
    const QString workSettings = In(folders.work, kSettingsFileName);
    const QString workLanguage = In(folders.work, kLanguageFileName);
    const bool ownFolder = Exists(workSettings) || Exists(workLanguage) || folders.user.isEmpty();
    found.settings = ownFolder ? workSettings : In(folders.user, kSettingsFileName);
    if (!ownFolder && !Exists(found.settings) && Exists(In(folders.installed, kSettingsFileName)))
        found.seed = In(folders.installed, kSettingsFileName);
    for (const QString& language : {workLanguage, In(folders.installed, kLanguageFileName)}) {
        if (Exists(language)) {
            found.language = language;
            break;
        }
    }
    return found;
}

QString SettingsFilePath(const FileFolders& folders) {
    const FileLocations found = LocateFiles(folders);
    QDir().mkpath(QFileInfo(found.settings).absolutePath());
    // The installed file may be read-only; the copy is replaced at close, which a read-only
    // file would refuse.
    if (!found.seed.isEmpty() && QFile::copy(found.seed, found.settings))
        QFile::setPermissions(found.settings, QFile::permissions(found.settings) |
                                                  QFileDevice::WriteOwner | QFileDevice::ReadOwner);
    return found.settings;
}

QString ProgramSettingsPath(const FileFolders& folders) {
    // Beside the settings file, without seeding that file: start-up does that once.
    const QDir folder = QFileInfo(LocateFiles(folders).settings).absoluteDir();
    folder.mkpath(QStringLiteral("."));
    return folder.filePath(QString::fromLatin1(kProgramSettingsFileName));
}

QString LanguageFilePath(const FileFolders& folders) {
    return LocateFiles(folders).language;
}
