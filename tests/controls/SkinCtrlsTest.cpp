#include "controls/SkinCtrls.h"
#include "core/Errors.h"
#include "tests/controls/JpegFixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using lirasto::test::EncodeJpeg;
using lirasto::test::PatternImage;

namespace {

const QColor kPlain(12, 34, 56);

QImage grabOf(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QFont crispFont(int pixels, bool bold = false)
{
    QFont font("DejaVu Sans");
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QPalette paletteWith(QWidget& widget, std::initializer_list<std::pair<QPalette::ColorRole, QColor>> roles)
{
    QPalette pal = widget.palette();
    for (const auto& [role, color] : roles)
        pal.setColor(role, color);
    return pal;
}

// The pixels of one colour inside `area`.
std::vector<QPoint> pixelsOf(const QImage& image, QRgb color, const QRect& area)
{
    std::vector<QPoint> points;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixel(x, y) == color)
                points.emplace_back(x, y);
        }
    }
    return points;
}

QRect boundsOf(const std::vector<QPoint>& points)
{
    QRect bounds;
    for (QPoint p : points)
        bounds |= QRect(p, QSize(1, 1));
    return bounds;
}

// Checks the look of a caption drawn twice: the `later` copy lies `offset` from the `earlier` one,
// and the earlier copy shows wherever the later one does not cover it.
void expectCopiesOffset(const QImage& shot, QRgb earlier, QRgb later, QPoint offset, const QRect& area)
{
    const auto first = pixelsOf(shot, earlier, area);
    const auto second = pixelsOf(shot, later, area);
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(boundsOf(second).topLeft(), boundsOf(first).topLeft() + offset);
    for (QPoint p : second) {
        const QRgb under = shot.pixel(p - offset);
        ASSERT_TRUE(under == earlier || under == later) << p.x() << "," << p.y();
    }
}

struct StoreFixture
{
    TSkinImages store;
    StoreFixture()
    {
        store.AddPicture("TJPEGImage", EncodeJpeg(PatternImage(37, 23)));
        auto bad = EncodeJpeg(PatternImage(37, 23));
        store.AddPicture("TJPEGImage", std::vector<uint8_t>(bad.begin(), bad.begin() + long(bad.size() / 2)));
        store.AddPicture("TJPEGImage", std::vector<uint8_t>{0x12, 0x34, 0x56});
    }
    const QImage& Wallpaper() const { return *store.ItemBitmap(0); }
};

// Each wallpaper-painting control, made 100 x 60 (larger than the 37 x 23 picture) with nothing
// over its middle; `inset` is the width of the borders it draws over the wallpaper.
struct ControlKind
{
    const char* name;
    std::function<std::unique_ptr<QWidget>(TSkinImages*, int id, QColor color)> make;
    QRect clear; // the area no border or caption covers, in a 100 x 60 control
};

std::vector<ControlKind> controlKinds()
{
    return {
        {"Panel",
         [](TSkinImages* s, int id, QColor c) {
             auto w = std::make_unique<TSkinPanel>();
             w->SetSkinImages(s);
             w->SetIdWallpaper(id);
             w->SetColor(c);
             return std::unique_ptr<QWidget>(std::move(w));
         },
         QRect(1, 1, 98, 58)},
        {"GroupBox",
         [](TSkinImages* s, int id, QColor c) {
             auto w = std::make_unique<TSkinGroupBox>();
             w->SetSkinImages(s);
             w->SetIdWallpaper(id);
             w->SetColor(c);
             return std::unique_ptr<QWidget>(std::move(w));
         },
         QRect(2, 20, 96, 38)},
        {"Memo",
         [](TSkinImages* s, int id, QColor c) {
             auto w = std::make_unique<TSkinMemo>();
             w->SetSkinImages(s);
             w->SetIdWallpaper(id);
             w->SetColor(c);
             w->SetOptionNames({"ocPaintWallpaper", "ocNoCaption"});
             w->SetEdgeBorderNames({"ebLeft", "ebTop", "ebRight", "ebBottom"});
             w->SetBordersTrColor(Qt::black);
             return std::unique_ptr<QWidget>(std::move(w));
         },
         QRect(2, 2, 96, 56)},
        {"ScrollingText",
         [](TSkinImages* s, int id, QColor c) {
             auto w = std::make_unique<TSkinScrollingText>();
             w->SetSkinImages(s);
             w->SetIdWallpaper(id);
             w->SetColor(c);
             return std::unique_ptr<QWidget>(std::move(w));
         },
         QRect(0, 0, 100, 60)},
        {"OpaqueLabel",
         [](TSkinImages* s, int id, QColor c) {
             auto w = std::make_unique<TSkinLabel>();
             w->SetAutoSize(false);
             w->SetSkinImages(s);
             w->SetIdWallpaper(id);
             w->SetColor(c);
             return std::unique_ptr<QWidget>(std::move(w));
         },
         QRect(0, 0, 100, 60)},
    };
}

