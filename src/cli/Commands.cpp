#include "cli/Commands.h"

#include "cli/Tool.h"
#include "files/Csv.h"
#include "files/StateRecord.h"
#include "graph/canvas/Canvas.h"
#include "link/CommandSequencer.h"
#include "link/LoggerLink.h"
#include "link/LoggerSearch.h"
#include "link/LoggerSetup.h"
#include "link/ReceiveHandler.h"
#include "link/ReferenceClock.h"
#include "link/StatusRecord.h"
#include "link/serial/MSComm1.h"
#include "link/serial/SerialDevices.h"
#include "output/EventTable.h"
#include "output/Events.h"
#include "output/PdfFile.h"
#include "output/Report.h"
#include "quality/Nominal.h"
#include "shell/StringNumbers.h"
#include "ui/DateSerial.h"
#include "ui/Format.h"
#include "ui/ReplaceFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Writes the bytes to the file named, or to standard output for "-"; kOk, or kFileError with the
// reason told.
int WriteOut(Tool& t, const QString& name, const QByteArray& bytes, bool sayWritten = true) {
    if (name == QLatin1String("-")) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
            t.Tell(t.Text(str::kNotWritten).arg(QStringLiteral("-"), out.errorString()));
            return kFileError;
        }
        return kOk;
    }
    if (const QString failure = ui::ReplaceFile(name, bytes); !failure.isEmpty()) {
        t.Tell(t.Text(str::kNotWritten).arg(Native(name), failure));
        return kFileError;
    }
    if (sayWritten) t.Tell(t.Text(str::kCliWritten).arg(Native(name)));
    return kOk;
}

// The record file named as the first word, read into the state as File > Open reads it.
int ReadRecord(Tool& t, const Options& o) {
    if (o.words.size() != 1) return t.UsageError(QStringLiteral("Name one record file"), o.command);
    std::variant<ParsedRecordFile, QString> read = ReadRecordFileAt(t.st, o.words[0]);
    if (const auto* failure = std::get_if<QString>(&read)) {
        t.Tell(*failure);
        return kFileError;
    }
    TakeRecordFile(t.st, std::get<ParsedRecordFile>(read));
    return kOk;
}

int Readings(const AppState& st) {
    return std::clamp(static_cast<int>(st.RecordCount.value()), 0, kMaxReadings);
}

// The link on the port, asking for the logger's status at once (the window waits two seconds
// after its start before it asks). Stops and lets go of the port when it goes.
class Session {
public:
    Session(Tool& tool, const Options& options)
        : t(tool), link(tool.st), interrupts(tool), options_(options) {
        QObject::connect(&interrupts, &Interrupts::interrupted, &loop, [this] {
            if (t.st.Transferring == 1)
                AbandonTransfer(link, TransferEnd::Stopped);
            else
                loop.quit();
        });
    }
    ~Session() {
        link.stop();
        link.MSComm1->setPortOpen(false);
    }

    // Opens the port and waits for the first status; kOk, or the exit status with the reason
    // told. A download asked for here starts from that status, as the window's starts from the
    // status it asks for before the transfer.
    int begin(bool download = false) {
        if (const auto failure = t.OpenPort(link, options_.value(QStringLiteral("--port")))) {
            t.Tell(*failure);
            return kNoLogger;
        }
        if (download) RequestDownload(link);
        t.st.LinkStarted = 1;
        t.st.LinkState = 1;
        link.start();
        bool answered = false;
        const auto a = QObject::connect(&link, &LoggerLink::statusApplied, &loop, [&] {
            answered = true;
            loop.quit();
        });
        const auto b =
            QObject::connect(&link, &LoggerLink::loggerLost, &loop, [&] { loop.quit(); });
        loop.exec();
        QObject::disconnect(a);
        QObject::disconnect(b);
        if (t.interrupted()) return kInterrupted;
        if (!answered) {
            t.Tell(t.Text(str::kCliNoAnswer).arg(t.portName()));
            return kNoLogger;
        }
        return kOk;
    }

