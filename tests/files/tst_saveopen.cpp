#include "files/RecordFile.h"
#include "files/SaveOpt.h"
#include "support/Fixtures.h"
#include "support/PromptScript.h"
#include "support/TestRegistry.h"
#include "ui/Pointer.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <cmath>

namespace {

// Language strings of the save and open commands, each marked so a test can tell them apart.
QString Marked(int s) {
    return QStringLiteral("<%1>").arg(s);
}

// Reading i of the test records: 0.7 s apart, values 0.37 apart, neither a whole number of the
// file's decimals, so every rounding shows.
double TimeOf(int i) {
    return 38412.25 + i * 0.7 / 86400;
}
double ValueOf(int i) {
    return (i % 1000) * 0.37 - 150.123;
}

// A downloaded record of n readings, unsaved and unzoomed.
void LoadRecord(Log1& w, int n) {
    AppState& st = w.st;
    for (int i = 1; i <= n; ++i) {
        st.RecordTime.point(i) = st.DisplayTime.point(i) = TimeOf(i);
        st.RecordValue.point(i) = static_cast<float>(ValueOf(i));
        st.DisplayValue.point(i) = ValueOf(i);
    }
    st.RecordCount = st.DisplayCount = n;
    st.GraphTitle = QStringLiteral("Feeder 3, north side");
    st.DescriptionLine7 = QStringLiteral("last line");
    st.ProbeScale = 1;
    st.LoggerNumber = 12;
    st.UnitName = QStringLiteral("Volt");
    st.UnitCode = 4;
    st.HighLimitValue = 250.5;
    st.LowLimitValue = 190;
    st.DataSaved = 0;
    st.Zoomed = 0;
    w.ProgressBar1->setValue(100);
}

// The lines of a file, each of which must end in CR LF (nothing when one does not).
QList<QByteArray> FileLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QList<QByteArray> lines = f.readAll().split('\n');
    if (lines.takeLast() != "") return {};
    for (QByteArray& line : lines) {
        if (!line.endsWith('\r')) return {};
        line.chop(1);
    }
    return lines;
}

// What a failed open must leave as it was, as text.
QStringList Snapshot(Log1& w) {
    const AppState& st = w.st;
    const int n = static_cast<int>(st.RecordCount);
    QStringList s;
    for (double v :
         {st.RecordCount.value(), st.DisplayCount.value(), double(st.RecordValue.point(n)),
          st.DisplayTime.point(1), st.UnitCode.value(), st.ProbeScale.value(),
          st.HighLimitValue.value(), st.DataSaved.value(), double(st.DataFromFile),
          double(w.ProgressBar1->value()), double(ui::CurrentPointer())})
        s << QString::number(v, 'g', 17);
    s << st.GraphTitle << st.DescriptionLine7 << st.UnitName << st.FileKind << st.OpenFileName
      << w.Label16->text() << (st.LoggerNumber.isEmpty() ? "no number" : "number");
    for (QAction* item : w.busyMenus() + QList<QAction*>{w.mnuSaveTXT, w.mnuFuncWEN})
        s << QStringLiteral("%1 %2 %3")
                 .arg(item->objectName())
                 .arg(item->isEnabled())
                 .arg(item->isVisible());
    return s;
}

QByteArray SmallFile(const char* unit = "\"degC\"", const char* scale = "1") {
    return QByteArray("\"loggerfile\"\r\n\"my own kind\"\r\n3\r\n\"Opened\"\r\n\"tag\"\r\n") +
           "\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n" + scale + "\r\n7\r\n" + unit +
           "\r\n30\r\n10\r\n38412,5\t12,25\r\n38412.50001\t13,5\r\n38412.50002\t-1\r\n";
}

} // namespace

class SaveOpenTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ScopedWorkDir> dir;
    std::unique_ptr<MainWindowFixture> fx;
    Log1* w = nullptr;
    AppState* st = nullptr;

    // Runs a menu command with the prompts the script expects.
    void run(QAction* item, PromptScript& script) {
        item->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
    }

