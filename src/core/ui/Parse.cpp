#include "ui/Parse.h"

#include <cfloat>
#include <charconv>
#include <string>

namespace ui {
namespace {

bool IsIgnored(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}
bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Far beyond any double, yet small enough that adding the digit count cannot overflow.
constexpr long long kExponentLimit = 100000;

} // namespace

double Val(const QString& text) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto skip = [&] {
        while (i < n && IsIgnored(text.at(i))) ++i;
    };

    bool negative = false;
    skip();
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-')) {
        negative = text.at(i) == u'-';
        ++i;
    }

    // Mantissa digits without leading zeros, and where the decimal point falls among them.
    std::string digits;
    long long pointShift = 0; // digits before the point count up, zeros after it count down
    bool anyDigit = false;
    bool seenPoint = false;
    for (skip(); i < n; ++i, skip()) {
        const QChar c = text.at(i);
        if (IsDigit(c)) {
            anyDigit = true;
            if (digits.empty() && c == u'0') {
                if (seenPoint) --pointShift;
                continue;
            }
            digits.push_back(static_cast<char>(c.unicode()));
            if (!seenPoint) ++pointShift;
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit || digits.empty()) return 0.0;

    long long exponent = 0;
    if (i < n) {
        const QChar c = text.at(i);
        if (c == u'e' || c == u'E' || c == u'd' || c == u'D') {
            ++i;
            skip();
            bool expNegative = false;
            if (i < n && (text.at(i) == u'+' || text.at(i) == u'-')) {
                expNegative = text.at(i) == u'-';
                ++i;
            }
            for (skip(); i < n && IsDigit(text.at(i)); ++i, skip()) {
                if (exponent < kExponentLimit)
                    exponent = exponent * 10 + (text.at(i).unicode() - u'0');
            }
            if (expNegative) exponent = -exponent;
        }
    }

    // The value is 0.<digits> x 10^(pointShift + exponent).
    const long long magnitude = pointShift + exponent;
    double value = 0.0;
    if (magnitude > DBL_MAX_10_EXP + 1) {
        value = DBL_MAX;
    } else if (magnitude < DBL_MIN_10_EXP - DBL_DIG - 2) {
        value = 0.0;
    } else {
        std::string normal = "0." + digits + "e" + std::to_string(magnitude);
        const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), value);
        if (result.ec == std::errc::result_out_of_range) value = magnitude > 0 ? DBL_MAX : 0.0;
    }
    if (value == 0.0) return 0.0;
    return negative ? -value : value;
}

} // namespace ui
