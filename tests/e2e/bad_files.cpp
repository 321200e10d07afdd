// Damaged files and disks that refuse a save, met through the program's own start-up and menu
// commands. Nothing crashes, no file on disk is lost, the record in memory stays, and every case
// tells the user what happened.
#include "files/Archive.h"
#include "support/ProgramRun.h"
#include "support/TestRegistry.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QRandomGenerator>
#include <QTest>
#include <sched.h>
#include <sys/mount.h>

namespace {

QByteArray Shipped(const char* name) {
    QFile file(QStringLiteral(VESTO_SOURCE_DIR "/share/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Junk(qsizetype size, quint32 seed) {
    QByteArray bytes(size, '\0');
    QRandomGenerator random(seed);
    for (char& byte : bytes) byte = static_cast<char>(random.bounded(256));
    return bytes;
}

// The first n lines of a CR LF text, each with its line end.
QByteArray Head(const QByteArray& text, int n) {
    return text.split('\n').mid(0, n).join('\n') + '\n';
}

// The text with line n replaced (its line end kept).
QByteArray WithLine(const QByteArray& text, int n, const QByteArray& line) {
    QList<QByteArray> lines = text.split('\n');
    lines[n - 1] = line + '\r';
    return lines.join('\n');
}

const QByteArray kLongLine(10 << 20, 'x'); // 10 MB without a line end

// A settings file with values in its probe section, as the program writes it once English was
// chosen.
QByteArray GoodSettings() {
    return WithLine(WithLine(Shipped("loggerx.ini"), 3, "\"language =  1\""), 9,
                    "1.5,2,\"probe\",-4");
}

// A tmpfs of 8 kB at path, mounted in a mount namespace of this thread's own, so it goes away
// with the test; false where this process may not mount.
bool MountSmallDisk(const QByteArray& path) {
    static const bool ownNamespace =
        ::unshare(CLONE_NEWNS) == 0 &&
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return ownNamespace && ::mount("tmpfs", path.constData(), "tmpfs", 0, "size=8k") == 0;
}

} // namespace

class BadFileTest : public QObject {
    Q_OBJECT
    // One run with a downloaded record, shared by the save and archive cases; none of them may
    // change it.
    std::unique_ptr<ProgramRun> run;
    QByteArray previous;

    bool haveRecord() {
        if (run) return true;
        run = std::make_unique<ProgramRun>(QStringList{"--readings", "600"});
        run->ownFiles = true;
        if (!run->start().isEmpty() || !run->download()) return false;
        previous = RecordDigest(run->st());
        return true;
    }

private slots:
    void cleanupTestCase() { run.reset(); }

    // The language and settings files are read at start-up; the program then runs on as well as
    // they allow, finds the logger, and writes the settings file whole when it ends.
    void startUpFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray language = Shipped("loglango.txt");
        const QByteArray settings = GoodSettings();
        QTest::newRow("language file cut short")
            << "loglango.txt" << language.left(language.size() / 2) << "ends before its last text";
        QTest::newRow("language file of binary junk")
            << "loglango.txt" << Junk(20000, 1) << "loglango.txt is damaged";
        QTest::newRow("language file with absurd counts")
            << "loglango.txt" << WithLine(language, 1, "99,100000") << "loglango.txt is damaged";
        QTest::newRow("language file with a 10 MB line")
            << "loglango.txt" << WithLine(language, 2, kLongLine) << "ends before its last text";
        QTest::newRow("settings file cut short")
            << "loggerx.ini" << Head(settings, 30) << "loggerx.ini is damaged";
        QTest::newRow("settings file of binary junk")
            << "loggerx.ini" << Junk(4000, 2) << "loggerx.ini is damaged";
        QTest::newRow("settings file with a 10 MB line")
            << "loggerx.ini" << WithLine(settings, 9, kLongLine) << "loggerx.ini is damaged";
    }
    void startUpFiles() {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const bool badSettings = file == QLatin1String("loggerx.ini");
        ProgramRun start({"--readings", "600"});
        start.ownFiles = true;
        start.dir.write(QStringLiteral("loggerx.ini"), GoodSettings());
        start.dir.write(file, bytes);
        start.script.message(message, ui::Ok);
        // Without its settings the program asks for a language, as at a first start.
        if (badSettings)
            start.script.modal("langfrm", [](QDialog& d) {
                d.findChild<QAbstractButton*>("Option1")->click();
                d.findChild<QAbstractButton*>("Command1")->click();
            });
        QCOMPARE(start.start(), QString());
        QVERIFY(start.idle());
        start.w().close();
        // The damaged settings file is kept aside, and a whole one takes its place.
        QCOMPARE(start.dir.read(file + (badSettings ? ".damaged" : "")), bytes);
        const QByteArray written = start.dir.read(QStringLiteral("loggerx.ini"));
        QVERIFY(badSettings ? written.count("\r\n") == 82 : written == GoodSettings());
        QVERIFY2(start.script.finished(), qPrintable(start.script.report()));
    }

    // Save As and Export CSV where the disk refuses the file: an earlier file of that name stays
    // as it was.
    void refusedSave_data() {
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("file");
        QTest::newRow("read-only folder") << QString("read-only") << "is not writable"
                                          << "record.txt";
        QTest::newRow("full disk") << QString("full") << "No space left on device"
                                   << "record.txt";
        QTest::newRow("CSV, full disk") << QString("full") << "No space left on device"
                                        << "record.csv";
    }
    void refusedSave() {
        QFETCH(QString, refusal);
        QFETCH(QString, reason);
        QFETCH(QString, file);
        QVERIFY(haveRecord());
        const QString folder = run->dir.file(refusal);
        QVERIFY(QDir().mkpath(folder));
        const QByteArray at = QFile::encodeName(folder);
        if (!MountSmallDisk(at)) QSKIP("this process may not mount a file system");
        const auto unmount = qScopeGuard([&] { ::umount2(at.constData(), MNT_DETACH); });
        const QString earlier = refusal + u'/' + file;
        run->dir.write(earlier, "an earlier record\r\n");
        if (refusal == QLatin1String("read-only")) // root writes on past a folder's mode bits
            QCOMPARE(::mount(nullptr, at.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
        run->script.saveFile(run->dir.file(earlier))
            .message(QStringLiteral("already exists"), ui::Yes)
            .message(QStringLiteral("earlier file of that name is unchanged"), ui::Ok);
        (file.endsWith(".csv") ? run->w().mnuExportCSV : run->w().mnuSaveTXT)->trigger();
        QVERIFY2(run->script.finished(), qPrintable(run->script.report()));
        const QString told = run->script.messages().last();
        QVERIFY2(told.contains(reason) && told.contains(file), qPrintable(told));
        QCOMPARE(run->dir.read(earlier), QByteArray("an earlier record\r\n"));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{file});
        QCOMPARE(RecordDigest(run->st()), previous);
        QVERIFY(run->w().mnuSaveTXT->isEnabled() && run->w().RecordLoaded() && run->idle());
    }

    // The archive on a full disk: the status line says so, once a run and without a dialog, and
    // each download still ends with its graph.
    void archiveOnFullDisk() {
        QVERIFY(haveRecord());
        const QByteArray at = QFile::encodeName(ArchiveFolder());
        QVERIFY(QDir().mkpath(ArchiveFolder()));
        if (!MountSmallDisk(at)) QSKIP("this process may not mount a file system");
        const auto unmount = qScopeGuard([&] { ::umount2(at.constData(), MNT_DETACH); });
        QLabel* line = run->w().Label41;
        for (const bool first : {true, false}) {
            run->st().DataSaved = 1; // no question before the download
            QVERIFY(run->download());
            QCOMPARE(run->compareWithLogger(600), QString());
            QVERIFY(run->idle());
            QCOMPARE(line->isVisible(), first);
            QVERIFY2(!first || line->text().contains("No space left on device"),
                     qPrintable(line->text()));
            line->hide();
        }
        QVERIFY2(run->script.finished(), qPrintable(run->script.report()));
        previous = RecordDigest(run->st());
    }
};

VESTO_TEST(BadFileTest)
#include "bad_files.moc"
