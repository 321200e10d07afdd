#include "files/Csv.h"

#include "ui/Format.h"

#include <QLocale>

struct CsvWriter::Writers {
    const ui::Latin1Writer time{QStringLiteral("yyyy-mm-ddThh:mm:ss.0"), QLocale::c()};
    const ui::Latin1Writer value{QStringLiteral("0.0##"), QLocale::c()};
    const ui::Latin1Writer oneDecimal{QStringLiteral("0.0"), QLocale::c()};
    const ui::Latin1Writer whole{QStringLiteral("0"), QLocale::c()};
};

CsvWriter::CsvWriter() : writers_(std::make_unique<Writers>()) {}

CsvWriter::~CsvWriter() = default;

QByteArray CsvWriter::Field(const QString& text) {
    QByteArray field = text.toUtf8();
    if (field.contains(',') || field.contains('"') || field.contains('\r') ||
        field.contains('\n')) {
        field.replace("\"", "\"\"");
        field = '"' + field + '"';
    }
    return field;
}

void CsvWriter::separate() {
    if (rowStarted_) bytes_ += ',';
    rowStarted_ = true;
}

void CsvWriter::text(const QString& field) {
    encoded(Field(field));
}

void CsvWriter::encoded(const QByteArray& field) {
    separate();
    bytes_ += field;
}

void CsvWriter::time(double serial) {
    separate();
    writers_->time.append(bytes_, serial);
}

void CsvWriter::value(double v) {
    separate();
    writers_->value.append(bytes_, v);
}

void CsvWriter::oneDecimal(double v) {
    separate();
    writers_->oneDecimal.append(bytes_, v);
}

void CsvWriter::whole(double n) {
    separate();
    writers_->whole.append(bytes_, n);
}

void CsvWriter::endRow() {
    bytes_ += "\r\n";
    rowStarted_ = false;
}

QByteArray RecordCsv(int count, const std::function<RecordPoint(int)>& point, const QString& unit) {
    CsvWriter csv;
    csv.bytes().reserve(qsizetype(std::max(count, 0)) * 40 + 32);
    for (const char* name : {"time", "value", "unit"}) csv.text(QLatin1String(name));
    csv.endRow();
    const QByteArray unitField = CsvWriter::Field(unit);
    for (int i = 1; i <= count; ++i) {
        const RecordPoint p = point(i);
        csv.time(p.time);
        csv.value(p.value);
        csv.encoded(unitField);
        csv.endRow();
    }
    return std::move(csv.bytes());
}
