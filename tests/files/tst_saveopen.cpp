#include "files/OpenRecord.h"
#include "files/RecordFile.h"
#include "files/SaveOpt.h"
#include "support/Fixtures.h"
#include "support/PromptScript.h"
#include "support/Pty.h"
#include "support/TestRegistry.h"
#include "ui/Pointer.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTest>
#include <cmath>

namespace {

// Reading i of the test records: 0.7 s apart, values 0.37 apart, neither a whole number of the
// file's decimals, so every rounding shows.
const auto TimeOf = [](int i) { return 38412.25 + i * 0.7 / 86400; };
const auto ValueOf = [](int i) { return (i % 1000) * 0.37 - 150.123; };

// A downloaded record of n readings, unsaved and unzoomed.
void LoadRecord(Log1& w, int n) {
    AppState& st = w.st;
    for (int i = 1; i <= n; ++i) {
        st.RecordTime.point(i) = st.DisplayTime.point(i) = TimeOf(i);
        st.RecordValue.point(i) = static_cast<float>(st.DisplayValue.point(i) = ValueOf(i));
    }
    st.RecordCount = st.DisplayCount = n;
    st.GraphTitle = "Feeder 3, north side", st.DescriptionLine7 = "last line";
    st.ProbeScale = 1, st.LoggerNumber = 12, st.UnitName = "Volt", st.UnitCode = 4;
    st.HighLimitValue = 250.5, st.LowLimitValue = 190, st.DataSaved = st.Zoomed = 0;
    w.ProgressBar1->setValue(100);
}

// The lines of a file, each of which must end in CR LF (none when one does not).
QList<QByteArray> FileLines(const ScopedWorkDir& dir, const QString& name) {
    QByteArray bytes = dir.read(name);
    const qsizetype ends = bytes.count("\r\n");
    QList<QByteArray> lines = bytes.replace("\r\n", "\n").split('\n');
    lines.removeLast(); // what follows the last line end
    return lines.size() == ends && bytes.endsWith('\n') ? lines : QList<QByteArray>();
}

// What a failed open must leave as it was: the record and the window's state around it.
QByteArray Snapshot(Log1& w) {
    const AppState& st = w.st;
    QByteArray s = RecordDigest(st) + QByteArray::number(st.UnitCode.value()) +
                   QByteArray::number(st.DataSaved.value()) + QByteArray::number(st.DataFromFile) +
                   QByteArray::number(w.ProgressBar1->value()) +
                   (st.FileKind + st.OpenFileName + w.Label16->text()).toUtf8();
    s += char('0' + ui::IsHourglass());
    for (QAction* item : w.busyMenus() + QList<QAction*>{w.mnuSaveTXT, w.mnuFuncWEN})
        s += char('0' + item->isEnabled() + 2 * item->isVisible());
    return s;
}

// Three readings with decimal commas in a file of the given unit text and probe scale; the
// first data line has blanks around its numbers, the count a word after it.
QByteArray SmallFile(const char* unit = "\"degC\"", const char* scale = "1") {
    return QByteArray(
               "\"loggerfile\"\r\n\"my own kind\"\r\n3 readings\r\n\"Opened\"\r\n\"tag\"\r\n") +
           "\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n" + scale + "\r\n7\r\n" + unit +
           "\r\n30\r\n10\r\n 38412,5 \t 12,25 \r\n38412.50001\t13,5\r\n38412.50002\t-1\r\n";
}

// A file dragged from a file manager and dropped on the main window; whether the window took it.
bool Drop(Log1& w, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&w, &enter);
    QCoreApplication::sendEvent(&w, &drop);
    return drop.isAccepted();
}

} // namespace

class SaveOpenTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ScopedWorkDir> dir;
    std::unique_ptr<MainWindowFixture> fx;
    Log1* w = nullptr;
    AppState* st = nullptr;

    // Language strings of the save and open commands, each marked so a test can tell them apart.
    static QString Marked(int s) { return QStringLiteral("<%1>").arg(s); }

    // Runs a menu command with the prompts the script expects.
    void run(QAction* item, PromptScript& script) {
        item->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
    }

