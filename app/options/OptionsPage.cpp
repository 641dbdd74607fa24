#include "app/options/OptionsPage.h"

#include "app/language/Language.h"
#include "app/play/KeyboardInput.h"
#include "app/play/PianoHighlight.h"
#include "app/window/Application.h"
#include "controls/SkinCheckBox.h"
#include "controls/SkinCtrls.h"
#include "game/GameCore.h"

using lirasto::settings::TOption;

namespace {

constexpr int kTickLeft = TOptionsPage::kRowLeft;
constexpr int kTickHeight = TOptionsPage::kRowHeight;
constexpr int kTickStep = TOptionsPage::kRowStep;
constexpr int kFirstTickTop = 24;

TSkinCheckBox* newTick(QWidget* parent, const QString& caption, int top)
{
    auto* tick = new TSkinCheckBox(parent);
    tick->setText(caption);
    tick->setGeometry(kTickLeft, top, parent->width() - 2 * kTickLeft, kTickHeight);
    tick->show();
    return tick;
}

} // namespace

int TOptionsPage::NextRowTop(QWidget* group)
{
    int top = kFirstTickTop;
    for (QWidget* child : group->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!child->isHidden())
            top = std::max(top, child->geometry().top() + kTickStep);
    return top;
}

TOptionsPage::TOptionsPage(QWidget& sheet, TGameCore& core, TPianoHighlight& piano, TKeyboardInput& keyboard,
                           std::function<void()> showNoteNames, std::string path)
    : QObject(sheet.window()), sheet_(sheet), core_(core), piano_(piano), keyboard_(keyboard),
      showNoteNames_(std::move(showNoteNames)), path_(std::move(path)), options_(lirasto::settings::ReadOptions(path_))
{
    buildTicks();
    buildLanguageChoice();
    for (const lirasto::settings::TOptionRow& row : lirasto::settings::kOptionTable)
        apply(row.Id);
}

void TOptionsPage::buildTicks()
{
    ticks_.assign(lirasto::settings::kOptionTable.size(), nullptr);
    for (const lirasto::settings::TOptionRow& row : lirasto::settings::kOptionTable) {
        auto* group = sheet_.findChild<QWidget*>(QString::fromLatin1(row.Group));
        if (!row.Label || !group)
            continue;
        const bool midi = row.Id == TOption::OctaveExact;
        // The octave-exact tick sits at the foot of the MIDI list, below any number of inputs.
        TSkinCheckBox* tick = newTick(group, tr(row.Label), midi ? group->height() - kTickStep - 8 : NextRowTop(group));
        tick->setObjectName(QStringLiteral("cb") + QString::fromLatin1(row.Key));
        tick->setChecked(options_.On(row.Id));
        tick->setVisible(!midi);
        connect(tick, &QAbstractButton::toggled, this,
                [this, id = row.Id](bool on) { RunGuarded([&] { SetOption(id, on ? 1 : 0); }); });
        ticks_[static_cast<std::size_t>(row.Id)] = tick;
    }
    auto* rows = sheet_.findChild<TSkinCheckBox*>(QStringLiteral("rbPianoRows"));
    auto* names = sheet_.findChild<TSkinCheckBox*>(QStringLiteral("rbNoteNames"));
    if (rows && names) {
        (options_.Get(TOption::KeyboardScheme) == 1 ? names : rows)->setChecked(true);
        connect(names, &QAbstractButton::toggled, this,
                [this](bool on) { RunGuarded([&] { SetOption(TOption::KeyboardScheme, on ? 1 : 0); }); });
    }
}

