#pragma once

#include "graphics/Bitmap32.h"
#include "graphics/ChangedArea.h"
#include "graphics/Layers.h"

#include <QColor>
#include <QRegion>
#include <QSize>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QEnterEvent;
class QEvent;
class QMouseEvent;
class QPaintEvent;
class QPainter;
class QResizeEvent;

enum TBitmapAlign { baTopLeft, baCenter, baTile, baCustom };
enum TScaleMode { smNormal, smStretch, smScale, smResize };

// Paint stage kinds.
constexpr uint32_t psCustom = 1;
constexpr uint32_t psClearBuffer = 2;
constexpr uint32_t psClearBackground = 3;
constexpr uint32_t psDrawBitmap = 4;
constexpr uint32_t psDrawLayers = 5;
constexpr uint32_t psControlFrame = 6;
constexpr uint32_t psBitmapFrame = 7;

// One step of composing a view's buffer.
struct TPaintStage
{
    bool DsgnTime = false;
    bool RunTime = false;
    uint32_t Stage = 0;
    uint32_t Parameter = 0;
    bool operator==(const TPaintStage&) const = default;
};

// The ordered steps a view runs to compose its buffer.
class TPaintStages
{
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // Throws EListError "List index out of bounds (%d)" outside 0..Count()-1.
    TPaintStage& Items(int index)
    {
        checkIndex(index);
        return items_[static_cast<std::size_t>(index)];
    }
    const TPaintStage& Items(int index) const
    {
        checkIndex(index);
        return items_[static_cast<std::size_t>(index)];
    }
    TPaintStage* Add();
    // index may be Count(), which appends.
    TPaintStage* Insert(int index);
    void Delete(int index);
    void Clear() { items_.clear(); }

private:
    void checkIndex(int index) const
    {
        if (index < 0 || index >= Count())
            outOfBounds(index);
    }
    [[noreturn]] static void outOfBounds(int index);
    std::vector<TPaintStage> items_;
};

using TNotifyEvent = std::function<void(QObject* sender)>;
using TImgMouseEvent = std::function<void(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x,
                                          int y, TCustomLayer* layer)>;
using TImgMouseMoveEvent =
    std::function<void(QObject* sender, Qt::KeyboardModifiers shift, int x, int y, TCustomLayer* layer)>;
using TPaintStageEvent = std::function<void(QObject* sender, TBitmap32* buffer, unsigned stageNum)>;

// A child window that shows an off-screen buffer. The buffer is composed only when
// invalid; every other paint just copies it to the window.
class TCustomPaintBox32 : public QWidget
{
    Q_OBJECT

public:
    explicit TCustomPaintBox32(QWidget* parent = nullptr);
    ~TCustomPaintBox32() override;

    TBitmap32* Buffer() { return buffer_.get(); }
    bool BufferValid() const { return bufferValid_; }

    // Marks the buffer invalid and asks for a repaint later.
    void Invalidate();
    // Marks a part of the buffer out of date and asks for a repaint of that part only.
    void InvalidateRegion(const QRegion& region);
    // What the next composition redoes and the window repaints, short of a whole
    // invalid buffer: the union of the parts invalidated since the last one.
    QRegion PendingRegion() const { return pending_.Region(); }
    // Fits the buffer to the viewport and composes it now if it is invalid.
    void ForceCompose();
    // How many times the buffer has been composed, for tests and benchmarks.
    long long CompositionCount() const { return compositions_; }
    // Device pixels per logical pixel of the buffer (1 or 2): on a screen of more than one
    // device pixel per pixel the buffer is composed at twice the size and shown without
    // Qt scaling it again. Mouse positions and everything else the view reports stay logical.
    int BufferScale() const { return bufferScale_; }

    virtual TRect GetViewportRect() const;

    TNotifyEvent OnGDIOverlay;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    // Composes the buffer and marks it valid.
    virtual void DoPaintBuffer();
    // InvalidateRegion for the parts a subclass knows to have changed, and why.
    void InvalidateArea(const TChangedArea& area);
    // Composes only area of a valid buffer; by default the whole buffer.
    virtual void DoPaintBufferArea(const TChangedArea& area);
    void CountComposition() { ++compositions_; }
    virtual void DoPaintGDIOverlay(QPainter& canvas);
    // A part of the buffer was invalidated from outside, for reasons the box does not know.
    virtual void InvalidatedFromOutside() {}
    virtual void MouseEnter();
    virtual void MouseLeave();
    // The buffer scale the box would compose at now: 1 here, where subclasses draw in
    // logical pixels; a view that can compose finer says 2 on a denser screen.
    virtual int WantedBufferScale() const;

    void ResizeBuffer();
    void SetBufferValid(bool value) { bufferValid_ = value; }

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    std::unique_ptr<TBitmap32> buffer_;
    int bufferOversize_ = 40;
    bool bufferValid_ = false;
    long long compositions_ = 0;
    int bufferScale_ = 1;
    QSize lastSize_;
    TChangedArea pending_;
};

// A paint box that composes a background bitmap and a stack of layers. It keeps the
// parts its layers changed and recomposes only those, unless something that concerns the
// whole view changed (its bitmap, size, colour, scale or stages).
class TCustomImage32 : public TCustomPaintBox32, private TLayerHost
{
    Q_OBJECT

public:
    explicit TCustomImage32(QWidget* parent = nullptr);
    ~TCustomImage32() override;

    TLayerCollection* Layers() { return layers_.get(); }
    TBitmap32* Bitmap() { return bitmap_.get(); }
    // Copies src into the view's own bitmap.
    void SetBitmap(const TBitmap32* src);

