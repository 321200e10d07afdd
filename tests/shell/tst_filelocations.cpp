#include "shell/FileLocations.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class FileLocationsTest : public QObject {
    Q_OBJECT
private slots:
    // Files present beforehand (w, l: loggerx.ini, loglango.txt in the working folder; u: the
    // per-user settings; i: both installed), each holding its letter; then the settings and
    // language paths used and what the settings file holds.
    void rule_data() {
        QTest::addColumn<QString>("present");
        QTest::addColumn<QString>("expected");
        // clang-format off
        for (auto [name, present, expected] : {
                 std::tuple{"empty folder, build tree", "", "user/loggerx.ini,,"},
                 {"empty folder, first start installed", "i", "user/loggerx.ini,share/loglango.txt,i"},
                 {"empty folder, later start", "ui", "user/loggerx.ini,share/loglango.txt,u"},
                 {"settings in the folder", "wui", "work/loggerx.ini,share/loglango.txt,w"},
                 {"language file in the folder", "lui", "work/loggerx.ini,work/loglango.txt,"},
                 {"both in the folder", "wl", "work/loggerx.ini,work/loglango.txt,w"}})
            QTest::newRow(name) << QString(present) << QString(expected);
        // clang-format on
    }
    void rule() {
        QFETCH(QString, present);
        QFETCH(QString, expected);
        QTemporaryDir root;
        const QDir dir(root.path());
        for (const QString path :
             {"w:work/loggerx.ini", "l:work/loglango.txt", "u:user/loggerx.ini",
              "i:share/loggerx.ini", "i:share/loglango.txt"}) {
            if (!present.contains(path[0])) continue;
            dir.mkpath(QFileInfo(path.mid(2)).path());
            QFile f(dir.filePath(path.mid(2)));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(path.left(1).toLatin1()));
        }
        dir.mkpath("work");
        const FileFolders folders{dir.filePath("work"), dir.filePath("user"),
                                  dir.filePath("share")};
        const QString settings = SettingsFilePath(folders), language = LanguageFilePath(folders);
        QFile f(settings);
        const QString held = f.open(QIODevice::ReadOnly) ? QString(f.readAll()) : QString();
        QCOMPARE(QStringList({dir.relativeFilePath(settings),
                              language.isEmpty() ? "" : dir.relativeFilePath(language), held})
                     .join(','),
                 expected);
    }
};

VESTO_TEST(FileLocationsTest)
#include "tst_filelocations.moc"
