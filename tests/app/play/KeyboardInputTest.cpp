#include "tests/app/window/MainWindowFixture.h"

#include "app/play/KeyboardInput.h"
#include "app/play/KeyboardLayout.h"
#include "app/play/PianoHighlight.h"

#include <QAbstractItemView>
#include <QKeyEvent>

using namespace lirasto::test;

namespace {

struct NotesPlayed : TGameListener
{
    std::vector<int> down_;
    void KeyDown(int note, TInputSource source) override
    {
        if (source == TInputSource::ComputerKeyboard)
            down_.push_back(note);
    }
};

// Real key events sent into the window, as the window system delivers them to the focused control.
class KeyboardInput : public MainWindowTest
{
protected:
    void OpenWithRecorder()
    {
        OpenShown();
        Core().AddListener(&played_);
    }
    void Key(QEvent::Type type, int qtKey, quint32 scanCode, Qt::KeyboardModifiers modifiers = {}, bool repeat = false,
             QObject* to = nullptr, quint64 time = 0)
    {
        QKeyEvent event(type, qtKey, modifiers, scanCode, 0, 0, QString(), repeat);
        event.setTimestamp(time);
        QCoreApplication::sendEvent(to ? to : form_->cbLevel, &event);
    }
    // A key held down as X repeats it when the repeat slips past Qt: unmarked release and press pairs.
    void HoldUnmarked(int qtKey, quint32 scanCode, int repeats)
    {
        Key(QEvent::KeyPress, qtKey, scanCode, {}, false, nullptr, 1000);
        for (quint64 time = 1033; time < 1000 + 33u * (repeats + 1); time += 33)
            for (auto type : {QEvent::KeyRelease, QEvent::KeyPress})
                Key(type, qtKey, scanCode, {}, false, nullptr, time);
        Key(QEvent::KeyRelease, qtKey, scanCode, {}, false, nullptr, 90000);
    }
    void Tap(int qtKey, quint32 scanCode, Qt::KeyboardModifiers modifiers = {})
    {
        Key(QEvent::KeyPress, qtKey, scanCode, modifiers);
        Key(QEvent::KeyRelease, qtKey, scanCode, modifiers);
    }
    NotesPlayed played_;
};

struct SchemeRow
{
    const char* name;
    TKeyboardScheme scheme;
    int qtKey;
    quint32 scanCode;
    Qt::KeyboardModifiers modifiers;
    int note;
};

class KeyboardSchemes : public KeyboardInput, public testing::WithParamInterface<SchemeRow>
{};

// Each scheme plays its note; keys of the other scheme play nothing.
TEST_P(KeyboardSchemes, PlayTheirNote)
{
    const SchemeRow& row = GetParam();
    OpenWithRecorder();
    form_->KeyboardInput().SetScheme(row.scheme);
    Tap(Qt::Key_Space, 65);
    Key(QEvent::KeyPress, row.qtKey, row.scanCode, row.modifiers);
    EXPECT_EQ(played_.down_, (row.note < 0 ? std::vector<int>{} : std::vector<int>{row.note}));
    EXPECT_EQ(form_->PianoHighlight().KeyHighlightLayers().size(), row.note < 0 ? 0u : 1u);
    Key(QEvent::KeyRelease, row.qtKey, row.scanCode, row.modifiers);
    EXPECT_TRUE(form_->PianoHighlight().KeyHighlightLayers().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeyboardSchemes,
    testing::Values(SchemeRow{"RowsHomeA", TKeyboardScheme::PianoRows, Qt::Key_Q, 38, {}, 60},
                    SchemeRow{"RowsAboveW", TKeyboardScheme::PianoRows, Qt::Key_Z, 25, {}, 61},
                    SchemeRow{"RowsK", TKeyboardScheme::PianoRows, Qt::Key_K, 45, {}, 72},
                    SchemeRow{"RowsO", TKeyboardScheme::PianoRows, Qt::Key_O, 32, {}, 73},
                    SchemeRow{"RowsGapR", TKeyboardScheme::PianoRows, Qt::Key_R, 27, {}, -1},
                    SchemeRow{"NamesC", TKeyboardScheme::NoteNames, Qt::Key_C, 54, {}, 60},
                    SchemeRow{"NamesShiftF", TKeyboardScheme::NoteNames, Qt::Key_F, 41, Qt::ShiftModifier, 66},
                    SchemeRow{"NamesCtrlB", TKeyboardScheme::NoteNames, Qt::Key_B, 56, Qt::ControlModifier, 70},
                    SchemeRow{"NamesCtrlC", TKeyboardScheme::NoteNames, Qt::Key_C, 54, Qt::ControlModifier, 59},
                    SchemeRow{"NamesH", TKeyboardScheme::NoteNames, Qt::Key_H, 43, {}, -1}),
    [](const testing::TestParamInfo<SchemeRow>& info) { return std::string(info.param.name); });

// Space starts, the right key answers at once on the way down, and Escape resets.
TEST_F(KeyboardInput, SpaceStartsKeysAnswerEscapeResets)
{
    OpenWithRecorder();
    form_->KeyboardInput().SetScheme(TKeyboardScheme::NoteNames);
    Tap(Qt::Key_Space, 65);
    EXPECT_TRUE(Core().Running());
    Tick();
    const int pc = Core().CurrentNote() % 12;
    const int qtKeys[12] = {Qt::Key_C, Qt::Key_C, Qt::Key_D, Qt::Key_D, Qt::Key_E, Qt::Key_F,
                            Qt::Key_F, Qt::Key_G, Qt::Key_G, Qt::Key_A, Qt::Key_A, Qt::Key_B};
    const bool sharp = pc == 1 || pc == 3 || pc == 6 || pc == 8 || pc == 10;
    Key(QEvent::KeyPress, qtKeys[pc], 0, sharp ? Qt::ShiftModifier : Qt::NoModifier, false, form_->bReset);
    EXPECT_EQ(Caption(form_->lAnswer), QStringLiteral("RIGHT!"));
    EXPECT_EQ(Core().Score(), 5);
    Key(QEvent::KeyRelease, qtKeys[pc], 0, sharp ? Qt::ShiftModifier : Qt::NoModifier, false, form_->bReset);
    Tap(Qt::Key_Escape, 9);
    EXPECT_FALSE(Core().Running());
    EXPECT_EQ(Core().Score(), 0);
}

// Z and X move the rows an octave, within the drawn keyboard; the highlight shows the octave played.
TEST_F(KeyboardInput, OctaveShiftMovesTheRowsAndTheHighlight)
{
    OpenWithRecorder();
    Tap(Qt::Key_Space, 65);
    const struct
    {
        quint32 shift;
        int base;
    } steps[] = {{53, 72}, {53, 72}, {52, 60}, {52, 48}, {52, 36}, {52, 36}};
    for (const auto& step : steps) {
        Tap(Qt::Key_X, step.shift);
        EXPECT_EQ(form_->KeyboardInput().OctaveBase(), step.base);
        Key(QEvent::KeyPress, Qt::Key_A, 38);
        // The rows' C lights for a moment, the rows' keys are marked, and the key played stays lit while
        // held: all in that octave.
        ASSERT_EQ(form_->imgPiano->Layers()->Count(), 3);
        for (int i = 0; i < 3; ++i) {
            const auto* layer = static_cast<TPositionedLayer*>(form_->imgPiano->Layers()->Items(i));
            EXPECT_EQ(layer->Location().Left, (step.base - 36) / 12 * kOctaveWidth);
        }
        Key(QEvent::KeyRelease, Qt::Key_A, 38);
    }
    EXPECT_EQ(form_->imgPiano->Layers()->Count(), 2); // a new mark replaces the last one
}

// A key held down repeats; the repeats are neither presses nor releases.
TEST_F(KeyboardInput, AutoRepeatIsNotANewPress)
{
    OpenWithRecorder();
    Tap(Qt::Key_Space, 65);
    Tick();
    Key(QEvent::KeyPress, Qt::Key_A, 38);
    for (int i = 0; i < 5; ++i) {
        Key(QEvent::KeyRelease, Qt::Key_A, 38, {}, true);
        Key(QEvent::KeyPress, Qt::Key_A, 38, {}, true);
    }
    EXPECT_EQ(played_.down_, std::vector<int>{60});
    EXPECT_EQ(form_->PianoHighlight().KeyHighlightLayers().size(), 1u);
    Key(QEvent::KeyRelease, Qt::Key_A, 38);
    EXPECT_TRUE(form_->PianoHighlight().KeyHighlightLayers().empty());
}

// The fourteen keys of the rows, by place from A to O, play fourteen semitones up from the rows' C.
TEST_F(KeyboardInput, RowsPlayFourteenConsecutiveSemitones)
{
    OpenWithRecorder();
    const quint32 byPlace[] = {38, 25, 39, 26, 40, 41, 28, 42, 29, 43, 30, 44, 45, 32}; // A W S E D F T G Y H U J K O
    for (quint32 scanCode : byPlace)
        Tap(Qt::Key_unknown, scanCode);
    EXPECT_EQ(played_.down_, (std::vector<int>{60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73}));
}

// Repeats the X server sends as unmarked release and press pairs with one time are no new
// presses: a held row key answers once, a held X moves the rows one octave.
TEST_F(KeyboardInput, UnmarkedRepeatPairsAreNoNewPresses)
{
    OpenWithRecorder();
    Tap(Qt::Key_Space, 65);
    Tick();
    HoldUnmarked(Qt::Key_A, 38, 60);
    EXPECT_EQ(played_.down_, std::vector<int>{60});
    HoldUnmarked(Qt::Key_X, 53, 30);
    EXPECT_EQ(form_->KeyboardInput().OctaveBase(), 72);
    // A new press after the release, at another time, plays again, in the octave X moved to.
    Key(QEvent::KeyPress, Qt::Key_A, 38, {}, false, nullptr, 90001);
    EXPECT_EQ(played_.down_, (std::vector<int>{60, 72}));
}

// A key let go on another page is let go of: it is not left lit, and its next press plays.
TEST_F(KeyboardInput, KeyReleasedOnAnotherPageIsReleased)
{
    OpenWithRecorder();
    Key(QEvent::KeyPress, Qt::Key_A, 38);
    form_->PageControl->setCurrentWidget(form_->tsOptions);
    Key(QEvent::KeyRelease, Qt::Key_A, 38, {}, false, form_->tsOptions);
    form_->PageControl->setCurrentWidget(form_->tsMain);
    EXPECT_FALSE(Core().IsHeld(60, TInputSource::ComputerKeyboard));
    EXPECT_TRUE(form_->PianoHighlight().KeyHighlightLayers().empty());
    Key(QEvent::KeyPress, Qt::Key_A, 38);
    EXPECT_EQ(played_.down_, (std::vector<int>{60, 60}));
}

// The drawn piano marks the rows' keys while they play, from their C to the next C sharp; in the
// top octave K and O, beyond the drawn keys, play nothing rather than light a key an octave down.
TEST_F(KeyboardInput, RowsAreMarkedAndTheTopOctaveEndsAtTheDrawnPiano)
{
    OpenWithRecorder();
    EXPECT_EQ(form_->PianoHighlight().RowsShown(), 0);
    Tap(Qt::Key_A, 38);
    EXPECT_EQ(form_->PianoHighlight().RowsShown(), 60);
    for (quint32 scanCode : {53, 53, 45, 32, 44}) // X X K O J
        Tap(Qt::Key_unknown, scanCode);
    EXPECT_EQ(form_->PianoHighlight().RowsShown(), 72);
    EXPECT_EQ(played_.down_, (std::vector<int>{60, 83}));
    form_->KeyboardInput().SetScheme(TKeyboardScheme::NoteNames);
    EXPECT_EQ(form_->PianoHighlight().RowsShown(), 0);
}

struct LayoutRow
{
    const char* layouts;
    const char* rowsHint;
    bool latinSaid; // the letter names say they go by the keys' Latin letters
    int qtKey;      // what the key at the US C's place sends; it plays C all the same
};

class KeyboardLayouts : public KeyboardInput, public testing::WithParamInterface<LayoutRow>
{};

// The hints name the letters of the player's layout; on a Cyrillic layout the letter names play
// by the keys' Latin letters.
TEST_P(KeyboardLayouts, HintsAndLetterNamesFollowTheLayout)
{
    const LayoutRow& row = GetParam();
    OpenWithRecorder();
    form_->KeyboardInput().SetLayout(TKeyboardLayout::FromNames(row.layouts));
    EXPECT_EQ(form_->KeyboardInput().RowsHint().toStdString(), row.rowsHint);
    EXPECT_EQ(form_->KeyboardInput().NamesHint().startsWith("Note names: Latin C D"), row.latinSaid);
    form_->KeyboardInput().SetScheme(TKeyboardScheme::NoteNames);
    Key(QEvent::KeyPress, row.qtKey, 54);
    EXPECT_EQ(played_.down_, std::vector<int>{60});
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeyboardLayouts,
    testing::Values(LayoutRow{"fr", "Piano rows: Q S D F G H J K, Z E T Y U O; W X octave", false, Qt::Key_C},
                    LayoutRow{"ru",
                              "Piano rows: \u0424 \u042B \u0412 \u0410 \u041F \u0420 \u041E \u041B, \u0426 \u0423 "
                              "\u0415 \u041D \u0413 \u0429; \u042F \u0427 octave",
                              true, 0x0421},
                    LayoutRow{"us,ru", "Piano rows: A S D F G H J K, W E T Y U O; Z X octave", false, 0x0421}),
    [](const testing::TestParamInfo<LayoutRow>& info) { return std::to_string(info.index); });

// While the level list is open its keys are its own; on another page the piano plays nothing.
TEST_F(KeyboardInput, OpenLevelListAndOtherPagesTakeNoNotes)
{
    OpenWithRecorder();
    form_->cbLevel->showPopup();
    ASSERT_TRUE(form_->cbLevel->view()->isVisible());
    Tap(Qt::Key_Space, 65);
    Key(QEvent::KeyPress, Qt::Key_A, 38, {}, false, form_->cbLevel->view());
    EXPECT_FALSE(Core().Running());
    EXPECT_TRUE(played_.down_.empty());
    form_->cbLevel->hidePopup();
    form_->PageControl->setCurrentWidget(form_->tsInfo);
    Tap(Qt::Key_Space, 65);
    EXPECT_FALSE(Core().Running());
}

} // namespace