    TBitmapAlign BitmapAlign() const { return bitmapAlign_; }
    void SetBitmapAlign(TBitmapAlign value);
    TScaleMode ScaleMode() const { return scaleMode_; }
    void SetScaleMode(TScaleMode value);
    double Scale() const { return scale_; }
    // Values below 0.001 become 0.001; NaN raises EConvertError.
    void SetScale(double value);

    QColor Color() const { return color_; }
    void SetColor(const QColor& value);

    TPaintStages* PaintStages() { return paintStages_.get(); }

    virtual void BeginUpdate();
    // Closes a bracket without repainting; throws EAssertionFailed "Unpaired EndUpdate call".
    virtual void EndUpdate();
    // Outside a bracket: invalidates what changed since the last call (what the layers and
    // their bitmaps reported, or everything), asks for a repaint of it, fires OnChange.
    virtual void Changed();
    int UpdateCount() const { return updateCount_; }

    // Where the bitmap lies in client coordinates.
    virtual TRect GetBitmapRect() const;
    virtual QSize GetBitmapSize() const;
    void InvalidateCache() { cacheValid_ = false; }
    // Called once the design has been applied: fires OnInitStages.
    void Loaded();

    TNotifyEvent OnChange;
    TNotifyEvent OnBitmapResize;
    TNotifyEvent OnInitStages;
    TPaintStageEvent OnPaintStage;
    TImgMouseEvent OnMouseDown;
    TImgMouseMoveEvent OnMouseMove;
    TImgMouseEvent OnMouseUp;

protected:
    virtual void BitmapResized();
    virtual void DoInitStages();
    virtual void DoScaleChange();
    virtual void InitDefaultStages();
    virtual void MouseDownWithLayer(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y,
                                    TCustomLayer* layer);
    virtual void MouseMoveWithLayer(Qt::KeyboardModifiers shift, int x, int y, TCustomLayer* layer);
    virtual void MouseUpWithLayer(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y,
                                  TCustomLayer* layer);

    virtual void ExecBitmapFrame(TBitmap32& dest, int stageNum);
    virtual void ExecClearBuffer(TBitmap32& dest, int stageNum);
    virtual void ExecClearBackground(TBitmap32& dest, int stageNum);
    virtual void ExecControlFrame(TBitmap32& dest, int stageNum);
    virtual void ExecCustom(TBitmap32& dest, int stageNum);
    virtual void ExecDrawBitmap(TBitmap32& dest, int stageNum);
    virtual void ExecDrawLayers(TBitmap32& dest, int stageNum);

    void DoPaintBuffer() override;
    void DoPaintBufferArea(const TChangedArea& area) override;
    void DoPaintGDIOverlay(QPainter& canvas) override;
    // 2 on a screen of more than one device pixel per logical pixel. Custom stages and layers
    // that paint for themselves draw in logical pixels, so a view with any of them composes
    // at 1 and lets Qt scale it.
    int WantedBufferScale() const override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateCache();
    // Changed for something that concerns every pixel.
    void changedAll();
    // Runs the run-time stages on the buffer within its clip rectangle.
    void runStages(TBitmap32& buffer);
    // Whether only a whole composition gives the right picture: custom stages, layer stages
    // of another mask, stages changed since the last composition, unbounded layers.
    bool needsWholeComposition() const;
    void composed();
    // Composes area by painting the layers that came into view over the buffer, when that is all
    // that changed in it and they are the topmost layers there; false when it is not so.
    bool paintShownLayersOnTop(const TChangedArea& area);
    void InvalidatedFromOutside() override { otherChange_ = true; }

    void LayerAreaChanged(const TRect& area) override;
    void LayerShown(TCustomLayer* layer, const TRect& area) override;

    std::unique_ptr<TBitmap32> bitmap_;
    std::unique_ptr<TLayerCollection> layers_;
    std::unique_ptr<TPaintStages> paintStages_;
    TBitmapAlign bitmapAlign_ = baTopLeft;
    TScaleMode scaleMode_ = smNormal;
    float scale_ = 1.0f;
    QColor color_;
    int updateCount_ = 0;
    TRect cachedBitmapRect_;
    bool cacheValid_ = false;
    // What the layers reported since the last Changed, within the view.
    TChangedArea changedArea_;
    bool wholeChanged_ = false;
    // The layers that came into view since the last composition, and whether anything else
    // changed: while nothing else did, composing is painting them over the buffer (as a key lights).
    static constexpr int kShownLayersKept = 4;
    std::array<TShownLayer, kShownLayersKept> shownLayers_{};
    int shownLayerCount_ = 0;
    bool otherChange_ = false;
    std::vector<TRect> compositionRects_; // kept to reuse its storage
    std::vector<TPaintStage> composedStages_;
};

// The view as the window design places it; its design values are Qt properties so
// that the design loader can set them by name.
class TImage32 : public TCustomImage32
{
    Q_OBJECT
    Q_PROPERTY(QString BitmapAlign READ BitmapAlignName WRITE SetBitmapAlignName)
    Q_PROPERTY(QString ScaleMode READ ScaleModeName WRITE SetScaleModeName)
    Q_PROPERTY(double Scale READ Scale WRITE SetScale)
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)

public:
    explicit TImage32(QWidget* parent = nullptr);

    // Identifiers as the design writes them ("baTopLeft", "smNormal"); an unknown
    // one raises EConvertError.
    QString BitmapAlignName() const;
    void SetBitmapAlignName(const QString& name);
    QString ScaleModeName() const;
    void SetScaleModeName(const QString& name);

    // The design's colour is always the view's own here; the flag is kept for the design.
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value) { parentColor_ = value; }

private:
    bool parentColor_ = true;
};
