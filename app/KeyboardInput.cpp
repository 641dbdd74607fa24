#include "app/KeyboardInput.h"

#include "app/Application.h"
#include "app/OptionsPage.h"
#include "app/PianoHighlight.h"
#include "app/uMain.h"
#include "controls/SkinCtrls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <array>

namespace {

// X11 scan codes (evdev codes + 8) of the keys by their place on the keyboard,
// named here after a US layout. The home row holds the white keys, the row
// above the black keys between them.
struct TRowKey
{
    quint32 ScanCode;
    int Semitone; // above the rows' C
};
constexpr std::array<TRowKey, 14> kPianoRows{{
    {38, 0},  // A: C
    {25, 1},  // W: C sharp
    {39, 2},  // S: D
    {26, 3},  // E: D sharp
    {40, 4},  // D: E
    {41, 5},  // F: F
    {28, 6},  // T: F sharp
    {42, 7},  // G: G
    {29, 8},  // Y: G sharp
    {43, 9},  // H: A
    {30, 10}, // U: A sharp
    {44, 11}, // J: B
    {45, 12}, // K: C above
    {32, 13}, // O: C sharp above
}};
constexpr quint32 kOctaveDownScanCode = 52; // Z
constexpr quint32 kOctaveUpScanCode = 53;   // X

// The rows stay where every key they play is on the drawn piano (C2 .. C6).
constexpr int kLowestBase = 36;
constexpr int kHighestBase = 72;

std::optional<int> naturalOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_C:
        return 0;
    case Qt::Key_D:
        return 2;
    case Qt::Key_E:
        return 4;
    case Qt::Key_F:
        return 5;
    case Qt::Key_G:
        return 7;
    case Qt::Key_A:
        return 9;
    case Qt::Key_B:
        return 11;
    default:
        return std::nullopt;
    }
}

// One name for a key between its press and its release: its scan code where
// the platform gives one, else the key code.
int64_t physicalKey(const QKeyEvent& key)
{
    return key.nativeScanCode() != 0 ? int64_t(key.nativeScanCode()) : (int64_t(1) << 40) | key.key();
}

} // namespace

TKeyboardInput::TKeyboardInput(TfMain& form) : QObject(&form), form_(form)
{
    qApp->installEventFilter(this);
}

TKeyboardInput::~TKeyboardInput()
{
    qApp->removeEventFilter(this);
}

bool TKeyboardInput::onGamePage(QObject* watched) const
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &form_ || !form_.PageControl || !form_.cbLevel)
        return false;
    // The open level list takes its own keys to move through the levels.
    return form_.PageControl->currentWidget() == form_.tsMain && !form_.cbLevel->view()->isVisible();
}

bool TKeyboardInput::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::WindowDeactivate && watched == &form_) {
        // A key let go in another window never tells us; let go of them all now.
        RunGuarded([this] { releaseAll(); });
        return false;
    }
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !onGamePage(watched))
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    bool taken = false;
    RunGuarded([&] { taken = type == QEvent::KeyPress ? keyPress(key) : keyRelease(key); });
    return taken;
}

std::optional<int> TKeyboardInput::noteFor(const QKeyEvent& key) const
{
    if (scheme_ == TKeyboardScheme::PianoRows) {
        const auto row = std::find_if(kPianoRows.begin(), kPianoRows.end(),
                                      [&](const TRowKey& k) { return k.ScanCode == key.nativeScanCode(); });
        if (row == kPianoRows.end())
            return std::nullopt;
        return base_ + row->Semitone;
    }
    const std::optional<int> natural = naturalOf(key.key());
    if (!natural)
        return std::nullopt;
    int note = base_ + *natural;
    if (key.modifiers() & Qt::ShiftModifier)
        ++note;
    else if (key.modifiers() & Qt::ControlModifier)
        --note;
    return note;
}

bool TKeyboardInput::keyPress(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_Space) {
        if (!key.isAutoRepeat() && !form_.Core().Running())
            form_.bStartClick(form_.bStart);
        return true; // during a run too, so that a focused Reset is not pressed by it
    }
    if (key.key() == Qt::Key_Escape) {
        if (!key.isAutoRepeat() && form_.bReset->isEnabled())
            form_.bResetClick(form_.bReset);
        return true;
    }
    if (key.nativeScanCode() == kOctaveDownScanCode || key.nativeScanCode() == kOctaveUpScanCode) {
        if (!key.isAutoRepeat()) {
            const int step = key.nativeScanCode() == kOctaveUpScanCode ? 12 : -12;
            base_ = std::clamp(base_ + step, kLowestBase, kHighestBase);
            form_.PianoHighlight().ShowOctave(base_);
        }
        return true;
    }
    if (key.key() == Qt::Key_M && !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        if (!key.isAutoRepeat())
            form_.OptionsPage().SetOption(lirasto::settings::TOption::Mute,
                                          form_.OptionsPage().Options().On(lirasto::settings::TOption::Mute) ? 0 : 1);
        return true;
    }
    const std::optional<int> note = noteFor(key);
    if (!note)
        return false;
    // A key held down repeats on most systems; a repeat is not a new press.
    if (key.isAutoRepeat() || down_.count(physicalKey(key)))
        return true;
    down_[physicalKey(key)] = *note;
    form_.Core().KeyDown(*note, TInputSource::ComputerKeyboard);
    return true;
}

bool TKeyboardInput::keyRelease(const QKeyEvent& key)
{
    const auto found = down_.find(physicalKey(key));
    if (found == down_.end())
        return false;
    if (key.isAutoRepeat())
        return true;
    const int note = found->second;
    down_.erase(found);
    form_.Core().KeyUp(note, TInputSource::ComputerKeyboard);
    return true;
}

void TKeyboardInput::releaseAll()
{
    const auto down = std::exchange(down_, {});
    for (const auto& [key, note] : down)
        form_.Core().KeyUp(note, TInputSource::ComputerKeyboard);
}
