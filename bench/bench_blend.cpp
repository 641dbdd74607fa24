// Throughput of the row blend against pixman's OVER operator and against memcpy, on the
// staff view's 575 x 289 buffer, and the cost of composing one question frame.
#include "bench/SummaryReporter.h"
#include "graphics/Bitmap32.h"
#include "graphics/Blend.h"
#include "graphics/Image32.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 575;
constexpr int kHeight = 289;
constexpr int kPixels = kWidth * kHeight;
const char* const kRate = "Mpixel/s";

// Opaque paper with darker lines, like the staff background.
void paintBackground(TBitmap32& b, int width, int height)
{
    b.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.Pixel(x, y) = y % 12 == 0 ? 0xFF202020 : Color32(uint8_t(240 - x % 16), 232, uint8_t(220 + y % 20));
}

// Soft-edged blobs on a transparent ground: runs of alpha 0 and 255 with anti-aliased rims.
void paintShapes(TBitmap32& b, int width, int height, unsigned seed)
{
    b.SetSize(width, height);
    b.Clear(0x00FFFFFF);
    std::mt19937 rng(seed);
    const int blobs = std::max(1, width * height / 2500);
    for (int n = 0; n < blobs; ++n) {
        const double cx = rng() % width, cy = rng() % height, r = 4 + rng() % 18;
        const TColor32 rgb = rng() & 0xFFFFFF;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) - r;
                const double coverage = std::clamp(0.5 - d, 0.0, 1.0);
                if (coverage > 0)
                    b.Pixel(x, y) = TColor32(std::lround(coverage * 255)) << 24 | rgb;
            }
        }
    }
}

void paintEveryAlpha(TBitmap32& b)
{
    b.SetSize(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            b.Pixel(x, y) = TColor32(1 + (x * 7 + y * 13) % 254) << 24 | TColor32(x * 2654435761u) >> 8;
}

struct Data
{
    TBitmap32 background;
    TBitmap32 realistic;
    TBitmap32 everyAlpha;
    // pixman composes premultiplied colour, so its sources are converted once, outside
    // the timed loops; the conversion is not part of what it is measured on.
    std::vector<uint32_t> realisticPremultiplied;
    std::vector<uint32_t> everyAlphaPremultiplied;
    // The pieces of one question: background at full size, and the layer pictures.
    TBitmap32 staff;
    std::vector<std::pair<TBitmap32*, QPoint>> layers;
    TBitmap32 keyA, keyB, note, accidental, ledger, mark;

    Data()
    {
        paintBackground(background, kWidth, kHeight);
        paintShapes(realistic, kWidth, kHeight, 1);
        paintEveryAlpha(everyAlpha);
        realisticPremultiplied = Premultiplied(realistic);
        everyAlphaPremultiplied = Premultiplied(everyAlpha);
        paintBackground(staff, 575, 300);
        paintShapes(keyA, 60, 60, 2);
        paintShapes(keyB, 60, 60, 3);
        paintShapes(note, 12, 40, 4);
        paintShapes(accidental, 6, 18, 5);
        paintShapes(ledger, 20, 30, 6);
        paintShapes(mark, 14, 29, 7);
        layers = {{&keyA, {15, 60}},         {&keyB, {75, 160}},    {&note, {121, 100}},
                  {&accidental, {105, 110}}, {&ledger, {117, 130}}, {&mark, {125, 0}}};
        for (auto& [bitmap, at] : layers)
            bitmap->SetDrawMode(dmBlend);
    }

    static std::vector<uint32_t> Premultiplied(const TBitmap32& b)
    {
        std::vector<uint32_t> out(std::size_t(b.Width()) * std::size_t(b.Height()));
        for (std::size_t i = 0; i < out.size(); ++i) {
            const TColor32 c = b.Bits()[i];
            const uint32_t a = c >> 24;
            auto mul = [a](uint32_t v) { return (v * a + 127) / 255; };
            out[i] = a << 24 | mul((c >> 16) & 0xFF) << 16 | mul((c >> 8) & 0xFF) << 8 | mul(c & 0xFF);
        }
        return out;
    }
};

Data& data()
{
    static Data d;
    return d;
}

void setRate(benchmark::State& state, double pixelsPerIteration)
{
    state.counters[kRate] =
        benchmark::Counter(double(state.iterations()) * pixelsPerIteration / 1e6, benchmark::Counter::kIsRate);
}

void blendRows(benchmark::State& state, TBlendLine line, const TBitmap32& src)
{
    TBitmap32 dst;
    dst.Assign(&data().background);
    for (auto _ : state) {
        for (int y = 0; y < kHeight; ++y)
            line(src.ScanLine(y), dst.ScanLine(y), kWidth);
        benchmark::DoNotOptimize(dst.Bits());
        benchmark::ClobberMemory();
    }
    setRate(state, kPixels);
}

// The same rows drawn as a layer draws its picture: the whole bitmap in one call, which
// skips the picture's transparent stretches and copies its opaque ones once it knows them.
// They are found before the timed loop, as a picture is blended many times for each change.
void blendLayer(benchmark::State& state, const TBitmap32& picture)
{
    TBitmap32 src, dst;
    src.Assign(&picture);
    src.SetDrawMode(dmBlend);
    dst.Assign(&data().background);
    src.DrawTo(dst, 0, 0);
    src.DrawTo(dst, 0, 0);
    if (!src.KnownRuns())
        state.SkipWithError("the picture's runs were not found");
    dst.Assign(&data().background);
    for (auto _ : state) {
        src.DrawTo(dst, 0, 0);
        benchmark::DoNotOptimize(dst.Bits());
        benchmark::ClobberMemory();
    }
    setRate(state, kPixels);
}

void pixmanOver(benchmark::State& state, std::vector<uint32_t>& premultipliedSrc)
{
    TBitmap32 dst;
    dst.Assign(&data().background);
    pixman_image_t* src =
        pixman_image_create_bits(PIXMAN_a8r8g8b8, kWidth, kHeight, premultipliedSrc.data(), kWidth * 4);
    pixman_image_t* dest = pixman_image_create_bits(PIXMAN_a8r8g8b8, kWidth, kHeight, dst.Bits(), kWidth * 4);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_OVER, src, nullptr, dest, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
        benchmark::DoNotOptimize(dst.Bits());
        benchmark::ClobberMemory();
    }
    pixman_image_unref(src);
    pixman_image_unref(dest);
    setRate(state, kPixels);
}

