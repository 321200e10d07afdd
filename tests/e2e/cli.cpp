// vesto-cli against the virtual logger, and beside the window: what it downloads is what the
// logger holds and what the archive keeps; its CSV and report are the window's, byte for byte
// and word for word; it runs with no display, links no widgets, and ends with the documented
// status when the port, the logger, a file or the line fails.
#include "files/RecordFile.h"
#include "output/frmEvents.h"
#include "support/Fixtures.h"
#include "support/LoggerEmulator.h"
#include "support/PromptScript.h"
#include "support/Pty.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace {

struct Run {
    int status = -1;
    QByteArray out, err;
};

// The tool with the arguments; `started` is called once it runs (to pull a cable, say).
Run Tool(const QStringList& arguments, const std::function<void()>& started = {},
         const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(environment);
    p.start(QStringLiteral(VESTO_BINARY_DIR "/vesto-cli"), arguments);
    if (p.waitForStarted() && started) started();
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

QStringList Archived(const ScopedWorkDir& dir) {
    QStringList files;
    QDirIterator it(dir.dataPath(), {"*.txt"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) files << it.next();
    return files;
}

QJsonObject StatusOf(const QString& port) {
    return QJsonDocument::fromJson(Tool({"status", "--port", port, "--json"}).out).object();
}

} // namespace

class CliTest : public QObject {
    Q_OBJECT
private slots:
    // Status, a download into a file and the archive, setup without and with --yes, and the
    // search naming the logger behind a silent line.
    void withTheLogger() {
        ScopedWorkDir dir;
        LoggerEmulator logger({"--readings", "1200"});
        QString error;
        const QString port = logger.start(error);
        QVERIFY2(!port.isEmpty(), qPrintable(error));
        const QJsonObject status = StatusOf(port);
        QCOMPARE((QList<double>{status["logger"].toDouble(), status["readings"].toDouble(),
                                status["high"].toDouble(), status["low"].toDouble()}),
                 (QList<double>{1234, 1200, 200, 50}));

        const Run download = Tool({"download", "--port", port, "-o", dir.file("rec.txt")});
        QVERIFY2(download.status == 0, download.err.constData());
        const auto parsed = ParseRecordFile(dir.read("rec.txt"));
        const auto& record = std::get<ParsedRecordFile>(parsed);
        const QList<LoggerEmulator::Reading> held = logger.readings();
        QCOMPARE(int(record.values.size()), 1200);
        for (int i = 0; i < 1200; ++i) {
            QCOMPARE(record.values[size_t(i)], held[i].raw / 4.0);
            const double apart = (record.times[size_t(i)] - record.times[0]) * 864000;
            QVERIFY(std::abs(apart - double(held[i].ticks - held[0].ticks)) < 0.1);
        }
        const QStringList archived = Archived(dir);
        QCOMPARE(archived.size(), 1);
        QFile kept(archived[0]);
        QVERIFY(kept.open(QIODevice::ReadOnly) && kept.readAll() == dir.read("rec.txt"));

        QCOMPARE(Tool({"setup", "--port", port, "--high", "210", "--low", "190", "--mode", "out"})
                     .status,
                 0);
        QCOMPARE(StatusOf(port)["high"].toDouble(), 200.0);
        QCOMPARE(Tool({"setup", "--port", port, "--high", "210", "--low", "190", "--mode", "out",
                       "--yes"})
                     .status,
                 0);
        const QJsonObject set = StatusOf(port);
        QCOMPARE((QList<QVariant>{set["high"].toDouble(), set["low"].toDouble(),
                                  set["mode"].toString(), set["readings"].toDouble()}),
                 (QList<QVariant>{210.0, 190.0, "out", 0.0}));

        Pty silent;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VESTO_COM1", silent.slavePath());
        environment.insert("VESTO_COM2", port);
        const Run search = Tool({"scan", "--search"}, {}, environment);
        QCOMPARE(search.status, 0);
        QVERIFY2(search.out.contains("Logger No. 1234 found on " + port.toUtf8()), search.out);
    }

    // The exit statuses of a port that is not there, a silent line, an unreadable file, a usage
    // error, and a line pulled out during a transfer (what arrived kept as partial).
    void failures() {
        ScopedWorkDir dir;
        Pty silent;
        QCOMPARE(Tool({"status", "--port", "/nonexistent/ttyUSB9"}).status, 2);
        const Run quiet = Tool({"status", "--port", silent.slavePath()});
        QVERIFY(quiet.status == 2 && quiet.err.startsWith("No logger answers on"));
        QCOMPARE(Tool({"convert", dir.file("missing.txt"), "-o", dir.file("x.csv")}).status, 3);
        QCOMPARE(Tool({"setup", "--high", "100"}).status, 1);

        QTemporaryDir links;
        const QString link = links.filePath("usb-Vesto_Logger_Cable-if00-port0");
        LoggerEmulator logger({"--readings", "12000", "--speed", "3000", "--link", link});
        QString error;
        QVERIFY2(!logger.start(error).isEmpty(), qPrintable(error));
        const Run cut = Tool({"download", "--port", link}, [&logger] {
            QTest::qWait(4000);
            logger.console("unplug");
        });
        QVERIFY2(cut.status == 5 && cut.err.contains("went away"), cut.err.constData());
        QVERIFY(Archived(dir).size() == 1 && Archived(dir)[0].endsWith("-partial.txt"));
    }

    // A record converted by the tool and exported by the window: the same CSV bytes, readings
    // and events; the same report, its time of making aside; the tool with no display at all.
    void sameAsTheWindow() {
        ScopedWorkDir dir;
        QByteArray file = "\"loggerfile\"\r\n\"exception recorder\"\r\n600\r\n\"Feeder\"\r\n";
        file += QByteArray("\"\"\r\n").repeated(6) + "1\r\n77\r\n\"V\"\r\n245\r\n215\r\n";
        for (int i = 0; i < 600; ++i)
            file += QByteArray::number(46000.5 + (i + i / 50 * 30) / 864000.0, 'f', 8) + '\t' +
                    QByteArray::number(i % 50 < 25 ? 180 + i % 7 : 250.5, 'f', 2) + "\r\n";
        dir.write("rec.txt", file);
        MainWindowFixture fx;
        fx.load();
        Log1& w = *fx.w;
        PromptScript script;
        script.openFile(dir.file("rec.txt"))
            .saveFile(dir.file("window"))
            .saveFile(dir.file("window-events"))
            .message(fx.st->Text(220), ui::Yes)
            .saveFile(dir.file("window.pdf"));
        w.mnuOpen->trigger();
        w.mnuExportCSV->trigger();
        w.mnuEvents->trigger();
        w.findChild<frmEvents*>()->Command1->click();
        w.mnuReport->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));

        QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            bare.remove(name);
        const QString record = dir.file("rec.txt");
        QCOMPARE(Tool({"convert", record, "-o", "-"}, {}, bare).out, dir.read("window.csv"));
        QCOMPARE(Tool({"convert", record, "--events", "-o", "-"}, {}, bare).out,
                 dir.read("window-events.csv"));
        QCOMPARE(Tool({"report", record, "-o", dir.file("tool.pdf")}, {}, bare).status, 0);
        const auto text = [](const QString& pdf) {
            return PdfText(pdf).remove(QRegularExpression("Report made [-0-9 :+]*"));
        };
        QCOMPARE(text(dir.file("tool.pdf")), text(dir.file("window.pdf")));
        QVERIFY(text(dir.file("tool.pdf")).contains("SEMI F47"));

        QProcess ldd;
        ldd.start("ldd", {VESTO_BINARY_DIR "/vesto-cli"});
        QVERIFY(ldd.waitForFinished() && !ldd.readAllStandardOutput().contains("Widgets"));
    }
};

VESTO_TEST(CliTest)
#include "cli.moc"
