#include "files/RecordFile.h"

#include "shell/RecordArrays.h"
#include "ui/Format.h"
#include "ui/Parse.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

const QString kFileMark = QStringLiteral("loggerfile");
const QString kFileKind = QStringLiteral("exception recorder");
const QString kTimePattern = QStringLiteral("#####.########");
const QString kValuePattern = QStringLiteral("###0.##");

// The calendar the program can show: 1 January 100 to 31 December 9999 as day serials. A time
// outside it cannot be drawn or printed, so a file carrying one is damaged.
constexpr double kFirstDay = -657434.0;
constexpr double kLastDay = 2958465.99999999;

// Hands out the lines of the file one by one; CR LF, LF and CR each end a line, and the end of
// the bytes ends the last line.
class LineReader {
public:
    explicit LineReader(QByteArrayView bytes) : bytes_(bytes) {}

    std::optional<QByteArrayView> next() {
        const qsizetype size = bytes_.size();
        if (pos_ >= size) return std::nullopt;
        const qsizetype start = pos_;
        while (pos_ < size && bytes_[pos_] != '\r' && bytes_[pos_] != '\n') ++pos_;
        const QByteArrayView line = bytes_.sliced(start, pos_ - start);
        if (pos_ < size) {
            const bool crlf = bytes_[pos_] == '\r' && pos_ + 1 < size && bytes_[pos_ + 1] == '\n';
            pos_ += crlf ? 2 : 1;
        }
        ++number_;
        return line;
    }
    int number() const { return number_; }

private:
    QByteArrayView bytes_;
    qsizetype pos_ = 0;
    int number_ = 0;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// One item of a quoted list: a quoted item ends at its closing quote, a bare one at a comma or
// the end of the line, without the blanks around it.
struct ListItem {
    QString text;
    bool quoted = false;
};

std::optional<ListItem> ReadListItem(QByteArrayView line) {
    qsizetype i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i < line.size() && line[i] == '"') {
        const qsizetype close = line.indexOf('"', i + 1);
        if (close < 0) return std::nullopt;
        return ListItem{QString::fromLatin1(line.sliced(i + 1, close - i - 1)), true};
    }
    qsizetype end = line.indexOf(',', i);
    if (end < 0) end = line.size();
    while (end > i && IsBlank(line[end - 1])) --end;
    return ListItem{QString::fromLatin1(line.sliced(i, end - i)), false};
}

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// A bare number as the writer puts it in the header: sign, digits with at most one period, and
// an optional exponent.
bool IsPlainNumber(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
    const qsizetype wholeStart = i;
    while (i < n && IsDigit(text[i])) ++i;
    bool digits = i > wholeStart;
    if (i < n && text[i] == u'.') {
        const qsizetype fractionStart = ++i;
        while (i < n && IsDigit(text[i])) ++i;
        digits = digits || i > fractionStart;
    }
    if (!digits) return false;
    if (i < n && (text[i] == u'E' || text[i] == u'e' || text[i] == u'D' || text[i] == u'd')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
        const qsizetype start = i;
        while (i < n && IsDigit(text[i])) ++i;
        if (i == start) return false;
    }
    return i == n;
}

// A number of a data line, as ui::Val reads it with a comma taken for a period. Nearly every
// field is an optional minus, digits and one separator: such a field is converted directly from
// its bytes, to the very same double (both conversions round the decimal value correctly).
// Anything else takes the general parse.
double FieldValue(QByteArrayView field) {
    char plain[32];
    const qsizetype n = field.size();
    bool simple = n > 0 && n <= qsizetype(sizeof plain);
    bool separator = false;
    bool digit = false;
    for (qsizetype i = 0; simple && i < n; ++i) {
        const char c = field[i];
        if (c >= '0' && c <= '9') {
            digit = true;
            plain[i] = c;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
            plain[i] = '.';
        } else if (c == '-' && i == 0) {
            plain[i] = c;
        } else {
            simple = false;
        }
    }
    if (simple && digit) {
        double value = 0;
        const auto [end, ec] = std::from_chars(plain, plain + n, value);
        // The general parse gives a zero without sign.
        if (ec == std::errc() && end == plain + n) return value == 0 ? 0.0 : value;
    }
    QString text = QString::fromLatin1(field);
    text.replace(u',', u'.');
    return ui::Val(text);
}

RecordFileError Malformed(int line, const QString& what) {
    return {RecordFileError::Kind::Malformed, line, what};
}

// Reads the header line by line; the first problem is kept with its line number.
class HeaderReader {
public:
    explicit HeaderReader(LineReader& lines) : lines_(lines) {}

    std::optional<ListItem> item(const char* name) {
        if (error) return std::nullopt;
        const std::optional<QByteArrayView> line = lines_.next();
        if (!line) {
            error = Malformed(lines_.number() + 1,
                              QStringLiteral("the file ends before its %1").arg(Name(name)));
            return std::nullopt;
        }
        std::optional<ListItem> result = ReadListItem(*line);
        if (!result) {
            error = Malformed(lines_.number(),
                              QStringLiteral("the %1 has no closing quote").arg(Name(name)));
        }
        return result;
    }

    QString text(const char* name) {
        const std::optional<ListItem> i = item(name);
        return i ? i->text : QString();
    }

    Number number(const char* name) {
        const std::optional<ListItem> i = item(name);
        if (!i) return {};
        if (!i->quoted && i->text.isEmpty()) return {};
        if (i->quoted || !IsPlainNumber(i->text)) {
            error = Malformed(lines_.number(),
                              QStringLiteral("the %1 is not a number").arg(Name(name)));
            return {};
        }
        return ui::Val(i->text);
    }

    std::optional<RecordFileError> error;

private:
    static QString Name(const char* name) { return QString::fromLatin1(name); }
    LineReader& lines_;
};

} // namespace

