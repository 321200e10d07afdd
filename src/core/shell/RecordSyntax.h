#pragma once
// The comma-separated record syntax of the settings file and the language file.
//
// Writing: one record per line, each line ended by CR LF; fields separated by commas; a text in
// double quotes, a number unquoted in invariant notation ("-1.5", "2E-05"), an empty value as
// nothing between its commas.
//
// Reading: fields are taken one after another regardless of line boundaries. Blanks before a
// field are skipped. A field that starts with a double quote runs to the next double quote (line
// ends inside belong to the text) and whatever follows up to the comma or line end is dropped;
// any other field runs to the next comma or line end, without its trailing blanks. A line end
// right after a comma closes an empty last field; a line holding nothing at all gives no field,
// so blank lines in a hand-edited file do not shift the fields after them. CR LF, LF and a lone
// CR all end a line.
//
// The bytes are UTF-8; a file that is not valid UTF-8 is taken as Latin-1, so a file written by
// an editor in a Western single-byte code page still reads.

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace records {

struct Field {
    QString text;
    bool quoted = false;
};

class FieldReader {
public:
    explicit FieldReader(QByteArrayView bytes);

    // The next field, or nothing when the input is used up.
    std::optional<Field> next();

private:
    QString text_;
    qsizetype pos_ = 0;
    bool afterComma_ = false;
};

// The whole value of `text` as a number in invariant notation (optional sign, digits with one
// optional period, optional exponent E/e with optional sign); nothing for anything else,
// including values beyond the range of a double.
std::optional<double> InvariantNumber(QStringView text);
// The shortest invariant notation that reads back to exactly `value` ("0.1", "-3", "1E+20").
QString FormatNumber(double value);
// A text field: in double quotes. A double quote inside the text cannot be written in this
// syntax; it becomes an apostrophe.
QString QuoteText(const QString& text);

} // namespace records
