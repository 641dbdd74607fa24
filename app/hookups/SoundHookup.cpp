#include "app/hookups/SoundHookup.h"

#include "app/options/OptionsPage.h"
#include "app/window/Application.h"
#include "audio/PianoSound.h"
#include "audio/SoundListener.h"
#include "controls/SkinSlider.h"
#include "controls/TSkinLabel.h"
#include "game/GameCore.h"

using lirasto::settings::TOption;

namespace {

// The rows below the sound's ticks: the caption in line with the ticks' captions.
constexpr int kCaptionLeft = 35;
constexpr int kSliderLeft = 100;
constexpr int kSliderWidth = 200;

constexpr TOption kSoundOptions[] = {TOption::SoundForMidiKeys, TOption::ReplayRightNote, TOption::PlayQuestion,
                                     TOption::Mute, TOption::Volume};

TSkinLabel* newLabel(QWidget* group, const QString& caption, int left, int top)
{
    auto* label = new TSkinLabel(group);
    label->SetTransparent(true);
    label->move(left, top + 2);
    label->SetCaption(caption);
    label->show();
    return label;
}

QString percentText(int percent)
{
    return QStringLiteral("%1 %").arg(percent);
}

} // namespace

TSoundHookup::TSoundHookup(TGameCore& core, TOptionsPage& page)
    : core_(core), options_(page), sound_(std::make_unique<TPianoSound>()),
      listener_(std::make_unique<TSoundListener>(*sound_))
{
    if (auto* group = options_.Sheet().findChild<QWidget*>(QStringLiteral("gbSound")))
        buildControls(group);
    const lirasto::settings::TOptions& options = options_.Options();
    for (TOption option : kSoundOptions)
        apply(option, options.Get(option));
    connect(&options_, &TOptionsPage::OptionChanged, this, &TSoundHookup::apply);
    // Emitted on the sound's worker: the page is updated on this thread.
    connect(
        sound_.get(), &TPianoSound::StatusChanged, this, [this] { RunGuarded([this] { showStatus(); }); },
        Qt::QueuedConnection);
    core_.AddListener(listener_.get(), TGameCore::TListenerStage::Sound);
}

void TSoundHookup::Start()
{
    sound_->Start();
}

TSoundHookup::~TSoundHookup()
{
    core_.RemoveListener(listener_.get());
    listener_.reset();
    sound_.reset();
}

void TSoundHookup::buildControls(QWidget* group)
{
    const int volumeTop = TOptionsPage::NextRowTop(group);
    newLabel(group, tr("Volume"), kCaptionLeft, volumeTop);
    volume_ = new TSkinSlider(group);
    volume_->setObjectName(QStringLiteral("tbVolume"));
    const lirasto::settings::TOptionRow& row = lirasto::settings::OptionRow(TOption::Volume);
    volume_->setRange(row.Min, row.Max);
    volume_->setSingleStep(5);
    volume_->setPageStep(10);
    volume_->setGeometry(kSliderLeft, volumeTop, kSliderWidth, TOptionsPage::kRowHeight);
    volume_->show();
    volumeText_ = newLabel(group, percentText(100), kSliderLeft + kSliderWidth + 10, volumeTop);
    volumeText_->setObjectName(QStringLiteral("lVolume"));
    status_ = newLabel(group, QString(), TOptionsPage::kRowLeft, volumeTop + TOptionsPage::kRowStep);
    status_->setObjectName(QStringLiteral("lSoundStatus"));
    // Why there is no sound can take more words than a row holds, in some languages two lines.
    status_->resize(group->width() - 2 * TOptionsPage::kRowLeft, status_->height());
    status_->SetWordWrap(true);
    status_->hide();
    connect(volume_, &QAbstractSlider::valueChanged, this,
            [this](int percent) { RunGuarded([&] { volumeMoved(percent); }); });
    // A drag is heard at once but stored once, when the knob is let go.
    connect(volume_, &QAbstractSlider::sliderReleased, this,
            [this] { RunGuarded([this] { options_.SetOption(TOption::Volume, volume_->value()); }); });
}

void TSoundHookup::volumeMoved(int percent)
{
    sound_->SetVolume(percent);
    if (volumeText_)
        volumeText_->SetCaption(percentText(percent));
    if (!volume_->isSliderDown())
        options_.SetOption(TOption::Volume, percent);
}

void TSoundHookup::apply(TOption option, int value)
{
    switch (option) {
    case TOption::SoundForMidiKeys:
        listener_->SetSoundForMidiKeys(value != 0);
        break;
    case TOption::ReplayRightNote:
        listener_->SetReplayAfterWrong(value != 0);
        break;
    case TOption::PlayQuestion:
        listener_->SetPlayQuestion(value != 0);
        break;
    case TOption::Mute:
        sound_->SetMuted(value != 0);
        break;
    case TOption::Volume:
        sound_->SetVolume(value);
        if (volume_)
            volume_->setValue(value);
        if (volumeText_)
            volumeText_->SetCaption(percentText(value));
        break;
    default:
        break;
    }
}

void TSoundHookup::showStatus()
{
    if (!status_)
        return;
    const QString text = sound_->StatusText();
    status_->SetCaption(text);
    status_->setVisible(!text.isEmpty());
}