RecordFileResult ParseRecordFile(QByteArrayView bytes) {
    LineReader lines(bytes);
    HeaderReader header(lines);
    ParsedRecordFile record;

    const std::optional<ListItem> mark = header.item("first line");
    if (!mark || mark->text != kFileMark) {
        return RecordFileError{RecordFileError::Kind::NotRecordFile, 1,
                               QStringLiteral("the first line is not \"loggerfile\"")};
    }
    record.header.fileKind = header.text("file kind");

    // The count is read like the data: its leading number, whatever follows.
    const std::optional<ListItem> countItem = header.item("number of readings");
    if (header.error) return *header.error;
    const double count = ui::Val(countItem->text);
    if (count != std::floor(count) || count < 1 || count > kMaxReadings) {
        return Malformed(3, QStringLiteral("the number of readings (%1) is not a whole number "
                                           "from 1 to %2")
                                .arg(countItem->text)
                                .arg(kMaxReadings));
    }

    for (QString& line : record.header.description) line = header.text("description");
    record.header.probeScale = header.number("scale divisor");
    record.header.loggerNumber = header.number("logger number");
    record.header.unitName = header.text("unit");
    record.header.highLimit = header.number("High limit");
    record.header.lowLimit = header.number("Low limit");
    if (header.error) return *header.error;

    const int n = static_cast<int>(count);
    record.times.reserve(static_cast<size_t>(n));
    record.values.reserve(static_cast<size_t>(n));
    for (int i = 1; i <= n; ++i) {
        const std::optional<QByteArrayView> line = lines.next();
        if (!line) {
            return Malformed(
                lines.number() + 1,
                QStringLiteral("the file ends after %1 of its %2 readings").arg(i - 1).arg(n));
        }
        const qsizetype tab = line->indexOf('\t');
        if (tab < 0) {
            return Malformed(lines.number(),
                             QStringLiteral("the reading has no tab between time and value"));
        }
        // Files written where the decimal separator is a comma read back here.
        const double time = FieldValue(line->first(tab));
        const double value = FieldValue(line->sliced(tab + 1));
        if (!(time >= kFirstDay && time <= kLastDay)) {
            return Malformed(lines.number(),
                             QStringLiteral("the time of the reading is not a date"));
        }
        if (!(std::fabs(value) <= FLT_MAX)) {
            return Malformed(lines.number(), QStringLiteral("the value of the reading is too "
                                                            "large"));
        }
        record.times.push_back(time);
        record.values.push_back(value);
    }
    return record;
}

QString RecordDataLine(double time, double value) {
    return ui::Format(time, kTimePattern) + u'\t' + ui::Format(value, kValuePattern);
}

QString InvariantNumber(const Number& value) {
    if (value.isEmpty()) return {};
    return ui::Str(value.value()).trimmed();
}

namespace {
// Descriptions never hold a double quote (the description dialog replaces them); one that came
// in some other way must not end its item early when the file is read again.
QString Quoted(const QString& text) {
    QString inner = text;
    inner.replace(u'"', u' ');
    return u'"' + inner + u'"';
}

// A logger's readings take a few hundred distinct values (a 10-bit code times the range's
// factor), so most value texts of a record have been written before: each is made once.
class ValueTexts {
public:
    explicit ValueTexts(const QString& pattern) : writer_(pattern) {}
    void append(QByteArray& out, double value) {
        quint64 bits;
        std::memcpy(&bits, &value, sizeof bits);
        // Fibonacci hashing: the top bits of the product depend on every bit of the value.
        Entry& entry = entries_[(bits * 0x9E3779B97F4A7C15ull) >> (64 - kIndexBits)];
        if (!entry.used || entry.bits != bits) {
            entry = {true, bits, {}};
            writer_.append(entry.text, value);
        }
        out += entry.text;
    }

private:
    struct Entry {
        bool used = false;
        quint64 bits = 0;
        QByteArray text;
    };
    ui::Latin1Writer writer_;
    static constexpr int kIndexBits = 12;
    std::array<Entry, 1 << kIndexBits> entries_;
};

} // namespace

QByteArray FormatRecordFile(const RecordFileHeader& header, int count,
                            const std::function<RecordPoint(int)>& point) {
    QString head;
    const QLatin1StringView eol("\r\n");
    head += Quoted(kFileMark) + eol;
    head += Quoted(kFileKind) + eol;
    head += InvariantNumber(count) + eol;
    for (const QString& line : header.description) head += Quoted(line) + eol;
    head += InvariantNumber(header.probeScale) + eol;
    head += InvariantNumber(header.loggerNumber) + eol;
    head += Quoted(header.unitName) + eol;
    head += InvariantNumber(header.highLimit) + eol;
    head += InvariantNumber(header.lowLimit) + eol;

    // The data lines go straight into the file's bytes: a full record has 73620 of them.
    QByteArray bytes = head.toLatin1();
    bytes.reserve(bytes.size() + qsizetype(std::max(count, 0)) * 28);
    const ui::Latin1Writer timeText(kTimePattern);
    auto valueText = std::make_unique<ValueTexts>(kValuePattern);
    for (int i = 1; i <= count; ++i) {
        const RecordPoint p = point(i);
        timeText.append(bytes, p.time);
        bytes += '\t';
        valueText->append(bytes, p.value);
        bytes += "\r\n";
    }
    return bytes;
}

QString RecordFileName(const QString& chosen) {
    const qsizetype slash = chosen.lastIndexOf(u'/');
    const QStringView name = QStringView(chosen).sliced(slash + 1);
    if (name.size() >= 4 && name[name.size() - 4] == u'.') return chosen;
    return chosen + QStringLiteral(".txt");
}
