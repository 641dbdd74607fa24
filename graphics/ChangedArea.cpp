#include "graphics/ChangedArea.h"

#include <algorithm>

namespace {

bool covers(const TRect& outer, const TRect& inner)
{
    return outer.Left <= inner.Left && outer.Top <= inner.Top && outer.Right >= inner.Right &&
           outer.Bottom >= inner.Bottom;
}

// The rectangles a view notes lie within it, so their sizes fit an int.
QRect toQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, int(r.Width()), int(r.Height()));
}

} // namespace

void TChangedArea::Add(const TRect& r)
{
    if (r.IsEmpty())
        return;
    if (Spilled()) {
        region_ += toQRect(r);
        return;
    }
    const auto noted = rects_.begin() + count_;
    if (std::any_of(rects_.begin(), noted, [&r](const TRect& old) { return covers(old, r); }))
        return;
    count_ =
        int(std::remove_if(rects_.begin(), noted, [&r](const TRect& old) { return covers(r, old); }) - rects_.begin());
    if (count_ < kInline) {
        rects_[std::size_t(count_++)] = r;
        return;
    }
    region_ = Region();
    region_ += toQRect(r);
    count_ = 0;
}

void TChangedArea::Add(const TChangedArea& other)
{
    if (other.Spilled()) {
        Add(other.region_);
        return;
    }
    for (const TRect& r : other.InlineRects())
        Add(r);
}

void TChangedArea::Add(const QRegion& region)
{
    if (region.isEmpty())
        return;
    if (!Spilled() && region.rectCount() + count_ > kInline) {
        region_ = Region();
        count_ = 0;
    }
    if (Spilled()) {
        region_ += region;
        return;
    }
    for (const QRect& r : region)
        Add(TRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
}

void TChangedArea::Clear()
{
    count_ = 0;
    if (!region_.isEmpty())
        region_ = QRegion();
}

QRegion TChangedArea::Region() const
{
    if (Spilled())
        return region_;
    QRegion region;
    for (const TRect& r : InlineRects())
        region += toQRect(r);
    return region;
}

void TChangedArea::CompositionRects(std::vector<TRect>& out) const
{
    out.clear();
    const std::span<const TRect> noted = InlineRects();
    bool overlap = false;
    for (std::size_t i = 0; i < noted.size() && !overlap; ++i)
        for (std::size_t j = i + 1; j < noted.size() && !overlap; ++j)
            overlap = !IntersectRect(noted[i], noted[j]).IsEmpty();
    if (Spilled() || overlap) {
        // Cut into bands that do not overlap, then joined below where that pays.
        for (const QRect& r : Region())
            out.push_back(TRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
    } else {
        out.assign(noted.begin(), noted.end());
    }
    auto area = [](const TRect& r) { return r.Width() * r.Height(); };
    auto bounds = [](const TRect& a, const TRect& b) {
        return TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                     std::max(a.Bottom, b.Bottom)};
    };
    auto joins = [&](const TRect& a, const TRect& b) {
        // Overlaps must go; near neighbours go when the box wastes less than a quarter.
        return !IntersectRect(a, b).IsEmpty() || 4 * area(bounds(a, b)) <= 5 * (area(a) + area(b));
    };
    // A rectangle is checked against all the others; when it takes one in, it has grown and is
    // checked again, else the next is. Every pair is thus seen in its final shape, with one pass
    // per rectangle and per join rather than a fresh start after each join.
    for (std::size_t i = 0; i < out.size();) {
        bool grew = false;
        for (std::size_t j = 0; j < out.size(); ++j) {
            if (j == i || !joins(out[i], out[j]))
                continue;
            out[i] = bounds(out[i], out[j]);
            out.erase(out.begin() + std::ptrdiff_t(j));
            if (j < i)
                --i;
            --j;
            grew = true;
        }
        if (!grew)
            ++i;
    }
}
