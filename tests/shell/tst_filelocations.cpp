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
    // per-user settings; i: both installed), each holding its letter; then the
    // settings and language paths used and what the settings file holds.
    void rule_data() {
        QTest::addColumn<QString>("present");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty folder, build tree") << ""
                                                  << "user/loggerx.ini,,";
        QTest::newRow("empty folder, first start installed")
            << "i"
            << "user/loggerx.ini,share/loglango.txt,i";
        QTest::newRow("empty folder, later start") << "ui"
                                                   << "user/loggerx.ini,share/loglango.txt,u";
        QTest::newRow("settings in the folder") << "wui"
                                                << "work/loggerx.ini,share/loglango.txt,w";
        QTest::newRow("language file in the folder") << "lui"
                                                     << "work/loggerx.ini,work/loglango.txt,";
        QTest::newRow("both in the folder") << "wl"
                                            << "work/loggerx.ini,work/loglango.txt,w";
    }
    void rule() {
        QFETCH(QString, present);
        QFETCH(QString, expected);
        QTemporaryDir root;
        const QDir dir(root.path());
        const FileFolders folders{dir.filePath("work"), dir.filePath("user"),
                                  dir.filePath("share")};
        const auto put = [&](QChar letter, const QString& path) {
            if (!present.contains(letter)) return;
            dir.mkpath(QFileInfo(path).path());
            QFile f(dir.filePath(path));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(QByteArray(1, char(letter.unicode()))));
        };
        put('w', "work/loggerx.ini");
        put('l', "work/loglango.txt");
        put('u', "user/loggerx.ini");
        put('i', "share/loggerx.ini");
        put('i', "share/loglango.txt");
        dir.mkpath("work");
        const QString settings = SettingsFilePath(folders), language = LanguageFilePath(folders);
        QFile f(settings);
        const QString held = f.open(QIODevice::ReadOnly) ? QString(f.readAll()) : QString();
        QCOMPARE(
            QStringList({dir.relativeFilePath(settings),
                         language.isEmpty() ? QString() : dir.relativeFilePath(language), held})
                .join(','),
            expected);
    }
};

VESTO_TEST(FileLocationsTest)
#include "tst_filelocations.moc"