private slots:
    void init() {
        dir = std::make_unique<ScopedWorkDir>();
        fx = std::make_unique<MainWindowFixture>();
        w = fx->w.get(), st = fx->st.get();
        st->LanguageIndex = 1;
        for (int s : {53, 54, 55, 56, 62, 67, 74, 76, 144}) st->LangText[s][1] = Marked(s);
    }
    void cleanup() {
        fx.reset(), dir.reset();
        ui::SetPointer(ui::Pointer::Default);
    }

    // The header lines exactly: quoted texts (a double quote becomes a blank), bare numbers with a
    // period in any locale, an empty logger number as an empty line 12. The data lines take the
    // locale's separator: a whole value keeps it, 0.5 keeps its zero, midnight ends with it.
    void fileExactly() {
        const QLocale saved;
        const auto restore = qScopeGuard([&saved] { QLocale::setDefault(saved); });
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        RecordFileHeader header;
        header.fileKind = QStringLiteral("ignored by the writer");
        header.description = {"Title, with comma", "Tag \"x\"", {}, {}, {}, {}, "last"};
        header.probeScale = 1, header.unitName = "Volt", header.highLimit = 250.5;
        header.lowLimit = -3;
        const RecordPoint points[] = {{38412.25, 12}, {38412.0, 0.5}, {38412.123456789, -9.996}};
        QCOMPARE(
            FormatRecordFile(header, 3, [&](int i) { return points[i - 1]; }),
            QByteArray("\"loggerfile\"\r\n\"exception recorder\"\r\n3\r\n\"Title, with comma\"\r\n"
                       "\"Tag  x \"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"last\"\r\n1\r\n\r\n"
                       "\"Volt\"\r\n250.5\r\n-3\r\n38412,25\t12,\r\n38412,\t0,5\r\n"
                       "38412,12345679\t-10,\r\n"));
    }

    void saveNames() {
        for (const QString chosenSaved :
             {"/d/report /d/report.txt", "/d/report.TXT /d/report.TXT", "/d/x.abc /d/x.abc",
              "/d/data.text /d/data.text.txt", "/d.abc/a /d.abc/a.txt"})
            QCOMPARE(RecordFileName(chosenSaved.section(' ', 0, 0)), chosenSaved.section(' ', 1));
    }
    // Saved whole and read back: the same header values and count, every value and time to the
    // written precision; reading 24541 is the first row of the second storage block.
    void wholeRecordRoundTrip_data() {
        QTest::addColumn<int>("n");
        QTest::newRow("30000") << 30000;
        QTest::newRow("73620") << 73620;
    }
    void wholeRecordRoundTrip() {
        QFETCH(int, n);
        LoadRecord(*w, n);
        st->RecordValue(2, 1) = 777.75f;
        st->RecordTime(2, 1) = 38413.5;
        PromptScript save;
        save.saveFile(dir->file("round"));
        run(w->mnuSaveTXT, save);
        const QList<QByteArray> lines = FileLines(*dir, "round.txt");
        QCOMPARE(lines.size(), 15 + n);
        QCOMPARE(lines[2], QByteArray::number(n));
        QCOMPARE(lines[14 + 24541], QByteArray("38413.5\t777.75"));
        QVERIFY(st->DataSaved == 1 && !w->mnuSaveTXT->isEnabled());
        QCOMPARE(w->Label16->text(), Marked(62));

        // A fresh window opens the file.
        const AppState written = *st;
        fx = std::make_unique<MainWindowFixture>();
        w = fx->w.get(), st = fx->st.get();
        PromptScript open;
        open.openFile(dir->file("round.txt"));
        run(w->mnuOpen, open);
        QCOMPARE(st->RecordCount.value() + st->DisplayCount.value(), 2.0 * n);
        QCOMPARE(QStringList({st->GraphTitle, st->DescriptionLine7}),
                 QStringList({written.GraphTitle, written.DescriptionLine7}));
        QCOMPARE(QList<double>({st->LoggerNumber, st->HighLimitValue, st->LowLimitValue}),
                 QList<double>({12, 250.5, 190}));
        for (int i = 1; i <= n; ++i) {
            const double time = written.RecordTime.point(i), value = written.RecordValue.point(i);
            // Eight decimals of a day and two of a value.
            if (std::fabs(st->RecordTime.point(i) - time) > 0.51e-8 ||
                std::fabs(st->DisplayTime.point(i) - time) > 0.51e-8 ||
                std::fabs(st->RecordValue.point(i) - value) > 0.00501 ||
                std::fabs(st->DisplayValue.point(i) - value) > 0.00501)
                QFAIL(qPrintable(QStringLiteral("reading %1 differs").arg(i)));
        }
    }

    // With a zoomed window of 100 readings from the middle, the scope dialog offers what is not
    // saved yet: the whole record first; then, the whole being saved, the window alone is written
    // without the dialog, which disables Save As .TXT; with both saved the dialog offers neither.
    void saveScopes() {
        LoadRecord(*w, 1000);
        for (int i = 1; i <= 100; ++i)
            st->DisplayTime.point(i) = TimeOf(i + 400),
            st->DisplayValue.point(i) = ValueOf(i + 400);
        st->DisplayCount = 100, st->Zoomed = 1;
        QList<bool> enabled;
        const auto choose = [&enabled](QPushButton* SaveOpt::*button) {
            return [&enabled, button](QDialog& d) {
                auto& dialog = static_cast<SaveOpt&>(d);
                enabled << dialog.Command1->isEnabled() << dialog.Command2->isEnabled();
                (dialog.*button)->click();
            };
        };
        PromptScript script;
        script.modal("SaveOpt", choose(&SaveOpt::Command1)).saveFile(dir->file("whole"));
        run(w->mnuSaveTXT, script);
        QVERIFY(st->DataSaved == 1 && st->ViewSaved == 0 && w->mnuSaveTXT->isEnabled());
        script.saveFile(dir->file("window.txt"));
        run(w->mnuSaveTXT, script);
        QVERIFY(st->ViewSaved == 1 && st->SaveScope == 0 && !w->mnuSaveTXT->isEnabled());
        w->mnuSaveTXT->setEnabled(true);
        st->Zoomed = 0; // unzoomed, a part displayed: the dialog once more
        script.modal("SaveOpt", choose(&SaveOpt::Command3));
        run(w->mnuSaveTXT, script);
        QCOMPARE(st->SaveCancelled.value(), 1.0);
        QCOMPARE(enabled, (QList<bool>{true, true, false, false}));
        QCOMPARE(FileLines(*dir, "whole.txt").size(), 15 + 1000);
        const QList<QByteArray> lines = FileLines(*dir, "window.txt");
        QVERIFY(lines.size() == 115 && lines[2] == "100");
        QCOMPARE(lines[15], RecordDataLine(TimeOf(401), ValueOf(401)).toLatin1());
        QCOMPARE(lines[114], RecordDataLine(TimeOf(500), ValueOf(500)).toLatin1());
    }

    // String 144 (Yes / No / Cancel, No the default): No shows the Save As dialog again, Yes
    // replaces the file.
    void overwriteQuestion() {
        LoadRecord(*w, 10);
        dir->write("old.txt", "earlier");
        PromptScript script;
        script.saveFile(dir->file("old")).message(Marked(144), ui::No);
        script.saveFile(dir->file("old.txt")).message(Marked(144), ui::Yes);
        run(w->mnuSaveTXT, script);
        const auto& question = script.seen().at(1);
        QVERIFY(question.buttons == ui::Buttons::YesNoCancel && question.defaultButton == 2);
        QCOMPARE(FileLines(*dir, "old.txt").size(), 25);
        QCOMPARE(st->DataSaved.value(), 1.0);
    }

    // A write that fails (a folder in the way) leaves it as it was, and every save state and the
    // status text. Why it failed, and that the message names the file and the earlier file
    // stays, run end to end for a read-only folder and a full disk in tests/e2e/bad_files.cpp; a
    // short write past a file-size limit in tests/ui.
    void failedWriteChangesNothing() {
        QDir(dir->path()).mkdir("folder.txt");
        LoadRecord(*w, 10);
        w->Label16->setText("before");
        PromptScript script;
        script.saveFile(dir->file("folder")).message(Marked(144), ui::Yes);
        script.message("could not be saved", ui::Ok);
        run(w->mnuSaveTXT, script);
        QVERIFY(QFileInfo(dir->file("folder.txt")).isDir());
        QVERIFY(st->DataSaved == 0 && st->ViewSaved == 0 && w->mnuSaveTXT->isEnabled());
        QCOMPARE(w->Label16->text(), QStringLiteral("before"));
    }

    // The unit text gives UnitCode ("V rms" forces probe scale 2, "V rms " 1; an unknown unit
    // keeps the code); scale 0 or empty is 1. The file becomes the record, saved and unzoomed.
    void openedFileBecomesTheRecord_data() {
        QTest::addColumn<QByteArray>("unit");
        QTest::addColumn<QByteArray>("scale");
        QTest::addColumn<double>("unitCode");
        QTest::addColumn<double>("probeScale");
        QTest::addColumn<QByteArray>("eol"); // LF or CR alone: the last line without one
        // clang-format off
        QTest::newRow("degC") << QByteArray("\"degC\"") << QByteArray("5") << 2.0 << 5.0 << QByteArray("\r\n");
        QTest::newRow("scale 0 is 1, LF") << QByteArray("\"degC\"") << QByteArray("0") << 2.0 << 1.0 << QByteArray("\n");
        QTest::newRow("empty scale is 1, CR") << QByteArray("\"Amp\"") << QByteArray() << 5.0 << 1.0 << QByteArray("\r");
        QTest::newRow("V rms forces 2") << QByteArray("\"V rms\"") << QByteArray("7") << 10.0 << 2.0 << QByteArray("\r\n");
        QTest::newRow("V rms blank forces 1") << QByteArray("\"V rms \"") << QByteArray("7") << 11.0 << 1.0 << QByteArray("\r\n");
        QTest::newRow("unknown unit keeps the code") << QByteArray("\"psi\"") << QByteArray("3") << 9.0 << 3.0 << QByteArray("\r\n");
        // clang-format on
    }
    void openedFileBecomesTheRecord() {
        QFETCH(QByteArray, unit);
        QFETCH(QByteArray, scale);
        QFETCH(double, unitCode);
        QFETCH(double, probeScale);
        QFETCH(QByteArray, eol);
        LoadRecord(*w, 50);
        st->UnitCode = 9, st->DataSaved = st->Zoomed = 1;
        QByteArray bytes = SmallFile(unit.constData(), scale.constData()).replace("\r\n", eol);
        dir->write("in.txt", eol == "\r\n" ? bytes : bytes.chopped(eol.size()));
        PromptScript script;
        script.openFile(dir->file("in.txt"));
        run(w->mnuOpen, script);
        QCOMPARE(QList<double>({st->UnitCode, st->ProbeScale}),
                 QList<double>({unitCode, probeScale}));
        QCOMPARE(st->UnitName, QString::fromLatin1(unit.mid(1).chopped(1)));
        QCOMPARE(
            QStringList({st->FileKind, st->GraphTitle, st->DescriptionLine7, st->OpenFileName}),
            QStringList({"my own kind", "Opened", "", dir->file("in.txt")}));
        // Decimal commas in the data lines, blanks around the numbers.
        QCOMPARE(QList<double>({st->RecordCount, st->DisplayCount, st->DisplayTime.point(1),
                                st->DisplayValue.point(1), st->RecordValue.point(2)}),
                 QList<double>({3, 3, 38412.5, 12.25, 13.5}));
        QVERIFY(st->DataFromFile == 1 && st->DataSaved == 1 && st->Zoomed == 0);
        QCOMPARE(w->Label16->text(), Marked(62));
        QVERIFY(w->ProgressBar1->value() == 100 && !w->Command3->isHidden() &&
                !w->mnuSaveTXT->isEnabled() && w->mnuPGraph->isEnabled());
    }

    // A damaged file stops the read and says on which line; another text file gives string 53
    // (after the unsaved-data question, string 76); a missing file 55, a folder 56. Each time the
    // Open dialog is offered once more, and the record, its description, every state field, the
    // pointer and the menus stay as they were.
    void damagedFileKeepsTheRecord_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray good = SmallFile();
        const auto with = [&good](const char* from, const QByteArray& to) {
            return QByteArray(good).replace(from, to);
        };
        QByteArray junk(100000, '\0');
        QRandomGenerator random(4);
        for (char& byte : junk) byte = char(random.bounded(256));
        // clang-format off
        QTest::newRow("no tab") << with("\t13", " 13") << "line 17";
        QTest::newRow("count above three banks") << with("\r\n3 readings\r\n", "\r\n73621\r\n") << "line 3";
        QTest::newRow("count zero") << with("\r\n3 readings\r\n", "\r\n0\r\n") << "line 3";
        QTest::newRow("header cut short") << good.left(good.indexOf("\"tag\"")) << "line 5";
        QTest::newRow("unclosed quote") << with("\"Opened\"", "\"Opened") << "line 4";
        QTest::newRow("limit not a number") << with("\r\n30\r\n", "\r\nx\r\n") << "line 14";
        QTest::newRow("time not a date") << with(" 38412,5 \t", "1e300\t") << "line 16";
        QTest::newRow("value beyond a single") << with("13,5", "1e39") << "line 17";
        QTest::newRow("10 MB value") << with("13,5", QByteArray(10 << 20, '9')) << "line 17: the value";
        QTest::newRow("absurd count") << with("\r\n3 readings\r\n", "\r\n99999999999\r\n") << "(99999999999) is not a whole number";
        QTest::newRow("data cut short") << good.left(good.indexOf("38412.50002")) << "line 18: the file ends after 2 of its 3 readings";
        QTest::newRow("binary junk after the header") << good.left(good.indexOf(" 38412,5")) + junk << "is not a complete record file: line";
        QTest::newRow("other text, unsaved") << QByteArray("shopping list\r\nmilk\r\n") << Marked(53);
        QTest::newRow("missing file") << QByteArray() << Marked(55);
        QTest::newRow("a folder") << QByteArray("folder") << Marked(56);
        // clang-format on
    }
    void damagedFileKeepsTheRecord() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        LoadRecord(*w, 20);
        st->DataFromFile = 1, st->DataSaved = message == Marked(53) ? 0 : 1;
        st->OpenFileName = "earlier.txt", st->FileKind = "earlier kind";
        w->mnuFuncWEN->setVisible(true), w->mnuDownload->setEnabled(false);
        if (bytes == "folder")
            QDir(dir->path()).mkdir("in.txt");
        else if (!bytes.isEmpty())
            dir->write("in.txt", bytes);
        const QByteArray before = Snapshot(*w);
        PromptScript script;
        if (message == Marked(53)) script.message(Marked(76), ui::Ok);
        script.openFile(dir->file("in.txt")).message(message, ui::Ok).openFile(std::nullopt);
        run(w->mnuOpen, script);
        QCOMPARE(Snapshot(*w), before);
        QCOMPARE(st->ReopenPending.value(), 1.0);
        if (!bytes.isEmpty() && bytes != "folder") QCOMPARE(dir->read("in.txt"), bytes);
        // Dropped on the window, the same file gets the same message and changes nothing.
        if (message == Marked(53)) script.message(Marked(76), ui::Ok);
        script.message(message, ui::Ok);
        QVERIFY(Drop(*w, dir->file("in.txt")));
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(Snapshot(*w), before);
    }

    // Cancel at the question about an unsaved record ends Open before its dialog. (Open after a
    // save asks nothing: wholeRecordRoundTrip; a failed open's own dialog comes again unasked:
    // damagedFileKeepsTheRecord.) A file dropped on the window is asked about alike, and opens
    // once the question is answered OK.
    void unsavedQuestionCancelled() {
        LoadRecord(*w, 10);
        PromptScript script;
        script.message(Marked(76), ui::Cancel);
        run(w->mnuOpen, script);
        QCOMPARE(script.seen().first().buttons, ui::Buttons::OkCancel);
        dir->write("dropped.txt", SmallFile());
        script.message(Marked(76), ui::Cancel).message(Marked(76), ui::Ok);
        QVERIFY(Drop(*w, dir->file("dropped.txt")));
        QCOMPARE(int(st->RecordCount), 10);
        QVERIFY(Drop(*w, dir->file("dropped.txt")));
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QVERIFY(int(st->RecordCount) == 3 && st->GraphTitle == "Opened");
    }

    // A file named on the command line opens as with Open; a missing one is reported once, with
    // no Open dialog after it, and the program goes on without a record. --help names the file,
    // on standard output alone, with no display to start on.
    void commandLineFile() {
        QProcess help;
        help.setProcessEnvironment(QProcessEnvironment()); // none: no display, no runtime folder
        help.start(VESTO_BINARY_DIR "/vesto-logger", {"--help"});
        QVERIFY(help.waitForFinished(20000));
        const QByteArray usage = help.readAllStandardOutput();
        QVERIFY2(usage.contains("--version") && usage.contains("[file]"), usage.constData());
        QCOMPARE(help.readAllStandardError(), QByteArray());

        PromptScript script;
        script.message(Marked(55), ui::Ok);
        OpenRecordFile(*w, dir->file("missing.txt"));
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QVERIFY(!w->RecordLoaded() && st->OpenFileName.isEmpty());
        dir->write("given.txt", SmallFile());
        OpenRecordFile(*w, dir->file("given.txt"));
        QVERIFY(w->RecordLoaded() && int(st->RecordCount) == 3 && st->GraphTitle == "Opened");

        // The program itself, given the file, says how many readings it shows once its window
        // has painted, and ends.
        QFile shipped(VESTO_SOURCE_DIR "/share/loggerx.ini");
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        dir->write("loggerx.ini", shipped.readAll().replace("language =  0", "language =  1"));
        Pty com1;
        QProcess program;
        program.setEnvironment(
            QProcess::systemEnvironment()
            << "VESTO_COM1=" + com1.slavePath()
            << "VESTO_STARTUP_PROBE=" +
                   QString::number(QDateTime::currentMSecsSinceEpoch() * 1000000));
        program.start(VESTO_BINARY_DIR "/vesto-logger", {"given.txt"});
        QVERIFY(program.waitForFinished(60000));
        QVERIFY(program.readAllStandardOutput().contains("readings: 3\n"));
    }
};

VESTO_TEST(SaveOpenTest)
#include "tst_saveopen.moc"
