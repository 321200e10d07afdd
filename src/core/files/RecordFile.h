#pragma once
// The text record file: a 15-line header followed by one "time<TAB>value" line per reading.
//
//   1  "loggerfile"              5..10  description lines 2..7, quoted
//   2  "exception recorder"      11     scale divisor, bare number
//   3  number of data lines      12     logger number, bare number
//   4  graph title, quoted       13     unit text, quoted
//                                14, 15 High and Low limits, bare numbers
//
// Header values are written the way a quoted list is written: texts between double quotes,
// numbers bare with a period, an empty value as an empty line. Data lines carry the time as a
// day serial ("#####.########") and the value ("###0.##") with the locale's decimal separator;
// the reader takes a comma or a period. Lines end in CR LF; the text is Latin-1, the 8-bit code
// page the files have always been written in.
//
// Everything here works on plain data: no state record, no widgets, no files.

#include "ui/Number.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

constexpr int kRecordFileHeaderLines = 15;

// What a record file holds besides its readings.
struct RecordFileHeader {
    QString fileKind = QStringLiteral("exception recorder");
    // GraphTitle, then DescriptionLine2 .. DescriptionLine7.
    std::array<QString, 7> description;
    Number probeScale;
    Number loggerNumber;
    QString unitName;
    Number highLimit;
    Number lowLimit;
};

// A record read from a file: the header as it stands in the file (no rules applied yet) and the
// readings, oldest first.
struct ParsedRecordFile {
    RecordFileHeader header;
    std::vector<double> times;
    std::vector<double> values;
};

struct RecordFileError {
    enum class Kind {
        NotRecordFile, // line 1 is not "loggerfile": some other text file
        Malformed      // a record file that is cut short or damaged
    };
    Kind kind = Kind::Malformed;
    int line = 0; // 1-based line of the file where reading stopped
    QString what; // what is wrong there, for the person who chose the file
};

using RecordFileResult = std::variant<ParsedRecordFile, RecordFileError>;

// Reads a whole file's bytes. Lines may end in CR LF, LF or CR; lines after the announced
// readings are ignored. Never reads outside the bytes, whatever they hold.
RecordFileResult ParseRecordFile(QByteArrayView bytes);

// A point of the record being written.
struct RecordPoint {
    double time;
    double value;
};

// The whole file for count points; point(i) gives point i, 1-based.
QByteArray FormatRecordFile(const RecordFileHeader& header, int count,
                            const std::function<RecordPoint(int)>& point);

// One data line without its line end: the time, a tab, the value.
QString RecordDataLine(double time, double value);

// A number as a header line holds it: bare, period as separator, no blank; empty stays empty.
QString InvariantNumber(const Number& value);

// The save name rule: unless the fourth character from the end of the file's name is a period,
// ".txt" is appended (report -> report.txt; report.TXT, x.abc stay; data.text -> data.text.txt).
QString RecordFileName(const QString& chosen);
