#include "app/play/KeyboardInput.h"

#include "app/language/TextFit.h"
#include "app/play/PianoHighlight.h"
#include "app/window/Application.h"
#include "app/window/Forms.h"
#include "controls/SkinCheckBox.h"
#include "controls/SkinCtrls.h"
#include "game/GameCore.h"
#include "game/PianoKeys.h"
#include "game/uVariables.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontMetrics>
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

// The rows' home row stays on the drawn piano (C2 .. B5); K and O of the top octave lie beyond it.
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

TKeyboardInput::TKeyboardInput(QWidget& window, const TWindowPages& pages, const TGamePage& game, TSkinMemo* usage,
                               TPianoHighlight& piano, const TWindowActions& actions)
    : QObject(&window), window_(window), pages_(pages), game_(game), usageMemo_(usage), piano_(piano), actions_(actions)
{
    qApp->installEventFilter(this);
    // A key let go on another page never reaches us: let go of them all when the page changes.
    connect(pages_.PageControl, &QTabWidget::currentChanged, this, [this] {
        RunGuarded([this] {
            releaseAll();
            QWidget* page = pages_.PageControl->currentWidget();
            if (page == pages_.tsOptions || page == pages_.tsInfo)
                showHints();
        });
    });
}

void TKeyboardInput::showHints()
{
    SetLayout(TKeyboardLayout::Current());
    if (auto* rows = pages_.tsOptions->findChild<TSkinCheckBox*>(QStringLiteral("rbPianoRows"))) {
        rows->setText(RowsHint());
        FitText(rows);
    }
    if (auto* names = pages_.tsOptions->findChild<TSkinCheckBox*>(QStringLiteral("rbNoteNames"))) {
        names->setText(NamesHint());
        FitText(names);
    }
    // Beside the usage lines, which name the mouse only, what else plays.
    if (!usage_ && usageMemo_) {
        usage_ = new TSkinLabel(usageMemo_);
        usage_->setObjectName(QStringLiteral("lKeysUsage"));
        usage_->SetTransparent(true);
        usage_->setFont(usageMemo_->font());
        // In line with the memo's own first line, which sits below its top margin; from the middle on, or
        // past the memo's longest line where a language makes those longer.
        constexpr int kMemoTopMargin = 5;
        constexpr int kGap = 12;
        const QFontMetrics memo(usageMemo_->font());
        int left = usageMemo_->width() / 2;
        for (const QString& line : usageMemo_->property("Lines").toStringList())
            left = std::max(left, memo.horizontalAdvance(line) + kGap);
        left = std::min(left, usageMemo_->width() * 2 / 3);
        usage_->setGeometry(left, kMemoTopMargin, usageMemo_->width() - left - 4,
                            usageMemo_->height() - 2 * kMemoTopMargin);
        usage_->show();
    }
    if (usage_) {
        usage_->setFont(usageMemo_->font());
        usage_->SetCaption(tr(" KEYS AND MIDI\n o Keys %1\n o Space starts, Escape resets\n"
                              " o A MIDI keyboard answers too")
                               .arg(rowKeys()));
        FitText(usage_);
    }
}

TKeyboardInput::~TKeyboardInput()
{
    qApp->removeEventFilter(this);
}

QString TKeyboardInput::RowsHint() const
{
    return tr("Piano rows: %1").arg(rowKeys());
}

QString TKeyboardInput::rowKeys() const
{
    const auto letter = [this](quint32 scanCode) {
        const QString text = layout_.Letter(scanCode);
        return text.isEmpty() ? TKeyboardLayout::Us().Letter(scanCode) : text;
    };
    QStringList white, black;
    for (const TRowKey& key : kPianoRows)
        (IsBlackKey[key.Semitone % 12] != 0 ? black : white) << letter(key.ScanCode);
    return tr("%1, %2; %3 %4 octave")
        .arg(white.join(QLatin1Char(' ')), black.join(QLatin1Char(' ')), letter(kOctaveDownScanCode),
             letter(kOctaveUpScanCode));
}

QString TKeyboardInput::NamesHint() const
{
    // The C key of a US keyboard types a Latin letter on every Latin layout.
    const QString c = layout_.Letter(kPianoRows[0].ScanCode);
    const bool latin = !c.isEmpty() && c.at(0) >= QLatin1Char('A') && c.at(0) <= QLatin1Char('Z');
    return latin ? tr("Note names: C D E F G A B; Shift sharp, Ctrl flat")
                 : tr("Note names: Latin C D E F G A B; Shift sharp, Ctrl flat");
}

