#include "tests/app/MainWindowFixture.h"

#include "app/KeyboardInput.h"

#include <QAbstractItemView>
#include <QKeyEvent>

using namespace lirasto::test;

namespace {

struct NotesPlayed : TGameListener
{
    std::vector<int> down;
    void KeyDown(int note, TInputSource source) override
    {
        if (source == TInputSource::ComputerKeyboard)
            down.push_back(note);
    }
};

// Real key events sent into the window, as the window system delivers them to the focused control.
class KeyboardInput : public MainWindowTest
{
protected:
    void openWithRecorder()
    {
        openShown();
        core().AddListener(&played);
    }
    void key(QEvent::Type type, int qtKey, quint32 scanCode, Qt::KeyboardModifiers modifiers = {}, bool repeat = false,
             QObject* to = nullptr)
    {
        QKeyEvent event(type, qtKey, modifiers, scanCode, 0, 0, QString(), repeat);
        QCoreApplication::sendEvent(to ? to : form->cbLevel, &event);
    }
    void tap(int qtKey, quint32 scanCode, Qt::KeyboardModifiers modifiers = {})
    {
        key(QEvent::KeyPress, qtKey, scanCode, modifiers);
        key(QEvent::KeyRelease, qtKey, scanCode, modifiers);
    }
    NotesPlayed played;
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
    openWithRecorder();
    form->KeyboardInput().SetScheme(row.scheme);
    tap(Qt::Key_Space, 65);
    key(QEvent::KeyPress, row.qtKey, row.scanCode, row.modifiers);
    EXPECT_EQ(played.down, (row.note < 0 ? std::vector<int>{} : std::vector<int>{row.note}));
    EXPECT_EQ(form->imgPiano->Layers()->Count(), row.note < 0 ? 0 : 1);
    key(QEvent::KeyRelease, row.qtKey, row.scanCode, row.modifiers);
    EXPECT_EQ(form->imgPiano->Layers()->Count(), 0);
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
    openWithRecorder();
    form->KeyboardInput().SetScheme(TKeyboardScheme::NoteNames);
    tap(Qt::Key_Space, 65);
    EXPECT_TRUE(core().Running());
    tick();
    const int pc = core().CurrentNote() % 12;
    const int qtKeys[12] = {Qt::Key_C, Qt::Key_C, Qt::Key_D, Qt::Key_D, Qt::Key_E, Qt::Key_F,
                            Qt::Key_F, Qt::Key_G, Qt::Key_G, Qt::Key_A, Qt::Key_A, Qt::Key_B};
    const bool sharp = pc == 1 || pc == 3 || pc == 6 || pc == 8 || pc == 10;
    key(QEvent::KeyPress, qtKeys[pc], 0, sharp ? Qt::ShiftModifier : Qt::NoModifier, false, form->bReset);
    EXPECT_EQ(caption(form->lAnswer), QStringLiteral("RIGHT!"));
    EXPECT_EQ(core().Score(), 5);
    key(QEvent::KeyRelease, qtKeys[pc], 0, sharp ? Qt::ShiftModifier : Qt::NoModifier, false, form->bReset);
    tap(Qt::Key_Escape, 9);
    EXPECT_FALSE(core().Running());
    EXPECT_EQ(core().Score(), 0);
}

// Z and X move the rows an octave, within the drawn keyboard; the highlight shows the octave played.
TEST_F(KeyboardInput, OctaveShiftMovesTheRowsAndTheHighlight)
{
    openWithRecorder();
    tap(Qt::Key_Space, 65);
    const struct
    {
        quint32 shift;
        int base;
    } steps[] = {{53, 72}, {53, 72}, {52, 60}, {52, 48}, {52, 36}, {52, 36}};
    for (const auto& step : steps) {
        tap(Qt::Key_X, step.shift);
        EXPECT_EQ(form->KeyboardInput().OctaveBase(), step.base);
        key(QEvent::KeyPress, Qt::Key_A, 38);
        // The rows' C lights for a moment, and the key played stays lit while held: both in that octave.
        ASSERT_EQ(form->imgPiano->Layers()->Count(), 2);
        for (int i = 0; i < 2; ++i) {
            const auto* layer = static_cast<TPositionedLayer*>(form->imgPiano->Layers()->Items(i));
            EXPECT_EQ(layer->Location().Left, (step.base - 36) / 12 * kOctaveWidth);
        }
        key(QEvent::KeyRelease, Qt::Key_A, 38);
    }
    EXPECT_EQ(form->imgPiano->Layers()->Count(), 1); // a new mark replaces the last one
}

// A key held down repeats; the repeats are neither presses nor releases.
TEST_F(KeyboardInput, AutoRepeatIsNotANewPress)
{
    openWithRecorder();
    tap(Qt::Key_Space, 65);
    tick();
    key(QEvent::KeyPress, Qt::Key_A, 38);
    for (int i = 0; i < 5; ++i) {
        key(QEvent::KeyRelease, Qt::Key_A, 38, {}, true);
        key(QEvent::KeyPress, Qt::Key_A, 38, {}, true);
    }
    EXPECT_EQ(played.down, std::vector<int>{60});
    EXPECT_EQ(form->imgPiano->Layers()->Count(), 1);
    key(QEvent::KeyRelease, Qt::Key_A, 38);
    EXPECT_EQ(form->imgPiano->Layers()->Count(), 0);
}

// While the level list is open its keys are its own; on another page the piano plays nothing.
TEST_F(KeyboardInput, OpenLevelListAndOtherPagesTakeNoNotes)
{
    openWithRecorder();
    form->cbLevel->showPopup();
    ASSERT_TRUE(form->cbLevel->view()->isVisible());
    tap(Qt::Key_Space, 65);
    key(QEvent::KeyPress, Qt::Key_A, 38, {}, false, form->cbLevel->view());
    EXPECT_FALSE(core().Running());
    EXPECT_TRUE(played.down.empty());
    form->cbLevel->hidePopup();
    form->PageControl->setCurrentWidget(form->tsInfo);
    tap(Qt::Key_Space, 65);
    EXPECT_FALSE(core().Running());
}

} // namespace
