#include "resources/DesignText.h"

#include "core/Errors.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using lirasto::DesignComponent;
using lirasto::DesignProperty;
using lirasto::DesignValue;
using lirasto::DesignValueKind;

namespace {

struct TextErrorRow
{
    const char* label;
    std::string text;
    int line;
    std::string message; // a fragment of what the error says was expected
};

std::string deepObjects(int depth)
{
    std::string s;
    for (int i = 0; i < depth; ++i)
        s += "object A: TA\n";
    for (int i = 0; i < depth; ++i)
        s += "end\n";
    return s;
}

void PrintTo(const TextErrorRow& row, std::ostream* os)
{
    *os << row.label;
}

class DesignTextErrors : public testing::TestWithParam<TextErrorRow>
{};

// A mistake in the text form is reported with its line and what was expected there.
TEST_P(DesignTextErrors, NamesLineAndExpectation)
{
    const TextErrorRow& row = GetParam();
    try {
        lirasto::ParseDesignText(row.text);
        FAIL() << "accepted: " << row.text;
    } catch (const lirasto::EReadError& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.rfind("Line " + std::to_string(row.line) + ": ", 0), 0u) << message;
        EXPECT_NE(message.find(row.message), std::string::npos) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, DesignTextErrors,
    testing::Values(
        TextErrorRow{"NotAnObject", "obj A: TA\nend\n", 1, "expected 'object'"},
        TextErrorRow{"MissingColon", "object A TA\nend\n", 1, "expected ':' after the component name"},
        TextErrorRow{"MissingEquals", "object A: TA\n  X 5\nend\n", 2, "expected '=' after property name X"},
        TextErrorRow{"UnterminatedString", "object A: TA\n  X = 'abc\nend\n", 2, "unterminated string"},
        TextErrorRow{"SetWithoutComma", "object A: TA\n  X = [a b]\nend\n", 2, "expected ','"},
        TextErrorRow{"OddHexDigits", "object A: TA\n  X = {\n    0A0}\nend\n", 3, "odd number of hex digits"},
        TextErrorRow{"NotHex", "object A: TA\n  X = {0AZZ}\nend\n", 2, "expected a hex digit"},
        TextErrorRow{"MissingEnd", "object A: TA\n  X = 1\n", 3, "expected 'end' for object A"},
        TextErrorRow{"BadCollectionItem", "object A: TA\n  X = <\n    itm\n  >\nend\n", 3, "expected 'item'"},
        TextErrorRow{"TextAfterEnd", "object A: TA\nend\nextra\n", 3, "expected the end of the text"},
        TextErrorRow{"ArtworkWithoutLoader", "object A: TA\n  X = {@keyboard.bmp32}\nend\n", 2,
                     "artwork reference {@keyboard.bmp32}"},
        TextErrorRow{"FloatingPoint", "object A: TA\n  X = 1.5\nend\n", 2, "expected a whole number"},
        TextErrorRow{"CharCodeTooLarge", "object A: TA\n  X = #300\nend\n", 2, "character code above 255"},
        TextErrorRow{"HugeInteger", "object A: TA\n  X = 99999999999999999999\nend\n", 2, "integer too large"},
        TextErrorRow{"NoValue", "object A: TA\n  X = ;\nend\n", 2, "expected a value"},
        TextErrorRow{"TooDeep", deepObjects(lirasto::kMaxDesignDepth + 1), lirasto::kMaxDesignDepth + 1,
                     "nested deeper than 64"}),
    [](const testing::TestParamInfo<TextErrorRow>& info) { return std::string(info.param.label); });

// An artwork reference takes the loader's bytes; a loader's refusal becomes an error on that line.
TEST(DesignText, ResolvesArtworkThroughLoader)
{
    std::vector<std::string> asked;
    const auto loader = [&](const std::string& name) {
        asked.push_back(name);
        if (name == "missing.bmp32")
            throw std::runtime_error("no such file");
        return std::vector<uint8_t>{1, 2, 3};
    };
    const DesignComponent c = lirasto::ParseDesignText("object A: TA\n  Bitmap.Data = {@logo.bmp32}\nend\n", loader);
    EXPECT_EQ(c.Properties.at(0).Value, DesignValue::MakeBinary({1, 2, 3}));
    EXPECT_EQ(asked, std::vector<std::string>{"logo.bmp32"});
    try {
        lirasto::ParseDesignText("object A: TA\n\n  D = {@missing.bmp32}\nend\n", loader);
        FAIL();
    } catch (const lirasto::EReadError& e) {
        EXPECT_STREQ(e.what(), "Line 3: cannot load artwork missing.bmp32: no such file");
    }
}

// The text writer uses two blanks per level, doubles quotes and writes control characters as codes.
TEST(DesignText, WritesAsFormDesignerDoes)
{
    DesignComponent form{"TF", "f", {}, {}};
    form.Properties.push_back({"Caption", DesignValue::MakeString("It's\t1")});
    form.Properties.push_back({"Font.Style", DesignValue::MakeSet({"fsBold", "fsItalic"})});
    form.Properties.push_back({"Lines.Strings", DesignValue::MakeList({DesignValue::MakeString("a")})});
    form.Children.push_back(DesignComponent{"TB", "b", {{"Visible", DesignValue::MakeBoolean(false)}}, {}});
    EXPECT_EQ(lirasto::WriteDesignText(form), "object f: TF\n"
                                              "  Caption = 'It''s'#9'1'\n"
                                              "  Font.Style = [fsBold, fsItalic]\n"
                                              "  Lines.Strings = (\n"
                                              "    'a')\n"
                                              "  object b: TB\n"
                                              "    Visible = False\n"
                                              "  end\n"
                                              "end\n");
}

// The window design that the program carries.
class WindowDesign : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        std::ifstream in(LIRASTO_FORM_PATH, std::ios::binary);
        ASSERT_TRUE(in) << LIRASTO_FORM_PATH;
        std::ostringstream text;
        text << in.rdbuf();
        ArtworkNames().clear();
        Form() = lirasto::ParseDesignText(text.str(), [](const std::string& name) {
            ArtworkNames().push_back(name);
            return std::vector<uint8_t>(name.begin(), name.end());
        });
    }

    static DesignComponent& Form()
    {
        static DesignComponent f;
        return f;
    }

    static std::vector<std::string>& ArtworkNames()
    {
        static std::vector<std::string> names;
        return names;
    }

    static const DesignComponent& Component(const std::string& name)
    {
        if (Form().Name == name)
            return Form();
        const DesignComponent* c = Form().Find(name);
        if (!c)
            throw std::runtime_error("no component " + name);
        return *c;
    }

    static const DesignValue& Value(const std::string& componentName, const std::string& propertyName)
    {
        const DesignProperty* p = Component(componentName).Property(propertyName);
        if (!p)
            throw std::runtime_error("no property " + componentName + "." + propertyName);
        return p->Value;
    }

    static long long Integer(const std::string& componentName, const std::string& propertyName)
    {
        const DesignValue& v = Value(componentName, propertyName);
        EXPECT_EQ(v.Kind, DesignValueKind::Integer) << componentName << "." << propertyName;
        return v.Integer;
    }
};

