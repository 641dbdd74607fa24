#include "graphics/Layers.h"

#include "core/Errors.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

using lirasto::EAssertionFailed;
using lirasto::EListError;
using lirasto::ERangeError;

TLayerCollection::TLayerCollection(QObject* owner) : owner_(owner) {}

TLayerCollection::~TLayerCollection()
{
    // Held in a bracket for good: the owner is going away and must not be told.
    updateCount_ = 1;
    OnChanging = nullptr;
    OnChange = nullptr;
    OnGDIUpdate = nullptr;
    while (!items_.empty()) {
        TCustomLayer* last = items_.back();
        try {
            delete last;
        } catch (...) {
            // Nobody is left to report to; the layer has already left the list.
        }
        if (!items_.empty() && items_.back() == last)
            items_.pop_back();
    }
}

TCustomLayer* TLayerCollection::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(lirasto::ListIndexMessage(index));
    return items_[static_cast<std::size_t>(index)];
}

void TLayerCollection::Clear()
{
    BeginUpdate();
    try {
        while (!items_.empty())
            delete items_.back();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TLayerCollection::BeginUpdate()
{
    if (updateCount_ == 0)
        Changing();
    ++updateCount_;
}

void TLayerCollection::EndUpdate()
{
    if (updateCount_ <= 0)
        throw EAssertionFailed("Unpaired EndUpdate");
    --updateCount_;
    if (updateCount_ == 0)
        Changed();
}

void TLayerCollection::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TLayerCollection::Changing()
{
    if (OnChanging)
        OnChanging(this);
}

void TLayerCollection::GDIUpdate()
{
    if (updateCount_ == 0 && OnGDIUpdate)
        OnGDIUpdate(this);
}

TCustomLayer* TLayerCollection::FindLayerAtPos(int x, int y, uint32_t optionsMask) const
{
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
        TCustomLayer* layer = *it;
        if ((layer->layerOptions_ & optionsMask) != 0 && layer->HitTest(x, y))
            return layer;
    }
    return nullptr;
}

void TLayerCollection::PaintLayers(TBitmap32* buffer, uint32_t optionsMask, bool onlyReaching)
{
    // The layers' areas are logical: the clip, in device pixels, is widened to whole logical pixels.
    TRect clip = buffer->ClipRect();
    if (paintScale_ > 1) {
        const int s = paintScale_;
        auto down = [s](int32_t v) { return int32_t(v >= 0 ? v / s : -((-int64_t(v) + s - 1) / s)); };
        auto up = [s](int32_t v) { return int32_t(v >= 0 ? (int64_t(v) + s - 1) / s : -(-int64_t(v) / s)); };
        clip = TRect{down(clip.Left), down(clip.Top), up(clip.Right), up(clip.Bottom)};
    }
    for (std::size_t i = 0; i < items_.size(); ++i) {
        TCustomLayer* layer = items_[i];
        if ((layer->layerOptions_ & optionsMask) == 0)
            continue;
        if (onlyReaching && IntersectRect(layer->shownArea_, clip).IsEmpty())
            continue;
        layer->Paint(buffer);
        if (layer->OnPaint)
            layer->OnPaint(layer, buffer);
    }
}

bool TLayerCollection::PaintOnTop(TBitmap32* buffer, uint32_t optionsMask, std::span<const TShownLayer> layers)
{
    auto listed = [layers](const TCustomLayer* layer) {
        return std::count_if(layers.begin(), layers.end(), [layer](const TShownLayer& s) { return s.Layer == layer; });
    };
    for (const TShownLayer& shown : layers) {
        // Compared by address first: a listed layer may have been freed since.
        const int index = indexOf(shown.Layer);
        if (index < 0 || listed(shown.Layer) != 1 || (shown.Layer->layerOptions_ & optionsMask) == 0)
            return false;
        const TRect now = shown.Layer->shownArea();
        if (!(now == shown.Layer->shownArea_) || !(IntersectRect(now, shown.Area) == shown.Area))
            return false;
        for (std::size_t above = std::size_t(index) + 1; above < items_.size(); ++above) {
            const TCustomLayer* layer = items_[above];
            if ((layer->layerOptions_ & optionsMask) != 0 && !IntersectRect(layer->shownArea(), shown.Area).IsEmpty() &&
                listed(layer) == 0)
                return false;
        }
    }
    for (TCustomLayer* layer : items_) {
        const auto shown =
            std::find_if(layers.begin(), layers.end(), [layer](const TShownLayer& s) { return s.Layer == layer; });
        if (shown == layers.end())
            continue;
        buffer->SetClipRect(ScaleRect(shown->Area, paintScale_));
        layer->Paint(buffer);
        if (layer->OnPaint)
            layer->OnPaint(layer, buffer);
    }
    return true;
}

void TLayerCollection::PaintGDIOverlays(QPainter& canvas)
{
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if ((items_[i]->layerOptions_ & loGdiOverlay) != 0)
            items_[i]->PaintGDI(canvas);
    }
}

