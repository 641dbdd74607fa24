#include "app/hookups/MicrophoneHookup.h"

#include "app/language/Language.h"
#include "app/options/OptionsPage.h"
#include "app/settings/IniFile.h"
#include "app/window/Application.h"
#include "audio/PianoSound.h"
#include "controls/SkinCheckBox.h"
#include "controls/SkinCtrls.h"
#include "controls/SkinSlider.h"
#include "game/GameCore.h"
#include "game/NoteFigures.h"
#include "microphone/MicrophoneInput.h"

#include <QCoreApplication>
#include <QPainter>

#include <cmath>

using lirasto::settings::TOption;

namespace {

constexpr const char* kDeviceKey = "MicrophoneDevice";
constexpr int kControlLeft = 110;
constexpr int kMeterWidth = 200;
constexpr TOption kMicrophoneOptions[] = {TOption::MicrophoneLowest, TOption::MicrophoneHighest,
                                          TOption::MicrophoneGate};
// The meter shows -90 dB to 0 dB.
constexpr float kMeterFloorDb = -90.0f;

// A bar as long as the level, with the gate marked on it.
class TLevelMeter : public QWidget
{
public:
    using QWidget::QWidget;

    void ShowLevel(float db, float gateDb)
    {
        db_ = db;
        gateDb_ = gateDb;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(40, 28, 16));
        const auto x = [this](float db) {
            return int(width() * std::clamp((db - kMeterFloorDb) / -kMeterFloorDb, 0.f, 1.f));
        };
        p.fillRect(QRect(0, 1, x(db_), height() - 2), db_ >= gateDb_ ? QColor(96, 200, 96) : QColor(150, 150, 120));
        p.fillRect(QRect(x(gateDb_), 0, 2, height()), QColor(230, 80, 60));
    }

private:
    float db_ = kMeterFloorDb;
    float gateDb_ = kMeterFloorDb;
};

TSkinLabel* newLabel(QWidget* group, const QString& name, int left, int top)
{
    auto* label = new TSkinLabel(group);
    label->setObjectName(name);
    label->SetTransparent(true);
    label->setGeometry(left, top, group->width() - left - 8, TOptionsPage::kRowHeight);
    label->show();
    return label;
}

QString noteText(int note)
{
    return QString::fromStdString(NoteName(note, 0, CurrentNoteNaming()));
}

QString dbText(float db)
{
    return QCoreApplication::translate("TMicrophoneHookup", "%1 dB").arg(std::lround(std::max(db, kMeterFloorDb)));
}

} // namespace