struct Placement
{
    std::string name, className, parent;
    int left = -1, top = -1, width = -1, height = -1; // -1: not stored (pages and non-visual components)
};

void flatten(const DesignComponent& c, const std::string& parent,
             std::vector<std::pair<const DesignComponent*, std::string>>& out)
{
    out.emplace_back(&c, parent);
    for (const DesignComponent& child : c.Children)
        flatten(child, c.Name, out);
}

// Every component of the window, in creation order, with its class, parent and geometry.
TEST_F(WindowDesign, HoldsEveryComponentWithClassParentAndGeometry)
{
    const std::vector<Placement> expected = {
        {"fMain", "TfMain", "", 192, 110, 800, 600},
        {"PageControl", "TPageControl", "fMain", 0, 0, 792, 566},
        {"tsMain", "TTabSheet", "PageControl"},
        {"pMain", "TSkinPanel", "tsMain", 0, 0, 784, 538},
        {"lCountDown", "TSkinLabel", "pMain", 618, 48, 57, 38},
        {"SkinLabel1", "TSkinLabel", "pMain", 618, 30, 82, 21},
        {"SkinLabel2", "TSkinLabel", "pMain", 618, 92, 92, 21},
        {"lGoal", "TSkinLabel", "pMain", 618, 109, 57, 38},
        {"lScore", "TSkinLabel", "pMain", 618, 171, 21, 38},
        {"SkinLabel4", "TSkinLabel", "pMain", 618, 153, 101, 21},
        {"lQuestion", "TSkinLabel", "pMain", 154, 453, 74, 21},
        {"lExplanation", "TSkinLabel", "pMain", 157, 476, 78, 17},
        {"lAnswer", "TSkinLabel", "pMain", 618, 235, 13, 38},
        {"lProgress", "TSkinLabel", "pMain", 26, 506, 9, 25},
        {"SkinLabel12", "TSkinLabel", "pMain", 262, 5, 269, 21},
        {"imgPiano", "TImage32", "pMain", 20, 333, 560, 71},
        {"bReset", "TSkinBtn", "pMain", 21, 451, 43, 25},
        {"bStart", "TSkinBtn", "pMain", 72, 451, 75, 25},
        {"cbLevel", "TSkinComboBox", "pMain", 14, 6, 239, 19},
        {"gbTips", "TSkinGroupBox", "pMain", 16, 408, 465, 41},
        {"Label14", "TSkinLabel", "gbTips", 16, 16, 308, 14},
        {"ImgClefs", "TImage32", "pMain", 14, 30, 575, 289},
        {"tsInfo", "TTabSheet", "PageControl"},
        {"pInfo", "TSkinPanel", "tsInfo", 0, 0, 784, 538},
        {"SkinScrollingText", "TSkinScrollingText", "pInfo", 7, 512, 770, 22},
        {"mInfo", "TSkinMemo", "pInfo", 245, 103, 524, 299},
        {"mUsage", "TSkinMemo", "pInfo", 8, 8, 765, 89},
        {"imgLogo", "TImage32", "pInfo", 8, 102, 225, 299},
        {"tsOptions", "TTabSheet", "PageControl"},
        {"pOptions", "TSkinPanel", "tsOptions", 0, 0, 784, 538},
        {"gbKeyboard", "TSkinGroupBox", "pOptions", 16, 16, 370, 120},
        {"rbPianoRows", "TSkinCheckBox", "gbKeyboard", 16, 24, 340, 19},
        {"rbNoteNames", "TSkinCheckBox", "gbKeyboard", 16, 48, 340, 19},
        {"gbMidi", "TSkinGroupBox", "pOptions", 400, 16, 368, 200},
        {"lNoMidi", "TSkinLabel", "gbMidi", 16, 24, 200, 19},
        {"gbSound", "TSkinGroupBox", "pOptions", 16, 150, 370, 172},
        {"gbPractice", "TSkinGroupBox", "pOptions", 16, 336, 370, 80},
        {"gbMicrophone", "TSkinGroupBox", "pOptions", 400, 230, 368, 262},
        {"lMicDevice", "TSkinLabel", "gbMicrophone", 16, 50, 90, 19},
        {"cbMicDevice", "TSkinComboBox", "gbMicrophone", 110, 48, 240, 19},
        {"lMicLevel", "TSkinLabel", "gbMicrophone", 16, 74, 90, 19},
        {"lMicHeard", "TSkinLabel", "gbMicrophone", 16, 98, 90, 19},
        {"lMicGate", "TSkinLabel", "gbMicrophone", 16, 122, 90, 19},
        {"bMeasureNoise", "TSkinBtn", "gbMicrophone", 16, 148, 190, 25},
        {"lMicRange", "TSkinLabel", "gbMicrophone", 16, 186, 90, 19},
        {"cbMicLowest", "TSkinComboBox", "gbMicrophone", 110, 184, 70, 19},
        {"lMicRangeTo", "TSkinLabel", "gbMicrophone", 190, 186, 90, 19},
        {"cbMicHighest", "TSkinComboBox", "gbMicrophone", 280, 184, 70, 19},
        {"gbLanguage", "TSkinGroupBox", "pOptions", 16, 428, 370, 100},
        {"lLanguage", "TSkinLabel", "gbLanguage", 16, 26, 120, 19},
        {"cbLanguage", "TSkinComboBox", "gbLanguage", 140, 24, 214, 19},
        {"lNoteNaming", "TSkinLabel", "gbLanguage", 16, 50, 120, 19},
        {"cbNoteNaming", "TSkinComboBox", "gbLanguage", 140, 48, 214, 19},
        {"lLanguageNext", "TSkinLabel", "gbLanguage", 16, 74, 338, 19},
        {"tsProgress", "TTabSheet", "PageControl"},
        {"SkinImages", "TSkinImages", "fMain"},
        {"BMPKeyList", "TBitmap32List", "fMain"},
        {"BMPPianoKeysList", "TBitmap32List", "fMain"},
        {"Timer", "TTimer", "fMain"},
        {"BMPScaleDegrees", "TBitmap32List", "fMain"},
        {"BMPNoteList", "TBitmap32List", "fMain"},
        {"BMPEvaluationList", "TBitmap32List", "fMain"},
    };
    std::vector<std::pair<const DesignComponent*, std::string>> actual;
    flatten(Form(), "", actual);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Placement& e = expected[i];
        const DesignComponent& c = *actual[i].first;
        SCOPED_TRACE(e.name);
        EXPECT_EQ(c.Name, e.name);
        EXPECT_EQ(c.ClassName, e.className);
        EXPECT_EQ(actual[i].second, e.parent);
        const std::pair<const char*, int> geometry[] = {
            {"Left", e.left}, {"Top", e.top}, {"Width", e.width}, {"Height", e.height}};
        for (const auto& [property, figure] : geometry) {
            const DesignProperty* p = c.Property(property);
            if (figure < 0) {
                EXPECT_EQ(p, nullptr) << property;
            } else {
                ASSERT_NE(p, nullptr) << property;
                EXPECT_EQ(p->Value, DesignValue::MakeInteger(figure)) << property;
            }
        }
    }
}