bool TLayerCollection::AnyUnboundedLayer(uint32_t optionsMask) const
{
    return std::any_of(items_.begin(), items_.end(), [optionsMask](const TCustomLayer* layer) {
        return (layer->layerOptions_ & optionsMask) != 0 && layer->Unbounded();
    });
}

void TLayerCollection::ReportChangedAreas()
{
    // Taken for the walk and given back emptied, so that the list keeps its storage; a layer
    // queued by the host meanwhile goes into the fresh list.
    std::vector<TCustomLayer*> changed = std::move(changed_);
    changed_ = std::move(reporting_);
    changed_.clear();
    struct GiveBack
    {
        std::vector<TCustomLayer*>& list;
        std::vector<TCustomLayer*>& taken;
        ~GiveBack()
        {
            taken.clear();
            list = std::move(taken);
        }
    } giveBack{reporting_, changed};
    for (TCustomLayer* layer : changed) {
        layer->areaQueued_ = false;
        // Where it stood was reported when it changed; with nothing there, it is new to the picture.
        const bool cameIntoView = layer->shownArea_.IsEmpty();
        layer->shownArea_ = layer->shownArea();
        if (host_ && cameIntoView)
            host_->LayerShown(layer, layer->shownArea_);
        else if (host_)
            host_->LayerAreaChanged(layer->shownArea_);
    }
}

void TLayerCollection::MarkComposed()
{
    for (TCustomLayer* layer : items_)
        layer->shownArea_ = layer->shownArea();
}

TCustomLayer* TLayerCollection::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    TCustomLayer* picked = mouseListener_ ? mouseListener_ : FindLayerAtPos(x, y, loMouseEvents);
    if (button == Qt::LeftButton && picked != mouseListener_ &&
        (picked == nullptr || (picked->layerOptions_ & loNoCapture) == 0))
        SetMouseListener(picked);
    if (mouseListener_) {
        mouseListener_->layerStates_ |= button;
        mouseListener_->MouseDown(button, shift, x, y);
    }
    return survivor(picked);
}

TCustomLayer* TLayerCollection::MouseMove(Qt::KeyboardModifiers shift, int x, int y)
{
    TCustomLayer* picked = mouseListener_ ? mouseListener_ : FindLayerAtPos(x, y, loMouseEvents);
    if (picked)
        picked->MouseMove(shift, x, y);
    return survivor(picked);
}

TCustomLayer* TLayerCollection::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    TCustomLayer* picked = mouseListener_ ? mouseListener_ : FindLayerAtPos(x, y, loMouseEvents);
    if (picked) {
        picked->layerStates_ &= ~Qt::MouseButtons(button);
        picked->MouseUp(button, shift, x, y);
    }
    // The handler may have freed the listener, which clears it.
    if (mouseListener_ && mouseListener_->layerStates_ == Qt::NoButton)
        SetMouseListener(nullptr);
    return survivor(picked);
}

TCustomLayer* TLayerCollection::survivor(TCustomLayer* layer) const
{
    return layer && indexOf(layer) >= 0 ? layer : nullptr;
}

