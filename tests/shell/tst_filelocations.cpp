#include "shell/FileLocations.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class FileLocationsTest : public QObject {
    Q_OBJECT
    QTemporaryDir root;
    FileFolders folders;

    QString Path(const QString& folder, const char* name) const {
        return folder.isEmpty() ? QString() : root.filePath(folder + "/" + name);
    }

private slots:
    void init() {
        QVERIFY(QDir(root.path()).removeRecursively() && QDir().mkpath(root.path()));
        folders = {root.filePath("work"), root.filePath("config/vesto-logger"),
                   root.filePath("share/vesto-logger")};
        QVERIFY(QDir().mkpath(folders.work));
    }

    // Which files lie where (work folder, per-user folder, installed folder), and where the
    // program then reads and writes.
    void rule_data() {
        QTest::addColumn<bool>("workSettings");
        QTest::addColumn<bool>("workLanguage");
        QTest::addColumn<bool>("userSettings");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("settings"); // the folder of each file; empty: none
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("seed");
        const QString work = "work", user = "config/vesto-logger", share = "share/vesto-logger";
        QTest::newRow("empty folder, build tree")
            << false << false << false << false << user << QString() << QString();
        QTest::newRow("empty folder, first start installed")
            << false << false << false << true << user << share << share;
        QTest::newRow("empty folder, later start installed")
            << false << false << true << true << user << share << QString();
        QTest::newRow("settings in the folder")
            << true << false << true << true << work << share << QString();
        QTest::newRow("language file in the folder")
            << false << true << true << true << work << work << QString();
        QTest::newRow("both in the folder, build tree")
            << true << true << false << false << work << work << QString();
    }
    void rule() {
        QFETCH(bool, workSettings);
        QFETCH(bool, workLanguage);
        QFETCH(bool, userSettings);
        QFETCH(bool, installed);
        QFETCH(QString, settings);
        QFETCH(QString, language);
        QFETCH(QString, seed);
        if (workSettings) Write(Path("work", kSettingsFileName), "w");
        if (workLanguage) Write(Path("work", kLanguageFileName), "w");
        if (userSettings) Write(Path("config/vesto-logger", kSettingsFileName), "u");
        if (installed) {
            Write(Path("share/vesto-logger", kSettingsFileName), "i");
            Write(Path("share/vesto-logger", kLanguageFileName), "i");
        }
        const FileLocations found = LocateFiles(folders);
        QCOMPARE(found.settings, Path(settings, kSettingsFileName));
        QCOMPARE(found.language, Path(language, kLanguageFileName));
        QCOMPARE(found.seed, Path(seed, kSettingsFileName));
    }

    // The first use copies the installed default (read-only, as installed) into a per-user folder
    // that does not exist yet; the copy can be replaced at close, and later uses leave it alone.
    void seeding() {
        const QString installed = Path("share/vesto-logger", kSettingsFileName);
        Write(installed, "defaults");
        QVERIFY(QFile::setPermissions(installed, QFile::ReadOwner | QFile::ReadOther));
        const QString path = SettingsFilePath(folders);
        QCOMPARE(path, Path("config/vesto-logger", kSettingsFileName));
        QCOMPARE(Read(path), QByteArray("defaults"));
        QVERIFY(QFileInfo(path).isWritable());
        Write(path, "the user's");
        QCOMPARE(SettingsFilePath(folders), path);
        QCOMPARE(Read(path), QByteArray("the user's"));

        QVERIFY(QFile::remove(path) && QFile::remove(installed));
        QCOMPARE(SettingsFilePath(folders), path); // nothing to copy: the folder is still there
        QVERIFY(QFileInfo(QFileInfo(path).absolutePath()).isDir() && !QFile::exists(path));
    }
};

VESTO_TEST(FileLocationsTest)
#include "tst_filelocations.moc"
