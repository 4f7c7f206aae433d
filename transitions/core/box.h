#pragma once
// A rectangle as its four edges: it covers left <= x < right and top <= y < bottom. Unlike
// QRect, the right and bottom edges lie outside it, which is how the styles are written.
#include <QRect>
#include <algorithm>

namespace transitions {

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return left >= right || top >= bottom; }
    bool operator==(const Box &) const = default;
    QRect toRect() const { return isEmpty() ? QRect() : QRect(left, top, right - left, bottom - top); }
    Box intersected(const Box &o) const
    {
        return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
    }
};

} // namespace transitions