// Each event is bound to its handler by name.
TEST_F(WindowDesign, WiresEveryEventToItsHandler)
{
    const std::tuple<const char*, const char*, const char*> wiring[] = {
        {"fMain", "OnCreate", "FormCreate"},          {"fMain", "OnClose", "FormClose"},
        {"tsMain", "OnShow", "tsMainShow"},           {"cbLevel", "OnChange", "cbLevelChange"},
        {"bStart", "OnClick", "bStartClick"},         {"bReset", "OnClick", "bResetClick"},
        {"Timer", "OnTimer", "TimerTimer"},           {"imgPiano", "OnMouseDown", "imgPianoMouseDown"},
        {"imgPiano", "OnMouseUp", "imgPianoMouseUp"},
    };
    for (const auto& [componentName, event, handler] : wiring)
        EXPECT_EQ(Value(componentName, event), DesignValue::MakeIdentifier(handler)) << componentName << "." << event;
    EXPECT_EQ(Component("tsInfo").Property("OnShow"), nullptr);
    EXPECT_EQ(Value("Timer", "Enabled"), DesignValue::MakeBoolean(false));
    EXPECT_EQ(Component("Timer").Property("Interval"), nullptr); // the timer's default of 1000 ms applies
}

// Tab order within each parent, as the window's keyboard navigation expects.
TEST_F(WindowDesign, KeepsTabOrder)
{
    const std::pair<const char*, int> rows[] = {{"PageControl", 0}, {"pMain", 0},   {"imgPiano", 0}, {"bReset", 1},
                                                {"bStart", 2},      {"cbLevel", 3}, {"gbTips", 4},   {"ImgClefs", 5},
                                                {"pInfo", 0},       {"mInfo", 0},   {"mUsage", 1},   {"imgLogo", 2}};
    for (const auto& [name, order] : rows)
        EXPECT_EQ(Integer(name, "TabOrder"), order) << name;
}