class WallpaperControl : public testing::TestWithParam<ControlKind>
{};

} // namespace

// Every control tiles the wallpaper from its own top-left corner and repeats it when larger.
TEST_P(WallpaperControl, TilesWallpaperFromItsOwnTopLeft)
{
    StoreFixture fixture;
    auto widget = GetParam().make(&fixture.store, 0, kPlain);
    widget->resize(100, 60);
    const QImage shot = grabOf(*widget);
    const QImage& wallpaper = fixture.Wallpaper();
    const QRect clear = GetParam().clear;
    for (int y = clear.top(); y <= clear.bottom(); ++y) {
        for (int x = clear.left(); x <= clear.right(); ++x)
            ASSERT_EQ(shot.pixel(x, y), wallpaper.pixel(x % 37, y % 23)) << x << "," << y;
    }
}

// Without a usable store picture (missing store, index out of range, damaged JPEG) the plain colour shows.
TEST_P(WallpaperControl, FallsBackToColorWithoutUsablePicture)
{
    StoreFixture fixture;
    struct Case
    {
        TSkinImages* store;
        int id;
    };
    for (Case c : {Case{nullptr, 0}, Case{&fixture.store, -1}, Case{&fixture.store, 3}, Case{&fixture.store, 1},
                   Case{&fixture.store, 2}}) {
        auto widget = GetParam().make(c.store, c.id, kPlain);
        widget->resize(100, 60);
        const QImage shot = grabOf(*widget);
        const QPoint middle = GetParam().clear.center();
        EXPECT_EQ(shot.pixel(middle), kPlain.rgb()) << "index " << c.id;
    }
}

INSTANTIATE_TEST_SUITE_P(Controls, WallpaperControl, testing::ValuesIn(controlKinds()),
                         [](const testing::TestParamInfo<ControlKind>& info) { return std::string(info.param.name); });

// A control's own Wallpaper stands in when the store has nothing for it.
TEST(WallpaperSource, OwnWallpaperStandsInForMissingStoreItem)
{
    StoreFixture fixture;
    TSkinPanel panel;
    panel.SetSkinImages(&fixture.store);
    panel.SetIdWallpaper(7);
    const QImage own = PatternImage(11, 13);
    panel.SetWallpaper(own);
    panel.resize(40, 30);
    const QImage shot = grabOf(panel);
    EXPECT_EQ(shot.pixel(5, 5), own.pixel(5, 5));
    EXPECT_EQ(shot.pixel(15, 20), own.pixel(4, 7));
}

// When the store goes first, each control drops its reference and shows its colour.
TEST(WallpaperSource, ControlDropsStoreDestroyedFirst)
{
    auto store = std::make_unique<TSkinImages>();
    store->AddPicture("TJPEGImage", EncodeJpeg(PatternImage(37, 23)));
    TSkinPanel panel;
    TSkinMemo memo;
    panel.SetSkinImages(store.get());
    panel.SetIdWallpaper(0);
    panel.SetColor(kPlain);
    memo.SetSkinImages(store.get());
    store.reset();
    EXPECT_EQ(panel.SkinImages(), nullptr);
    EXPECT_EQ(memo.SkinImages(), nullptr);
    panel.resize(20, 20);
    EXPECT_EQ(grabOf(panel).pixel(10, 10), kPlain.rgb());
}

// Every caption is drawn twice: with the defaults, the text one pixel right of and below its highlight copy.
TEST(ShadowText, LabelDrawsTextOnePixelBelowRightOfItsShadow)
{
    TSkinLabel label;
    label.SetColor(Qt::white);
    label.SetShadowColor(QColor(255, 0, 0));
    label.SetFontColor(Qt::black);
    label.setFont(crispFont(16, true));
    label.SetCaption("Time limit:");
    const QImage shot = grabOf(label);
    expectCopiesOffset(shot, qRgb(255, 0, 0), qRgb(0, 0, 0), QPoint(1, 1), shot.rect());
}

TEST(ShadowText, SimpleViewDrawsOnlyTheText)
{
    TSkinLabel label;
    label.SetColor(Qt::white);
    label.SetShadowColor(QColor(255, 0, 0));
    label.SetFontColor(Qt::black);
    label.SetSimpleView(true);
    label.setFont(crispFont(16));
    label.SetCaption("Goal");
    const QImage shot = grabOf(label);
    EXPECT_TRUE(pixelsOf(shot, qRgb(255, 0, 0), shot.rect()).empty());
    EXPECT_FALSE(pixelsOf(shot, qRgb(0, 0, 0), shot.rect()).empty());
}

// A disabled control shows its caption embossed: button-shadow text over a button-highlight copy at (+1, +1).
TEST(ShadowText, DisabledButtonShowsEmbossedCaption)
{
    TSkinBtn button;
    button.setPalette(paletteWith(button, {{QPalette::Light, QColor(255, 0, 0)}, {QPalette::Dark, QColor(0, 200, 0)}}));
    button.SetColor(QColor(0, 0, 255));
    button.setFont(crispFont(13));
    button.SetCaption("Start");
    button.resize(75, 25);
    button.setEnabled(false);
    const QImage shot = grabOf(button);
    expectCopiesOffset(shot, qRgb(0, 200, 0), qRgb(255, 0, 0), QPoint(1, 1), shot.rect().adjusted(3, 3, -3, -3));
}

