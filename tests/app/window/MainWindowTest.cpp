#include "tests/app/window/MainWindowFixture.h"

#include "resources/DesignStream.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QFontInfo>
#include <QTabWidget>
#include <csignal>
#include <fstream>
#include <thread>

using namespace lirasto::test;

namespace {

struct ControlRow
{
    const char* name;
    const char* className;
    const char* parent;
    int left, top, width, height;
    const char* caption; // nullptr where the control shows no caption
};

// Every control of the window stands where the design puts it, on the right
// parent, with its first caption. Labels size themselves to their text, so
// only their corner is fixed.
const ControlRow kControls[] = {
    {"SkinLabel1", "TSkinLabel", "pMain", 618, 30, -1, -1, "Time limit:"},
    {"lCountDown", "TSkinLabel", "pMain", 618, 48, -1, -1, "100"},
    {"SkinLabel2", "TSkinLabel", "pMain", 618, 92, -1, -1, "Goal (pts) :"},
    {"lGoal", "TSkinLabel", "pMain", 618, 109, -1, -1, "100"},
    {"SkinLabel4", "TSkinLabel", "pMain", 618, 153, -1, -1, "Score (pts) :"},
    {"lScore", "TSkinLabel", "pMain", 618, 171, -1, -1, "0"},
    {"lAnswer", "TSkinLabel", "pMain", 618, 235, -1, -1, "-"},
    {"lQuestion", "TSkinLabel", "pMain", 154, 453, -1, -1, "Question"},
    {"lExplanation", "TSkinLabel", "pMain", 157, 476, -1, -1, "Explanation"},
    {"lProgress", "TSkinLabel", "pMain", 26, 506, -1, -1, "-"},
    {"SkinLabel12", "TSkinLabel", "pMain", 262, 5, -1, -1, "<-- SELECT YOUR LEVEL HERE"},
    {"imgPiano", "TImage32", "pMain", 20, 333, 560, 71, nullptr},
    {"bReset", "TSkinBtn", "pMain", 21, 451, 43, 25, "Reset"},
    {"bStart", "TSkinBtn", "pMain", 72, 451, 75, 25, "Start"},
    {"cbLevel", "TSkinComboBox", "pMain", 14, 6, 239, 19, nullptr},
    {"gbTips", "TSkinGroupBox", "pMain", 16, 408, 465, 41, "Tip"},
    {"Label14", "TSkinLabel", "gbTips", 16, 16, -1, -1,
     "Say the answers out loud when the question is presented to you. "},
    {"ImgClefs", "TImage32", "pMain", 14, 30, 575, 289, nullptr},
    {"SkinScrollingText", "TSkinScrollingText", "pInfo", 7, 512, 770, 22, nullptr},
    {"mInfo", "TSkinMemo", "pInfo", 245, 103, 524, 299, nullptr},
    {"mUsage", "TSkinMemo", "pInfo", 8, 8, 765, 89, nullptr},
    {"imgLogo", "TImage32", "pInfo", 8, 102, 225, 299, nullptr},
};

class WindowLayout : public MainWindowTest, public testing::WithParamInterface<ControlRow>
{};

TEST_P(WindowLayout, ControlStandsAtItsPlaceWithItsFirstCaption)
{
    const ControlRow& row = GetParam();
    Open();
    auto* widget = form_->findChild<QWidget*>(QString::fromLatin1(row.name));
    ASSERT_NE(widget, nullptr) << row.name;
    EXPECT_STREQ(widget->metaObject()->className(), row.className);
    ASSERT_NE(widget->parentWidget(), nullptr);
    EXPECT_EQ(widget->parentWidget()->objectName(), QString::fromLatin1(row.parent));
    EXPECT_EQ(widget->x(), row.left) << row.name;
    EXPECT_EQ(widget->y(), row.top) << row.name;
    if (row.width >= 0) {
        EXPECT_EQ(widget->width(), row.width) << row.name;
        EXPECT_EQ(widget->height(), row.height) << row.name;
    }
    if (row.caption) {
        EXPECT_EQ(widget->property("Caption").toString(), QString::fromLatin1(row.caption)) << row.name;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryControl, WindowLayout, testing::ValuesIn(kControls),
                         [](const testing::TestParamInfo<ControlRow>& info) { return std::string(info.param.name); });

// The window has a fixed client area and opens on the game page, idle.
TEST_F(MainWindowTest, OpensFixedSizeOnTheGamePageIdle)
{
    OpenShown();
    EXPECT_EQ(form_->size(), QSize(792, 566));
    EXPECT_EQ(form_->minimumSize(), QSize(792, 566));
    EXPECT_EQ(form_->maximumSize(), QSize(792, 566));
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("DEMO Lirasto - Notes"));
    EXPECT_EQ(form_->PageControl->currentWidget(), form_->tsMain);
    EXPECT_EQ(form_->PageControl->geometry(), QRect(0, 0, 792, 566));
    EXPECT_EQ(form_->pMain->size(), QSize(784, 538));
    EXPECT_EQ(form_->PageControl->tabText(0), QStringLiteral("Lirasto"));
    EXPECT_EQ(form_->PageControl->tabText(1), QStringLiteral("Information"));
    EXPECT_TRUE(form_->bStart->isEnabled());
    EXPECT_FALSE(form_->bReset->isEnabled());
    EXPECT_TRUE(form_->cbLevel->isEnabled());
    EXPECT_FALSE(form_->Timer->Enabled());
    EXPECT_EQ(form_->Timer->interval(), 1000);
    EXPECT_FALSE(form_->windowIcon().isNull());
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join('\n').toStdString();
}

// The window icon keeps the transparency of its mask: a clear ground around opaque notes.
TEST_F(MainWindowTest, WindowIconIsTransparentAroundItsNotes)
{
    Open();
    const QImage icon = form_->windowIcon().pixmap(128, 128).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(icon.size(), QSize(128, 128));
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(127, 127)), 0);
    int opaque = 0, greenish = 0;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const QRgb p = icon.pixel(x, y);
            if (qAlpha(p) == 255) {
                ++opaque;
                greenish += qGreen(p) > qRed(p) && qGreen(p) > qBlue(p);
            }
        }
    EXPECT_GT(opaque, 128 * 128 / 20);
    EXPECT_GT(greenish, opaque / 2);
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join('\n').toStdString();
}

