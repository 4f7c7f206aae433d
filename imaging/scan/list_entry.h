#pragma once
// The entry every thumbnail list holds for one picture file: its size in pixels, the
// file's size in bytes, the selected flag and the thumbnail (at most 100 by 100 pixels).
// The slide and album entries extend it with their own fields.
#include <QImage>
#include <cstdint>

namespace editor {

struct TEnrData {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t fileSize = 0; // bytes, from the folder entry; 0 when it cannot be found
    bool selected = false;
    QImage thumbnail;
};

} // namespace editor
