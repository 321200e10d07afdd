#include "ui/Palette.h"

#include <array>

namespace ui {

QColor PaletteColor(int entry) {
    static constexpr std::array<QRgb, 16> kPalette = {
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
        0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
    };
    // Outside 0..15 there is no colour; drawing with the invalid colour gives black.
    if (entry < 0 || entry >= static_cast<int>(kPalette.size())) return {};
    return QColor::fromRgb(kPalette[static_cast<std::size_t>(entry)]);
}

QColor BgrColor(unsigned int bgr) {
    return QColor(static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu),
                  static_cast<int>((bgr >> 16) & 0xFFu));
}

} // namespace ui