// A first start with no settings file shows level 1, C major, and the full time.
TEST_F(MainWindowTest, FirstStartShowsLevelOne)
{
    OpenShown();
    EXPECT_EQ(Core().Level(), 1);
    ASSERT_EQ(form_->cbLevel->count(), 12);
    EXPECT_EQ(form_->cbLevel->currentIndex(), 0);
    EXPECT_EQ(form_->cbLevel->itemText(0), QStringLiteral("Level 1: C Major"));
    EXPECT_EQ(Caption(form_->lGoal), QStringLiteral("300"));
    EXPECT_EQ(Caption(form_->lCountDown), QStringLiteral("150 SEC."));
    EXPECT_EQ(Caption(form_->lScore), QStringLiteral("0"));
    EXPECT_EQ(Caption(form_->lQuestion), QStringLiteral("What note is this? "));
    EXPECT_EQ(Caption(form_->lExplanation), QStringLiteral("Click on any corresponding key on the keyboard!"));
    EXPECT_EQ(Caption(form_->lProgress), QString());
    // Both staves show the empty key signature of C: two layers on the staff, none on the piano.
    EXPECT_EQ(form_->ImgClefs->Layers()->Count(), 2);
    EXPECT_EQ(form_->imgPiano->Layers()->Count(), 0);
}

// The level list holds exactly the twelve levels in order of their key signatures.
TEST_F(MainWindowTest, LevelListHoldsTheTwelveKeys)
{
    Open();
    const char* const expected[] = {"Level 1: C Major",   "Level 2: F Major",  "Level 3: G Major",
                                    "Level 4: Bb Major",  "Level 5: D Major",  "Level 6: Eb Major",
                                    "Level 7: A Major",   "Level 8: Ab Major", "Level 9: E Major",
                                    "Level 10: Db Major", "Level 11: B Major", "Level 12: Gb Major"};
    ASSERT_EQ(form_->cbLevel->count(), 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(form_->cbLevel->itemText(i), QString::fromLatin1(expected[i]));
}

// The memos and the credits line carry their texts.
TEST_F(MainWindowTest, InformationPageCarriesItsTexts)
{
    Open();
    const QStringList usage = form_->mUsage->property("Lines").toStringList();
    EXPECT_EQ(usage, (QStringList{" USAGE", " o Select a level", " o Press 'Start' to start the current level",
                                  " o Press 'Reset' to reset the current level"}));
    const QStringList info = form_->mInfo->property("Lines").toStringList();
    ASSERT_EQ(info.size(), 9);
    EXPECT_EQ(info[3], QStringLiteral("For information, support, tips and other "));
    EXPECT_EQ(info[4], QStringLiteral("products, check out the website below."));
    const QStringList credits = form_->SkinScrollingText->property("Strings").toStringList();
    ASSERT_EQ(credits.size(), 1);
    EXPECT_TRUE(credits[0].contains(QStringLiteral("v1.0.0")));
}

// An error in a handler is shown with its text; the handler stops there and the program goes on.
TEST_F(MainWindowTest, ErrorInHandlerIsShownAndTheProgramGoesOn)
{
    OpenShown();
    Core().LoadLevel(13); // no such row in the level table
    form_->PageControl->setCurrentWidget(form_->tsInfo);
    form_->PageControl->setCurrentWidget(form_->tsMain);
    ASSERT_EQ(errors_.size(), 1);
    EXPECT_TRUE(errors_[0].contains(QStringLiteral("13"))) << errors_[0].toStdString();
    Core().LoadLevel(2);
    form_->PageControl->setCurrentWidget(form_->tsInfo);
    form_->PageControl->setCurrentWidget(form_->tsMain);
    EXPECT_EQ(errors_.size(), 1);
    EXPECT_EQ(form_->cbLevel->currentIndex(), 1);
}

// An exception escaping any event handler reaches the application's loop, which reports it.
TEST_F(MainWindowTest, ApplicationLoopCatchesEscapingExceptions)
{
    class Thrower : public QObject
    {
    public:
        bool event(QEvent* e) override
        {
            if (e->type() == QEvent::User)
                throw lirasto::ERangeError("Range check error");
            return QObject::event(e);
        }
    } thrower;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&thrower, &event);
    ASSERT_EQ(errors_.size(), 1);
    EXPECT_EQ(errors_[0], QStringLiteral("Range check error"));
}

