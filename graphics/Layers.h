#pragma once

#include "graphics/Bitmap32.h"

#include <Qt>

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <span>
#include <vector>

class QObject;
class QPainter;
class TCustomLayer;
class TLayerCollection;

// Layer option bits.
constexpr uint32_t loVisible = 0x80000000u;     //!< drawn by the draw-layers stage; changes notify the view
constexpr uint32_t loGdiOverlay = 0x40000000u;  //!< painted on the window after the buffer
constexpr uint32_t loMouseEvents = 0x20000000u; //!< found by mouse hit testing
constexpr uint32_t loNoUpdate = 0x10000000u;    //!< changes send no notification
constexpr uint32_t loNoCapture = 0x08000000u;   //!< never becomes the mouse listener

// Stands for "anywhere in the view": the area of a layer whose painting no one can bound.
constexpr TRect kAnyArea{std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min(),
                         std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max()};

// What the layers need of the view that shows them, so that they stand without the widget.
class TLayerHost
{
public:
    // Part of the composed picture is out of date; told also inside update brackets and for
    // layers that send no notification, so that the next composition redoes that part.
    virtual void LayerAreaChanged(const TRect& area) = 0;
    // A layer that was not in the composed picture shows at area now: told instead of
    // LayerAreaChanged, so that a view can paint it over what it has already composed.
    virtual void LayerShown(TCustomLayer* layer, const TRect& area)
    {
        (void)layer;
        LayerAreaChanged(area);
    }

protected:
    ~TLayerHost() = default;
};

// A layer that has come into view, and the part of the view it shows in.
struct TShownLayer
{
    TCustomLayer* Layer = nullptr;
    TRect Area;
};

using TLayerNotifyEvent = std::function<void(TCustomLayer* sender)>;
using TLayerCollectionEvent = std::function<void(TLayerCollection* sender)>;
using TLayerMouseEvent =
    std::function<void(TCustomLayer* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)>;
using TLayerMouseMoveEvent = std::function<void(TCustomLayer* sender, Qt::KeyboardModifiers shift, int x, int y)>;
using TLayerHitTestEvent = std::function<void(TCustomLayer* sender, int x, int y, bool& passed)>;
using TLayerPaintEvent = std::function<void(TCustomLayer* sender, TBitmap32* buffer)>;

// The ordered layer stack of a view: index 0 is drawn first, at the bottom. It
// owns its layers; a layer joins on construction and leaves on destruction.
class TLayerCollection
{
public:
    explicit TLayerCollection(QObject* owner = nullptr);
    ~TLayerCollection();
    TLayerCollection(const TLayerCollection&) = delete;
    TLayerCollection& operator=(const TLayerCollection&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    // Throws EListError "List index out of bounds (%d)" outside 0..Count()-1.
    TCustomLayer* Items(int index) const;
    // Destroys every layer, last first, inside one update bracket.
    void Clear();

    // OnChanging fires when the count leaves 0, OnChange when it returns to 0.
    void BeginUpdate();
    // Throws EAssertionFailed "Unpaired EndUpdate" when no bracket is open.
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }
    // Fires OnChange whatever the update count.
    void Changed();
    void Changing();
    // Asks for an immediate repaint of the window overlay.
    void GDIUpdate();

    // The topmost layer whose options share a bit with optionsMask and whose hit test accepts (x, y).
    TCustomLayer* FindLayerAtPos(int x, int y, uint32_t optionsMask) const;

    // Mouse dispatch of the owning view; each returns the layer it chose, or null.
    TCustomLayer* MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    TCustomLayer* MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    TCustomLayer* MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

    bool MouseEvents() const { return mouseEvents_; }
    void SetMouseEvents(bool value);
    TCustomLayer* MouseListener() const { return mouseListener_; }
    void SetMouseListener(TCustomLayer* layer);

    QObject* Owner() const { return owner_; }
    // The view the layers report to, or null.
    TLayerHost* Host() const { return host_; }
    void SetHost(TLayerHost* host) { host_ = host; }

    // Paints, bottom first, the layers whose options share a bit with optionsMask, each
    // with its own painting and then its OnPaint handler. onlyReaching skips the layers
    // whose composed area misses the buffer's clip rectangle.
    void PaintLayers(TBitmap32* buffer, uint32_t optionsMask, bool onlyReaching = false);
    // Paints just the given layers, bottom first, each within its area (device pixels are
    // its area scaled), over a buffer that holds the composition without them, and returns
    // true; paints nothing and returns false unless each is in the list, drawn under
    // optionsMask, unchanged since it last reported where it stands, shows within its area
    // there, and lies under no other layer drawn under optionsMask that reaches its area.
    bool PaintOnTop(TBitmap32* buffer, uint32_t optionsMask, std::span<const TShownLayer> layers);
    // Paints the window overlay of every loGdiOverlay layer.
    void PaintGDIOverlays(QPainter& canvas);
    // Whether a layer drawn under optionsMask may paint beyond any area it reports.
    bool AnyUnboundedLayer(uint32_t optionsMask) const;
    // Tells the host where every layer changed since the last call stands now.
    void ReportChangedAreas();
    // The view has composed every layer where it stands now.
    void MarkComposed();
    // Device pixels per logical pixel of the buffer PaintLayers draws on (1 or 2). Locations,
    // areas and hit tests stay logical; only painting maps them.
    int PaintScale() const { return paintScale_; }
    void SetPaintScale(int scale) { paintScale_ = scale; }