// Captions, fonts (height in negative pixels) and colours of the window and its labels.
TEST_F(WindowDesign, GivesCaptionsAndFonts)
{
    struct Row
    {
        const char* name;
        const char* caption;
        int fontHeight; // 0: takes the window's font
        std::vector<std::string> style;
        const char* color;
    };
    const Row rows[] = {
        {"fMain", "DEMO Lirasto - Notes", 11, {}, "clWindowText"},
        {"SkinLabel1", "Time limit:", 16, {"fsBold"}, "clWindowText"},
        {"lCountDown", "100", 32, {"fsBold"}, "clWindowText"},
        {"SkinLabel2", "Goal (pts) :", 16, {"fsBold"}, "clWindowText"},
        {"lGoal", "100", 32, {"fsBold"}, "clWindowText"},
        {"SkinLabel4", "Score (pts) :", 16, {"fsBold"}, "clWindowText"},
        {"lScore", "0", 32, {"fsBold"}, "clWindowText"},
        {"lAnswer", "-", 32, {"fsBold"}, "clWindowText"},
        {"lQuestion", "Question", 16, {"fsBold"}, "clWindowText"},
        {"lExplanation", "Explanation", 13, {"fsItalic"}, "clWindowText"},
        {"lProgress", "-", 19, {"fsBold"}, "clBlack"},
        {"SkinLabel12", "<-- SELECT YOUR LEVEL HERE", 16, {"fsBold"}, "clWindowText"},
        {"Label14", "Say the answers out loud when the question is presented to you. ", 0, {}, nullptr},
        {"bReset", "Reset", 0, {}, nullptr},
        {"bStart", "Start", 0, {}, nullptr},
        {"gbTips", "Tip", 0, {}, nullptr},
        {"tsMain", "Lirasto", 0, {}, nullptr},
        {"tsInfo", "Information", 0, {}, nullptr},
        {"tsOptions", "Options", 0, {}, nullptr},
        {"tsProgress", "Progress", 0, {}, nullptr},
        {"lNoMidi", "No MIDI input found", 0, {}, nullptr},
        {"mInfo", "Information", 16, {"fsBold"}, "clWindowText"},
        {"mUsage", nullptr, 13, {"fsBold"}, "clWindowText"},
        {"SkinScrollingText", nullptr, 13, {}, "clWindowText"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.caption) {
            EXPECT_EQ(Value(row.name, "Caption"), DesignValue::MakeString(row.caption));
        }
        if (row.fontHeight == 0) {
            EXPECT_EQ(Component(row.name).Property("Font.Height"), nullptr);
            continue;
        }
        EXPECT_EQ(Integer(row.name, "Font.Height"), -row.fontHeight);
        EXPECT_EQ(Value(row.name, "Font.Style"), DesignValue::MakeSet(row.style));
        EXPECT_EQ(Value(row.name, "Font.Color"), DesignValue::MakeIdentifier(row.color));
        EXPECT_EQ(Value(row.name, "Font.Name"), DesignValue::MakeString("MS Sans Serif"));
        EXPECT_EQ(Value(row.name, "Font.Charset"), DesignValue::MakeIdentifier("DEFAULT_CHARSET"));
        if (row.name != std::string("fMain")) {
            EXPECT_EQ(Value(row.name, "ParentFont"), DesignValue::MakeBoolean(false));
        }
    }
    EXPECT_EQ(Value("cbLevel", "SelFont.Color"), DesignValue::MakeIdentifier("clHighlightText"));
    EXPECT_EQ(Integer("cbLevel", "SelFont.Height"), -11);
}