TEST(ShadowText, EnabledButtonCentresCaptionWithHighlightCopy)
{
    TSkinBtn button;
    button.SetColor(QColor(0, 0, 255));
    button.SetShadowColor(QColor(255, 0, 0));
    button.setPalette(paletteWith(button, {{QPalette::WindowText, QColor(0, 0, 0)}}));
    button.setFont(crispFont(13));
    button.SetCaption("Reset");
    button.resize(75, 25);
    const QImage shot = grabOf(button);
    const QRect inner = shot.rect().adjusted(3, 3, -3, -3);
    expectCopiesOffset(shot, qRgb(255, 0, 0), qRgb(0, 0, 0), QPoint(1, 1), inner);
    const QRect text = boundsOf(pixelsOf(shot, qRgb(0, 0, 0), inner));
    EXPECT_NEAR(text.center().x(), 37, 3);
    EXPECT_NEAR(text.center().y(), 12, 3);
}

TEST(ShadowText, DisabledLabelShowsEmbossedCaption)
{
    TSkinLabel label;
    label.setPalette(paletteWith(label, {{QPalette::Light, QColor(255, 0, 0)}, {QPalette::Dark, QColor(0, 200, 0)}}));
    label.SetColor(Qt::white);
    label.setFont(crispFont(16, true));
    label.SetCaption("<-- SELECT YOUR LEVEL HERE");
    label.setEnabled(false);
    const QImage shot = grabOf(label);
    expectCopiesOffset(shot, qRgb(0, 200, 0), qRgb(255, 0, 0), QPoint(1, 1), shot.rect());
}

TEST(SkinButton, EmitsClickedAndDrawsRaisedEdge)
{
    TSkinBtn button;
    button.setPalette(paletteWith(button, {{QPalette::Light, QColor(255, 0, 0)}, {QPalette::Dark, QColor(0, 200, 0)}}));
    button.resize(43, 25);
    int clicks = 0;
    QObject::connect(&button, &QAbstractButton::clicked, [&] { ++clicks; });
    button.click();
    EXPECT_EQ(clicks, 1);
    const QImage shot = grabOf(button);
    // Raised: the inner line pair is highlight at top-left, shadow at bottom-right.
    EXPECT_EQ(shot.pixel(1, 10), qRgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(41, 10), qRgb(0, 200, 0));
}

// With AutoSize, the label's size follows its caption and font at once, before any paint.
TEST(LabelAutoSize, ResizesToNewCaptionBeforeNextPaint)
{
    TSkinLabel label;
    label.setFont(crispFont(32, true));
    label.SetCaption("0");
    const int narrow = label.width();
    label.SetCaption("150");
    const QFontMetrics metrics(label.font());
    EXPECT_GT(label.width(), narrow);
    EXPECT_EQ(label.width(), metrics.horizontalAdvance("150") + 1);
    EXPECT_EQ(label.height(), metrics.height() + 1);
    label.setFont(crispFont(16, true));
    EXPECT_EQ(label.height(), QFontMetrics(label.font()).height() + 1);
}

TEST(LabelAutoSize, RightJustifiedLabelKeepsItsRightEdge)
{
    TSkinLabel label;
    label.setFont(crispFont(16));
    label.SetAlignmentName("taRightJustify");
    label.SetCaption("-");
    label.move(200, 10);
    const int right = label.geometry().right();
    label.SetCaption("WRONG!");
    EXPECT_EQ(label.geometry().right(), right);
    EXPECT_LT(label.x(), 200);
}

TEST(LabelAutoSize, StoredSizeGivesWayToMeasuredSizeWhenPolished)
{
    TSkinLabel label;
    label.setFont(crispFont(16));
    label.SetCaption("Question");
    label.resize(3, 3);
    label.ensurePolished();
    EXPECT_EQ(label.width(), QFontMetrics(label.font()).horizontalAdvance("Question") + 1);
}

TEST(SkinLabel, FontColorSetterRecoloursTheCaption)
{
    TSkinLabel label;
    label.SetColor(Qt::white);
    label.SetSimpleView(true);
    label.setFont(crispFont(32, true));
    label.SetCaption("RIGHT!");
    label.SetFontColor(QColor(0, 128, 0));
    const QImage shot = grabOf(label);
    EXPECT_FALSE(pixelsOf(shot, qRgb(0, 128, 0), shot.rect()).empty());
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(0, 128, 0));
}

