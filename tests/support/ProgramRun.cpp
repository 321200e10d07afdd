#include "support/ProgramRun.h"

#include "link/PortSelection.h"
#include "ui/DateSerial.h"

#include <QAction>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <cmath>

ProgramRun::ProgramRun(const QStringList& loggerArguments) : logger(loggerArguments) {}

ProgramRun::~ProgramRun() {
    // The window first: it lets go of the line before the logger goes away.
    fx.reset();
    qunsetenv("VESTO_COM1");
}

bool ProgramRun::start() {
    loggerStartedFrom = ui::Now();
    if (!logger.start()) {
        error_ = logger.error();
        return false;
    }
    loggerStartedTo = ui::Now();
    qputenv("VESTO_COM1", logger.ptyPath().toLocal8Bit());
    fx = std::make_unique<MainWindowFixture>();
    if (ownFiles) {
        fx->load();
        return true;
    }
    Log1& window = *fx->w;
    window.procedures.LoadLanguageAndSettings = [&window] {
        AppState& st = window.st;
        st.LanguageIndex = 1;
        const std::pair<int, const char*> texts[] = {
            {54, "Port"},           {59, "The port cannot be opened."},
            {65, "Reading status"}, {66, "Downloading"},
            {67, "Please wait"},    {73, "Discard the record?"},
            {74, "Warning"},        {90, "No logger"},
            {151, "Logger"},        {152, " online"}};
        for (const auto& [n, text] : texts) st.LangText[size_t(n)][1] = QString::fromLatin1(text);
        OpenCom1Fallback(window);
    };
    window.procedures.ShowLanguageDialog = [] {};
    window.Load();
    return true;
}

bool ProgramRun::waitOnline(int timeoutMs) {
    return QTest::qWaitFor([this] { return st().LoggerOnline == 1; }, timeoutMs);
}

bool ProgramRun::download(int timeoutMs) {
    if (st().ClockSet == 0)
        script.modal("frmTimeset",
                     [](QDialog& d) { d.findChild<QPushButton*>("Command2")->click(); });
    w().mnuDownload->trigger();
    if (st().DownloadRequested != 1) return false;
    return QTest::qWaitFor(
        [this] {
            return w().ProgressBar1->value() == 100 && st().Transferring == 0 &&
                   st().DownloadRequested == 0;
        },
        timeoutMs);
}

QString ProgramRun::compareWithLogger(int expectedCount,
                                      std::optional<double> downloadStart) const {
    const QList<LoggerEmulator::Reading> held = logger.readings();
    const AppState& s = st();
    if (int(s.RecordCount) != expectedCount)
        return QStringLiteral("%1 readings in memory, expected %2")
            .arg(s.RecordCount)
            .arg(expectedCount);
    if (held.size() < expectedCount)
        return QStringLiteral("the logger holds only %1 readings").arg(held.size());
    const double factor = s.VoltageRange == QLatin1String("250 Volt") ? 1.0 : 2.0;
    for (int i = 0; i < expectedCount; ++i) {
        const LoggerEmulator::Reading& r = held[i];
        const int n = i + 1;
        const double volts = r.raw / 4.0 * factor;
        const double time =
            downloadStart.value_or(s.DownloadStart) + double(r.ticks) / ui::kTicksPerDay;
        if (r.n != n) return QStringLiteral("the logger's record is out of order at %1").arg(n);
        if (s.RecordValue.point(n) != float(volts) || s.DisplayValue.point(n) != volts)
            return QStringLiteral("reading %1: %2 V, the logger holds %3 V")
                .arg(n)
                .arg(s.RecordValue.point(n))
                .arg(volts);
        // Well below the 0.1 s between two readings.
        if (std::abs(s.RecordTime.point(n) - time) > 0.01 / 86400)
            return QStringLiteral("reading %1: time off by %2 s")
                .arg(n)
                .arg((s.RecordTime.point(n) - time) * 86400);
    }
    return {};
}