// What a Qt developer would write: QPainter's SourceOver of one premultiplied ARGB32 image
// over another, on the same rows.
void qtSourceOver(benchmark::State& state, std::vector<uint32_t>& premultipliedSrc)
{
    TBitmap32 dst;
    dst.Assign(&data().background);
    const QImage src(reinterpret_cast<const uchar*>(premultipliedSrc.data()), kWidth, kHeight, kWidth * 4,
                     QImage::Format_ARGB32_Premultiplied);
    QImage dest(reinterpret_cast<uchar*>(dst.Bits()), kWidth, kHeight, kWidth * 4, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&dest);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (auto _ : state) {
        painter.drawImage(0, 0, src);
        benchmark::DoNotOptimize(dst.Bits());
        benchmark::ClobberMemory();
    }
    setRate(state, kPixels);
}

void copyBuffer(benchmark::State& state)
{
    std::vector<TColor32> dst(kPixels);
    for (auto _ : state) {
        std::memcpy(dst.data(), data().background.Bits(), kPixels * sizeof(TColor32));
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    setRate(state, kPixels);
}

// What the staff view does for one question: the background copied opaque, then the
// note, accidental, ledger and mark layers (and two key tiles) blended on top.
void questionFrame(benchmark::State& state)
{
    TBitmap32 buffer;
    buffer.SetSize(kWidth, kHeight);
    for (auto _ : state) {
        data().staff.DrawTo(buffer, 0, 0);
        for (auto& [bitmap, at] : data().layers)
            bitmap->DrawTo(buffer, at.x(), at.y());
        benchmark::DoNotOptimize(buffer.Bits());
        benchmark::ClobberMemory();
    }
    setRate(state, kPixels);
}

// The opaque background copy alone, the bulk of a question frame.
void backgroundCopy(benchmark::State& state)
{
    TBitmap32 buffer;
    buffer.SetSize(kWidth, kHeight);
    for (auto _ : state) {
        data().staff.DrawTo(buffer, 0, 0);
        benchmark::DoNotOptimize(buffer.Bits());
        benchmark::ClobberMemory();
    }
    setRate(state, kPixels);
}

// The staff view's whole buffer (the view plus 40 pixels of slack each way): the yardstick
// of the views' compositions.
constexpr int kBufferPixels = 615 * 329;

void copyWholeBuffer(benchmark::State& state)
{
    std::vector<TColor32> src(kBufferPixels, 0xFF808080), dst(kBufferPixels);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), kBufferPixels * sizeof(TColor32));
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    setRate(state, kBufferPixels);
}

TBitmapLayer* placeLayer(TImage32& view, const TBitmap32& picture, QPoint at)
{
    auto* layer = new TBitmapLayer(view.Layers());
    layer->SetBitmap(&picture);
    layer->Bitmap()->SetDrawMode(dmBlend);
    layer->SetLocation(
        FloatRect(float(at.x()), float(at.y()), float(at.x() + picture.Width()), float(at.y() + picture.Height())));
    return layer;
}