    Tool& t;
    LoggerLink link;
    Interrupts interrupts;
    QEventLoop loop;

private:
    const Options& options_;
};

QString Volts(double volts) {
    return ui::PlainText(volts) + QStringLiteral(" V");
}

// The time of the logger's first reading, as the status panel shows it.
double FirstReadingTime(const AppState& st) {
    return st.DownloadStart + st.DownloadShifts.at(0);
}

} // namespace

int Scan(Tool& t, const Options& o) {
    LoggerLink link(t.st); // the COM options as the window's port holds them
    t.PreparePort(link, std::nullopt);
    QStringList optionPaths;
    for (int n = 1; n <= 4; ++n) {
        const QString path = link.MSComm1->devicePath(n);
        optionPaths << path;
        const bool set = !::MSComm1::environmentDevice(n).isEmpty();
        t.Say(QStringLiteral("COM%1  %2%3")
                  .arg(n)
                  .arg(path, set ? QStringLiteral("  (VESTO_COM%1)").arg(n) : QString()));
    }
    const QList<SerialDevice> offered = OfferedDevices(DetectSerialDevices());
    t.Say(t.Text(str::kCliDetected));
    if (offered.isEmpty()) t.Say(QStringLiteral("  ") + t.Text(str::kCliNoDevices));
    for (const SerialDevice& device : offered) t.Say(QStringLiteral("  ") + DeviceCaption(device));
    if (!o.has(QStringLiteral("--search"))) return kOk;

    // Asked as the Port dialog's Search asks: the options' devices first, then the others.
    QHash<QString, QString> shownAs;
    const QStringList paths = SearchOrder(optionPaths, offered, &shownAs);
    LoggerSearch search;
    Interrupts interrupts(t);
    QEventLoop loop;
    int result = kNoLogger;
    QObject::connect(&search, &LoggerSearch::trying, &loop, [&](const QString& path) {
        t.Tell(t.Text(154).arg(shownAs.value(path, path)));
    });
    QObject::connect(&search, &LoggerSearch::inUse, &loop, [&](const QString& path) {
        t.Tell(t.Text(157).arg(shownAs.value(path, path)));
    });
    QObject::connect(&search, &LoggerSearch::notPermitted, &loop, [&](const QString& path) {
        t.Tell(t.Text(158).arg(shownAs.value(path, path)));
    });
    QObject::connect(&search, &LoggerSearch::found, &loop, [&](const QString& path, int number) {
        t.Say(t.Text(155).arg(number).arg(shownAs.value(path, path)));
        result = kOk;
        loop.quit();
    });
    QObject::connect(&search, &LoggerSearch::nothingFound, &loop, [&] {
        t.Tell(t.Text(156));
        loop.quit();
    });
    QObject::connect(&interrupts, &Interrupts::interrupted, &loop, [&] {
        search.cancel();
        result = kInterrupted;
        loop.quit();
    });
    search.start(paths);
    loop.exec();
    return result;
}