bool TKeyboardInput::onGamePage(QObject* watched) const
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &window_ || !pages_.PageControl || !game_.cbLevel)
        return false;
    // The open level list takes its own keys to move through the levels.
    return pages_.PageControl->currentWidget() == pages_.tsMain && !game_.cbLevel->PopupShown();
}

bool TKeyboardInput::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::WindowDeactivate && watched == &window_) {
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
    std::optional<int> natural = naturalOf(key.key());
    // A letter of another script (Cyrillic, Greek) answers by the key's Latin letter.
    const bool foreignLetter = key.key() > 0xff && key.key() <= 0xffff && QChar(char16_t(key.key())).isLetter();
    if (!natural && foreignLetter)
        if (const std::optional<char> latin = layout_.LatinLetter(key.nativeScanCode()))
            natural = naturalOf(Qt::Key_A + (*latin - 'A'));
    if (!natural)
        return std::nullopt;
    int note = base_ + *natural;
    if (key.modifiers() & Qt::ShiftModifier)
        ++note;
    else if (key.modifiers() & Qt::ControlModifier)
        --note;
    return note;
}

bool TKeyboardInput::repeats(const QKeyEvent& key) const
{
    if (key.isAutoRepeat())
        return true;
    // X sends a held key's repeats as a release and a press with one time, which Qt
    // marks as a repeat only when it has read both at once. No time (0) proves nothing.
    const auto released = released_.find(physicalKey(key));
    return key.timestamp() != 0 && released != released_.end() && released->second == key.timestamp();
}

void TKeyboardInput::shiftOctave(int step)
{
    base_ = std::clamp(base_ + step, kLowestBase, kHighestBase);
    piano_.ShowOctave(base_);
    showRows();
}

void TKeyboardInput::SetScheme(TKeyboardScheme scheme)
{
    scheme_ = scheme;
    if (scheme_ != TKeyboardScheme::PianoRows)
        piano_.ShowRows(0);
    else if (rowsShown_)
        piano_.ShowRows(base_);
}

void TKeyboardInput::showRows()
{
    rowsShown_ = scheme_ == TKeyboardScheme::PianoRows;
    if (rowsShown_)
        piano_.ShowRows(base_);
}

bool TKeyboardInput::keyPress(const QKeyEvent& key)
{
    const bool repeat = repeats(key);
    if (key.key() == Qt::Key_Space) {
        if (!repeat && !game_.Core.Running())
            actions_.Start();
        return true; // during a run too, so that a focused Reset is not pressed by it
    }
    if (key.key() == Qt::Key_Escape) {
        if (!repeat && game_.bReset->isEnabled())
            actions_.Reset();
        return true;
    }
    if (key.nativeScanCode() == kOctaveDownScanCode || key.nativeScanCode() == kOctaveUpScanCode) {
        // Held down, it moves the rows once, however its repeats come.
        if (!repeat && octaveDown_.insert(key.nativeScanCode()).second)
            shiftOctave(key.nativeScanCode() == kOctaveUpScanCode ? 12 : -12);
        return true;
    }
    if (key.key() == Qt::Key_M && !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        if (!repeat)
            actions_.ToggleMute();
        return true;
    }
    const std::optional<int> note = noteFor(key);
    if (!note)
        return false;
    if (repeat || down_.count(physicalKey(key)))
        return true;
    if (!rowsShown_)
        showRows();
    if (*note < kLowestDrawnNote || *note > kHighestDrawnNote)
        return true; // beyond the drawn piano, where no key could show it
    down_[physicalKey(key)] = *note;
    game_.Core.KeyDown(*note, TInputSource::ComputerKeyboard);
    return true;
}

bool TKeyboardInput::keyRelease(const QKeyEvent& key)
{
    if (key.isAutoRepeat())
        return down_.count(physicalKey(key)) > 0;
    released_[physicalKey(key)] = key.timestamp();
    octaveDown_.erase(key.nativeScanCode());
    const auto found = down_.find(physicalKey(key));
    if (found == down_.end())
        return false;
    const int note = found->second;
    down_.erase(found);
    game_.Core.KeyUp(note, TInputSource::ComputerKeyboard);
    return true;
}

void TKeyboardInput::releaseAll()
{
    octaveDown_.clear();
    const auto down = std::exchange(down_, {});
    for (const auto& [key, note] : down)
        game_.Core.KeyUp(note, TInputSource::ComputerKeyboard);
}
