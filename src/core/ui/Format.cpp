#include "ui/Format.h"

#include "ui/DateSerial.h"

#include <QLocale>
#include <QVarLengthArray>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace ui {
namespace {

// ---- decimal digits of a double ----------------------------------------------------------

// The digits of a shortest form, at most 17, kept in place: a file or a listing formats tens of
// thousands of numbers, and a string on the heap for each would cost more than the digits.
class Digits {
public:
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const char* data() const { return chars_; }
    char& operator[](std::size_t i) { return chars_[i]; }
    char operator[](std::size_t i) const { return chars_[i]; }
    char back() const { return chars_[size_ - 1]; }
    void push_back(char c) {
        if (size_ < sizeof chars_) chars_[size_++] = c;
    }
    void append(const char* from, const char* to) {
        const std::size_t n = std::min(std::size_t(to - from), sizeof chars_ - size_);
        std::memcpy(chars_ + size_, from, n);
        size_ += n;
    }
    void pop_back() { --size_; }
    void resize(std::size_t n) { size_ = std::min(n, size_); }
    void clear() { size_ = 0; }
    void assign(std::size_t n, char c) {
        clear();
        while (n-- > 0) push_back(c);
    }

private:
    char chars_[24]{};
    std::size_t size_ = 0;
};

// |value| as the digits of its shortest round-trip decimal form: value = 0.<digits> x 10^point.
// No leading or trailing zeros; zero has no digits.
struct Decimal {
    Digits digits;
    int point = 0;
};

Decimal ShortestDecimal(double value) {
    Decimal d;
    value = std::fabs(value);
    if (value == 0.0 || !std::isfinite(value)) return d;
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    // "d.ddde+XX", or "de+XX" for a single digit.
    const char* e = std::find(buffer, result.ptr, 'e');
    d.digits.push_back(buffer[0]);
    if (e - buffer > 2) d.digits.append(buffer + 2, e);
    const char* exponent = e + 1;
    if (exponent < result.ptr && *exponent == '+') ++exponent;
    int power = 0;
    std::from_chars(exponent, result.ptr, power);
    d.point = power + 1;
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero on the digit after them.
void RoundDigits(Decimal& d, int keep) {
    if (keep >= static_cast<int>(d.digits.size())) return;
    if (keep < 0) {
        d.digits.clear();
        d.point = 0;
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
            d.digits.pop_back();
            --i;
        }
        if (i < 0) {
            d.digits.assign(1, '1');
            ++d.point;
        } else {
            ++d.digits[static_cast<std::size_t>(i)];
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    if (d.digits.empty()) d.point = 0;
}

void RoundToDecimals(Decimal& d, int decimals) {
    RoundDigits(d, d.point + decimals);
}

// The digits before and after the decimal point.
std::string WholeDigits(const Decimal& d) {
    std::string whole;
    if (d.point <= 0) return whole;
    const std::size_t length = std::size_t(d.point);
    const std::size_t copied = std::min(length, d.digits.size());
    whole.assign(d.digits.data(), copied);
    whole.append(length - copied, '0');
    return whole;
}

std::string FractionDigits(const Decimal& d) {
    std::string fraction;
    if (d.point < 0) fraction.assign(std::size_t(-d.point), '0');
    const std::size_t from = d.point > 0 ? std::size_t(d.point) : 0;
    if (from < d.digits.size()) fraction.append(d.digits.data() + from, d.digits.size() - from);
    return fraction;
}

QString NonFinite(double value) {
    if (std::isnan(value)) return QStringLiteral("nan");
    return value < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
}

// ---- number patterns ------------------------------------------------------------------------

// One section of a number pattern: text around the digits, how many integer digits are forced,
// whether thousands are grouped, and the optional and forced decimal places. Text standing after
// the first digit placeholder is written after the number.
struct NumberSection {
    QString prefix;
    QString suffix;
    int forcedWhole = 0;
    bool grouped = false;
    bool hasPoint = false;
    int decimals = 0;
    int forcedDecimals = 0;
};

bool IsPlaceholder(QChar c) {
    return c == u'#' || c == u'0';
}

NumberSection ParseSection(QStringView text) {
    NumberSection s;
    bool seenPlaceholder = false;
    bool forcing = false; // a forced digit has been seen in the integer part
    for (const QChar c : text) {
        if (c == u'.' && !s.hasPoint) {
            s.hasPoint = true;
            seenPlaceholder = true;
        } else if (IsPlaceholder(c)) {
            seenPlaceholder = true;
            if (s.hasPoint) {
                ++s.decimals;
                if (c == u'0') s.forcedDecimals = s.decimals;
            } else {
                forcing = forcing || c == u'0';
                if (forcing) ++s.forcedWhole;
            }
        } else if (c == u',' && seenPlaceholder && !s.hasPoint) {
            s.grouped = true;
        } else if (c == u',' && seenPlaceholder) {
            // a comma among the decimals has no meaning
        } else if (seenPlaceholder) {
            s.suffix.append(c);
        } else {
            s.prefix.append(c);
        }
    }
    return s;
}

// The separators of the default locale. Asking the locale for them costs more than formatting a
// short number, so they are kept until the default locale changes.
struct Separators {
    QLocale locale;
    QString point;
    QString group;
};

const Separators& LocaleSeparators() {
    thread_local Separators cached{QLocale(), QLocale().decimalPoint(), QLocale().groupSeparator()};
    const QLocale current;
    if (current != cached.locale)
        cached = {current, current.decimalPoint(), current.groupSeparator()};
    return cached;
}

// Writes a rounded number through one section into `out`, which takes text (put(QStringView))
// and single Latin-1 characters (put(char)).
template <class Sink>
void WriteSection(Sink& out, const NumberSection& s, const Decimal& rounded,
                  const Separators& separators) {
    const int size = static_cast<int>(rounded.digits.size());
    const auto digit = [&rounded, size](int i) {
        return i >= 0 && i < size ? rounded.digits[static_cast<std::size_t>(i)] : '0';
    };
    // The integer part: the digits before the point, zeros for the places after the last digit,
    // forced zeros in front.
    const int wholeDigits = std::max(rounded.point, 0);
    const int whole = std::max(wholeDigits, s.forcedWhole);
    out.put(QStringView(s.prefix));
    for (int i = 0; i < whole; ++i) {
        if (s.grouped && i > 0 && (whole - i) % 3 == 0) out.put(QStringView(separators.group));
        out.put(digit(i - (whole - wholeDigits)));
    }
    if (s.hasPoint) out.put(QStringView(separators.point));
    // The fraction: zeros up to the first digit, the digits after the point, forced zeros.
    const int leadingZeros = std::max(-rounded.point, 0);
    const int natural = leadingZeros + std::max(size - wholeDigits, 0);
    const int fraction = std::max(natural, s.forcedDecimals);
    for (int j = 0; j < fraction; ++j)
        out.put(j < leadingZeros ? '0' : digit(wholeDigits + j - leadingZeros));
    out.put(QStringView(s.suffix));
}

// Text put together in place and turned into a string once: this runs for every number of a
// listing.
struct QCharSink {
    QVarLengthArray<QChar, 64> chars;
    void put(QStringView text) { chars.append(text.data(), text.size()); }
    void put(char c) { chars.append(QLatin1Char(c)); }
};

// Latin-1 bytes, a character outside Latin-1 becoming '?' as QString::toLatin1 makes it.
struct Latin1Sink {
    QVarLengthArray<char, 64> bytes;
    void put(QStringView text) {
        for (const QChar c : text) bytes.append(c.unicode() > 0xFF ? '?' : char(c.unicode()));
    }
    void put(char c) { bytes.append(c); }
};

// A number pattern taken apart once: its positive section and, when it has one, the negative.
struct NumberPattern {
    NumberSection positive;
    NumberSection negative;
    bool hasNegative = false;
};

NumberPattern ParseNumberPattern(const QString& pattern) {
    const qsizetype split = pattern.indexOf(u';');
    NumberPattern p;
    p.positive = ParseSection(QStringView(pattern).left(split));
    p.hasNegative = split >= 0;
    p.negative = p.hasNegative ? ParseSection(QStringView(pattern).mid(split + 1)) : p.positive;
    return p;
}

template <class Sink>
void WriteNumber(Sink& out, double value, const NumberPattern& pattern,
                 const Separators& separators) {
    if (!std::isfinite(value)) {
        out.put(std::isnan(value) ? QStringView(u"nan")
                : value < 0       ? QStringView(u"-inf")
                                  : QStringView(u"inf"));
        return;
    }
    const Decimal exact = ShortestDecimal(value);
    if (value < 0) {
        Decimal rounded = exact;
        RoundToDecimals(rounded, pattern.negative.decimals);
        if (!rounded.digits.empty()) {
            if (!pattern.hasNegative) out.put('-');
            WriteSection(out, pattern.negative, rounded, separators);
            return;
        }
    }
    Decimal rounded = exact;
    RoundToDecimals(rounded, pattern.positive.decimals);
    WriteSection(out, pattern.positive, rounded, separators);
}

QString FormatNumber(double value, const NumberPattern& pattern) {
    QCharSink out;
    WriteNumber(out, value, pattern, LocaleSeparators());
    return QString(out.chars.constData(), out.chars.size());
}

// ---- date-time patterns ---------------------------------------------------------------------

// One field or one piece of copied text of a date-time pattern.
struct DateToken {
    enum Kind : quint8 { Text, Year4, Year2, Month, Minute, Day, Hour, Second, Tenth, AmPm };
    Kind kind = Text;
    bool twoDigits = false; // "mm", "dd", "hh", "ss": a leading zero below 10
    bool upper = false;     // "AM/PM"
    QString text;
};

// A date-time pattern taken apart once. "ss.0" (as spreadsheets write it) adds the tenths of a
// second after the seconds, and the time is then rounded to the nearest tenth.
struct DatePattern {
    std::vector<DateToken> tokens;
    bool twelveHour = false;
    bool tenths = false;
};

bool StartsWithAt(const QString& text, qsizetype at, QLatin1StringView word) {
    return QStringView(text).mid(at).startsWith(word, Qt::CaseInsensitive);
}

DatePattern ParseDatePattern(const QString& pattern) {
    DatePattern d;
    d.twelveHour = pattern.contains(QLatin1StringView("am/pm"), Qt::CaseInsensitive);
    const auto field = [&d](DateToken::Kind kind, bool two) {
        d.tokens.push_back({kind, two, false, {}});
    };
    const auto text = [&d](QChar c) {
        if (d.tokens.empty() || d.tokens.back().kind != DateToken::Text)
            d.tokens.push_back({DateToken::Text, false, false, {}});
        d.tokens.back().text += c;
    };
    bool afterHour = false; // only colons since the last hour field: "m" means minutes
    const qsizetype n = pattern.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = pattern.at(i).toLower();
        qsizetype run = 1;
        while (i + run < n && run < 2 && pattern.at(i + run).toLower() == c) ++run;

        if (c == u'a' && StartsWithAt(pattern, i, QLatin1StringView("am/pm"))) {
            d.tokens.push_back({DateToken::AmPm, false, pattern.at(i).isUpper(), {}});
            i += 5;
            afterHour = false;
            continue;
        }
        if (c == u'y' && StartsWithAt(pattern, i, QLatin1StringView("yyyy"))) {
            field(DateToken::Year4, true);
            i += 4;
        } else if (c == u'y' && run == 2) {
            field(DateToken::Year2, true);
            i += 2;
        } else if (c == u'm') {
            field(afterHour ? DateToken::Minute : DateToken::Month, run == 2);
            i += run;
        } else if (c == u's' && StartsWithAt(pattern, i + run, QLatin1StringView(".0"))) {
            field(DateToken::Second, run == 2);
            text(u'.');
            field(DateToken::Tenth, false);
            d.tenths = true;
            i += run + 2;
        } else if (c == u'd' || c == u'h' || c == u's') {
            field(c == u'd'   ? DateToken::Day
                  : c == u'h' ? DateToken::Hour
                              : DateToken::Second,
                  run == 2);
            i += run;
            afterHour = c == u'h';
            continue;
        } else {
            text(pattern.at(i));
            ++i;
            if (c == u':') continue;
        }
        afterHour = false;
    }
    return d;
}

// Digits of a non-negative number, at least `width` of them.
template <class Sink> void PutDigits(Sink& out, int number, int width) {
    char digits[12];
    int count = 0;
    unsigned value = static_cast<unsigned>(std::max(number, 0));
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0 && count < 12);
    for (int k = count; k < width; ++k) out.put('0');
    while (count > 0) out.put(digits[--count]);
}

template <class Sink> void WriteDate(Sink& out, double serial, const DatePattern& pattern) {
    const DateParts p = PartsFromSerial(serial, pattern.tenths);
    const int hour = pattern.twelveHour ? (p.hour % 12 == 0 ? 12 : p.hour % 12) : p.hour;
    // The number of each field kind, in the order of DateToken::Kind.
    const int fields[] = {0,     p.year, p.year % 100, p.month, p.minute,
                          p.day, hour,   p.second,     p.tenth};
    for (const DateToken& t : pattern.tokens) {
        if (t.kind == DateToken::Text) {
            out.put(QStringView(t.text));
        } else if (t.kind == DateToken::AmPm) {
            out.put(p.hour < 12 ? (t.upper ? 'A' : 'a') : (t.upper ? 'P' : 'p'));
            out.put(t.upper ? 'M' : 'm');
        } else {
            PutDigits(out, fields[t.kind], t.kind == DateToken::Year4 ? 4 : t.twoDigits ? 2 : 1);
        }
    }
}

QString TwoDigits(int n) {
    return QString::number(n).rightJustified(2, u'0');
}

// Plain decimal text of a number rounded to 15 significant digits; the exponent form only for
// magnitudes no fixed text shows sensibly.
QString PlainDigits(double value, QStringView separator) {
    if (!std::isfinite(value)) return NonFinite(value);
    Decimal d = ShortestDecimal(value);
    RoundDigits(d, 15);
    if (d.digits.empty()) return QStringLiteral("0");
    QString out;
    if (value < 0) out += u'-';
    if (d.point > 15 || d.point < -4) {
        out += QLatin1Char(d.digits[0]);
        if (d.digits.size() > 1) {
            out += separator;
            out += QString::fromLatin1(d.digits.data() + 1, qsizetype(d.digits.size() - 1));
        }
        const int exponent = d.point - 1;
        out += exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
        out += TwoDigits(std::abs(exponent));
        return out;
    }
    const std::string whole = WholeDigits(d);
    out += whole.empty() ? QStringLiteral("0")
                         : QString::fromLatin1(whole.data(), qsizetype(whole.size()));
    const std::string fraction = FractionDigits(d);
    if (!fraction.empty()) {
        out += separator;
        out += QString::fromLatin1(fraction.data(), qsizetype(fraction.size()));
    }
    return out;
}

} // namespace