int Status(Tool& t, const Options& o) {
    StatusRecord record;
    Session s(t, o);
    QObject::connect(&s.link, &LoggerLink::statusApplied, &s.loop,
                     [&record](const StatusRecord& r) { record = r; });
    if (const int result = s.begin()) return result;
    const AppState& st = t.st;
    const double factor = LimitRangeFactor(st.VoltageRange);
    const bool present = record.presentShown() != 0;
    const double presentVolts = record.presentReading() * PresentRangeFactor(st.VoltageRange);
    const QString first = ui::Format(FirstReadingTime(st), WithTenths(st.DateTimeFormatLong));
    if (o.has(QStringLiteral("--json"))) {
        QJsonObject json{
            {QStringLiteral("port"), t.portName()},
            {QStringLiteral("logger"), record.loggerNumber},
            {QStringLiteral("type"), record.loggerType},
            {QStringLiteral("readings"), st.LoggerRecordCount.value()},
            {QStringLiteral("range"), st.VoltageRange},
            {QStringLiteral("unit"), st.FunctionUnitName},
            {QStringLiteral("high"), record.highRaw * factor},
            {QStringLiteral("low"), record.lowRaw * factor},
            {QStringLiteral("mode"),
             record.mode() == 1 ? QStringLiteral("in") : QStringLiteral("out")},
            {QStringLiteral("present"), present ? QJsonValue(presentVolts) : QJsonValue()},
            {QStringLiteral("first_reading"),
             ui::Format(FirstReadingTime(st), QStringLiteral("yyyy-mm-ddThh:mm:ss.0"))}};
        t.Say(QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Compact)));
        return kOk;
    }
    QList<std::pair<QString, QString>> rows{
        {t.Text(str::kCliPort), t.portName()},
        {t.Text(str::kLoggerNo).trimmed(), ui::PlainText(record.loggerNumber)},
        {t.Text(str::kStoredReadings) + u':',
         ui::Format(st.LoggerRecordCount, QStringLiteral("#,##0"))},
        {t.Text(str::kRange), st.VoltageRange},
        {t.Text(str::kHighLimit), Volts(record.highRaw * factor)},
        {t.Text(str::kHighLimit + 1), Volts(record.lowRaw * factor)},
        {t.Text(str::kCliRecording),
         record.mode() == 1 ? QStringLiteral("Exception IN") : QStringLiteral("Exception OUT")}};
    if (present) rows.append({QStringLiteral("Present:"), Volts(presentVolts)});
    rows.append({t.Text(str::kFirstDataPoint), first});
    qsizetype width = 0;
    for (const auto& row : rows) width = std::max(width, row.first.size());
    for (const auto& [caption, value] : rows) t.Say(caption.leftJustified(width + 2) + value);
    return kOk;
}