void TLayerCollection::SetMouseEvents(bool value)
{
    mouseEvents_ = value;
    SetMouseListener(nullptr);
}

void TLayerCollection::SetMouseListener(TCustomLayer* layer)
{
    mouseListener_ = layer;
}

void TLayerCollection::insertItem(TCustomLayer* layer)
{
    BeginUpdate();
    try {
        items_.push_back(layer);
        layer->collection_ = this;
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TLayerCollection::removeItem(TCustomLayer* layer)
{
    BeginUpdate();
    if (layer == mouseListener_)
        SetMouseListener(nullptr);
    int index = indexOf(layer);
    if (index >= 0)
        items_.erase(items_.begin() + index);
    std::erase(changed_, layer);
    layer->collection_ = nullptr;
    EndUpdate();
}

void TLayerCollection::moveItem(int from, int to)
{
    TCustomLayer* layer = items_[static_cast<std::size_t>(from)];
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, layer);
}

int TLayerCollection::indexOf(const TCustomLayer* layer) const
{
    auto it = std::find(items_.begin(), items_.end(), layer);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

namespace {

// A destructor must not raise (it may run during unwinding): what a handler raises on
// the way out is logged, and the destruction goes on.
template <typename Step>
void logFailure(const char* what, Step&& step) noexcept
{
    try {
        step();
    } catch (const std::exception& e) {
        qWarning("Error while freeing a layer (%s): %s", what, e.what());
    } catch (...) {
        qWarning("Error while freeing a layer (%s)", what);
    }
}

} // namespace

TCustomLayer::TCustomLayer(TLayerCollection* collection)
{
    if (!collection)
        return;
    try {
        collection->insertItem(this);
    } catch (...) {
        // A failed construction must not leave a dangling entry behind.
        if (collection_) {
            int index = collection_->indexOf(this);
            if (index >= 0)
                collection_->items_.erase(collection_->items_.begin() + index);
            std::erase(collection_->changed_, this);
            if (collection_->mouseListener_ == this)
                collection_->mouseListener_ = nullptr;
        }
        throw;
    }
}

TCustomLayer::~TCustomLayer()
{
    BeforeDestruction();
    while (!freeNotifies_.empty()) {
        TCustomLayer* watcher = freeNotifies_.back();
        freeNotifies_.pop_back();
        logFailure("notification", [this, watcher] { watcher->Notification(this); });
    }
    if (collection_) {
        if (TLayerHost* host = collection_->Host(); host && !shownArea_.IsEmpty())
            host->LayerAreaChanged(shownArea_);
        TLayerCollection* collection = collection_;
        // Out of the list whatever the view's handlers do, so that nothing keeps a freed layer.
        logFailure("leaving the view", [this, collection] { collection->removeItem(this); });
        if (collection_) {
            int index = collection->indexOf(this);
            if (index >= 0)
                collection->items_.erase(collection->items_.begin() + index);
            std::erase(collection->changed_, this);
            if (collection->mouseListener_ == this)
                collection->mouseListener_ = nullptr;
            collection_ = nullptr;
        }
    }
}

void TCustomLayer::BeforeDestruction()
{
    if (destroying_)
        return;
    destroying_ = true;
    if (OnDestroy)
        logFailure("OnDestroy", [this] { OnDestroy(this); });
}

int TCustomLayer::Index() const
{
    return collection_ ? collection_->indexOf(this) : -1;
}

void TCustomLayer::SetIndex(int value)
{
    int current = Index();
    if (current < 0 || current == value)
        return;
    value = std::clamp(value, 0, collection_->Count() - 1);
    if (value == current)
        return;
    bool visible = Visible();
    // The new order shows wherever this layer overlaps another.
    reportArea();
    if (visible)
        collection_->BeginUpdate();
    collection_->moveItem(current, value);
    if (visible)
        collection_->EndUpdate();
}

void TCustomLayer::BringToFront()
{
    if (collection_)
        SetIndex(collection_->Count() - 1);
}

void TCustomLayer::SendToBack()
{
    SetIndex(0);
}

void TCustomLayer::SetLayerOptions(uint32_t value)
{
    Changing();
    bool wasVisible = Visible();
    layerOptions_ = value;
    reportArea();
    // A layer that has just been hidden is still in the composed picture, so the view
    // must recompose even though the layer no longer counts as visible.
    if (wasVisible && !Visible() && collection_ && (layerOptions_ & loNoUpdate) == 0)
        collection_->Changed();
    else
        Changed();
}

void TCustomLayer::SetVisible(bool value)
{
    SetLayerOptions(value ? (layerOptions_ | loVisible) : (layerOptions_ & ~loVisible));
}

void TCustomLayer::SetMouseEvents(bool value)
{
    SetLayerOptions(value ? (layerOptions_ | loMouseEvents) : (layerOptions_ & ~loMouseEvents));
}

void TCustomLayer::Changed()
{
    // Reported even without notification: the next composition must still redo the area.
    reportArea();
    if (!collection_ || (layerOptions_ & loNoUpdate) != 0)
        return;
    if (Visible())
        collection_->Changed();
    else if ((layerOptions_ & loGdiOverlay) != 0)
        collection_->GDIUpdate();
}

void TCustomLayer::Changing()
{
    if (Visible() && collection_ && (layerOptions_ & loNoUpdate) == 0)
        collection_->Changing();
}

TRect TCustomLayer::DrawnArea() const
{
    return OnPaint ? kAnyArea : TRect{};
}

TRect TCustomLayer::shownArea() const
{
    return collection_ && Visible() ? DrawnArea() : TRect{};
}

void TCustomLayer::reportArea()
{
    TLayerHost* host = collection_ ? collection_->Host() : nullptr;
    if (!host)
        return;
    if (!shownArea_.IsEmpty())
        host->LayerAreaChanged(shownArea_);
    if (!areaQueued_) {
        collection_->changed_.push_back(this);
        areaQueued_ = true;
    }
}

bool TCustomLayer::HitTest(int x, int y)
{
    bool passed = DoHitTest(x, y);
    if (OnHitTest)
        OnHitTest(this, x, y, passed);
    return passed;
}

void TCustomLayer::AddNotification(TCustomLayer* layer)
{
    if (layer && std::find(freeNotifies_.begin(), freeNotifies_.end(), layer) == freeNotifies_.end())
        freeNotifies_.push_back(layer);
}

void TCustomLayer::RemoveNotification(TCustomLayer* layer)
{
    auto it = std::find(freeNotifies_.begin(), freeNotifies_.end(), layer);
    if (it != freeNotifies_.end())
        freeNotifies_.erase(it);
}

bool TCustomLayer::DoHitTest(int, int)
{
    return true;
}

void TCustomLayer::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    // A copy, because the handler may free this layer and with it the member.
    if (auto handler = OnMouseDown)
        handler(this, button, shift, x, y);
}

void TCustomLayer::MouseMove(Qt::KeyboardModifiers shift, int x, int y)
{
    // A copy, because the handler may free this layer and with it the member.
    if (auto handler = OnMouseMove)
        handler(this, shift, x, y);
}

void TCustomLayer::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    // A copy, because the handler may free this layer and with it the member.
    if (auto handler = OnMouseUp)
        handler(this, button, shift, x, y);
}