    TLayerCollectionEvent OnChanging;
    TLayerCollectionEvent OnChange;
    TLayerCollectionEvent OnGDIUpdate;

private:
    friend class TCustomLayer;
    void insertItem(TCustomLayer* layer);
    void removeItem(TCustomLayer* layer);
    void moveItem(int from, int to);
    int indexOf(const TCustomLayer* layer) const;
    // The layer if it is still in the list: a layer's mouse handler may free it.
    TCustomLayer* survivor(TCustomLayer* layer) const;

    int paintScale_ = 1;
    std::vector<TCustomLayer*> items_;
    bool mouseEvents_ = true;
    TCustomLayer* mouseListener_ = nullptr;
    // Layers changed since the host last asked where they stand.
    std::vector<TCustomLayer*> changed_;
    std::vector<TCustomLayer*> reporting_; // the storage of the list last reported, for the next one
    int updateCount_ = 0;
    QObject* owner_ = nullptr;
    TLayerHost* host_ = nullptr;
};

// A layer of a view. Created on top of its collection, destroyed with delete
// (which takes it out of the collection and notifies the view).
class TCustomLayer
{
public:
    explicit TCustomLayer(TLayerCollection* collection);
    // Leaving the collection notifies the view; an error raised by a handler on the way
    // is logged and the layer leaves all the same.
    virtual ~TCustomLayer();
    TCustomLayer(const TCustomLayer&) = delete;
    TCustomLayer& operator=(const TCustomLayer&) = delete;

    TLayerCollection* LayerCollection() const { return collection_; }
    // Position in the collection, -1 without one.
    int Index() const;
    // Moves the layer, clamped to 0..Count()-1.
    void SetIndex(int value);
    void BringToFront();
    void SendToBack();

    uint32_t LayerOptions() const { return layerOptions_; }
    void SetLayerOptions(uint32_t value);
    bool Visible() const { return (layerOptions_ & loVisible) != 0; }
    void SetVisible(bool value);
    bool MouseEvents() const { return (layerOptions_ & loMouseEvents) != 0; }
    void SetMouseEvents(bool value);

    void Changed();
    void Changing();
    bool HitTest(int x, int y);

    // The part of the view the layer's painting may touch as it stands now, empty when it
    // paints nothing, kAnyArea when that cannot be bounded (an OnPaint handler).
    virtual TRect DrawnArea() const;
    // Whether DrawnArea is kAnyArea, found without working out the area where that is cheaper.
    virtual bool Unbounded() const { return DrawnArea() == kAnyArea; }

    // Layers told (last first) when this one is destroyed.
    void AddNotification(TCustomLayer* layer);
    void RemoveNotification(TCustomLayer* layer);

    int16_t Cursor = 0;
    int32_t Tag = 0;

    TLayerHitTestEvent OnHitTest;
    TLayerMouseEvent OnMouseDown;
    TLayerMouseMoveEvent OnMouseMove;
    TLayerMouseEvent OnMouseUp;
    TLayerPaintEvent OnPaint;
    TLayerNotifyEvent OnDestroy;

protected:
    virtual bool DoHitTest(int x, int y);
    virtual void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    // Another layer this one watches is going away.
    virtual void Notification(TCustomLayer* layer);
    virtual void Paint(TBitmap32* buffer);
    virtual void PaintGDI(QPainter& canvas);

    // Runs OnDestroy once; every destructor of the family calls it first, so that the
    // handler still sees the whole layer.
    void BeforeDestruction();

private:
    friend class TLayerCollection;

    // The drawn area while visible in a collection, else empty.
    TRect shownArea() const;
    // Tells the host, once until it asks again, that where the layer was composed is out
    // of date, and queues the layer to tell where it stands once the changes are done.
    void reportArea();

    std::vector<TCustomLayer*> freeNotifies_;
    // Where the layer was composed, or is about to be.
    TRect shownArea_;
    bool areaQueued_ = false;
    TLayerCollection* collection_ = nullptr;
    Qt::MouseButtons layerStates_;
    uint32_t layerOptions_ = loVisible;
    bool destroying_ = false;
};

// A layer with a place in the view.
class TPositionedLayer : public TCustomLayer
{
public:
    explicit TPositionedLayer(TLayerCollection* collection);

    TFloatRect Location() const { return location_; }
    void SetLocation(const TFloatRect& value);

protected:
    bool DoHitTest(int x, int y) override;
    virtual void DoSetLocation(const TFloatRect& value);

private:
    TFloatRect location_{0, 0, 64, 64};
};

// A positioned layer showing its own bitmap.
class TBitmapLayer : public TPositionedLayer
{
public:
    explicit TBitmapLayer(TLayerCollection* collection);
    ~TBitmapLayer() override;

    TBitmap32* Bitmap() { return &bitmap_; }
    const TBitmap32* Bitmap() const { return &bitmap_; }
    // Copies src into the layer's own bitmap; src is neither kept nor changed.
    void SetBitmap(const TBitmap32* src);

    bool AlphaHit() const { return alphaHit_; }
    void SetAlphaHit(bool value) { alphaHit_ = value; }

    TRect DrawnArea() const override;
    bool Unbounded() const override;

protected:
    bool DoHitTest(int x, int y) override;
    void Paint(TBitmap32* buffer) override;

private:
    TBitmap32 bitmap_; // part of the layer, so that a layer made for a key press is one allocation
    bool alphaHit_ = false;
};

// The integer rectangle a layer location is drawn at: each edge rounded to the
// nearest pixel, halves to even. Throws ERangeError for an edge no pixel can hold.
TRect RoundLocation(const TFloatRect& location);