int Download(Tool& t, const Options& o) {
    AppState& st = t.st;
    double present = ui::Now();
    if (const auto clock = o.value(QStringLiteral("--clock"))) {
        const QDateTime given =
            QDateTime::fromString(clock->trimmed(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!given.isValid()) {
            t.Tell(t.Text(str::kCliBadClock).arg(*clock));
            return kUsage;
        }
        present = ui::SerialFromDate(given);
    }
    const std::optional<QString> output = o.value(QStringLiteral("-o"));
    // The reference clock as the clock dialog sets it: the present confirmed, the computer's clock
    // left alone.
    SetReferenceTime(st, present);

    Session s(t, o);
    s.link.archiveDownloads = !o.has(QStringLiteral("--no-archive"));
    if (const int result = s.begin(true)) return result;
    if (st.LoggerRecordCount == 0) {
        t.Tell(t.Text(str::kCliEmpty));
        return kOk;
    }

    int result = kOk;
    QString archived;
    QElapsedTimer running;
    QTimer progress;
    // On a terminal a bar that moves; in a log one line a bank.
    QObject::connect(&progress, &QTimer::timeout, &s.loop, [&] {
        if (st.Transferring != 1) return;
        const qint64 bytes = std::min<qint64>(BytesReceived(s.link), st.DownloadBytes);
        const double seconds = running.elapsed() / 1000.0;
        const double left = bytes > 0 ? (st.DownloadBytes - bytes) * seconds / bytes : 0;
        t.err() << '\r'
                << t.Text(str::kCliProgress)
                       .arg(static_cast<int>(TransferPercent(s.link)), 3)
                       .arg(ui::Format(static_cast<double>(bytes), QStringLiteral("#,##0")),
                            ui::Format(st.DownloadBytes, QStringLiteral("#,##0")),
                            DurationText(std::ceil(left) / 86400).section(u'.', 0, 0))
                << "   ";
        t.err().flush();
    });
    QObject::connect(&s.link, &LoggerLink::transferStarted, &s.loop, [&] {
        running.start();
        if (t.ErrorIsTerminal()) progress.start(500);
    });
    QObject::connect(&s.link, &LoggerLink::bankReceived, &s.loop, [&](int bank, int banks) {
        if (!t.ErrorIsTerminal())
            t.Tell(t.Text(str::kCliBank)
                       .arg(bank)
                       .arg(banks)
                       .arg(ui::Format(static_cast<double>(BankBytesTaken(st, bank)),
                                       QStringLiteral("#,##0"))));
    });
    QObject::connect(&s.link, &LoggerLink::archived, &s.loop,
                     [&](const QString& path, const QString& failure, const QString& folder) {
                         archived = path;
                         if (path.isEmpty() && !failure.isEmpty())
                             t.Tell(t.Text(str::kArchiveFailed).arg(failure) + u' ' +
                                    Native(folder));
                     });
    // The archive is written right after the readings are placed; the loop ends once it has.
    QObject::connect(
        &s.link, &LoggerLink::recordPlaced, &s.loop, [&] { s.loop.quit(); }, Qt::QueuedConnection);
    QObject::connect(&s.link, &LoggerLink::transferAbandoned, &s.loop,
                     [&](const QString& message, bool) {
                         if (progress.isActive()) t.err() << '\n';
                         t.Tell(message);
                         result = t.interrupted() ? kInterrupted : kRefused;
                         s.loop.quit();
                     });
    QObject::connect(&s.link, &LoggerLink::loggerLost, &s.loop, [&] {
        if (st.Transferring == 1) return;
        t.Tell(t.Text(str::kCliNoAnswer).arg(t.portName()));
        result = kNoLogger;
        s.loop.quit();
    });
    s.loop.exec();
    if (progress.isActive()) {
        progress.stop();
        t.err() << '\n';
    }
    if (result == kOk && t.interrupted()) result = kInterrupted;
    if (result != kOk) return result;

    const int count = Readings(st);
    t.Tell(t.Text(str::kCliDownloaded).arg(count).arg(ui::PlainText(st.LoggerNumber)));
    if (!archived.isEmpty()) t.Tell(t.Text(str::kCliArchived).arg(Native(archived)));
    if (!output) return kOk;
    const QByteArray bytes =
        output->endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)
            ? RecordCsv(count, RecordPointsOf(st, false), st.UnitName)
            : FormatRecordFile(RecordHeaderOf(st), count, RecordPointsOf(st, false));
    return WriteOut(t, *output, bytes);
}

int Convert(Tool& t, const Options& o) {
    const std::optional<QString> output = o.value(QStringLiteral("-o"));
    if (!output) return t.UsageError(QStringLiteral("-o is missing"), o.command);
    if (const int result = ReadRecord(t, o)) return result;
    const AppState& st = t.st;
    const int count = Readings(st);
    // The window's Export CSV of the whole record, and the Events window's Export.
    const QByteArray bytes = o.has(QStringLiteral("--events"))
                                 ? EventsCsv(RecordEventsOf(st, count), st.UnitName)
                                 : RecordCsv(count, RecordPointsOf(st, false), st.UnitName);
    return WriteOut(t, *output, bytes, *output != QLatin1String("-"));
}

