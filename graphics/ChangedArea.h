#pragma once

#include "graphics/Bitmap32.h"

#include <QRegion>

#include <algorithm>
#include <array>
#include <span>
#include <vector>

// A part of a view that is out of date: the union of the rectangles added since it was
// last cleared. A key lit or put out, or a question posed, adds one to a dozen rectangles;
// that many are kept inline, so that noting them allocates nothing. Beyond that the union
// goes into a QRegion, whose size the view's geometry bounds however long it is not composed.
class TChangedArea
{
public:
    TChangedArea() = default;
    // Only the rectangles in use are copied.
    TChangedArea(const TChangedArea& other) : count_(other.count_), region_(other.region_)
    {
        std::copy_n(other.rects_.begin(), count_, rects_.begin());
    }
    TChangedArea& operator=(const TChangedArea& other)
    {
        count_ = other.count_;
        std::copy_n(other.rects_.begin(), count_, rects_.begin());
        region_ = other.region_;
        return *this;
    }

    // An empty rectangle, or one inside a rectangle already noted, adds nothing.
    void Add(const TRect& r);
    void Add(const TChangedArea& other);
    void Add(const QRegion& region);
    void Clear();
    bool IsEmpty() const { return count_ == 0 && region_.isEmpty(); }

    // The union, exactly.
    QRegion Region() const;
    // Rectangles that cover the union and do not overlap, for composing it part by part (a
    // pixel composed twice would be blended twice). Neighbours are joined into their bounding
    // box where that adds little area, as each rectangle costs a pass of every stage and
    // layer, and recomposing a few unchanged pixels changes nothing. Reuses out's storage.
    void CompositionRects(std::vector<TRect>& out) const;

    // The rectangles as they were noted while they fit inline; empty once they spilled.
    std::span<const TRect> InlineRects() const { return {rects_.data(), std::size_t(count_)}; }
    bool Spilled() const { return !region_.isEmpty(); }

private:
    static constexpr int kInline = 12;
    std::array<TRect, kInline> rects_{};
    int count_ = 0;
    QRegion region_; // the whole union once it no longer fits inline
};