bool IsDatePattern(const QString& pattern) {
    for (const QChar c : pattern) {
        switch (c.toLower().unicode()) {
        case u'y':
        case u'm':
        case u'd':
        case u'h':
        case u's':
            return true;
        default:
            break;
        }
    }
    return false;
}

namespace {
// The patterns last used, taken apart: a listing or a file alternates between a few patterns for
// thousands of numbers.
struct CompiledPattern {
    QString text;
    bool date = false;
    NumberPattern number;
    DatePattern dateTime;
};

void Compile(CompiledPattern& entry, const QString& pattern) {
    entry.text = pattern;
    entry.date = IsDatePattern(pattern);
    if (entry.date)
        entry.dateTime = ParseDatePattern(pattern);
    else
        entry.number = ParseNumberPattern(pattern);
}

const CompiledPattern& Compiled(const QString& pattern) {
    thread_local std::array<CompiledPattern, 4> cache;
    thread_local std::size_t next = 0;
    for (const CompiledPattern& entry : cache) {
        if (!entry.text.isNull() && entry.text == pattern) return entry;
    }
    CompiledPattern& entry = cache[next];
    next = (next + 1) % cache.size();
    Compile(entry, pattern);
    return entry;
}
} // namespace

QString Format(double value, const QString& pattern) {
    if (pattern.isEmpty()) return PlainText(value);
    const CompiledPattern& compiled = Compiled(pattern);
    if (!compiled.date) return FormatNumber(value, compiled.number);
    QCharSink out;
    WriteDate(out, value, compiled.dateTime);
    return QString(out.chars.constData(), out.chars.size());
}

