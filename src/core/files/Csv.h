#pragma once
// CSV as RFC 4180 has it, for spreadsheets and data tools: fields separated by commas, every row
// ended by CR LF, a field holding a comma, a double quote or a line end put between double
// quotes with its quotes doubled, the text in UTF-8 without a byte order mark. Times are ISO 8601
// local times to the tenth of a second (2026-12-06T14:03:22.3) and numbers carry a period,
// whatever the user's locale, so every tool reads the file alike.

#include "files/RecordFile.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class CsvWriter {
public:
    CsvWriter();
    ~CsvWriter();
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;

    void text(const QString& field);
    // A field already made by Field(), for a text that repeats on every row.
    void encoded(const QByteArray& field);
    void time(double serial);
    void value(double v);      // up to three decimals
    void oneDecimal(double v); // seconds, per cents
    void whole(double n);
    void endRow();

    QByteArray& bytes() { return bytes_; }

    // A text as one field, quoted where it has to be.
    static QByteArray Field(const QString& text);

private:
    void separate();
    struct Writers;
    std::unique_ptr<Writers> writers_;
    QByteArray bytes_;
    bool rowStarted_ = false;
};

// The readings 1..count as a CSV file: a header row "time,value,unit", then one row per reading.
QByteArray RecordCsv(int count, const std::function<RecordPoint(int)>& point, const QString& unit);
