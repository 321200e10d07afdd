#include "support/ProgramRun.h"

#include "files/Archive.h"
#include "files/RecordFile.h"
#include "link/PortSelection.h"
#include "ui/DateSerial.h"
#include "ui/Pointer.h"

#include <QAction>
#include <QDirIterator>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cmath>

ProgramRun::~ProgramRun() {
    // The window first: it lets go of the line before the logger goes away.
    fx.reset();
    qunsetenv("VESTO_COM1");
}

QString ProgramRun::start(bool online) {
    QString error;
    loggerStartedFrom = ui::Now();
    const QString line = logger.start(error);
    loggerStartedTo = ui::Now();
    if (line.isEmpty()) return error;
    qputenv("VESTO_COM1", (com1.isEmpty() ? line : com1).toLocal8Bit());
    fx = std::make_unique<MainWindowFixture>();
    Log1& window = *fx->w;
    if (ownFiles) {
        fx->load();
    } else {
        window.procedures.LoadLanguageAndSettings = [&window] {
            window.st.LanguageIndex = 1;
            const std::pair<int, const char*> texts[] = {
                {54, "Port"},           {59, "The port cannot be opened."},
                {65, "Reading status"}, {66, "Downloading"},
                {67, "Please wait"},    {73, "Discard the record?"},
                {74, "Warning"},        {90, "No logger"},
                {151, "Logger"},        {152, " online"}};
            for (const auto& [n, text] : texts) window.st.LangText[size_t(n)][1] = text;
            OpenCom1Fallback(window);
        };
        window.procedures.ShowLanguageDialog = [] {};
        window.Load();
    }
    loadedAt = ui::Now();
    return !online || waitOnline() ? QString() : QStringLiteral("the logger never came online");
}

bool ProgramRun::waitOnline(int timeoutMs) {
    return QTest::qWaitFor([this] { return st().LoggerOnline == 1; }, timeoutMs);
}

bool ProgramRun::download(int timeoutMs) {
    if (st().ClockSet == 0)
        script.modal("frmTimeset",
                     [](QDialog& d) { d.findChild<QPushButton*>("Command2")->click(); });
    w().mnuDownload->trigger();
    const auto drawn = [this] {
        return w().ProgressBar1->value() == 100 && st().Transferring == 0 &&
               st().DownloadRequested == 0;
    };
    return st().DownloadRequested == 1 && QTest::qWaitFor(drawn, timeoutMs);
}

bool ProgramRun::idle() const {
    const QList<QAction*> menus = w().busyMenus();
    return !ui::IsHourglass() &&
           std::all_of(menus.begin(), menus.end(), [](QAction* m) { return m->isEnabled(); });
}

QString ProgramRun::compareWithLogger(int expectedCount) const {
    const AppState& s = st();
    if (int(s.RecordCount) != expectedCount)
        return QStringLiteral("%1 readings in memory").arg(s.RecordCount);
    // Where the record and the display part, NaN stands in: it equals no reading.
    return compareReadings(expectedCount, [&s](int n) {
        const double value = s.DisplayValue.point(n);
        return std::pair{s.RecordTime.point(n),
                         s.RecordValue.point(n) == float(value) ? value : std::nan("")};
    });
}

QString ProgramRun::compareFileWithLogger(const QString& path, int* readings) const {
    QFile file(path);
    const RecordFileResult result =
        ParseRecordFile(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    if (const auto* error = std::get_if<RecordFileError>(&result))
        return QStringLiteral("line %1: %2").arg(error->line).arg(error->what);
    const auto& record = std::get<ParsedRecordFile>(result);
    *readings = int(record.times.size());
    return compareReadings(*readings, [&record](int n) {
        return std::pair{record.times[size_t(n - 1)], record.values[size_t(n - 1)]};
    });
}

QStringList ProgramRun::archive() const {
    QStringList files;
    QDirIterator it(ArchiveFolder(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) files << it.next();
    files.sort();
    return files;
}

QString ProgramRun::compareReadings(int count,
                                    const std::function<std::pair<double, double>(int)>& at) const {
    const QList<LoggerEmulator::Reading> held = logger.readings();
    if (held.size() < count)
        return QStringLiteral("%1 readings, the logger holds %2").arg(count).arg(held.size());
    const AppState& s = st();
    const double factor = s.VoltageRange == QLatin1String("250 Volt") ? 1.0 : 2.0;
    for (int n = 1; n <= count; ++n) {
        const LoggerEmulator::Reading& r = held[n - 1];
        const double volts = r.raw / 4.0 * factor;
        const double time = s.DownloadStart + double(r.ticks) / ui::kTicksPerDay;
        const auto [readingTime, value] = at(n);
        // The time may be off by well below the 0.1 s between two readings.
        if (r.n != n || value != volts || std::abs(readingTime - time) > 0.01 / 86400)
            return QStringLiteral("reading %1 (%2 in the logger): %3 V, %4 s off; the logger "
                                  "holds %5 V")
                .arg(n)
                .arg(r.n)
                .arg(value)
                .arg((readingTime - time) * 86400)
                .arg(volts);
    }
    return {};
}