// One question on a real staff view, as the game poses it: the old note and accidental
// freed, new ones laid, the ledger lines and the mark moved and given new pictures, then
// the view composed.
void questionFrameOnView(benchmark::State& state)
{
    Data& d = data();
    TImage32 view;
    view.resize(kWidth, kHeight);
    view.SetBitmap(&d.staff);
    placeLayer(view, d.keyA, {15, 60});
    placeLayer(view, d.keyB, {75, 160});
    TBitmapLayer* ledger = placeLayer(view, d.ledger, {117, 130});
    TBitmapLayer* mark = placeLayer(view, d.mark, {125, 0});
    TBitmapLayer* note = nullptr;
    TBitmapLayer* accidental = nullptr;
    view.ForceCompose();
    int question = 0;
    for (auto _ : state) {
        const int dy = (question++ % 2) * 24;
        view.BeginUpdate();
        delete note;
        delete accidental;
        note = placeLayer(view, d.note, {121, 100 + dy});
        accidental = placeLayer(view, d.accidental, {105, 110 + dy});
        ledger->SetBitmap(dy ? &d.note : &d.ledger);
        ledger->SetLocation(FloatRect(117, float(130 + dy), float(117 + ledger->Bitmap()->Width()),
                                      float(130 + dy + ledger->Bitmap()->Height())));
        mark->SetBitmap(dy ? &d.accidental : &d.mark);
        mark->SetLocation(
            FloatRect(125, float(dy), float(125 + mark->Bitmap()->Width()), float(dy + mark->Bitmap()->Height())));
        view.EndUpdate();
        view.Changed();
        view.ForceCompose();
        benchmark::DoNotOptimize(view.Buffer()->Bits());
    }
    setRate(state, kBufferPixels);
}

// A white key's highlight as the artwork draws it: 20 x 71, clear above its upper part
// between the black keys, a translucent body with a black rim, lip and foot.
void paintKeyHighlight(TBitmap32& b)
{
    constexpr int kWidth = 20, kHeight = 71, kTop = 5, kShoulder = 42, kLip = 63;
    constexpr int kUpperLeft = 5, kUpperRight = 13;
    b.SetSize(kWidth, kHeight);
    b.Clear(0x00000000);
    for (int y = kTop; y < kHeight; ++y) {
        const int left = y >= kShoulder ? 0 : kUpperLeft, right = y >= kShoulder ? kWidth - 1 : kUpperRight;
        for (int x = left; x <= right; ++x) {
            TColor32 c = 0x910078FD; // azure, alpha 145
            if (y >= kHeight - 2 || x == left || y == kTop)
                c = 0xFF000000;
            else if (y >= kLip)
                c = TColor32(120 + 12 * (y - kLip)) << 24 | 0x8A6796;
            else if (x == left + 1 || x == right || y == kTop + 1)
                c = 0x97027FFF;
            b.Pixel(x, y) = c;
        }
    }
}

// A key of the piano lit and put out again, each composed, as the game does it: the view
// shown, a layer made in an update bracket with the key's picture from the highlight list
// (copied, blended, fully opaque, visible) and placed, the bracket closed; then the layer
// freed in another bracket.
void pianoHighlight(benchmark::State& state)
{
    TImage32 view;
    view.resize(560, 71);
    TBitmap32 keyboard;
    paintBackground(keyboard, 560, 71);
    TBitmap32List highlights;
    paintKeyHighlight(*highlights.Add());
    view.SetBitmap(&keyboard);
    view.show();
    view.ForceCompose();
    for (auto _ : state) {
        view.BeginUpdate();
        auto* layer = new TBitmapLayer(view.Layers());
        layer->SetBitmap(highlights.Bitmap(0));
        layer->Bitmap()->SetDrawMode(dmBlend);
        layer->Bitmap()->SetMasterAlpha(255);
        layer->SetVisible(true);
        layer->SetLocation(FloatRect(160, 0, 180, 71));
        view.EndUpdate();
        view.Changed();
        view.ForceCompose();
        view.BeginUpdate();
        delete layer;
        view.EndUpdate();
        view.Changed();
        view.ForceCompose();
        benchmark::DoNotOptimize(view.Buffer()->Bits());
    }
    setRate(state, kBufferPixels);
}

const char* implName(BlendImpl impl)
{
    switch (impl) {
    case BlendImpl::Portable:
        return "portable";
    case BlendImpl::Sse2:
        return "sse2";
    case BlendImpl::Avx2:
        return "avx2";
    case BlendImpl::Plain:
        return "plain";
    }
    return "?";
}

