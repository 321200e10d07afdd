#pragma once
// The one place where numbers and date-times become text for people and files.
//
// Number patterns: "#" optional digit, "0" forced digit, "." decimal point, "," between digits a
// thousands separator, ";" separates the pattern for negative numbers (which then carries its own
// sign). The decimal and thousands separators follow the current QLocale (QLocale()); rounding is
// half away from zero on the decimal value of the number (12.345 gives 12.35 with two decimals).
// A pattern that ends in "." keeps the separator after a whole number ("###0.##": 12 -> "12.").
// Without a forced integer digit a zero integer part is dropped ("#####.########": 0.5 -> ".5").
//
// Date-time patterns (the value is a day serial, see DateSerial.h): "yy" year, "m"/"mm" month,
// "d"/"dd" day, "h"/"hh" hour, "m"/"mm" right after an hour (only a colon between) the minutes,
// "ss" seconds, "am/pm" a 12-hour clock with a lower-case suffix; "/" and ":" and blanks are
// copied as they stand. Times are rounded to the nearest second; "ss.0" adds the tenth of a
// second, the logger's clock tick ("hh:mm:ss.0" gives "14:03:22.3"), and then rounds to it.

#include "ui/Number.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <memory>

namespace ui {

// Formats with a number or a date-time pattern (decided by the pattern).
QString Format(double value, const QString& pattern);
// An empty number formats as empty text, whatever the pattern.
QString Format(const Number& value, const QString& pattern);

// Number as plain decimal text with a sign position: " 5", "-5", " 0.25" (period as separator).
QString Str(double value);
// Number as plain decimal text without a sign position: "5", "-5", "0.25" (locale separator).
QString PlainText(double value);

bool IsDatePattern(const QString& pattern);

// One pattern for many values in a row, as a file of tens of thousands of lines needs: the
// pattern and the separators of the locale (the default one unless another is given; QLocale::c()
// writes a period whatever the user's locale) are taken when the writer is made, and each value
// goes straight into a byte array as exactly the bytes Format(value, pattern).toLatin1() would
// give in that locale (a character outside Latin-1 becomes '?'), without a string each.
class Latin1Writer {
public:
    explicit Latin1Writer(const QString& pattern, const QLocale& locale = QLocale());
    ~Latin1Writer();
    Latin1Writer(const Latin1Writer&) = delete;
    Latin1Writer& operator=(const Latin1Writer&) = delete;

    void append(QByteArray& out, double value) const;

private:
    struct Compiled;
    std::unique_ptr<Compiled> compiled_;
};

} // namespace ui
