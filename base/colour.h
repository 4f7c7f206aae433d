#pragma once
// The colour value shared by every file of the system: 32 bits, red in the low byte,
// green in the next, blue in the third (0xC0C0C0 is silver). Stored in binary files as
// that 32-bit value and in the configuration file as its decimal number.
#include <QColor>
#include <QString>
#include <cstdint>

using Colour = std::uint32_t;

inline constexpr Colour kColourBlack = 0x000000;
inline constexpr Colour kColourSilver = 0xC0C0C0;
inline constexpr Colour kColourWhite = 0xFFFFFF;

constexpr Colour makeColour(int red, int green, int blue)
{
    return Colour(red & 0xFF) | Colour(green & 0xFF) << 8 | Colour(blue & 0xFF) << 16;
}
constexpr int colourRed(Colour c) { return int(c & 0xFF); }
constexpr int colourGreen(Colour c) { return int((c >> 8) & 0xFF); }
constexpr int colourBlue(Colour c) { return int((c >> 16) & 0xFF); }

QColor toQColor(Colour c);
Colour fromQColor(const QColor &c);

// "#" and six upper-case hexadecimal digits, red first: 0x0080FF -> "#FF8000".
QString ColorToHtml(Colour c);