// A transparent label paints only its text, so the panel's wallpaper shows around it.
TEST(SkinLabel, TransparentLabelShowsPanelWallpaperAroundText)
{
    StoreFixture fixture;
    TSkinPanel panel;
    panel.SetSkinImages(&fixture.store);
    panel.SetIdWallpaper(0);
    panel.resize(200, 100);
    auto* label = new TSkinLabel(&panel);
    label->SetTransparent(true);
    label->setFont(crispFont(16));
    label->SetCaption("-");
    label->move(50, 40);
    const QImage shot = grabOf(panel);
    // The label's top-left pixel is background: the panel's tiling, not the label's.
    EXPECT_EQ(shot.pixel(50, 40), fixture.Wallpaper().pixel(50 % 37, 40 % 23));
}

// The group box frame starts half a caption height down; the caption at x = 8 sits on a clear strip.
TEST(SkinGroupBox, CaptionSitsOnWallpaperStripOverTheFrame)
{
    TSkinGroupBox box;
    box.setPalette(paletteWith(box, {{QPalette::Light, QColor(255, 0, 0)},
                                     {QPalette::Dark, QColor(0, 200, 0)},
                                     {QPalette::WindowText, QColor(0, 0, 0)}}));
    box.SetShadowColor(QColor(0, 0, 255));
    box.SetColor(Qt::white);
    box.setFont(crispFont(11));
    box.SetCaption("Tip");
    box.resize(465, 41);
    const QImage shot = grabOf(box);
    const int h = QFontMetrics(box.font()).height();
    const int top = h / 2 - 1;
    EXPECT_EQ(shot.pixel(4, top), qRgb(0, 200, 0));
    EXPECT_EQ(shot.pixel(4, top + 1), qRgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(0, 30), qRgb(0, 200, 0));
    EXPECT_EQ(shot.pixel(464, 30), qRgb(255, 0, 0));
    const QRect strip = box.CaptionRect().adjusted(0, 0, 1, 1);
    EXPECT_TRUE(pixelsOf(shot, qRgb(0, 200, 0), strip).empty());
    const QRect text = boundsOf(pixelsOf(shot, qRgb(0, 0, 255), shot.rect()));
    EXPECT_GE(text.left(), 8);
    EXPECT_LE(text.left(), 10);
}

// The memo's border is two black pixels on every edge; with taCenter its lines are centred.
TEST(SkinMemo, DrawsTwoPixelBlackBorderAndCentresText)
{
    TSkinMemo memo;
    memo.SetColor(Qt::white);
    memo.setPalette(paletteWith(memo, {{QPalette::WindowText, QColor(200, 0, 0)}}));
    memo.setFont(crispFont(16, true));
    memo.SetOptionNames({"ocPaintWallpaper", "ocNoCaption"});
    memo.SetEdgeBorderNames({"ebLeft", "ebTop", "ebRight", "ebBottom"});
    memo.SetBordersTrColor(Qt::black);
    memo.SetTextAlignName("taCenter");
    memo.SetLines({"Lirasto"});
    memo.resize(300, 80);
    const QImage shot = grabOf(memo);
    for (int y : {0, 1, 40, 78, 79}) {
        for (int x : {0, 1, 298, 299})
            EXPECT_EQ(shot.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
    }
    EXPECT_EQ(shot.pixel(150, 2), qRgb(255, 255, 255));
    const QRect text = boundsOf(pixelsOf(shot, qRgb(200, 0, 0), shot.rect()));
    ASSERT_TRUE(text.isValid());
    EXPECT_NEAR(text.center().x(), 150, 4);
    EXPECT_EQ(memo.Lines(), QStringList{"Lirasto"});
}

TEST(SkinMemo, LinesRoundTripAndStayEditable)
{
    TSkinMemo memo;
    const QStringList lines{" USAGE", " o Select a level", "", " o Press 'Start' to start the current level"};
    memo.SetLines(lines);
    EXPECT_EQ(memo.Lines(), lines);
    EXPECT_FALSE(memo.isReadOnly());
}

// Items are drawn by the program: the selected one in SelColor with SelFontColor, text 4 pixels in.
TEST(SkinComboBox, PaintsItemsWithSelectionColoursAndTextFourPixelsIn)
{
    TSkinComboBox combo;
    combo.setFont(crispFont(11));
    combo.SetSelFont(crispFont(11));
    combo.SetColor(Qt::white);
    combo.SetSelColor(QColor(0, 0, 128));
    combo.SetSelFontColor(QColor(255, 255, 0));
    combo.SetShadowColor(QColor(255, 0, 0));
    combo.setPalette(paletteWith(combo, {{QPalette::WindowText, QColor(0, 0, 0)}}));
    QImage image(120, 13, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        combo.PaintItem(painter, QRect(0, 0, 120, 13), "Level 1 - C", false);
    }
    // Where the glyphs land when the text is laid out 4 pixels from the left, bearing included.
    QImage reference(120, 13, QImage::Format_RGB32);
    reference.fill(Qt::white);
    {
        QPainter painter(&reference);
        painter.setFont(crispFont(11));
        painter.setPen(Qt::black);
        painter.drawText(QRect(4, 0, 116, 13), Qt::AlignLeft | Qt::AlignVCenter, "Level 1 - C");
    }
    const int textLeft = boundsOf(pixelsOf(reference, qRgb(0, 0, 0), reference.rect())).left();
    EXPECT_EQ(image.pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(boundsOf(pixelsOf(image, qRgb(255, 0, 0), image.rect())).left(), textLeft);
    EXPECT_EQ(boundsOf(pixelsOf(image, qRgb(0, 0, 0), image.rect())).left(), textLeft + 1);
    {
        QPainter painter(&image);
        combo.PaintItem(painter, QRect(0, 0, 120, 13), "Level 1 - C", true);
    }
    EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 128));
    EXPECT_FALSE(pixelsOf(image, qRgb(255, 255, 0), image.rect()).empty());
}

