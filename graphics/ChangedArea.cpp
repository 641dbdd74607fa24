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
    for (bool merged = true; merged;) {
        merged = false;
        for (std::size_t i = 0; i < out.size() && !merged; ++i) {
            for (std::size_t j = i + 1; j < out.size() && !merged; ++j) {
                const TRect box = bounds(out[i], out[j]);
                // Overlaps must go; near neighbours go when the box wastes less than a quarter.
                const bool overlaps = !IntersectRect(out[i], out[j]).IsEmpty();
                if (overlaps || 4 * area(box) <= 5 * (area(out[i]) + area(out[j]))) {
                    out[i] = box;
                    out.erase(out.begin() + std::ptrdiff_t(j));
                    merged = true;
                }
            }
        }
    }
}
