#include "shell/RecordSyntax.h"

#include <QStringDecoder>
#include <charconv>
#include <cmath>
#include <string>

namespace records {
namespace {

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool IsLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}

QString Decode(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError()) return QString::fromLatin1(bytes.data(), bytes.size());
    return text;
}

} // namespace

FieldReader::FieldReader(QByteArrayView bytes) : text_(Decode(bytes)) {}

std::optional<Field> FieldReader::next() {
    const qsizetype n = text_.size();
    // Skips blanks, and whole lines that hold nothing unless a comma left a field open.
    for (;;) {
        while (pos_ < n && IsBlank(text_.at(pos_))) ++pos_;
        if (pos_ >= n) {
            if (!afterComma_) return std::nullopt;
            afterComma_ = false;
            return Field{};
        }
        if (!IsLineEnd(text_.at(pos_)) || afterComma_) break;
        ++pos_;
    }

    Field field;
    if (text_.at(pos_) == u'"') {
        const qsizetype close = text_.indexOf(u'"', pos_ + 1);
        const qsizetype end = close < 0 ? n : close;
        field.text = text_.mid(pos_ + 1, end - pos_ - 1);
        field.quoted = true;
        pos_ = close < 0 ? n : close + 1;
        while (pos_ < n && text_.at(pos_) != u',' && !IsLineEnd(text_.at(pos_))) ++pos_;
    } else {
        const qsizetype start = pos_;
        while (pos_ < n && text_.at(pos_) != u',' && !IsLineEnd(text_.at(pos_))) ++pos_;
        qsizetype end = pos_;
        while (end > start && IsBlank(text_.at(end - 1))) --end;
        field.text = text_.mid(start, end - start);
    }

    afterComma_ = false;
    if (pos_ < n) {
        if (text_.at(pos_) == u',') {
            afterComma_ = true;
            ++pos_;
        } else if (text_.at(pos_) == u'\r') {
            ++pos_;
            if (pos_ < n && text_.at(pos_) == u'\n') ++pos_;
        } else {
            ++pos_;
        }
    }
    return field;
}

std::optional<double> InvariantNumber(QStringView text) {
    // Checked by hand first: from_chars alone would also take "inf", "nan" and hexadecimal.
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto digitsFrom = [&] {
        const qsizetype start = i;
        while (i < n && text[i] >= u'0' && text[i] <= u'9') ++i;
        return i - start;
    };
    if (i < n && (text[i] == u'-' || text[i] == u'+')) ++i;
    qsizetype digits = digitsFrom();
    if (i < n && text[i] == u'.') {
        ++i;
        digits += digitsFrom();
    }
    if (digits == 0) return std::nullopt;
    if (i < n && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        if (i < n && (text[i] == u'-' || text[i] == u'+')) ++i;
        if (digitsFrom() == 0) return std::nullopt;
    }
    if (i != n) return std::nullopt;

    std::string ascii = text.toLatin1().toStdString();
    if (!ascii.empty() && ascii.front() == '+') ascii.erase(0, 1);
    double value = 0.0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString FormatNumber(double value) {
    if (!std::isfinite(value)) value = 0.0;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    text.replace(u'e', u'E');
    return text;
}

QString QuoteText(const QString& text) {
    QString inner = text;
    inner.replace(u'"', u'\'');
    return u'"' + inner + u'"';
}

} // namespace records