void TOptionsPage::buildLanguageChoice()
{
    const auto choice = [this](const char* name, TOption option, const QStringList& items) {
        auto* combo = sheet_.findChild<TSkinComboBox*>(QString::fromLatin1(name));
        if (!combo)
            return;
        combo->addItems(items);
        combo->setCurrentIndex(options_.Get(option));
        combo->OnChange = [this, combo, option](QObject*) {
            RunGuarded([&] { SetOption(option, combo->currentIndex()); });
        };
    };
    // Each language is listed in its own words, so that a player can find it whatever is shown.
    QStringList languages{tr("The system's language")};
    for (const TLanguage& language : kLanguages)
        languages << QString::fromUtf8(language.NativeName);
    choice("cbLanguage", TOption::Language, languages);
    choice("cbNoteNaming", TOption::NoteNames,
           {tr("As the language teaches them"), tr("C D E F G A B (English)"), tr("C D E F G A H (German)"),
            tr("Do Re Mi Fa Sol La Si (fixed do)")});
}

TSkinCheckBox* TOptionsPage::Tick(TOption option) const
{
    return ticks_[static_cast<std::size_t>(option)];
}

void TOptionsPage::SetOption(TOption option, int value)
{
    if (options_.Get(option) == value || !options_.Set(option, value))
        return;
    lirasto::settings::WriteOption(option, value, path_);
    if (TSkinCheckBox* tick = Tick(option); tick && tick->isChecked() != (value != 0))
        tick->setChecked(value != 0);
    apply(option);
    emit OptionChanged(option, value);
}

void TOptionsPage::apply(TOption option)
{
    const int value = options_.Get(option);
    switch (option) {
    case TOption::KeyboardScheme:
        keyboard_.SetScheme(value == 1 ? TKeyboardScheme::NoteNames : TKeyboardScheme::PianoRows);
        break;
    case TOption::NameTheKeys:
        piano_.SetKeyNames(value != 0);
        break;
    case TOption::OctaveExact:
        core_.SetOctaveExact(value != 0);
        break;
    case TOption::MistakesCostPoints:
        core_.SetMistakesCostPoints(value != 0);
        break;
    case TOption::NoteNames:
        SetNoteNamingOption(value);
        if (showNoteNames_)
            showNoteNames_();
        break;
    default:
        break; // followed by the sound and the history through OptionChanged
    }
}

void TOptionsPage::SetMidiDevices(const std::vector<TMidiDevice>& devices, const QString& jackPort)
{
    auto* group = sheet_.findChild<QWidget*>(QStringLiteral("gbMidi"));
    auto* none = sheet_.findChild<QWidget*>(QStringLiteral("lNoMidi"));
    if (!group)
        return;
    for (TSkinCheckBox* tick : midiTicks_)
        delete tick;
    midiTicks_.clear();
    // As many inputs as the box holds above the octave-exact tick; more are rare and stay in use.
    const int room = (group->height() - kTickStep - 8 - kFirstTickTop) / kTickStep;
    for (const TMidiDevice& device : devices) {
        if (static_cast<int>(midiTicks_.size()) >= room)
            break;
        TSkinCheckBox* tick = newTick(group, device.Name, kFirstTickTop + kTickStep * int(midiTicks_.size()));
        tick->setChecked(device.Enabled);
        connect(tick, &QAbstractButton::toggled, this, [this, name = device.Name](bool on) {
            if (OnMidiDeviceToggled)
                RunGuarded([&] { OnMidiDeviceToggled(name, on); });
        });
        midiTicks_.push_back(tick);
    }
    if (none)
        none->setVisible(devices.empty());
    // A keyboard JACK does not call physical, or a program, is connected by hand: name our port.
    if (!midiPort_ && none) {
        auto* port = new TSkinLabel(group);
        port->setObjectName(QStringLiteral("lMidiPort"));
        port->SetTransparent(true);
        port->SetWordWrap(true);
        port->setGeometry(none->x(), none->y() + kTickStep, group->width() - 2 * none->x(), 2 * kTickStep);
        midiPort_ = port;
    }
    if (midiPort_) {
        midiPort_->SetCaption(tr("Connect a keyboard to the JACK port\n\"%1\"").arg(jackPort));
        midiPort_->setVisible(devices.empty() && !jackPort.isEmpty());
    }
    if (TSkinCheckBox* exact = Tick(TOption::OctaveExact))
        exact->setVisible(!devices.empty());
}
