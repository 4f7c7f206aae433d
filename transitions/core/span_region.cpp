#include "transitions/core/span_region.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace transitions {

namespace {

// Smallest integer >= num / den, den != 0.
std::int64_t ceilDiv(std::int64_t num, std::int64_t den)
{
    if (den < 0) {
        num = -num;
        den = -den;
    }
    return num >= 0 ? (num + den - 1) / den : -((-num) / den);
}

int clampTo(std::int64_t v, int lo, int hi)
{
    return int(std::clamp<std::int64_t>(v, lo, hi));
}

// Appends [left, right) to out, joining it to the last span when they touch.
void appendSpan(std::vector<Span> &out, std::size_t rowBegin, int left, int right)
{
    if (left >= right)
        return;
    if (out.size() > rowBegin && out.back().right >= left) {
        out.back().right = std::max(out.back().right, right);
        return;
    }
    out.push_back({left, right});
}

} // namespace

SpanRegion::SpanRegion(int width, int height)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)), m_rows(std::size_t(m_height))
{
}

SpanRegion SpanRegion::Rect(int width, int height, int left, int top, int right, int bottom)
{
    SpanRegion region(width, height);
    const int l = std::max(left, 0), r = std::min(right, region.m_width);
    const int t = std::max(top, 0), b = std::min(bottom, region.m_height);
    if (l >= r || t >= b)
        return region;
    region.m_spans.push_back({l, r});
    for (int y = t; y < b; ++y)
        region.m_rows[std::size_t(y)] = {0, 1};
    return region;
}

SpanRegion SpanRegion::RoundRect(int width, int height, int left, int top, int right, int bottom,
                                 int ew, int eh)
{
    SpanRegion region(width, height);
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    const double rx = std::clamp(ew, 0, right - left) / 2.0;
    const double ry = std::clamp(eh, 0, bottom - top) / 2.0;
    const int y0 = std::max(top, 0), y1 = std::min(bottom, region.m_height);
    for (int y = y0; y < y1; ++y) {
        const double yc = y + 0.5;
        double d = 0; // how far into a corner band the row's centre lies
        if (yc < top + ry)
            d = top + ry - yc;
        else if (yc > bottom - ry)
            d = yc - (bottom - ry);
        double inset = 0;
        if (d > 0 && rx > 0) {
            const double q = d / ry;
            inset = rx - rx * std::sqrt(std::max(0.0, 1.0 - q * q));
        }
        // Pixels whose centres fall inside [left + inset, right - inset).
        const int l = clampTo(std::int64_t(std::ceil(left + inset - 0.5)), 0, region.m_width);
        const int r = clampTo(std::int64_t(std::ceil(right - inset - 0.5)), 0, region.m_width);
        const std::uint32_t begin = std::uint32_t(region.m_spans.size());
        if (l < r)
            region.m_spans.push_back({l, r});
        region.setRow(y, begin);
    }
    return region;
}

void scanPolygon(int width, int height, std::span<const QPoint> corners,
                 const std::function<void(int y, int left, int right)> &addSpan)
{
    if (corners.size() < 3)
        return;
    int minY = INT_MAX, maxY = INT_MIN;
    for (const QPoint &c : corners) {
        minY = std::min(minY, c.y());
        maxY = std::max(maxY, c.y());
    }
    struct Crossing {
        std::int64_t x; // first pixel whose centre lies right of the edge
        int winding;
    };
    std::vector<Crossing> crossings;
    const int y0 = std::max(minY, 0), y1 = std::min(maxY, height);
    for (int y = y0; y < y1; ++y) {
        crossings.clear();
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const QPoint a = corners[i], b = corners[(i + 1) % corners.size()];
            const std::int64_t dy = b.y() - a.y();
            // Row centres are half-integers, so they never meet a corner exactly.
            if (dy == 0 || 2 * y + 1 < 2 * std::min(a.y(), b.y()) || 2 * y + 1 > 2 * std::max(a.y(), b.y()))
                continue;
            // Crossing at x = a.x + (b.x - a.x)(y + 1/2 - a.y)/dy; first pixel: ceil(x - 1/2).
            const std::int64_t num = 2 * std::int64_t(b.x() - a.x()) * (2 * y + 1 - 2 * std::int64_t(a.y()))
                                     + (2 * std::int64_t(a.x()) - 1) * 2 * dy;
            crossings.push_back({ceilDiv(num, 4 * dy), dy > 0 ? 1 : -1});
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing &p, const Crossing &q) { return p.x < q.x; });
        int winding = 0;
        std::int64_t start = 0;
        for (const Crossing &c : crossings) {
            const int before = winding;
            winding += c.winding;
            if (before == 0 && winding != 0) {
                start = c.x;
            } else if (before != 0 && winding == 0) {
                const int l = clampTo(start, 0, width), r = clampTo(c.x, 0, width);
                if (l < r)
                    addSpan(y, l, r);
            }
        }
    }
}