void TCustomLayer::Notification(TCustomLayer*) {}

void TCustomLayer::Paint(TBitmap32*) {}

void TCustomLayer::PaintGDI(QPainter&) {}

TPositionedLayer::TPositionedLayer(TLayerCollection* collection) : TCustomLayer(collection)
{
    SetLayerOptions(loVisible | loMouseEvents);
}

void TPositionedLayer::SetLocation(const TFloatRect& value)
{
    Changing();
    DoSetLocation(value);
    Changed();
}

void TPositionedLayer::DoSetLocation(const TFloatRect& value)
{
    location_ = value;
}

bool TPositionedLayer::DoHitTest(int x, int y)
{
    const TFloatRect r = Location();
    float fx = float(x);
    float fy = float(y);
    return fx >= r.Left && fx < r.Right && fy >= r.Top && fy < r.Bottom;
}

TBitmapLayer::TBitmapLayer(TLayerCollection* collection) : TPositionedLayer(collection)
{
    bitmap_.OnChange = [this](TBitmap32*) { Changed(); };
}

TBitmapLayer::~TBitmapLayer()
{
    BeforeDestruction();
    // Freed silently: the layer is about to leave the view, which repaints then.
    bitmap_.OnChange = nullptr;
    bitmap_.OnResize = nullptr;
}

