#include "transitions/core/region_styles.h"

#include "base/rounding.h"

#include <algorithm>

namespace transitions {

namespace {

void addHorizontalBars(RectUnionBuilder &out, int A, int mode, int snap)
{
    const int W = out.width(), H = out.height();
    if (mode == 0)
        return;
    if (A > W) {
        for (int i = 5; i < H + 5; i += 10) {
            out.add(0, i - 5, W, i);
            if (mode == 1 || mode == 4)
                out.add(2 * W - A, i, W, i + 5);
            if (mode == 2 || mode == 5)
                out.add(0, i, A - W, i + 5);
        }
        return;
    }
    if (A + snap > W)
        A = W;
    for (int i = 0; i < H + 5; i += 10) {
        if (mode == 1 || mode == 5)
            out.add(W - A, i, W, i + 5);
        if (mode == 2 || mode == 4)
            out.add(0, i, A, i + 5);
        if (mode == 3) {
            out.add(0, i + 5, A, i + 10);
            out.add(W - A, i, W, i + 5);
        }
    }
}

void addVerticalBars(RectUnionBuilder &out, int V, int mode, int snap)
{
    const int W = out.width(), H = out.height();
    if (mode == 0)
        return;
    if (V > H) {
        for (int j = 5; j < W + 5; j += 10) {
            out.add(j - 5, 0, j, H);
            if (mode == 1 || mode == 4)
                out.add(j, 2 * H - V, j + 5, H);
            if (mode == 2 || mode == 5)
                out.add(j, 0, j + 5, V - H);
        }
        return;
    }
    if (V + snap > H)
        V = H;
    for (int j = 0; j < W + 5; j += 10) {
        if (mode == 1 || mode == 5)
            out.add(j, H - V, j + 5, H);
        if (mode == 2 || mode == 4)
            out.add(j, 0, j + 5, V);
        if (mode == 3) {
            out.add(j, H - V, j + 5, H);
            out.add(j + 5, 0, j + 10, V);
        }
    }
}

void addHorizontalShreds(RectUnionBuilder &out, const FrameInputs &f, int A, int mode, LinearCongruential &random)
{
    const int W = f.W, H = f.H, hw = f.hw;
    const int J = A < W ? W / 7 : 0;
    for (int i = 0; i < H && mode != 0; i += 5) {
        const int e = i + 5 + H % 5;
        const int r1 = random.next(J), r2 = random.next(J);
        switch (mode) {
        case 1: out.add(W - A + r1 - r2, i, W, e); break;
        case 2: out.add(0, i, A + r1 - r2, e); break;
        case 3: {
            const int r3 = random.next(J), r4 = random.next(J);
            out.add((W - A + r1 - r2) / 2, i, hw, e);
            out.add(hw, i, (W + A + r3 - r4) / 2, e);
            break;
        }
        case 4: {
            const int r3 = random.next(J), r4 = random.next(J);
            out.add(W - (A + r1 - r2) / 2, i, W, e);
            out.add(0, i, (A + r3 - r4) / 2, e);
            break;
        }
        }
    }
}

void addVerticalShreds(RectUnionBuilder &out, const FrameInputs &f, int V, int mode, LinearCongruential &random)
{
    const int W = f.W, H = f.H, hh = f.hh;
    const int J = V < H ? H / 7 : 0;
    for (int j = 0; j < W && mode != 0; j += 5) {
        const int e = j + 5 + W % 5;
        const int r1 = random.next(J), r2 = random.next(J);
        switch (mode) {
        case 1: out.add(j, H - V + r1 - r2, e, H); break;
        case 2: out.add(j, 0, e, V + r1 - r2); break;
        case 3: {
            const int r3 = random.next(J), r4 = random.next(J);
            out.add(j, (H - V + r1 - r2) / 2, e, hh);
            out.add(j, hh, e, (H + V + r3 - r4) / 2);
            break;
        }
        case 4: {
            const int r3 = random.next(J), r4 = random.next(J);
            out.add(j, H - (V + r1 - r2) / 2, e, H);
            out.add(j, 0, e, (V + r3 - r4) / 2);
            break;
        }
        }
    }
}

// Square size, fringe length and the threshold beyond which squares thin out, for a
// band growing along a side of length n with extent e.
struct Fringe {
    int s, n, t;
    explicit Fringe(int e, int side)
    {
        const int D = e < side ? side / 10 : 0;
        s = std::max(D / 20, 2);
        n = D / s;
        t = (3 * D / s) / 4;
    }
    // Random(k) is drawn for every k: k <= t keeps the square when the draw is 0 or 1.
    bool keep(int k, LinearCongruential &random) const { return random.next(k) <= (k <= t ? 1 : 0); }
};

void addHorizontalSpeckle(RectUnionBuilder &out, int A, int mode, LinearCongruential &random)
{
    const int W = out.width(), H = out.height();
    if (mode != 1 && mode != 2)
        return;
    const Fringe fr(A, W);
    for (int i = 0; i < H; i += fr.s / 2) {
        if (mode == 1)
            out.add(W - A, i, W, i + fr.s);
        else
            out.add(0, i, A, i + fr.s);
        for (int k = fr.n; k >= 1; --k) {
            if (!fr.keep(k, random))
                continue;
            if (mode == 1)
                out.add(W - A - k * fr.s, i, W - A - k * fr.s + fr.s, i + fr.s);
            else
                out.add(A + k * fr.s - fr.s, i, A + k * fr.s, i + fr.s);
        }
    }
}

void addVerticalSpeckle(RectUnionBuilder &out, int V, int mode, LinearCongruential &random)
{
    const int W = out.width(), H = out.height();
    if (mode != 1 && mode != 2)
        return;
    const Fringe fr(V, H);
    for (int j = 0; j < W; j += fr.s / 2) {
        if (mode == 1)
            out.add(j, H - V, j + fr.s, H);
        else
            out.add(j, 0, j + fr.s, V);
        for (int k = fr.n; k >= 1; --k) {
            if (!fr.keep(k, random))
                continue;
            if (mode == 1)
                out.add(j, H - V - k * fr.s, j + fr.s, H - V - k * fr.s + fr.s);
            else
                out.add(j, V + k * fr.s - fr.s, j + fr.s, V + k * fr.s);
        }
    }
}

SpanRegion roundRect(const FrameInputs &f, int l, int t, int r, int b, int ew, int eh)
{
    return SpanRegion::RoundRect(f.W, f.H, l, t, r, b, ew, eh);
}

SpanRegion curvedRegion(int style, const FrameInputs &f)
{
    const int W = f.W, H = f.H, X = f.X, Y = f.Y, hw = f.hw, hh = f.hh;
    switch (style) {
    case 58: return roundRect(f, -2 * W, -5, 2 * X, H + 5, 2 * W, 2 * W);
    case 59: return roundRect(f, W - 2 * X, -5, 3 * W, H + 5, 2 * W, 2 * W);
    case 69: return roundRect(f, -5, -2 * H, W + 5, 2 * Y, 2 * H, 2 * H);
    case 70: return roundRect(f, -5, H - 2 * Y, W + 5, 3 * H, 2 * H, 2 * H);
    case 80: return roundRect(f, -2 * W, -2 * H, 2 * X, 2 * Y, 2 * W, 2 * H);
    case 81: return roundRect(f, W - 2 * X, -2 * H, 3 * W, 2 * Y, 2 * W, 2 * H);
    case 82: return roundRect(f, -2 * W, H - 2 * Y, 2 * X, 3 * H, 2 * W, 2 * H);
    case 83: return roundRect(f, W - 2 * X, H - 2 * Y, 3 * W, 3 * H, 2 * H, 2 * H);
    case 84: return roundRect(f, hw - X, hh - Y, hw + X, hh + Y, 9 * X / 5, 9 * Y / 5);
    case 85:
        return SpanRegion::Rect(W, H, 0, 0, W, H)
            .xored(roundRect(f, X - hw, Y - hh, 3 * W / 2 - X, 3 * H / 2 - Y, 9 * (W - X) / 5, 9 * (H - Y) / 5));
    }
    return SpanRegion(W, H);
}

SpanRegion triangleRegion(int style, const FrameInputs &f)
{
    const int W = f.W, H = f.H, X = f.X, Y = f.Y;
    const QPoint C(f.hw, f.hh);
    RowSpanBuilder out(W, H);
    const auto tri = [&out](QPoint p0, QPoint p1, QPoint p2) {
        const QPoint corners[3] = {p0, p1, p2};
        out.addPolygon(corners);
    };
    switch (style) {
    case 110: tri({0, 0}, {2 * X, 0}, {0, 2 * Y}); break;
    case 111: tri({W, 0}, {W - 2 * X, 0}, {W, 2 * Y}); break;
    case 112: tri({0, H}, {2 * X, H}, {0, H - 2 * Y}); break;
    case 113: tri({W, H}, {W - 2 * X, H}, {W, H - 2 * Y}); break;
    case 114:
        tri({0, H}, {0, 0}, {X, H});
        tri({W, H}, {W, 0}, {W - X, 0});
        break;
    case 115:
        tri({W, 0}, {0, 0}, {W, Y});
        tri({W, H}, {0, H}, {0, H - Y});
        break;
    case 116:
        tri(C, {0, H}, {0, H - Y});
        tri({0, 0}, {X, 0}, C);
        tri({W - X, H}, C, {W, H});
        tri(C, {W, 0}, {W, Y});
        break;
    case 117: {
        const int T = MulDiv(X / 5, H, W);
        for (int row = 0; row <= 9; ++row)
            for (int column = 0; column <= 9; ++column) {
                const int x0 = W * column / 10, y0 = H * row / 10;
                tri({x0, y0}, {x0 + X / 5, y0}, {x0, y0 + T});
            }
        break;
    }
    }
    return out.build();
}

struct BarsArgs {
    int A, V, h, v, snap;
};

// Styles 60..64, 71..75 and 86..98; 99 intersects two of these patterns.
bool barsArgs(int style, const FrameInputs &f, BarsArgs &out)
{
    const int X = f.X, Y = f.Y, I = f.I;
    switch (style) {
    case 60: out = {2 * X, 0, 1, 0, I}; return true;
    case 61: out = {2 * X, 0, 2, 0, I}; return true;
    case 62: out = {2 * X, 0, 4, 0, I}; return true;
    case 63: out = {2 * X, 0, 5, 0, I}; return true;
    case 64: out = {X, 0, 3, 0, 0}; return true;
    case 71: out = {0, 2 * Y, 0, 1, I}; return true;
    case 72: out = {0, 2 * Y, 0, 2, I}; return true;
    case 73: out = {0, 2 * Y, 0, 4, I}; return true;
    case 74: out = {0, 2 * Y, 0, 5, I}; return true;
    case 75: out = {0, Y, 0, 3, 0}; return true;
    case 86: out = {2 * X, 2 * Y, 1, 1, I}; return true;
    case 87: out = {2 * X, 2 * Y, 1, 2, I}; return true;
    case 88: out = {2 * X, 2 * Y, 2, 1, I}; return true;
    case 89: out = {2 * X, 2 * Y, 2, 2, I}; return true;
    case 90: out = {2 * X, 2 * Y, 4, 4, I}; return true;
    case 91: out = {2 * X, 2 * Y, 4, 5, I}; return true;
    case 92: out = {2 * X, 2 * Y, 5, 4, I}; return true;
    case 93: out = {2 * X, 2 * Y, 5, 5, I}; return true;
    case 94: out = {X, Y, 1, 3, I}; return true;
    case 95: out = {X, Y, 2, 3, I}; return true;
    case 96: out = {X, Y, 3, 1, I}; return true;
    case 97: out = {X, Y, 3, 2, I}; return true;
    case 98: out = {X, Y, 3, 3, 0}; return true;
    }
    return false;
}

struct ModePair {
    int h, v;
};

bool shredModes(int style, ModePair &m)
{
    static const ModePair kSingle[] = {{1, 0}, {2, 0}, {3, 0}, {4, 0}};            // 65..68
    static const ModePair kVertical[] = {{0, 1}, {0, 2}, {0, 3}, {0, 4}};          // 76..79
    static const ModePair kBoth[] = {{1, 1}, {1, 2}, {2, 1}, {2, 2}, {1, 3},      // 100..104
                                     {2, 3}, {3, 1}, {3, 2}, {3, 3}, {4, 4}};     // 105..109
    if (style >= 65 && style <= 68)
        m = kSingle[style - 65];
    else if (style >= 76 && style <= 79)
        m = kVertical[style - 76];
    else if (style >= 100 && style <= 109)
        m = kBoth[style - 100];
    else
        return false;
    return true;
}

} // namespace

SpanRegion BarsRegion(const FrameInputs &f, int A, int V, int h, int v, int snap)
{
    RectUnionBuilder out(f.W, f.H);
    addHorizontalBars(out, A, h, snap);
    addVerticalBars(out, V, v, snap);
    return out.build();
}

SpanRegion ShredsRegion(const FrameInputs &f, int A, int V, int h, int v, LinearCongruential &random)
{
    RectUnionBuilder out(f.W, f.H);
    addHorizontalShreds(out, f, A, h, random);
    addVerticalShreds(out, f, V, v, random);
    return out.build();
}

SpanRegion SpeckleRegion(const FrameInputs &f, int A, int V, int h, int v, LinearCongruential &random)
{
    RectUnionBuilder out(f.W, f.H);
    addHorizontalSpeckle(out, A, h, random);
    addVerticalSpeckle(out, V, v, random);
    return out.build();
}

SpanRegion RandomSquaresRegion(const FrameInputs &f, LinearCongruential &random)
{
    const int s = std::max((f.W < f.H ? f.W / 50 : f.H / 50) + f.p / 10, 1);
    RectUnionBuilder out(f.W, f.H);
    for (int x = 0; x < f.W; x += s)
        for (int y = 0; y < f.H; y += s)
            if (random.next(100) < f.p)
                out.add(x - s, y - s, x + s, y + s);
    return out.build();
}

SpanRegion styleRegion(int style, const FrameInputs &f, LinearCongruential &random)
{
    BarsArgs bars;
    ModePair modes;
    if (barsArgs(style, f, bars))
        return BarsRegion(f, bars.A, bars.V, bars.h, bars.v, bars.snap);
    if (style == 99)
        return BarsRegion(f, 2 * f.X, 2 * f.Y, 1, 1, f.I).intersected(BarsRegion(f, 2 * f.X, 2 * f.Y, 2, 2, f.I));
    if (shredModes(style, modes))
        return ShredsRegion(f, f.X, f.Y, modes.h, modes.v, random);
    if (style >= 110 && style <= 117)
        return triangleRegion(style, f);
    if (style >= 123 && style <= 126) {
        static const ModePair kSpeckle[] = {{1, 0}, {2, 0}, {0, 1}, {0, 2}};
        return SpeckleRegion(f, f.X, f.Y, kSpeckle[style - 123].h, kSpeckle[style - 123].v, random);
    }
    if (style == 127)
        return RandomSquaresRegion(f, random);
    return curvedRegion(style, f);
}

} // namespace transitions
