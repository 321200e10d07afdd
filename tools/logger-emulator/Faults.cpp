#include "logger-emulator/Faults.h"

namespace emulator {

namespace {
constexpr qint64 DefaultShortStatus = 56;

struct Name {
    const char* text;
    Fault::Kind kind;
    bool takesBytes; // ":BYTES" allowed
    bool needsBytes; // ":BYTES" required
};
constexpr Name Names[] = {
    {"no-answer", Fault::Kind::NoAnswer, false, false},
    {"bad-ack", Fault::Kind::BadAck, false, false},
    {"stall-at", Fault::Kind::StallAt, true, true},
    {"cut-at", Fault::Kind::CutAt, true, true},
    {"garbage", Fault::Kind::Garbage, false, false},
    {"one-byte", Fault::Kind::OneByte, false, false},
    {"short-status", Fault::Kind::ShortStatus, true, false},
};
} // namespace

std::optional<Fault> Fault::Parse(const QString& text) {
    Fault fault;
    QString body = text.trimmed();
    const qsizetype slash = body.indexOf(QLatin1Char('/'));
    if (slash >= 0) {
        bool ok = false;
        fault.remaining = body.mid(slash + 1).toInt(&ok);
        if (!ok || fault.remaining <= 0) return std::nullopt;
        body.truncate(slash);
    }
    const qsizetype colon = body.indexOf(QLatin1Char(':'));
    const QString name = colon >= 0 ? body.left(colon) : body;
    for (const Name& entry : Names) {
        if (name != QLatin1String(entry.text)) continue;
        fault.kind = entry.kind;
        if (colon < 0) {
            if (entry.needsBytes) return std::nullopt;
            fault.bytes = entry.kind == Kind::ShortStatus ? DefaultShortStatus : 0;
            return fault;
        }
        if (!entry.takesBytes) return std::nullopt;
        bool ok = false;
        fault.bytes = body.mid(colon + 1).toLongLong(&ok);
        if (!ok || fault.bytes < 0) return std::nullopt;
        return fault;
    }
    return std::nullopt;
}

void Faults::Add(const Fault& fault) {
    // A fault given again replaces the one of its kind.
    for (Fault& existing : faults_) {
        if (existing.kind == fault.kind) {
            existing = fault;
            return;
        }
    }
    faults_.append(fault);
}

const Fault* Faults::Find(Fault::Kind kind) const {
    for (const Fault& fault : faults_)
        if (fault.kind == kind) return &fault;
    return nullptr;
}

std::optional<Fault> Faults::Use(Fault::Kind kind) {
    for (qsizetype i = 0; i < faults_.size(); ++i) {
        if (faults_[i].kind != kind) continue;
        const Fault fault = faults_[i];
        if (faults_[i].remaining > 0 && --faults_[i].remaining == 0) faults_.removeAt(i);
        return fault;
    }
    return std::nullopt;
}

} // namespace emulator