void TBitmapLayer::SetBitmap(const TBitmap32* src)
{
    bitmap_.Assign(src);
}

bool TBitmapLayer::DoHitTest(int x, int y)
{
    if (!TPositionedLayer::DoHitTest(x, y))
        return false;
    if (!alphaHit_)
        return true;
    if (bitmap_.Empty())
        return false;
    const TFloatRect r = Location();
    // The point lies inside the location, so both ratios are in [0, 1).
    double bx = std::floor((double(x) - r.Left) * bitmap_.Width() / (double(r.Right) - r.Left));
    double by = std::floor((double(y) - r.Top) * bitmap_.Height() / (double(r.Bottom) - r.Top));
    return AlphaComponent(bitmap_.PixelS(int(bx), int(by))) > 0;
}

void TBitmapLayer::Paint(TBitmap32* buffer)
{
    if (bitmap_.Empty())
        return;
    // Rounded in logical pixels first, so that at every scale the layer covers the same pixels
    // of the picture under it.
    const int scale = LayerCollection() ? LayerCollection()->PaintScale() : 1;
    const TRect dstRect = ScaleRect(RoundLocation(Location()), scale);
    const TRect clip = buffer->ClipRect();
    // The detail carries the default blend settings; a layer blended otherwise shows its own
    // picture, stretched.
    const TBitmap32* source = &bitmap_;
    if (scale == 2 && bitmap_.MasterAlpha() == 255 && bitmap_.CombineMode() == cmBlend)
        if (const TBitmap32* detail = bitmap_.DetailPicture())
            source = detail;
    Transfer(buffer, dstRect, clip, source, source->BoundsRect(), bitmap_.StretchFilter(), bitmap_.DrawMode(),
             bitmap_.OnPixelCombine);
}

TRect TBitmapLayer::DrawnArea() const
{
    if (OnPaint)
        return kAnyArea;
    if (bitmap_.Empty())
        return TRect{};
    TRect area;
    try {
        area = RoundLocation(Location());
    } catch (const ERangeError&) {
        // Painting will report the bad location; until then nobody can bound it.
        return kAnyArea;
    }
    return area;
}

bool TBitmapLayer::Unbounded() const
{
    if (OnPaint)
        return true;
    if (bitmap_.Empty())
        return false;
    // An edge rounds into 32 bits exactly when it lies in [-2^31, 2^31): the floats below 2^31
    // are whole numbers from 2^23 up. Otherwise RoundLocation raises and DrawnArea says kAnyArea.
    const TFloatRect r = Location();
    auto fits = [](float v) { return v >= -2147483648.0f && v < 2147483648.0f; };
    return !(fits(r.Left) && fits(r.Top) && fits(r.Right) && fits(r.Bottom));
}

TRect RoundLocation(const TFloatRect& location)
{
    // nearbyint in the default rounding mode takes halves to the even neighbour.
    auto edge = [](float v) {
        // Whole-pixel edges, the usual case, need no rounding (a library call here).
        if (v > -2147483520.0f && v < 2147483520.0f) {
            const auto whole = static_cast<int32_t>(v);
            if (static_cast<float>(whole) == v)
                return whole;
        }
        double r = std::nearbyint(double(v));
        if (!(r >= double(std::numeric_limits<int32_t>::min()) && r <= double(std::numeric_limits<int32_t>::max())))
            throw ERangeError("Layer location out of range");
        return static_cast<int32_t>(r);
    };
    return TRect{edge(location.Left), edge(location.Top), edge(location.Right), edge(location.Bottom)};
}