// The selected row of the opened list is written once, in SelFont and SelFontColor on SelColor:
// a highlight copy beside the light text would smear it.
TEST(SkinComboBox, OpenedListWritesTheSelectedRowOnce)
{
    QWidget window;
    auto* combo = new TSkinComboBox(&window);
    combo->setGeometry(10, 6, 239, 19);
    combo->SetSelFont(crispFont(11, true));
    combo->SetSelColor(QColor(0, 0, 128));
    combo->SetSelFontColor(Qt::white);
    combo->SetShadowColor(Qt::white);
    for (int i = 1; i <= 12; ++i)
        combo->addItem(QString("Level %1").arg(i));
    combo->setCurrentIndex(6);
    window.show();
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    const QRect row = view->visualRect(view->model()->index(6, 0));
    const QImage shot = view->viewport()->grab(row).toImage().convertToFormat(QImage::Format_RGB32);
    QImage expected(row.size(), QImage::Format_RGB32);
    expected.fill(QColor(0, 0, 128));
    {
        QPainter painter(&expected);
        painter.setFont(crispFont(11, true));
        painter.setPen(Qt::white);
        painter.drawText(QRect(4, 0, row.width() - 4, row.height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, "Level 7");
    }
    EXPECT_EQ(shot, expected);
    combo->hidePopup();
}

TEST(SkinComboBox, OnChangeFiresForTheUserOnly)
{
    TSkinComboBox combo;
    for (int i = 1; i <= 12; ++i)
        combo.addItem(QString("Level %1").arg(i));
    int changes = 0;
    combo.OnChange = [&](QObject* sender) {
        EXPECT_EQ(sender, &combo);
        ++changes;
    };
    combo.setCurrentIndex(3);
    EXPECT_EQ(changes, 0);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(&combo, &down);
    EXPECT_EQ(combo.currentIndex(), 4);
    EXPECT_EQ(changes, 1);
}

TEST(SkinComboBox, ListSizingFollowsDesignValues)
{
    TSkinComboBox combo;
    combo.SetListBoxWidth(239);
    combo.SetDropDownCount(12);
    combo.SetItemHeight(13);
    EXPECT_EQ(combo.maxVisibleItems(), 12);
    combo.addItem("Level 1");
    EXPECT_EQ(combo.view()->sizeHintForRow(0), 13);
    EXPECT_EQ(combo.HorizontalExtent(), 0);
    combo.addItem(QString(80, QChar('W')));
    EXPECT_GT(combo.HorizontalExtent(), 239);
}

// Some settings of the base box make its list before this box has given the list its item
// painter; the list must still size and paint its rows as this box does once it is used.
TEST(SkinComboBox, ListMadeEarlyStillTakesTheBoxItemPainter)
{
    TSkinComboBox combo;
    combo.SetItemHeight(13);
    combo.setIconSize(QSize(20, 20));
    combo.addItem("Level 1");
    EXPECT_EQ(combo.view()->sizeHintForRow(0), 13);
}

// The opened list is ListBoxWidth wide, lined up with the box by its alignment.
TEST(SkinComboBox, OpenedListTakesListBoxWidth)
{
    struct Row
    {
        const char* alignment;
        int offset; // of the list's left edge from the box's, for a 239-pixel box and 300-pixel list
    };
    for (Row row : {Row{"taLeftJustify", 0}, Row{"taRightJustify", -61}, Row{"taCenter", -30}}) {
        QWidget window;
        window.resize(600, 400);
        auto* combo = new TSkinComboBox(&window);
        combo->setGeometry(150, 6, 239, 19);
        combo->SetListBoxWidth(300);
        combo->SetAlignmentName(row.alignment);
        for (int i = 1; i <= 12; ++i)
            combo->addItem(QString("Level %1").arg(i));
        window.show();
        combo->showPopup();
        const QRect list = combo->view()->window()->geometry();
        EXPECT_EQ(list.width(), 300) << row.alignment;
        EXPECT_EQ(list.left(), combo->mapToGlobal(QPoint(0, 0)).x() + row.offset) << row.alignment;
        combo->hidePopup();
    }
}

// The window design applies values by property name, enumerations as identifiers and sets as lists.
struct PropertyRow
{
    const char* name;
    std::function<QObject*()> make;
    const char* property;
    QVariant value;
};

class DesignProperty : public testing::TestWithParam<PropertyRow>
{};

TEST_P(DesignProperty, AcceptsTheDesignValueByName)
{
    std::unique_ptr<QObject> object(GetParam().make());
    ASSERT_TRUE(object->setProperty(GetParam().property, GetParam().value));
    EXPECT_EQ(object->property(GetParam().property), GetParam().value);
}

namespace {
template <typename T>
std::function<QObject*()> maker()
{
    return [] { return new T; };
}
} // namespace

INSTANTIATE_TEST_SUITE_P(
    Design, DesignProperty,
    testing::Values(
        PropertyRow{"PanelAlign", maker<TSkinPanel>(), "Align", QString("alClient")},
        PropertyRow{"PanelIdWallpaper", maker<TSkinPanel>(), "idWallpaper", 0},
        PropertyRow{"PanelCaption", maker<TSkinPanel>(), "Caption", QString("")},
        PropertyRow{"PanelColor", maker<TSkinPanel>(), "Color", QColor(240, 240, 240)},
        PropertyRow{"LabelTransparent", maker<TSkinLabel>(), "Transparent", true},
        PropertyRow{"LabelAutoSize", maker<TSkinLabel>(), "AutoSize", false},
        PropertyRow{"LabelCaption", maker<TSkinLabel>(), "Caption", QString("Time limit:")},
        PropertyRow{"LabelShadowPos", maker<TSkinLabel>(), "ShadowPos", QString("spRightTop")},
        PropertyRow{"LabelShadowColor", maker<TSkinLabel>(), "ShadowColor", QColor(Qt::white)},
        PropertyRow{"LabelShadowSize", maker<TSkinLabel>(), "ShadowSize", 2},
        PropertyRow{"LabelSimpleView", maker<TSkinLabel>(), "SimpleView", true},
        PropertyRow{"ButtonCaption", maker<TSkinBtn>(), "Caption", QString("Start")},
        PropertyRow{"ButtonOptions", maker<TSkinBtn>(), "Options", QStringList{"ocPaintGradiently"}},
        PropertyRow{"ComboListBoxWidth", maker<TSkinComboBox>(), "ListBoxWidth", 239},
        PropertyRow{"ComboDropDownCount", maker<TSkinComboBox>(), "DropDownCount", 12},
        PropertyRow{"ComboItemHeight", maker<TSkinComboBox>(), "ItemHeight", 13},
        PropertyRow{"ComboStyle", maker<TSkinComboBox>(), "Style", QString("csOwnerDrawVariable")},
        PropertyRow{"ComboFileMask", maker<TSkinComboBox>(), "FileMask", QString("*.*")},
        PropertyRow{"ComboSelFontColor", maker<TSkinComboBox>(), "SelFontColor", QColor(Qt::white)},
        PropertyRow{"ComboSelColor", maker<TSkinComboBox>(), "SelColor", QColor(0, 0, 128)},
        PropertyRow{"GroupCaption", maker<TSkinGroupBox>(), "Caption", QString("Tip")},
        PropertyRow{"MemoOptions", maker<TSkinMemo>(), "Options", QStringList{"ocPaintWallpaper", "ocNoCaption"}},
        PropertyRow{"MemoEdgeBorders", maker<TSkinMemo>(), "EdgeBorders",
                    QStringList{"ebLeft", "ebTop", "ebRight", "ebBottom"}},
        PropertyRow{"MemoBordersTrColor", maker<TSkinMemo>(), "BordersTrColor", QColor(Qt::black)},
        PropertyRow{"MemoTextAlign", maker<TSkinMemo>(), "TextAlign", QString("taCenter")},
        PropertyRow{"MemoTransparencyLevel", maker<TSkinMemo>(), "TransparencyLevel", 100},
        PropertyRow{"MemoLines", maker<TSkinMemo>(), "Lines", QStringList{" USAGE", " o Select a level"}},
        PropertyRow{"MemoCaption", maker<TSkinMemo>(), "Caption", QString("Information")},
        PropertyRow{"ScrollActive", maker<TSkinScrollingText>(), "Active", true},
        PropertyRow{"ScrollInterval", maker<TSkinScrollingText>(), "Interval", 25},
        PropertyRow{"ScrollDirection", maker<TSkinScrollingText>(), "ScrollDirection", QString("sdBottomToTop")},
        PropertyRow{"ScrollStrings", maker<TSkinScrollingText>(), "Strings", QStringList{"SkinScrollingText"}}),
    [](const testing::TestParamInfo<PropertyRow>& info) { return std::string(info.param.name); });

TEST(DesignProperties, StoreReferenceArrivesAsObject)
{
    TSkinImages store;
    TSkinMemo memo;
    ASSERT_TRUE(memo.setProperty("SkinImages", QVariant::fromValue<QObject*>(&store)));
    EXPECT_EQ(memo.SkinImages(), &store);
    QObject other;
    EXPECT_THROW(memo.SetSkinImages(&other), lirasto::EConvertError);
}

TEST(DesignProperties, UnknownIdentifierRaisesConvertError)
{
    TSkinMemo memo;
    EXPECT_THROW(memo.SetTextAlignName("taMiddle"), lirasto::EConvertError);
    EXPECT_THROW(memo.SetOptionNames({"ocPaintWallpaper", "ocShiny"}), lirasto::EConvertError);
    TSkinPanel panel;
    EXPECT_THROW(panel.SetAlign("alEverywhere"), lirasto::EConvertError);
}

// A transparent panel shows what its parent paints beneath it, lined up with the parent.
TEST(SkinPanel, TransparentPanelShowsParentWallpaperBeneathIt)
{
    StoreFixture fixture;
    TSkinPanel outer;
    outer.SetSkinImages(&fixture.store);
    outer.SetIdWallpaper(0);
    outer.resize(200, 120);
    auto* inner = new TSkinPanel(&outer);
    inner->setGeometry(10, 7, 80, 50);
    inner->SetTransparent(true);
    inner->SetBevelOuterName("bvNone");
    const QImage shot = grabOf(*inner);
    const QImage& wallpaper = fixture.Wallpaper();
    for (QPoint p : {QPoint(0, 0), QPoint(30, 20), QPoint(79, 49)})
        EXPECT_EQ(shot.pixel(p), wallpaper.pixel((p.x() + 10) % 37, (p.y() + 7) % 23)) << p.x() << "," << p.y();
}

// A panel aligned to the client area fills its parent and follows it when the parent is resized.
TEST(SkinPanel, ClientAlignedPanelFollowsItsParent)
{
    QWidget page;
    page.resize(784, 538);
    auto* panel = new TSkinPanel(&page);
    panel->SetAlign("alClient");
    EXPECT_EQ(panel->geometry(), QRect(0, 0, 784, 538));
    page.show();
    page.resize(500, 300);
    EXPECT_EQ(panel->geometry(), QRect(0, 0, 500, 300));
}

TEST(SkinPanel, RaisedBevelFramesTheWallpaper)
{
    TSkinPanel panel;
    panel.setPalette(paletteWith(panel, {{QPalette::Light, QColor(255, 0, 0)}, {QPalette::Dark, QColor(0, 200, 0)}}));
    panel.SetColor(Qt::white);
    panel.resize(30, 20);
    const QImage shot = grabOf(panel);
    EXPECT_EQ(shot.pixel(0, 5), qRgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(5, 0), qRgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(29, 5), qRgb(0, 200, 0));
    EXPECT_EQ(shot.pixel(5, 19), qRgb(0, 200, 0));
    EXPECT_EQ(shot.pixel(5, 5), qRgb(255, 255, 255));
}

// Lays out both pages' skinned controls over the real wallpaper and saves pictures for a person
// to look at. Runs only when LIRASTO_REVIEW_DIR names a directory; the wallpaper blob is read from
// LIRASTO_REVIEW_WALLPAPER (a "Picture.Data" file), else a generated pattern stands in.
TEST(ControlsReview, SavesScreenshotsOfTheSkinnedControls)
{
    const QString dir = qEnvironmentVariable("LIRASTO_REVIEW_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "set LIRASTO_REVIEW_DIR to save review screenshots";
    QFont::insertSubstitution("MS Sans Serif", "DejaVu Sans");
    auto font = [](int pixels, bool bold = false, bool italic = false) {
        QFont f("MS Sans Serif");
        f.setPixelSize(pixels);
        f.setBold(bold);
        f.setItalic(italic);
        return f;
    };
    TSkinImages store;
    QFile blob(qEnvironmentVariable("LIRASTO_REVIEW_WALLPAPER"));
    if (blob.open(QIODevice::ReadOnly))
        store.AddPictureData(blob.readAll());
    else
        store.AddPicture("TJPEGImage", EncodeJpeg(PatternImage(800, 376)));

    QWidget window;
    window.setFont(font(11));
    window.resize(784, 538);
    auto* pMain = new TSkinPanel(&window);
    pMain->setProperty("Align", "alClient");
    pMain->setProperty("SkinImages", QVariant::fromValue<QObject*>(&store));
    pMain->setProperty("idWallpaper", 0);
    auto label = [&](QWidget* parent, int x, int y, const QString& caption, QFont f) {
        auto* l = new TSkinLabel(parent);
        l->setFont(f);
        l->move(x, y);
        l->SetTransparent(true);
        l->SetCaption(caption);
        return l;
    };
    label(pMain, 618, 30, "Time limit:", font(16, true));
    label(pMain, 618, 48, "150 SEC.", font(32, true));
    label(pMain, 618, 92, "Goal (pts) :", font(16, true));
    label(pMain, 618, 109, "300", font(32, true));
    label(pMain, 618, 153, "Score (pts) :", font(16, true));
    label(pMain, 618, 171, "45", font(32, true));
    label(pMain, 618, 235, "RIGHT!", font(32, true))->SetFontColor(QColor(0, 128, 0));
    label(pMain, 154, 453, "What note is this? ", font(16, true));
    label(pMain, 157, 476, "Click the matching piano key", font(13, false, true));
    label(pMain, 26, 506, "Level failed, try again", font(19, true))->SetFontColor(QColor(255, 0, 0));
    label(pMain, 262, 5, "<-- SELECT YOUR LEVEL HERE", font(16, true))->setEnabled(false);
    auto* bReset = new TSkinBtn(pMain);
    bReset->setGeometry(21, 451, 43, 25);
    bReset->SetCaption("Reset");
    bReset->setEnabled(false);
    auto* bStart = new TSkinBtn(pMain);
    bStart->setGeometry(72, 451, 75, 25);
    bStart->SetCaption("Start");
    auto* cbLevel = new TSkinComboBox(pMain);
    cbLevel->setGeometry(14, 6, 239, 19);
    cbLevel->SetSkinImages(&store);
    cbLevel->SetIdWallpaper(0);
    cbLevel->SetListBoxWidth(239);
    cbLevel->SetDropDownCount(12);
    cbLevel->SetItemHeight(13);
    cbLevel->SetSelFontColor(cbLevel->palette().color(QPalette::HighlightedText));
    for (int i = 1; i <= 12; ++i)
        cbLevel->addItem(QString("Level %1").arg(i));
    auto* gbTips = new TSkinGroupBox(pMain);
    gbTips->setGeometry(16, 408, 465, 41);
    gbTips->SetCaption("Tip");
    gbTips->SetSkinImages(&store);
    gbTips->SetIdWallpaper(0);
    label(gbTips, 16, 16, "Say the answers out loud when the question is presented to you. ", font(11));
    window.show();
    cbLevel->setCurrentIndex(2);
    bStart->setFocus();
    QDir().mkpath(dir);
    EXPECT_TRUE(window.grab().save(dir + "/game-page.png"));
    cbLevel->showPopup();
    EXPECT_TRUE(cbLevel->view()->window()->grab().save(dir + "/level-list.png"));
    cbLevel->hidePopup();

    QWidget info;
    info.setFont(font(11));
    info.resize(784, 538);
    auto* pInfo = new TSkinPanel(&info);
    pInfo->SetAlign("alClient");
    pInfo->SetSkinImages(&store);
    pInfo->SetIdWallpaper(0);
    auto memo = [&](int x, int y, int w, int h, QFont f, const QStringList& lines, bool centred) {
        auto* m = new TSkinMemo(pInfo);
        m->setGeometry(x, y, w, h);
        m->setFont(f);
        m->SetSkinImages(&store);
        m->SetIdWallpaper(0);
        m->SetOptionNames({"ocPaintWallpaper", "ocNoCaption"});
        m->SetEdgeBorderNames({"ebLeft", "ebTop", "ebRight", "ebBottom"});
        m->SetBordersTrColor(Qt::black);
        if (centred)
            m->SetTextAlignName("taCenter");
        m->SetLines(lines);
        return m;
    };
    memo(245, 103, 524, 299, font(16, true),
         {"Lirasto Notes - made by Lirasto Software", "", "", "For information, support, tips and other ",
          "products, check out the website below.", "", "", "support@lirasto.example", "https://lirasto.example"},
         true);
    memo(8, 8, 765, 89, font(13, true),
         {" USAGE", " o Select a level", " o Press 'Start' to start the current level",
          " o Press 'Reset' to reset the current level"},
         false);
    auto* scroller = new TSkinScrollingText(pInfo);
    scroller->setGeometry(7, 512, 770, 22);
    scroller->setFont(font(13));
    scroller->SetSkinImages(&store);
    scroller->SetIdWallpaper(0);
    scroller->SetStrings({"Lirasto Notes (c) Lirasto Software - wood texture and artwork drawn by the program"});
    info.show();
    for (int i = 0; i < 400; ++i)
        scroller->Step();
    EXPECT_TRUE(info.grab().save(dir + "/info-page.png"));
}

// A caption shown again keeps the size measured for it, until the font changes; a colour
// set again changes nothing, and a new one still shows.
TEST(SkinLabelCaption, RemeasuresOnlyWhatChanged)
{
    TSkinLabel label;
    label.setFont(crispFont(16, true));
    label.SetCaption("WRONG!");
    const QSize wrong = label.size();
    label.SetCaption("RIGHT!");
    label.SetCaption("WRONG!");
    EXPECT_EQ(label.size(), wrong);
    label.setFont(crispFont(24, true));
    label.SetCaption("RIGHT!");
    label.SetCaption("WRONG!");
    EXPECT_GT(label.width(), wrong.width());
    label.SetFontColor(QColor(255, 0, 0));
    label.SetFontColor(QColor(255, 0, 0));
    EXPECT_EQ(label.FontColor(), QColor(255, 0, 0));
    label.SetFontColor(QColor(0, 128, 0));
    EXPECT_EQ(label.FontColor(), QColor(0, 128, 0));
}