SpanRegion SpanRegion::Polygon(int width, int height, std::span<const QPoint> corners)
{
    RowSpanBuilder builder(width, height);
    builder.addPolygon(corners);
    return builder.build();
}

SpanRegion SpanRegion::Tri(int width, int height, QPoint p0, QPoint p1, QPoint p2)
{
    const QPoint corners[3] = {p0, p1, p2};
    return Polygon(width, height, corners);
}

bool SpanRegion::isEmpty() const
{
    return std::all_of(m_rows.begin(), m_rows.end(), [](const RowRange &r) { return r.begin == r.end; });
}

bool SpanRegion::contains(int x, int y) const
{
    if (y < 0 || y >= m_height)
        return false;
    for (const Span &s : row(y))
        if (x >= s.left && x < s.right)
            return true;
    return false;
}

std::int64_t SpanRegion::area() const
{
    std::int64_t total = 0;
    for (int y = 0; y < m_height; ++y)
        for (const Span &s : row(y))
            total += s.right - s.left;
    return total;
}

SpanRegion SpanRegion::united(const SpanRegion &other) const { return combined(other, Op::Unite); }
SpanRegion SpanRegion::intersected(const SpanRegion &other) const { return combined(other, Op::Intersect); }
SpanRegion SpanRegion::xored(const SpanRegion &other) const { return combined(other, Op::Xor); }

SpanRegion SpanRegion::combined(const SpanRegion &other, Op op) const
{
    SpanRegion out(m_width, m_height);
    const auto keep = [op](bool a, bool b) {
        return op == Op::Unite ? (a || b) : op == Op::Intersect ? (a && b) : (a != b);
    };
    for (int y = 0; y < m_height; ++y) {
        const std::size_t yi = std::size_t(y);
        const RowRange otherRow = y < other.m_height ? other.m_rows[yi] : RowRange{};
        if (y > 0 && m_rows[yi] == m_rows[yi - 1] && y < other.m_height && otherRow == other.m_rows[yi - 1]) {
            out.m_rows[yi] = out.m_rows[yi - 1]; // same inputs, same result
            continue;
        }
        const std::span<const Span> a = row(y);
        const std::span<const Span> b(other.m_spans.data() + otherRow.begin, otherRow.end - otherRow.begin);
        const std::uint32_t begin = std::uint32_t(out.m_spans.size());
        std::size_t ia = 0, ib = 0;
        bool inA = false, inB = false;
        int start = 0;
        for (;;) {
            const int xa = ia < a.size() ? (inA ? a[ia].right : a[ia].left) : INT_MAX;
            const int xb = ib < b.size() ? (inB ? b[ib].right : b[ib].left) : INT_MAX;
            const int x = std::min(xa, xb);
            if (x == INT_MAX)
                break;
            const bool before = keep(inA, inB);
            if (xa == x) {
                ia += inA ? 1 : 0;
                inA = !inA;
            }
            if (xb == x) {
                ib += inB ? 1 : 0;
                inB = !inB;
            }
            const bool after = keep(inA, inB);
            if (!before && after)
                start = x;
            else if (before && !after)
                appendSpan(out.m_spans, begin, std::max(start, 0), std::min(x, m_width));
        }
        out.setRow(y, begin);
    }
    return out;
}