TBlendLine lineOf(BlendImpl impl)
{
    switch (impl) {
    case BlendImpl::Sse2:
        return lirasto::blend::BlendLineSse2;
    case BlendImpl::Avx2:
        return lirasto::blend::BlendLineAvx2;
    case BlendImpl::Plain:
        return lirasto::blend::BlendLinePlain;
    default:
        return lirasto::blend::BlendLinePortable;
    }
}

} // namespace

int main(int argc, char** argv)
{
    // The views are widgets, never shown here.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    data();
    const std::pair<const char*, bool> sets[] = {{"realistic", true}, {"every_alpha", false}};
    for (BlendImpl impl : {BlendImpl::Portable, BlendImpl::Sse2, BlendImpl::Avx2}) {
        if (!BlendImplementationAvailable(impl))
            continue;
        for (const auto& [set, realistic] : sets) {
            const TBitmap32& src = realistic ? data().realistic : data().everyAlpha;
            benchmark::RegisterBenchmark((std::string("blend/") + implName(impl) + "/" + set).c_str(),
                                         [impl, &src](benchmark::State& s) { blendRows(s, lineOf(impl), src); });
        }
    }
    for (const auto& [set, realistic] : sets) {
        const TBitmap32& src = realistic ? data().realistic : data().everyAlpha;
        benchmark::RegisterBenchmark((std::string("layer_blend/") + set).c_str(),
                                     [&src](benchmark::State& s) { blendLayer(s, src); });
    }
    benchmark::RegisterBenchmark("pixman_over/realistic",
                                 [](benchmark::State& s) { pixmanOver(s, data().realisticPremultiplied); });
    benchmark::RegisterBenchmark("pixman_over/every_alpha",
                                 [](benchmark::State& s) { pixmanOver(s, data().everyAlphaPremultiplied); });
    benchmark::RegisterBenchmark("qt_source_over/realistic",
                                 [](benchmark::State& s) { qtSourceOver(s, data().realisticPremultiplied); });
    benchmark::RegisterBenchmark("qt_source_over/every_alpha",
                                 [](benchmark::State& s) { qtSourceOver(s, data().everyAlphaPremultiplied); });
    benchmark::RegisterBenchmark("memcpy", copyBuffer);
    benchmark::RegisterBenchmark("background_copy", backgroundCopy);
    benchmark::RegisterBenchmark("question_frame", questionFrame);
    benchmark::RegisterBenchmark("memcpy_view_buffer", copyWholeBuffer);
    benchmark::RegisterBenchmark("question_on_view", questionFrameOnView);
    benchmark::RegisterBenchmark("piano_highlight_on_and_off", pianoHighlight);

    SummaryReporter reporter(kRate);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    auto& r = reporter.rates_;
    const std::string ours = std::string("blend/") + implName(BestBlendImplementation()) + "/";
    std::printf("\nSummary (the start-up choice is %s):\n", implName(BestBlendImplementation()));
    // The row blend alone, and the layer's whole draw that the views do.
    for (const std::string& which : {ours, std::string("layer_blend/")}) {
        for (const char* set : {"every_alpha", "realistic"}) {
            const bool every = std::string(set) == "every_alpha";
            const std::string name = which + set;
            if (r.count(name) && r.count(std::string("pixman_over/") + set))
                std::printf("  %-20s / pixman OVER:     %.2f x throughput%s\n", name.c_str(),
                            r[name] / r[std::string("pixman_over/") + set], every ? " (target >= 2.0)" : "");
            if (r.count(name) && r.count(std::string("qt_source_over/") + set))
                std::printf("  %-20s / Qt SourceOver:   %.2f x throughput (target >= %.1f)\n", name.c_str(),
                            r[name] / r[std::string("qt_source_over/") + set], every ? 1.0 : 1.2);
        }
    }
    if (r.count("question_frame") && r.count("memcpy"))
        std::printf("  question frame time / memcpy time of the buffer: %.2f (target <= 1.5)\n",
                    r["memcpy"] / r["question_frame"]);
    if (r.count("memcpy_view_buffer") && r.count("question_on_view") && r.count("piano_highlight_on_and_off")) {
        std::printf("  question on the staff view, composing what changed / memcpy of its 615 x 329 buffer: "
                    "%.3f (target <= 0.5)\n",
                    r["memcpy_view_buffer"] / r["question_on_view"]);
        std::printf("  piano key lit and put out / the same memcpy: %.3f (target <= 0.1)\n",
                    r["memcpy_view_buffer"] / r["piano_highlight_on_and_off"]);
    }
    return 0;
}
