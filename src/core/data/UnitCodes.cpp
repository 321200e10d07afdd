#include "data/UnitCodes.h"

#include <array>

namespace {

struct UnitEntry {
    int code;
    const char* text;
};

constexpr std::array<UnitEntry, 9> kUnits{{
    {1, "degF"},
    {2, "degC"},
    {3, "kOhm"},
    {4, "Volt"},
    {5, "Amp"},
    {6, "% RH"},
    {7, "A rms"},
    {10, "V rms"},
    {11, "V rms "},
}};

} // namespace

QString UnitTextOfCode(double code) {
    for (const UnitEntry& unit : kUnits)
        if (code == unit.code) return QString::fromLatin1(unit.text);
    return {};
}

std::optional<int> UnitCodeOfText(const QString& text) {
    for (const UnitEntry& unit : kUnits)
        if (text == QLatin1String(unit.text)) return unit.code;
    return std::nullopt;
}
