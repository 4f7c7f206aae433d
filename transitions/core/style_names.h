#pragma once
// The names of the 128 transition styles, index = style number, in the order the
// transition chooser lists them.
#include <QString>
#include <optional>

namespace transitions {

inline constexpr int kStyleCount = 128;

// The stored name of a style; an empty string outside 0..127.
QString styleName(int style);

// The lowest style number whose name equals the text, letter case ignored. Two names
// occur twice ("Expand from bottom" is 18 and 33); the lower number wins.
std::optional<int> styleByName(const QString &name);

} // namespace transitions