namespace lirasto::settings {

QString ReadMicrophoneDevice(const std::string& path)
{
    try {
        return QString::fromUtf8(QByteArray::fromPercentEncoding(
            QByteArray::fromStdString(IniFile(path).ReadString(kOptionsSection, kDeviceKey, ""))));
    } catch (...) {
        return {}; // an unreadable file: the system's default
    }
}

bool WriteMicrophoneDevice(const QString& name, const std::string& path)
{
    try {
        IniFile(path).WriteString(kOptionsSection, kDeviceKey, name.toUtf8().toPercentEncoding().toStdString());
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace lirasto::settings

TMicrophoneHookup::TMicrophoneHookup(TGameCore& core, TOptionsPage& options, std::string settingsPath, bool forced)
    : core_(core), options_(options), path_(std::move(settingsPath)), forced_(forced),
      input_(new TMicrophoneInput(this))
{
    if (auto* group = options_.Sheet().findChild<QWidget*>(QStringLiteral("gbMicrophone")))
        buildControls(group);
    connect(input_, &TMicrophoneInput::KeyDown, this, [this](int note, std::chrono::steady_clock::time_point at) {
        // Judged from the note's start in the sound, not from when the detector was sure of it.
        RunGuarded([&] { core_.KeyDown(note, TInputSource::Microphone, at); });
    });
    connect(input_, &TMicrophoneInput::KeyUp, this,
            [this](int note) { RunGuarded([&] { core_.KeyUp(note, TInputSource::Microphone); }); });
    connect(input_, &TMicrophoneInput::StatusChanged, this, [this] { RunGuarded([this] { showStatus(); }); });
    connect(input_, &TMicrophoneInput::Meter, this, &TMicrophoneHookup::showMeter);
    connect(input_, &TMicrophoneInput::NoiseMeasured, this, [this](float loudest) {
        RunGuarded([&] {
            options_.SetOption(TOption::MicrophoneGate, int(std::lround(lirasto::mic::GateFromNoise(loudest))));
            if (status_)
                status_->SetCaption(tr("The room's noise: %1").arg(dbText(loudest)));
        });
    });
    connect(&options_, &TOptionsPage::OptionChanged, this, &TMicrophoneHookup::apply);
}

TMicrophoneHookup::~TMicrophoneHookup()
{
    // The input ends its worker before the window's game goes; no note reaches it after.
    input_->Stop();
}

bool TMicrophoneHookup::On() const
{
    return forced_ || options_.Options().On(TOption::Microphone);
}

void TMicrophoneHookup::Start(TPianoSound* sound)
{
    started_ = true;
    if (sound) {
        connect(sound, &TPianoSound::Sounded, this, &TMicrophoneHookup::ownSound);
        connect(sound, &TPianoSound::ClicksScheduled, input_, &TMicrophoneInput::OwnClicks);
        connect(sound, &TPianoSound::ClicksCancelled, input_, [this] { input_->OwnClicks({}, 0.0, 0); });
    }
    if (forced_ && options_.Tick(TOption::Microphone)) {
        // Shown ticked for this run, without storing it.
        QSignalBlocker quiet(options_.Tick(TOption::Microphone));
        options_.Tick(TOption::Microphone)->setChecked(true);
    }
    if (On())
        open();
}

void TMicrophoneHookup::open()
{
    const lirasto::settings::TOptions& options = options_.Options();
    lirasto::mic::TDetectorSettings settings;
    settings.LowestNote = options.Get(TOption::MicrophoneLowest);
    settings.HighestNote = options.Get(TOption::MicrophoneHighest);
    settings.GateDb = float(options.Get(TOption::MicrophoneGate));
    input_->Start(lirasto::settings::ReadMicrophoneDevice(path_), settings);
    for (int note : ownNotes_)
        input_->OwnNoteOn(note);
}

void TMicrophoneHookup::buildControls(QWidget* group)
{
    if (TSkinCheckBox* tick = options_.Tick(TOption::Microphone)) {
        tick->move(TOptionsPage::kRowLeft, 24);
        // Unticked while switched on by --microphone, the stored option does not change: stop here.
        connect(tick, &QAbstractButton::toggled, this, [this](bool on) {
            if (!on && forced_) {
                forced_ = false;
                input_->Stop();
            }
        });
    }
    device_ = group->findChild<TSkinComboBox*>(QStringLiteral("cbMicDevice"));
    lowest_ = group->findChild<TSkinComboBox*>(QStringLiteral("cbMicLowest"));
    highest_ = group->findChild<TSkinComboBox*>(QStringLiteral("cbMicHighest"));
    auto* meter = new TLevelMeter(group);
    meter->setObjectName(QStringLiteral("pbMicLevel"));
    meter->setGeometry(kControlLeft, 78, kMeterWidth, 12);
    meter->show();
    meter_ = meter;
    levelText_ = newLabel(group, QStringLiteral("lMicLevelDb"), kControlLeft + kMeterWidth + 10, 74);
    tuner_ = newLabel(group, QStringLiteral("lMicTuner"), kControlLeft, 98);
    gate_ = new TSkinSlider(group);
    gate_->setObjectName(QStringLiteral("tbMicGate"));
    const lirasto::settings::TOptionRow& row = lirasto::settings::OptionRow(TOption::MicrophoneGate);
    gate_->setRange(row.Min, row.Max);
    gate_->setGeometry(kControlLeft, 122, kMeterWidth, TOptionsPage::kRowHeight);
    gate_->show();
    gateText_ = newLabel(group, QStringLiteral("lMicGateDb"), kControlLeft + kMeterWidth + 10, 122);
    status_ = newLabel(group, QStringLiteral("lMicStatus"), TOptionsPage::kRowLeft, 214);
    connect(gate_, &QAbstractSlider::valueChanged, this, [this](int db) {
        if (gateText_)
            gateText_->SetCaption(dbText(float(db)));
    });
    connect(gate_, &QAbstractSlider::sliderReleased, this,
            [this] { RunGuarded([this] { options_.SetOption(TOption::MicrophoneGate, gate_->value()); }); });
    if (auto* measure = group->findChild<QAbstractButton*>(QStringLiteral("bMeasureNoise")))
        connect(measure, &QAbstractButton::clicked, this, [this] {
            if (!input_->Listening())
                return;
            input_->MeasureNoise(2.0);
            if (status_)
                status_->SetCaption(tr("Listening to the room for two seconds..."));
        });
    for (TSkinComboBox* range : {lowest_, highest_}) {
        if (!range)
            continue;
        for (int note = 21; note <= 108; ++note)
            range->addItem(noteText(note), note);
        connect(range, &QComboBox::activated, this, [this, range](int index) {
            RunGuarded([&] {
                options_.SetOption(range == lowest_ ? TOption::MicrophoneLowest : TOption::MicrophoneHighest,
                                   range->itemData(index).toInt());
            });
        });
    }
    if (device_) {
        device_->addItem(tr("Default"), QString());
        const QString chosen = lirasto::settings::ReadMicrophoneDevice(path_);
        if (!chosen.isEmpty())
            device_->addItem(chosen, chosen);
        device_->setCurrentIndex(device_->count() - 1);
        connect(device_, &QComboBox::activated, this, [this](int index) {
            RunGuarded([&] {
                lirasto::settings::WriteMicrophoneDevice(device_->itemData(index).toString(), path_);
                if (input_->Listening() || !input_->Problem().isEmpty())
                    open();
            });
        });
    }
    const lirasto::settings::TOptions& options = options_.Options();
    for (TOption option : kMicrophoneOptions)
        apply(option, options.Get(option));
    showStatus();
}

void TMicrophoneHookup::apply(TOption option, int value)
{
    switch (option) {
    case TOption::Microphone:
        if (!started_)
            return;
        forced_ = false; // the player's own choice from now on
        if (value != 0)
            open();
        else
            input_->Stop();
        break;
    case TOption::MicrophoneLowest:
    case TOption::MicrophoneHighest: {
        const lirasto::settings::TOptions& options = options_.Options();
        input_->SetRange(options.Get(TOption::MicrophoneLowest), options.Get(TOption::MicrophoneHighest));
        TSkinComboBox* range = option == TOption::MicrophoneLowest ? lowest_ : highest_;
        if (range)
            range->setCurrentIndex(range->findData(value));
        break;
    }
    case TOption::MicrophoneGate:
        input_->SetGateDb(float(value));
        if (gate_)
            gate_->setValue(value);
        if (gateText_)
            gateText_->SetCaption(dbText(float(value)));
        break;
    default:
        break;
    }
}

void TMicrophoneHookup::showStatus()
{
    if (device_ && input_->Listening()) {
        const QString chosen = device_->currentData().toString();
        device_->clear();
        device_->addItem(tr("Default"), QString());
        for (const QString& name : input_->Devices())
            device_->addItem(name, name);
        device_->setCurrentIndex(std::max(0, device_->findData(chosen)));
    }
    if (!status_)
        return;
    QString text;
    if (!input_->Problem().isEmpty())
        text = tr("No microphone: %1").arg(input_->Problem());
    else if (input_->Listening())
        text = input_->JackPortName().isEmpty() ? tr("Listening") : tr("Listening on %1").arg(input_->JackPortName());
    status_->SetCaption(text);
}

void TMicrophoneHookup::showMeter(float peakDb, int note, float cents)
{
    const float gate = float(options_.Options().Get(TOption::MicrophoneGate));
    if (auto* meter = static_cast<TLevelMeter*>(meter_))
        meter->ShowLevel(peakDb, gate);
    if (levelText_)
        levelText_->SetCaption(dbText(peakDb));
    if (tuner_)
        tuner_->SetCaption(
            note < 0 ? QStringLiteral("-")
                     : tr("%1  %2%3 cents").arg(noteText(note)).arg(cents >= 0 ? "+" : "").arg(std::lround(cents)));
}

void TMicrophoneHookup::ownSound(int note, bool on)
{
    if (note < 0) {
        for (int n : std::exchange(ownNotes_, {}))
            input_->OwnNoteOff(n);
        return;
    }
    if (on) {
        ownNotes_.insert(note);
        input_->OwnNoteOn(note);
    } else {
        ownNotes_.remove(note);
        input_->OwnNoteOff(note);
    }
}