// The window the program builds lends its picture lists the design built into the program; every
// picture read from it that way equals the one a window copies from a design of its own.
TEST_F(MainWindowTest, PicturesLentByTheBuiltInDesignEqualCopiedOnes)
{
    TfMain* lent = Open();
    std::unique_ptr<TfMain> copied(CreateMainForm(lirasto::ReadDesignStream(embeddedDesignStream())));
    const struct
    {
        const char* name;
        TBitmap32List* TfMain::*list;
        int count;
    } lists[] = {
        {"BMPKeyList", &TfMain::BMPKeyList, 63},
        {"BMPPianoKeysList", &TfMain::BMPPianoKeysList, 8},
        {"BMPScaleDegrees", &TfMain::BMPScaleDegrees, 7},
        {"BMPNoteList", &TfMain::BMPNoteList, 13},
        {"BMPEvaluationList", &TfMain::BMPEvaluationList, 4},
    };
    for (const auto& l : lists) {
        TBitmap32List* a = lent->*l.list;
        TBitmap32List* b = copied.get()->*l.list;
        ASSERT_EQ(a->Count(), l.count) << l.name;
        ASSERT_EQ(b->Count(), l.count) << l.name;
        for (int i = 0; i < l.count; ++i)
            EXPECT_EQ(a->Bitmap(i)->WriteData(), b->Bitmap(i)->WriteData()) << l.name << " " << i;
    }
}

// Controls that name no font take the design's standard one, so the window opens one family only.
TEST_F(MainWindowTest, StandardFontIsTheDesignsOwn)
{
    InstallFontSubstitutions();
    const QFont standard = QApplication::font();
    EXPECT_EQ(standard.family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(standard.pixelSize(), 11);
    EXPECT_EQ(QFontInfo(standard).family(), QStringLiteral("Liberation Sans"));
}

// A design naming an unknown class, property or handler is refused with the name in the message.
TEST_F(MainWindowTest, UnknownClassPropertyOrHandlerIsNamed)
{
    auto design = lirasto::ReadDesignStream(embeddedDesignStream());
    auto withChange = [&](auto change) {
        auto copy = design;
        change(copy);
        try {
            std::unique_ptr<TfMain> f(CreateMainForm(copy));
        } catch (const lirasto::Exception& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_NE(withChange([](auto& d) { d.Children.front().ClassName = "TFancyThing"; }).find("TFancyThing"),
              std::string::npos);
    EXPECT_NE(withChange([](auto& d) {
                  d.Properties.push_back({"Sparkle", lirasto::DesignValue::MakeInteger(1)});
              }).find("Sparkle"),
              std::string::npos);
    EXPECT_NE(withChange([](auto& d) {
                  for (auto& p : d.Properties)
                      if (p.Name == "OnCreate")
                          p.Value = lirasto::DesignValue::MakeIdentifier("FormExplode");
              }).find("FormExplode"),
              std::string::npos);
}

} // namespace

namespace {

// A teardown that hangs after the window has closed (a sound driver stuck while closing) still
// ends the process, with the exit code the event loop gave.
TEST(Teardown, AHangingTeardownEndsTheProcess)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            EndIfTeardownHangs(3, std::chrono::milliseconds(100));
            std::this_thread::sleep_for(std::chrono::seconds(30));
        },
        testing::ExitedWithCode(3), "took too long");
}

// A termination request closes the window the normal way, so the level reached is kept.
TEST_F(MainWindowTest, TerminationSignalClosesTheWindowAndKeepsTheLevel)
{
    OpenShown();
    form_->cbLevel->setCurrentIndex(6);
    form_->cbLevelChange(form_->cbLevel);
    CloseOnTerminationSignals(form_.get());
    ASSERT_EQ(::raise(SIGTERM), 0);
    for (int i = 0; i < 50 && form_->isVisible(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(form_->isVisible());
    std::ifstream in(WorkDir() / "vantrel.ini");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("Level=7"), std::string::npos) << text;
    signal(SIGTERM, SIG_DFL);
    signal(SIGINT, SIG_DFL);
}

} // namespace
