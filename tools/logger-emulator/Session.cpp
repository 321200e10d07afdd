#include "logger-emulator/Session.h"

#include <QSaveFile>

namespace emulator {

namespace {
// Noise on the line before an acknowledge; never the acknowledge byte itself.
const QByteArray Noise("\xFF\xFE\x13\x00\x7E\xA5\x11", 7);
} // namespace

Session::Session(const LoggerSettings& settings, LineSpeed speed, SessionFiles files, qint64 nowMs)
    : logger_(settings, nowMs), pacer_(speed), files_(std::move(files)) {}

bool Session::Start(QString* error) {
    if (!files_.log.isEmpty()) {
        log_.setFileName(files_.log);
        if (!log_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
            *error = QStringLiteral("cannot open %1: %2").arg(files_.log, log_.errorString());
            return false;
        }
    }
    return WriteRecord(error);
}

bool Session::WriteRecord(QString* error) {
    if (files_.record.isEmpty()) return true;
    QSaveFile file(files_.record);
    if (file.open(QIODevice::WriteOnly) && file.write(logger_.RecordText()) >= 0 && file.commit())
        return true;
    if (error)
        *error = QStringLiteral("cannot write %1: %2").arg(files_.record, file.errorString());
    return false;
}

void Session::Log(const Command& command, qint64 nowMs) {
    if (!log_.isOpen()) return;
    log_.write(QByteArray::number(nowMs) + '\t' + command.bytes.toHex(' ') + '\n');
    log_.flush();
}

void Session::Receive(const QByteArray& bytes, qint64 nowMs) {
    for (const Command& command : parser_.Feed(bytes, nowMs)) {
        Log(command, nowMs);
        // A logger busy sending does not listen; a cut line or a deaf logger hears nothing.
        if (lineCut_ || Busy()) continue;
        if (faults_.Use(Fault::Kind::NoAnswer)) continue;
        Execute(command, nowMs);
    }
}

void Session::Execute(const Command& command, qint64 nowMs) {
    switch (command.letter) {
    case 'R': {
        QByteArray record = logger_.StatusRecord(nowMs);
        if (const auto fault = faults_.Use(Fault::Kind::ShortStatus))
            record.truncate(qsizetype(fault->bytes));
        Answer(record, 'R');
        break;
    }
    case 'T':
        Answer(logger_.TransferBytes(), 'T');
        break;
    case 'L':
        logger_.SetLimits(quint8(command.bytes[2]), quint8(command.bytes[3]),
                          quint8(command.bytes[4]));
        break;
    case 'B':
        logger_.Restart(nowMs);
        WriteRecord();
        break;
    default:
        break; // a letter this logger does not know
    }
}

void Session::Answer(QByteArray body, char letter) {
    QByteArray answer;
    if (faults_.Use(Fault::Kind::Garbage)) answer += Noise;
    if (faults_.Use(Fault::Kind::BadAck)) {
        answer += WrongAcknowledge;
    } else {
        answer += Acknowledge;
        if (letter == 'T') {
            if (const auto cut = faults_.Use(Fault::Kind::CutAt)) {
                body.truncate(qsizetype(cut->bytes));
                lineCut_ = true;
            } else if (const auto stall = faults_.Use(Fault::Kind::StallAt)) {
                body.truncate(qsizetype(stall->bytes));
            }
        }
        answer += body;
    }
    if (output_.isEmpty()) pacer_.Idle();
    output_ += answer;
    oneByte_ = faults_.Use(Fault::Kind::OneByte).has_value();
}

QByteArray Session::Due(qint64 nowMs) {
    if (output_.isEmpty()) return {};
    qint64 count = pacer_.Allowance(output_.size(), nowMs);
    if (oneByte_) count = nowMs - lastByteMs_ >= OneByteGapMs ? qMin<qint64>(count, 1) : 0;
    return output_.left(qsizetype(count));
}

void Session::Written(qint64 count, qint64 nowMs) {
    if (count <= 0) return;
    output_.remove(0, qsizetype(count));
    pacer_.Sent(count);
    lastByteMs_ = nowMs;
    if (output_.isEmpty()) pacer_.Idle();
}

qint64 Session::MsUntilDue(qint64 nowMs) const {
    if (output_.isEmpty()) return -1;
    qint64 wait = pacer_.MsUntilNext(nowMs);
    if (oneByte_) wait = qMax(wait, lastByteMs_ + OneByteGapMs - nowMs);
    return qMax<qint64>(0, wait);
}

Session::ConsoleResult Session::Console(const QString& line, qint64 nowMs, QString* message) {
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty()) return ConsoleResult::Done;
    const QString& verb = words.first();
    if (verb == QLatin1String("quit") && words.size() == 1) return ConsoleResult::Quit;
    if (verb == QLatin1String("restart") && words.size() == 1) {
        logger_.Restart(nowMs);
        return WriteRecord(message) ? ConsoleResult::Done : ConsoleResult::Error;
    }
    if (verb == QLatin1String("readings") && words.size() == 2) {
        bool ok = false;
        const int readings = words[1].toInt(&ok);
        if (!ok || readings < 0 || readings > MaxReadings) {
            *message = QStringLiteral("readings: a number from 0 to %1").arg(MaxReadings);
            return ConsoleResult::Error;
        }
        logger_.ReplaceReadings(readings, nowMs);
        return WriteRecord(message) ? ConsoleResult::Done : ConsoleResult::Error;
    }
    if (verb == QLatin1String("fault") && words.size() == 2) {
        if (words[1] == QLatin1String("clear")) {
            faults_.Clear();
            lineCut_ = false;
            return ConsoleResult::Done;
        }
        if (const auto fault = Fault::Parse(words[1])) {
            faults_.Add(*fault);
            return ConsoleResult::Done;
        }
        *message = QStringLiteral("unknown fault: %1").arg(words[1]);
        return ConsoleResult::Error;
    }
    *message = QStringLiteral("unknown command: %1").arg(line.trimmed());
    return ConsoleResult::Error;
}

} // namespace emulator