// The memo lines, in order, with their trailing and leading blanks.
TEST_F(WindowDesign, HoldsMemoLines)
{
    const auto lines = [](const char* name) {
        std::vector<std::string> out;
        for (const DesignValue& v : Value(name, "Lines.Strings").List)
            out.push_back(v.Text);
        return out;
    };
    const std::vector<std::string> info = lines("mInfo");
    ASSERT_EQ(info.size(), 9u);
    EXPECT_NE(info[0].find("Lirasto Software"), std::string::npos);
    EXPECT_EQ(info[1], "");
    EXPECT_EQ(info[2], "");
    EXPECT_EQ(info[3], "For information, support, tips and other ");
    EXPECT_EQ(info[4], "products, check out the website below.");
    EXPECT_EQ(info[5], "");
    EXPECT_EQ(info[6], "");
    EXPECT_NE(info[7].find('@'), std::string::npos);
    EXPECT_EQ(info[8].rfind("https://", 0), 0u);
    EXPECT_EQ(lines("mUsage"),
              (std::vector<std::string>{" USAGE", " o Select a level", " o Press 'Start' to start the current level",
                                        " o Press 'Reset' to reset the current level"}));
    EXPECT_EQ(Value("SkinScrollingText", "Strings.Strings"),
              DesignValue::MakeList({DesignValue::MakeString("SkinScrollingText")}));
}

