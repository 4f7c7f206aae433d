#pragma once
// A set of pixels inside a width x height area, kept as sorted, disjoint spans per row.
// Rows that repeat the row above share its spans, so a region built from tall rectangles
// stays small. Everything outside the area is dropped when a region is built, which is
// exact for the set operations below: clipping commutes with union, intersection and
// exclusive or.
#include <QPoint>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace transitions {

struct Span {
    int left = 0;  // first pixel
    int right = 0; // one past the last pixel
    bool operator==(const Span &) const = default;
};

class SpanRegion {
public:
    SpanRegion() = default;
    SpanRegion(int width, int height); // empty

    // Primitives; coordinates may reach far outside the area.
    static SpanRegion Rect(int width, int height, int left, int top, int right, int bottom);
    // Corners rounded by quarter ellipses of ew x eh, each limited to the rectangle's size.
    static SpanRegion RoundRect(int width, int height, int left, int top, int right, int bottom,
                                int ew, int eh);
    // Filled polygon (non-zero winding rule); a pixel belongs to it when its centre does.
    static SpanRegion Polygon(int width, int height, std::span<const QPoint> corners);
    static SpanRegion Tri(int width, int height, QPoint p0, QPoint p1, QPoint p2);

    SpanRegion united(const SpanRegion &other) const;
    SpanRegion intersected(const SpanRegion &other) const;
    SpanRegion xored(const SpanRegion &other) const;

    int width() const { return m_width; }
    int height() const { return m_height; }
    std::span<const Span> row(int y) const
    {
        const RowRange r = m_rows[std::size_t(y)];
        return {m_spans.data() + r.begin, r.end - r.begin};
    }
    bool isEmpty() const;
    bool contains(int x, int y) const;
    std::int64_t area() const;

private:
    friend class RectUnionBuilder;
    friend class RowSpanBuilder;
    struct RowRange {
        std::uint32_t begin = 0, end = 0;
        bool operator==(const RowRange &) const = default;
    };
    enum class Op { Unite, Intersect, Xor };
    SpanRegion combined(const SpanRegion &other, Op op) const;
    // Starts row y: shares the previous row's spans when sameAsAbove, else opens a new range.
    void setRow(int y, std::uint32_t begin) { m_rows[std::size_t(y)] = {begin, std::uint32_t(m_spans.size())}; }

    int m_width = 0;
    int m_height = 0;
    std::vector<RowRange> m_rows;
    std::vector<Span> m_spans;
};

// Calls addSpan(y, left, right) for every row of the filled polygon (non-zero winding rule)
// inside a width x height area; a pixel belongs to the polygon when its centre does.
void scanPolygon(int width, int height, std::span<const QPoint> corners,
                 const std::function<void(int y, int left, int right)> &addSpan);

// The union of row spans given in any order, sorted and merged per row when built.
class RowSpanBuilder {
public:
    RowSpanBuilder(int width, int height) : m_width(width), m_height(height) {}
    void add(int y, int left, int right);
    void addPolygon(std::span<const QPoint> corners);
    SpanRegion build();

private:
    struct RowSpan {
        int y, left, right;
    };
    int m_width;
    int m_height;
    std::vector<RowSpan> m_spans;
};

// The union of many rectangles, built in one sweep down the rows: every band between two
// rectangle edges is merged once and shared by its rows.
class RectUnionBuilder {
public:
    RectUnionBuilder(int width, int height) : m_width(width), m_height(height) {}
    void add(int left, int top, int right, int bottom);
    SpanRegion build();
    int width() const { return m_width; }
    int height() const { return m_height; }

private:
    struct Box {
        int left, top, right, bottom;
    };
    int m_width;
    int m_height;
    std::vector<Box> m_boxes;
};

} // namespace transitions
