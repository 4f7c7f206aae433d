#pragma once
// Pictures whose pixels say where they come from: bit 23 marks the new picture, bits 11..21
// hold the row and bits 0..10 the column. A composed frame then tells, pixel by pixel,
// which picture and which source pixel it shows.
#include "transitions/core/frame_composer.h"

#include <QImage>
#include <cstdint>

namespace coded {

inline std::uint32_t pixel(int x, int y, bool fromNew)
{
    return 0xFF000000u | (fromNew ? 1u << 23 : 0u) | (std::uint32_t(y) << 11) | std::uint32_t(x);
}

inline QImage picture(int width, int height, bool fromNew)
{
    QImage p(width, height, transitions::kFrameFormat);
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<std::uint32_t *>(p.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = pixel(x, y, fromNew);
    }
    return p;
}

inline std::uint32_t at(const QImage &p, int x, int y)
{
    return reinterpret_cast<const std::uint32_t *>(p.constScanLine(y))[x];
}

inline bool isNew(std::uint32_t v) { return (v >> 23) & 1; }
inline int sourceX(std::uint32_t v) { return int(v & 0x7FF); }
inline int sourceY(std::uint32_t v) { return int((v >> 11) & 0x7FF); }

// One frame of a style composed from a coded old and new picture.
inline QImage frame(int width, int height, int style, int progress, int step = 4)
{
    const QImage oldPicture = picture(width, height, false), newPicture = picture(width, height, true);
    QImage screen(width, height, transitions::kFrameFormat);
    screen.fill(0);
    transitions::composeFrame(oldPicture, newPicture, screen, style, progress, step);
    return screen;
}

} // namespace coded