// Every picture comes from its artwork file; each list item's position is its index.
TEST_F(WindowDesign, TakesEveryPictureFromItsArtworkFile)
{
    const auto bytes = [](const std::string& name) {
        return DesignValue::MakeBinary(std::vector<uint8_t>(name.begin(), name.end()));
    };
    EXPECT_EQ(Value("imgPiano", "Bitmap.Data"), bytes("keyboard.bmp32"));
    EXPECT_EQ(Value("ImgClefs", "Bitmap.Data"), bytes("staff.bmp32"));
    EXPECT_EQ(Value("imgLogo", "Bitmap.Data"), bytes("logo.bmp32"));
    EXPECT_EQ(Value("fMain", "Icon.Data"), bytes("icon.ico"));

    const std::vector<std::vector<DesignProperty>>& wallpapers = Value("SkinImages", "Images").Items;
    ASSERT_EQ(wallpapers.size(), 1u);
    EXPECT_EQ(wallpapers[0], (std::vector<DesignProperty>{{"Picture.Data", bytes("wallpaper.picture")}}));

    const struct
    {
        const char* list;
        const char* prefix;
        int count;
        bool twoDigits;
    } lists[] = {{"BMPKeyList", "key_", 63, true},
                 {"BMPPianoKeysList", "pianokey_", 8, false},
                 {"BMPScaleDegrees", "degree_", 7, false},
                 {"BMPNoteList", "note_", 13, false},
                 {"BMPEvaluationList", "mark_", 4, false}};
    for (const auto& l : lists) {
        const auto& items = Value(l.list, "Bitmaps").Items;
        ASSERT_EQ(items.size(), static_cast<std::size_t>(l.count)) << l.list;
        for (int i = 0; i < l.count; ++i) {
            const std::string number = (l.twoDigits && i < 10 ? "0" : "") + std::to_string(i);
            EXPECT_EQ(items[static_cast<std::size_t>(i)],
                      (std::vector<DesignProperty>{{"Bitmap.Data", bytes(l.prefix + number + ".bmp32")}}))
                << l.list << " " << i;
        }
    }
    EXPECT_EQ(ArtworkNames().size(), 4u + 1u + 63u + 8u + 7u + 13u + 4u);
}

// The image views show their pictures unscaled from the top-left corner; the staff view is white behind.
TEST_F(WindowDesign, ShowsPicturesUnscaledFromTopLeft)
{
    for (const char* name : {"imgPiano", "ImgClefs", "imgLogo"}) {
        EXPECT_EQ(Value(name, "BitmapAlign"), DesignValue::MakeIdentifier("baTopLeft")) << name;
        EXPECT_EQ(Value(name, "ScaleMode"), DesignValue::MakeIdentifier("smNormal")) << name;
        EXPECT_EQ(Integer(name, "Scale"), 1) << name;
    }
    EXPECT_EQ(Value("ImgClefs", "Color"), DesignValue::MakeIdentifier("clWhite"));
    EXPECT_EQ(Value("ImgClefs", "ParentColor"), DesignValue::MakeBoolean(false));
}

// The design survives the trip through the stream and back through the text form.
TEST_F(WindowDesign, SurvivesStreamAndTextRoundTrips)
{
    const std::vector<uint8_t> stream = lirasto::WriteDesignStream(Form());
    EXPECT_EQ(lirasto::ReadDesignStream(stream), Form());
    EXPECT_EQ(lirasto::ParseDesignText(lirasto::WriteDesignText(Form())), Form());
}

} // namespace

// A design read in place writes the same text as one whose pictures were copied.
TEST(DesignTextWriter, WritesPicturesReadInPlace)
{
    lirasto::DesignComponent root;
    root.ClassName = "TfMain";
    root.Name = "fMain";
    root.Properties.push_back({"Icon.Data", lirasto::DesignValue::MakeBinary({0x00, 0xAB, 0xFF})});
    const std::vector<uint8_t> stream = lirasto::WriteDesignStream(root);
    const auto viewed = lirasto::ReadDesignStream(stream, lirasto::DesignBinaries::Viewed);
    EXPECT_EQ(lirasto::WriteDesignText(viewed), lirasto::WriteDesignText(root));
    EXPECT_NE(lirasto::WriteDesignText(viewed).find("00ABFF"), std::string::npos);
}