void RowSpanBuilder::add(int y, int left, int right)
{
    left = std::max(left, 0);
    right = std::min(right, m_width);
    if (y >= 0 && y < m_height && left < right)
        m_spans.push_back({y, left, right});
}

void RowSpanBuilder::addPolygon(std::span<const QPoint> corners)
{
    scanPolygon(m_width, m_height, corners, [this](int y, int l, int r) { m_spans.push_back({y, l, r}); });
}

SpanRegion RowSpanBuilder::build()
{
    SpanRegion region(m_width, m_height);
    // Counting sort by row, then each row's few spans by their left edge.
    std::vector<std::uint32_t> start(std::size_t(m_height) + 1, 0);
    for (const RowSpan &s : m_spans)
        ++start[std::size_t(s.y) + 1];
    for (std::size_t y = 1; y < start.size(); ++y)
        start[y] += start[y - 1];
    std::vector<Span> sorted(m_spans.size());
    std::vector<std::uint32_t> fill(start.begin(), start.end() - 1);
    for (const RowSpan &s : m_spans)
        sorted[fill[std::size_t(s.y)]++] = {s.left, s.right};
    for (int y = 0; y < m_height; ++y) {
        const auto first = sorted.begin() + start[std::size_t(y)], last = sorted.begin() + start[std::size_t(y) + 1];
        std::sort(first, last, [](const Span &p, const Span &q) { return p.left < q.left; });
        const std::uint32_t begin = std::uint32_t(region.m_spans.size());
        for (auto it = first; it != last; ++it)
            appendSpan(region.m_spans, begin, it->left, it->right);
        region.setRow(y, begin);
    }
    m_spans.clear();
    return region;
}

void RectUnionBuilder::add(int left, int top, int right, int bottom)
{
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, m_width);
    bottom = std::min(bottom, m_height);
    if (left < right && top < bottom)
        m_boxes.push_back({left, top, right, bottom});
}

SpanRegion RectUnionBuilder::build()
{
    SpanRegion region(m_width, m_height);
    std::vector<int> edges;
    edges.reserve(m_boxes.size() * 2 + 1);
    for (const Box &b : m_boxes) {
        edges.push_back(b.top);
        edges.push_back(b.bottom);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    std::sort(m_boxes.begin(), m_boxes.end(), [](const Box &p, const Box &q) { return p.top < q.top; });

    std::vector<const Box *> active, entering, merged; // active is kept sorted by left edge
    const auto byLeft = [](const Box *p, const Box *q) { return p->left < q->left; };
    std::size_t next = 0;
    for (std::size_t e = 0; e + 1 < edges.size(); ++e) {
        const int y0 = edges[e], y1 = edges[e + 1];
        std::erase_if(active, [y0](const Box *b) { return b->bottom <= y0; });
        entering.clear();
        while (next < m_boxes.size() && m_boxes[next].top <= y0)
            entering.push_back(&m_boxes[next++]);
        if (!entering.empty()) {
            std::sort(entering.begin(), entering.end(), byLeft);
            merged.resize(active.size() + entering.size());
            std::merge(active.begin(), active.end(), entering.begin(), entering.end(), merged.begin(), byLeft);
            active.swap(merged);
        }
        const std::uint32_t begin = std::uint32_t(region.m_spans.size());
        for (const Box *b : active)
            appendSpan(region.m_spans, begin, b->left, b->right);
        const SpanRegion::RowRange range{begin, std::uint32_t(region.m_spans.size())};
        for (int y = y0; y < y1; ++y)
            region.m_rows[std::size_t(y)] = range;
    }
    m_boxes.clear();
    return region;
}

} // namespace transitions