QString Format(const Number& value, const QString& pattern) {
    return value.isEmpty() ? QString() : Format(value.value(), pattern);
}

QString Str(double value) {
    const QString text = PlainDigits(value, u".");
    return text.startsWith(u'-') ? text : u' ' + text;
}

QString PlainText(double value) {
    return PlainDigits(value, QLocale().decimalPoint());
}

struct Latin1Writer::Compiled {
    CompiledPattern pattern;
    Separators separators;
};

Latin1Writer::Latin1Writer(const QString& pattern, const QLocale& locale)
    : compiled_(std::make_unique<Compiled>()) {
    Compile(compiled_->pattern, pattern);
    compiled_->separators = {locale, locale.decimalPoint(), locale.groupSeparator()};
}

Latin1Writer::~Latin1Writer() = default;

void Latin1Writer::append(QByteArray& out, double value) const {
    const CompiledPattern& p = compiled_->pattern;
    if (p.text.isEmpty()) {
        out += Format(value, p.text).toLatin1();
        return;
    }
    Latin1Sink sink;
    if (p.date)
        WriteDate(sink, value, p.dateTime);
    else
        WriteNumber(sink, value, p.number, compiled_->separators);
    out.append(sink.bytes.constData(), sink.bytes.size());
}

} // namespace ui