int Report(Tool& t, const Options& o) {
    const std::optional<QString> output = o.value(QStringLiteral("-o"));
    if (!output) return t.UsageError(QStringLiteral("-o is missing"), o.command);
    AppState& st = t.st;
    std::optional<double> nominal;
    if (const auto given = o.value(QStringLiteral("--nominal"))) {
        bool number = false;
        const double volts = given->toDouble(&number);
        if (!number || !(volts >= quality::kLowestNominal && volts <= quality::kHighestNominal)) {
            t.Tell(t.Text(str::kCliBadNominal)
                       .arg(*given, ui::PlainText(quality::kLowestNominal),
                            ui::PlainText(quality::kHighestNominal)));
            return kUsage;
        }
        nominal = volts;
    }
    if (const int result = ReadRecord(t, o)) return result;
    // For this report only: the choice kept for the logger stays as it is.
    if (nominal) {
        st.NominalVoltage = *nominal;
        st.NominalLogger = st.LoggerNumber;
    }
    const int count = Readings(st);
    const QDateTime made = ui::NowDateTime();
    const QByteArray bytes =
        PdfBytes(st.GraphTitle, LocalePaper(QLocale()), [&](PageCanvas& canvas, int dpi) {
            DrawReport(st, count, canvas, dpi, made, nullptr);
        });
    if (bytes.isEmpty()) {
        t.Tell(t.Text(str::kNotWritten)
                   .arg(Native(*output), QStringLiteral("the report could not be drawn")));
        return kFileError;
    }
    return WriteOut(t, *output, bytes);
}

int Setup(Tool& t, const Options& o) {
    AppState& st = t.st;
    const auto number = [&](const QString& name) -> std::optional<double> {
        bool ok = false;
        const double v = o.value(name).value_or(QString()).toDouble(&ok);
        return ok ? std::optional<double>(v) : std::nullopt;
    };
    const std::optional<double> high = number(QStringLiteral("--high"));
    const std::optional<double> low = number(QStringLiteral("--low"));
    const QString mode = o.value(QStringLiteral("--mode")).value_or(QString()).toLower();
    if (!high || !low || (mode != QLatin1String("in") && mode != QLatin1String("out")))
        return t.UsageError(QStringLiteral("Give --high V, --low V and --mode in or out"),
                            o.command);
    // The setup dialog's checks, in its words.
    if (!LimitsFitRange(*high, *low, st.VoltageRange)) {
        t.Tell(kNotEven);
        return kUsage;
    }
    const double highSteps = LimitSteps(*high, st.VoltageRange);
    const double lowSteps = LimitSteps(*low, st.VoltageRange);
    if (!LimitsValid(highSteps, lowSteps)) {
        t.Tell(kInvalidLimits);
        return kUsage;
    }
    const int modeNumber = mode == QLatin1String("in") ? 1 : 2;
    const QString modeText = mode.toUpper();
    if (!o.has(QStringLiteral("--yes"))) {
        LoggerLink link(st);
        t.PreparePort(link, o.value(QStringLiteral("--port"))); // only to name the port
        t.Say(t.Text(str::kCliWouldSetUp)
                  .arg(ui::PlainText(*high), ui::PlainText(*low), modeText, t.portName()));
        return kOk;
    }

    Session s(t, o);
    if (const int result = s.begin()) return result;
    if (st.LoggerType != 80) {
        t.Tell(t.Text(str::kCliNoSetup)
                   .arg(ui::PlainText(st.StatusLoggerNumber), ui::PlainText(st.LoggerType)));
        return kRefused;
    }
    // The link writes the limits, waits for the status to show them, then restarts the logger;
    // the status after the restart ends the command.
    int result = kRefused;
    bool confirmed = false;
    QObject::connect(&s.link, &LoggerLink::statusApplied, &s.loop, [&] {
        if (!confirmed) {
            // The status that shows the new limits asks for the restart.
            confirmed = st.LimitsConfirmed == 1 && st.RestartPending == 1;
        } else if (st.RestartPending == 0) {
            result = kOk;
            s.loop.quit();
        }
    });
    QTimer::singleShot(20000, &s.loop, [&] { s.loop.quit(); });
    RequestNewLimits(st, highSteps, lowSteps, modeNumber);
    s.loop.exec();
    if (t.interrupted()) return kInterrupted;
    if (result != kOk) {
        t.Tell(t.Text(str::kCliNotTaken));
        return result;
    }
    t.Say(t.Text(str::kCliSetUp)
              .arg(ui::PlainText(st.StatusLoggerNumber), modeText, ui::PlainText(*high),
                   ui::PlainText(*low)));
    return kOk;
}
