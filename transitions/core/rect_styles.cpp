#include "transitions/core/rect_styles.h"

namespace transitions {

namespace {

// Roll size of the unroll styles along a side of length n with extent e: half the extent
// while the roll starts, half the remainder while it ends, a tenth of the side between.
int rollSize(int e, int n)
{
    if (e < n / 5)
        return e / 2;
    if (e + n / 5 > n)
        return (n - e) / 2;
    return n / 10;
}

void horizontalCopies(int style, const FrameInputs &f, CopyList &c)
{
    const int W = f.W, H = f.H, X = f.X, a = f.a, hw = f.hw, K = W - X;
    const Box whole{0, 0, W, H};
    const auto same = [&c](Box d) { c.add(d, d); };
    switch (style) {
    case 1: c.add({W - X, 0, W, H}, whole); break;
    case 2: c.add({0, 0, X, H}, whole); break;
    case 3: c.add({W - X, 0, 2 * W - X, H}, whole); break;
    case 4: c.add({X - W, 0, X, H}, whole); break;
    case 5: same({0, 0, X, H}); break;
    case 6: same({W - X, 0, W, H}); break;
    case 7: c.add({0, 0, 2 * W - X, H}, {0, 0, X, H}); break;
    case 8: c.add({X - W, 0, W, H}, {W - X, 0, W, H}); break;
    case 9: c.add({X - W, 0, 2 * W - X, H}, {(W - X) / 2, 0, (W + X) / 2, H}); break;
    case 10: c.add({(W - X) / 2, 0, (W + X) / 2, H}, whole); break;
    case 11: same({(W - X) / 2, 0, (W + X) / 2, H}); break;
    case 12:
        same({0, 0, a + 1, H});
        same({W - a - 1, 0, W, H});
        break;
    case 13:
        c.add({0, 0, a + 1, H}, {0, 0, hw + 1, H});
        c.add({W - a - 1, 0, W, H}, {hw, 0, W, H});
        break;
    case 14: {
        const int r = rollSize(X, W);
        c.add({X, 0, X + r, H}, {X + r, 0, X + 2 * r, H}, Mirror::LeftRight);
        same({0, 0, X, H});
        break;
    }
    case 15: {
        const int r = rollSize(X, W);
        c.add({K - r, 0, K, H}, {K - 2 * r, 0, K - r, H}, Mirror::LeftRight);
        same({K, 0, W, H});
        break;
    }
    case 16:
        same({0, 0, X, H});
        c.add({X, 0, W, H}, {X, 0, X + W / 20, H});
        break;
    case 17:
        same({K, 0, W, H});
        c.add({0, 0, K, H}, {K - W / 20, 0, K, H});
        break;
    }
}

void verticalCopies(int style, const FrameInputs &f, CopyList &c)
{
    const int W = f.W, H = f.H, Y = f.Y, b = f.b, hh = f.hh, L = H - Y;
    const Box whole{0, 0, W, H};
    const auto same = [&c](Box d) { c.add(d, d); };
    switch (style) {
    case 18: c.add({0, H - Y, W, H}, whole); break;
    case 19: c.add({0, 0, W, Y}, whole); break;
    case 20: c.add({0, H - Y, W, 2 * H - Y}, whole); break;
    case 21: c.add({0, Y - H, W, Y}, whole); break;
    case 22: same({0, 0, W, Y}); break;
    case 23: same({0, H - Y, W, H}); break;
    case 24: c.add({0, 0, W, 2 * H - Y}, {0, 0, W, Y}); break;
    case 25: c.add({0, Y - H, W, H}, {0, H - Y, W, H}); break;
    case 26: c.add({0, Y - H, W, 2 * H - Y}, {0, (H - Y) / 2, W, (H + Y) / 2}); break;
    case 27: c.add({0, (H - Y) / 2, W, (H + Y) / 2}, whole); break;
    case 28: same({0, (H - Y) / 2, W, (H + Y) / 2}); break;
    case 29:
        same({0, 0, W, b + 1});
        same({0, H - b - 1, W, H});
        break;
    case 30:
        c.add({0, 0, W, b + 1}, {0, 0, W, hh + 1});
        c.add({0, H - b - 1, W, H}, {0, hh, W, H});
        break;
    case 31: {
        const int r = rollSize(Y, H);
        c.add({0, Y, W, Y + r}, {0, Y + r, W, Y + 2 * r}, Mirror::TopBottom);
        same({0, 0, W, Y});
        break;
    }
    case 32: {
        const int r = rollSize(Y, H);
        c.add({0, L - r, W, L}, {0, L - 2 * r, W, L - r}, Mirror::TopBottom);
        same({0, L, W, H});
        break;
    }
    case 33:
        same({0, 0, W, Y});
        c.add({0, Y, W, H}, {0, Y, W, Y + H / 20});
        break;
    case 34:
        same({0, L, W, H});
        c.add({0, 0, W, L}, {0, L - H / 20, W, L});
        break;
    }
}

void cornerCopies(int style, const FrameInputs &f, CopyList &c)
{
    const int W = f.W, H = f.H, X = f.X, Y = f.Y;
    const Box whole{0, 0, W, H};
    const Box centre{(W - X) / 2, (H - Y) / 2, (W + X) / 2, (H + Y) / 2};
    const auto same = [&c](Box d) { c.add(d, d); };
    switch (style) {
    case 35: c.add({W - X, H - Y, W, H}, whole); break;
    case 36: c.add({W - X, 0, W, Y}, whole); break;
    case 37: c.add({0, 0, X, Y}, whole); break;
    case 38: c.add({0, H - Y, X, H}, whole); break;
    case 39: c.add({W - X, H - Y, 2 * W - X, 2 * H - Y}, whole); break;
    case 40: c.add({W - X, Y - H, 2 * W - X, Y}, whole); break;
    case 41: c.add({X - W, Y - H, X, Y}, whole); break;
    case 42: c.add({X - W, H - Y, X, 2 * H - Y}, whole); break;
    case 43: same({0, 0, X, Y}); break;
    case 44: same({0, H - Y, X, H}); break;
    case 45: same({W - X, H - Y, W, H}); break;
    case 46: same({W - X, 0, W, Y}); break;
    case 47: c.add({0, 0, 2 * W - X, 2 * H - Y}, {0, 0, X, Y}); break;
    case 48: c.add({0, Y - H, 2 * W - X, H}, {0, H - Y, X, H}); break;
    case 49: c.add({X - W, Y - H, W, H}, {W - X, H - Y, W, H}); break;
    case 50: c.add({X - W, 0, W, 2 * H - Y}, {W - X, 0, W, Y}); break;
    case 51: c.add({X - W, Y - H, 2 * W - X, 2 * H - Y}, centre); break;
    case 52: c.add(centre, whole); break;
    case 53: same(centre); break;
    }
}

void quarterCopies(int style, const FrameInputs &f, CopyList &c)
{
    const int W = f.W, H = f.H, X = f.X, Y = f.Y, a = f.a, b = f.b, hw = f.hw, hh = f.hh;
    const auto same = [&c](Box d) { c.add(d, d); };
    switch (style) {
    case 54:
        same({0, 0, W, b});
        same({0, H - b, W, H});
        same({0, 0, a, H});
        same({W - a, 0, W, H});
        break;
    case 55:
        same({0, 0, a + 1, b + 1});
        same({0, H - b - 1, a + 1, H});
        same({W - a - 1, H - b - 1, W, H});
        same({W - a - 1, 0, W, b + 1});
        break;
    case 56:
        c.add({0, 0, a + 1, b + 1}, {0, 0, hw + 1, hh + 1});
        c.add({0, H - b, a + 1, H}, {0, hh + 1, hw + 1, H});
        c.add({W - a, H - b, W, H}, {hw + 1, hh + 1, W, H});
        c.add({W - a, 0, W, b + 1}, {hw + 1, 0, W, hh + 1});
        break;
    case 57:
        c.add({(X - W) / 2, 0, a + 1, hh + 1}, {0, 0, hw + 1, hh + 1});
        c.add({hw - 1, (Y - H) / 2, W, b + 1}, {hw - 1, 0, W, hh + 1});
        c.add({W - a, hh - 1, W + (W - X) / 2, H}, {hw + 1, hh - 1, W, H});
        c.add({0, H - b, hw + 1, H + (H - Y) / 2}, {0, hh + 1, hw + 1, H});
        break;
    }
}

} // namespace

CopyList rectStyleCopies(int style, const FrameInputs &f)
{
    CopyList c;
    if (style >= 1 && style <= 17)
        horizontalCopies(style, f, c);
    else if (style >= 18 && style <= 34)
        verticalCopies(style, f, c);
    else if (style >= 35 && style <= 53)
        cornerCopies(style, f, c);
    else if (style >= 54 && style <= 57)
        quarterCopies(style, f, c);
    return c;
}

namespace {

struct Placed {
    Box dest, source;
};

Placed place(const QImage &newPicture, const RectCopy &copy)
{
    Placed p{copy.dest, copy.source};
    if (copy.mirror == Mirror::None)
        return p;
    p.source = p.source.intersected({0, 0, newPicture.width(), newPicture.height()});
    if (copy.mirror == Mirror::LeftRight) {
        p.dest.left -= 1;
        p.dest.right += 1;
    } else {
        p.dest.top -= 1;
        p.dest.bottom += 1;
    }
    return p;
}

} // namespace

Box drawnBox(const QImage &newPicture, const RectCopy &copy)
{
    const Placed p = place(newPicture, copy);
    if (p.source.isEmpty() || p.dest.isEmpty() || newPicture.isNull())
        return {};
    return p.dest;
}

Box drawRectCopy(const QImage &newPicture, QImage &screen, const RectCopy &copy)
{
    const Placed p = place(newPicture, copy);
    stretchCopy(newPicture, p.source, screen, p.dest, copy.mirror);
    return p.dest;
}

} // namespace transitions