private slots:
    void init() {
        dir = std::make_unique<ScopedWorkDir>();
        fx = std::make_unique<MainWindowFixture>();
        w = fx->w.get();
        st = fx->st.get();
        st->LanguageIndex = 1;
        for (int s : {53, 54, 55, 56, 62, 67, 74, 76, 144}) st->LangText[s][1] = Marked(s);
    }
    void cleanup() {
        fx.reset();
        dir.reset();
        ui::SetPointer(ui::Pointer::Default);
    }

    void wholeRecordRoundTrip_data() {
        QTest::addColumn<int>("n");
        QTest::newRow("30000") << 30000;
        QTest::newRow("73620") << 73620;
    }
    void wholeRecordRoundTrip() {
        QFETCH(int, n);
        LoadRecord(*w, n);
        // Reading 24541 is the first row of the second storage block.
        st->RecordValue(2, 1) = 777.75f;
        st->RecordTime(2, 1) = 38413.5;
        PromptScript save;
        save.saveFile(dir->file(QStringLiteral("round")));
        run(w->mnuSaveTXT, save);

        const QList<QByteArray> lines = FileLines(dir->file(QStringLiteral("round.txt")));
        QCOMPARE(lines.size(), 15 + n);
        QCOMPARE(lines[2], QByteArray::number(n));
        QCOMPARE(lines[14 + 24541], QByteArray("38413.5\t777.75"));
        QCOMPARE(st->DataSaved.value(), 1.0);
        QVERIFY(!w->mnuSaveTXT->isEnabled());
        QCOMPARE(w->Label16->text(), Marked(62));

        // Another record takes its place, then the file is opened again.
        const AppState written = *st;
        LoadRecord(*w, 5);
        st->GraphTitle.clear();
        st->LoggerNumber = Number();
        st->HighLimitValue = 0;
        st->DataSaved = 1;
        PromptScript open;
        open.openFile(dir->file(QStringLiteral("round.txt")));
        run(w->mnuOpen, open);
        QCOMPARE(st->RecordCount.value(), double(n));
        QCOMPARE(st->DisplayCount.value(), double(n));
        QCOMPARE(st->GraphTitle, written.GraphTitle);
        QCOMPARE(st->DescriptionLine7, written.DescriptionLine7);
        QCOMPARE(st->LoggerNumber.value(), 12.0);
        QCOMPARE(st->HighLimitValue.value(), 250.5);
        QCOMPARE(st->LowLimitValue.value(), 190.0);
        for (int i = 1; i <= n; ++i) {
            const double time = written.RecordTime.point(i);
            const double value = written.RecordValue.point(i);
            // Eight decimals of a day and two of a value.
            if (std::fabs(st->RecordTime.point(i) - time) > 0.51e-8 ||
                std::fabs(st->DisplayTime.point(i) - time) > 0.51e-8 ||
                std::fabs(st->RecordValue.point(i) - value) > 0.00501 ||
                std::fabs(st->DisplayValue.point(i) - value) > 0.00501)
                QFAIL(qPrintable(QStringLiteral("reading %1 differs").arg(i)));
        }
        QCOMPARE(st->RecordValue(2, 1), 777.75f);
    }

    void displayedWindowSave() {
        LoadRecord(*w, 1000);
        // A zoomed window of 100 readings from the middle, the whole record already saved.
        for (int i = 1; i <= 100; ++i) {
            st->DisplayTime.point(i) = TimeOf(i + 400);
            st->DisplayValue.point(i) = ValueOf(i + 400);
        }
        st->DisplayCount = 100;
        st->Zoomed = 1;
        st->DataSaved = 1;
        PromptScript save;
        save.saveFile(dir->file(QStringLiteral("window.txt")));
        run(w->mnuSaveTXT, save);

        const QList<QByteArray> lines = FileLines(dir->file(QStringLiteral("window.txt")));
        QCOMPARE(lines.size(), 115);
        QCOMPARE(lines[2], QByteArray("100"));
        QCOMPARE(lines[15], RecordDataLine(TimeOf(401), ValueOf(401)).toLatin1());
        QCOMPARE(lines[114], RecordDataLine(TimeOf(500), ValueOf(500)).toLatin1());
        QVERIFY(!w->mnuSaveTXT->isEnabled());
        QCOMPARE(st->ViewSaved, qint16(1));
        QCOMPARE(st->SaveScope, qint16(0));
        QCOMPARE(w->Label16->text(), Marked(62));
    }

    void scopeDialogFollowsTheSaveState() {
        LoadRecord(*w, 10);
        st->DisplayCount = 4;
        st->DataSaved = 1;
        st->ViewSaved = 1;
        QList<bool> enabled;
        const auto buttons = [&enabled](QDialog& d) {
            auto& dialog = static_cast<SaveOpt&>(d);
            enabled << dialog.Command1->isEnabled() << dialog.Command2->isEnabled();
        };
        // Both saved: neither choice is offered; Escape cancels.
        PromptScript first;
        first.modal(QStringLiteral("SaveOpt"), [&](QDialog& d) {
            buttons(d);
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        run(w->mnuSaveTXT, first);
        QCOMPARE(st->SaveCancelled.value(), 1.0);
        // Shown again, zoomed and nothing saved: the buttons follow the new state.
        st->DataSaved = 0;
        st->Zoomed = 1;
        st->ViewSaved = 0;
        PromptScript second;
        second
            .modal(QStringLiteral("SaveOpt"),
                   [&](QDialog& d) {
                       buttons(d);
                       static_cast<SaveOpt&>(d).Command2->click();
                   })
            .saveFile(dir->file(QStringLiteral("w")));
        run(w->mnuSaveTXT, second);
        QCOMPARE(enabled, (QList<bool>{false, false, true, true}));
        QCOMPARE(FileLines(dir->file(QStringLiteral("w.txt"))).size(), 15 + 4);
        QCOMPARE(st->DataSaved.value(), 0.0);
    }

    void noRecordNoSave() {
        PromptScript script;
        script.message(QStringLiteral("No Data to Save.  Download First."), ui::Ok);
        run(w->mnuSaveTXT, script);
        QCOMPARE(script.seen().first().title, Marked(54));
    }

    void overwriteQuestion_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes replaces") << int(ui::Yes);
        QTest::newRow("No asks for another name") << int(ui::No);
        QTest::newRow("Cancel writes nothing") << int(ui::Cancel);
    }
    void overwriteQuestion() {
        QFETCH(int, answer);
        LoadRecord(*w, 10);
        dir->write(QStringLiteral("old.txt"), "earlier");
        PromptScript script;
        script.saveFile(dir->file(QStringLiteral("old"))).message(Marked(144), ui::Answer(answer));
        if (answer == ui::No) script.saveFile(dir->file(QStringLiteral("other")));
        run(w->mnuSaveTXT, script);
        const auto& question = script.seen().at(1);
        QCOMPARE(question.buttons, ui::Buttons::YesNoCancel);
        QCOMPARE(question.defaultButton, 2);
        QCOMPARE(question.icon, ui::Icon::Critical);
        QCOMPARE(question.title, Marked(74));
        QCOMPARE(dir->read(QStringLiteral("old.txt")) == "earlier", answer != ui::Yes);
        QCOMPARE(QFile::exists(dir->file(QStringLiteral("other.txt"))), answer == ui::No);
        QCOMPARE(st->DataSaved.value(), answer == ui::Cancel ? 0.0 : 1.0);
    }

    void failedWriteChangesNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exists");
        QTest::newRow("a folder in the way") << "folder.txt" << true;
        QTest::newRow("folder is a file") << "plain/x.txt" << false;
        QTest::newRow("read-only folder") << "locked/old.txt" << true;
    }
    void failedWriteChangesNothing() {
        QFETCH(QString, name);
        QFETCH(bool, exists);
        QDir(dir->path()).mkdir(QStringLiteral("folder.txt"));
        QDir(dir->path()).mkdir(QStringLiteral("locked"));
        dir->write(QStringLiteral("plain"), "a file");
        dir->write(QStringLiteral("locked/old.txt"), "earlier");
        const QString locked = dir->file(QStringLiteral("locked"));
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
        const auto unlock = qScopeGuard([&] {
            QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        QFile probe(locked + QStringLiteral("/probe"));
        if (name.startsWith(u"locked") && probe.open(QIODevice::WriteOnly))
            QSKIP("this user writes into read-only folders");
        LoadRecord(*w, 10);
        w->Label16->setText(QStringLiteral("before"));
        const bool saveEnabled = w->mnuSaveTXT->isEnabled();

        PromptScript script;
        script.saveFile(dir->file(name));
        if (exists) script.message(Marked(144), ui::Yes);
        script.message(QStringLiteral("could not be saved"), ui::Ok);
        run(w->mnuSaveTXT, script);
        QVERIFY(script.messages().last().contains(QFileInfo(name).fileName()));
        QVERIFY(QFileInfo(dir->file(QStringLiteral("folder.txt"))).isDir());
        QCOMPARE(dir->read(QStringLiteral("plain")), QByteArray("a file"));
        QCOMPARE(dir->read(QStringLiteral("locked/old.txt")), QByteArray("earlier"));
        QCOMPARE(st->DataSaved.value(), 0.0);
        QCOMPARE(st->ViewSaved, qint16(0));
        QCOMPARE(w->mnuSaveTXT->isEnabled(), saveEnabled);
        QCOMPARE(w->Label16->text(), QStringLiteral("before"));
    }

    void openedFileBecomesTheRecord_data() {
        QTest::addColumn<QByteArray>("unit");
        QTest::addColumn<QByteArray>("scale");
        QTest::addColumn<double>("unitCode");
        QTest::addColumn<double>("probeScale");
        QTest::newRow("degC") << QByteArray("\"degC\"") << QByteArray("5") << 2.0 << 5.0;
        QTest::newRow("scale 0 is 1") << QByteArray("\"degC\"") << QByteArray("0") << 2.0 << 1.0;
        QTest::newRow("empty scale is 1") << QByteArray("\"Amp\"") << QByteArray() << 5.0 << 1.0;
        QTest::newRow("V rms forces 2")
            << QByteArray("\"V rms\"") << QByteArray("7") << 10.0 << 2.0;
        QTest::newRow("V rms blank forces 1")
            << QByteArray("\"V rms \"") << QByteArray("7") << 11.0 << 1.0;
        QTest::newRow("unknown unit keeps the code")
            << QByteArray("\"psi\"") << QByteArray("3") << 9.0 << 3.0;
    }
    void openedFileBecomesTheRecord() {
        QFETCH(QByteArray, unit);
        QFETCH(QByteArray, scale);
        QFETCH(double, unitCode);
        QFETCH(double, probeScale);
        LoadRecord(*w, 50);
        st->UnitCode = 9;
        st->DataSaved = 1;
        st->Zoomed = 1;
        w->Command2->show();
        w->Label14->show();
        dir->write(QStringLiteral("in.txt"), SmallFile(unit.constData(), scale.constData()));
        PromptScript script;
        script.openFile(dir->file(QStringLiteral("in.txt")));
        run(w->mnuOpen, script);

        QCOMPARE(st->UnitCode.value(), unitCode);
        QCOMPARE(st->ProbeScale.value(), probeScale);
        QCOMPARE(st->UnitName, QString::fromLatin1(unit.mid(1).chopped(1)));
        QCOMPARE(st->FileKind, QStringLiteral("my own kind"));
        QCOMPARE(st->RecordCount.value(), 3.0);
        QCOMPARE(st->DisplayCount.value(), 3.0);
        // Decimal commas in the data lines.
        QCOMPARE(st->DisplayTime.point(1), 38412.5);
        QCOMPARE(st->DisplayValue.point(1), 12.25);
        QCOMPARE(st->RecordValue.point(2), 13.5f);
        QCOMPARE(st->GraphTitle, QStringLiteral("Opened"));
        QCOMPARE(st->DescriptionLine7, QString());
        QCOMPARE(st->OpenFileName, dir->file(QStringLiteral("in.txt")));
        QCOMPARE(st->DataFromFile, qint16(1));
        QCOMPARE(st->DataSaved.value(), 1.0);
        QCOMPARE(st->Zoomed, qint16(0));
        QCOMPARE(w->ProgressBar1->value(), 100);
        QCOMPARE(w->Label16->text(), Marked(62));
        QVERIFY(!w->mnuSaveTXT->isEnabled() && w->mnuPGraph->isEnabled());
        QVERIFY(w->Command2->isHidden() && !w->Command3->isHidden() && w->Label14->isHidden());
        QCOMPARE(ui::CurrentPointer(), ui::Pointer::Default);
        for (QAction* menu : w->busyMenus()) QVERIFY(menu->isEnabled());
    }

    void otherTextFileOffersOpenOnce() {
        LoadRecord(*w, 20);
        dir->write(QStringLiteral("notes.txt"), "shopping list\r\nmilk\r\n");
        const QStringList before = Snapshot(*w);
        PromptScript script;
        script.message(Marked(76), ui::Ok)
            .openFile(dir->file(QStringLiteral("notes.txt")))
            .message(Marked(53), ui::Ok)
            .openFile(std::nullopt);
        run(w->mnuOpen, script);
        QCOMPARE(script.messages().size(), 2); // the unsaved question, then string 53 once
        QCOMPARE(Snapshot(*w), before);
        QCOMPARE(st->ReopenPending.value(), 1.0);
    }

    void damagedFileKeepsTheRecord_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray good = SmallFile();
        const auto count = [&good](const char* n) {
            return QByteArray(good).replace("\r\n3\r\n", QByteArray("\r\n") + n + "\r\n");
        };
        QTest::newRow("no tab") << QByteArray(good).replace("\t13", " 13") << "line 17";
        QTest::newRow("ends before its count") << count("4") << "line 19";
        QTest::newRow("count above three banks") << count("73621") << "line 3";
        QTest::newRow("count zero") << count("0") << "line 3";
        QTest::newRow("header cut short") << good.left(good.indexOf("\"tag\"")) << "line 5";
        QTest::newRow("limit not a number")
            << QByteArray(good).replace("\r\n30\r\n", "\r\nx\r\n") << "line 14";
        QTest::newRow("missing file") << QByteArray() << Marked(55);
        QTest::newRow("a folder") << QByteArray("folder") << Marked(56);
    }
    void damagedFileKeepsTheRecord() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        LoadRecord(*w, 20);
        st->DataSaved = 1;
        st->DataFromFile = 1;
        st->OpenFileName = QStringLiteral("earlier.txt");
        st->FileKind = QStringLiteral("earlier kind");
        w->mnuFuncWEN->setVisible(true);
        w->mnuDownload->setEnabled(false);
        if (bytes == "folder")
            QDir(dir->path()).mkdir(QStringLiteral("in.txt"));
        else if (!bytes.isEmpty())
            dir->write(QStringLiteral("in.txt"), bytes);
        const QStringList before = Snapshot(*w);

        PromptScript script;
        script.openFile(dir->file(QStringLiteral("in.txt")))
            .message(message, ui::Ok)
            .openFile(std::nullopt);
        run(w->mnuOpen, script);
        QCOMPARE(Snapshot(*w), before);
        QCOMPARE(st->ReopenPending.value(), 1.0);
    }

    void unsavedQuestion_data() {
        QTest::addColumn<double>("dataSaved");
        QTest::addColumn<int>("progress");
        QTest::addColumn<double>("reopen");
        QTest::addColumn<bool>("asked");
        QTest::newRow("unsaved download") << 0.0 << 100 << 0.0 << true;
        QTest::newRow("partial download") << 0.0 << 40 << 0.0 << true;
        QTest::newRow("saved") << 1.0 << 100 << 0.0 << false;
        QTest::newRow("nothing loaded") << 0.0 << 0 << 0.0 << false;
        // A failed open lets its own Open dialog come again unasked, not a later Open command.
        QTest::newRow("after a failed open") << 0.0 << 100 << 1.0 << true;
    }
    void unsavedQuestion() {
        QFETCH(double, dataSaved);
        QFETCH(int, progress);
        QFETCH(double, reopen);
        QFETCH(bool, asked);
        st->DataSaved = dataSaved;
        w->ProgressBar1->setValue(progress);
        st->ReopenPending = reopen;
        // Cancel at the question ends the command before the Open dialog.
        PromptScript script;
        if (asked)
            script.message(Marked(76), ui::Cancel);
        else
            script.openFile(std::nullopt);
        run(w->mnuOpen, script);
        if (asked) QCOMPARE(script.seen().first().buttons, ui::Buttons::OkCancel);
    }
};

VESTO_TEST(SaveOpenTest)
#include "tst_saveopen.moc"
