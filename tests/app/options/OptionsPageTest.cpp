#include "tests/app/window/MainWindowFixture.h"

#include "app/options/OptionsPage.h"
#include "app/play/KeyboardInput.h"
#include "controls/SkinCheckBox.h"
#include "graphics/Bitmap32.h"

#include <fstream>
#include <sstream>

using namespace lirasto::test;
using lirasto::settings::TOption;

namespace {

struct StoredRow
{
    const char* name;
    const char* text; // the [Options] lines
    TOption option;
    int value;
};

class StoredOptions : public MainWindowTest, public testing::WithParamInterface<StoredRow>
{};

// A stored option is read when it is a whole number in its range; anything else is its default, silently.
TEST_P(StoredOptions, ReadOrFallBack)
{
    const StoredRow& row = GetParam();
    std::ofstream(WorkDir() / "vantrel.ini", std::ios::binary) << "[Options]\r\n" << row.text << "\r\n";
    EXPECT_EQ(lirasto::settings::ReadOptions("vantrel.ini").Get(row.option), row.value);
}

INSTANTIATE_TEST_SUITE_P(Table, StoredOptions,
                         testing::Values(StoredRow{"SchemeNames", "KeyboardScheme=1", TOption::KeyboardScheme, 1},
                                         StoredRow{"SchemeTooHigh", "KeyboardScheme=2", TOption::KeyboardScheme, 0},
                                         StoredRow{"TickWord", "NameTheKeys=yes", TOption::NameTheKeys, 0},
                                         StoredRow{"DrillDefaultOn", "Other=1", TOption::DrillWeakNotes, 1},
                                         StoredRow{"DrillOff", "DrillWeakNotes=0", TOption::DrillWeakNotes, 0},
                                         StoredRow{"VolumeTop", "Volume=100", TOption::Volume, 100},
                                         StoredRow{"VolumeOver", "Volume=101", TOption::Volume, 80},
                                         StoredRow{"VolumeNegative", "Volume=-1", TOption::Volume, 80},
                                         StoredRow{"VolumeFraction", "Volume=5.5", TOption::Volume, 80}),
                         [](const testing::TestParamInfo<StoredRow>& info) { return std::string(info.param.name); });

// A tick clicked is stored at once beside the level, and the next start applies it.
TEST_F(MainWindowTest, OptionTickedIsStoredAndAppliedAtTheNextStart)
{
    std::ofstream(WorkDir() / "vantrel.ini", std::ios::binary) << "; mine\r\n[Lirasto - Notes (demo)]\r\nLevel=4\r\n";
    OpenShown();
    form_->PageControl->setCurrentWidget(form_->tsOptions);
    form_->findChild<TSkinCheckBox*>("rbNoteNames")->click();
    form_->OptionsPage().Tick(TOption::MistakesCostPoints)->click();
    EXPECT_EQ(form_->KeyboardInput().Scheme(), TKeyboardScheme::NoteNames);
    EXPECT_TRUE(Core().MistakesCostPoints());
    std::stringstream text;
    text << std::ifstream(WorkDir() / "vantrel.ini", std::ios::binary).rdbuf();
    EXPECT_EQ(text.str(), "; mine\r\n[Lirasto - Notes (demo)]\r\nLevel=4\r\n[Options]\r\nKeyboardScheme=1\r\n"
                          "MistakesCostPoints=1\r\n");
    CloseForm();
    OpenShown();
    EXPECT_EQ(form_->KeyboardInput().Scheme(), TKeyboardScheme::NoteNames);
    EXPECT_TRUE(Core().MistakesCostPoints());
    EXPECT_TRUE(form_->findChild<TSkinCheckBox*>("rbNoteNames")->isChecked());
    EXPECT_EQ(Core().Level(), 4);
}

// The MIDI list shows its inputs with their ticks; octave-exact answers are offered only while there is one.
TEST_F(MainWindowTest, MidiInputsListAndOctaveExactTick)
{
    OpenShown();
    form_->PageControl->setCurrentWidget(form_->tsOptions);
    QWidget* none = form_->findChild<QWidget*>("lNoMidi");
    TSkinCheckBox* exact = form_->OptionsPage().Tick(TOption::OctaveExact);
    EXPECT_TRUE(none->isVisible());
    EXPECT_FALSE(exact->isVisible());
    QStringList toggled;
    form_->OnMidiDeviceToggled = [&](const QString& name, bool on) { toggled << name + (on ? "+" : "-"); };
    form_->SetMidiDevices({{"Keys A", true}, {"Keys B", false}});
    EXPECT_FALSE(none->isVisible());
    EXPECT_TRUE(exact->isVisible());
    const auto ticks = form_->findChild<QWidget*>("gbMidi")->findChildren<TSkinCheckBox*>();
    ASSERT_EQ(ticks.size(), 3);
    ticks[1]->click();
    EXPECT_EQ(toggled, QStringList{"Keys A-"});
    exact->click();
    EXPECT_TRUE(Core().OctaveExact());
    form_->SetMidiDevices({});
    EXPECT_TRUE(none->isVisible());
    EXPECT_FALSE(exact->isVisible());
}

// Name the keys writes the letters on the white keys and takes them off again, leaving the picture as it was.
TEST_F(MainWindowTest, NameTheKeysMarksTheWhiteKeysAndUndoes)
{
    OpenShown();
    TBitmap32* keyboard = form_->imgPiano->Bitmap();
    const std::vector<TColor32> plain(keyboard->Bits(), keyboard->Bits() + keyboard->Width() * keyboard->Height());
    form_->OptionsPage().SetOption(TOption::NameTheKeys, 1);
    int changed = 0;
    for (int i = 0; i < keyboard->Width() * keyboard->Height(); ++i)
        changed += keyboard->Bits()[i] != plain[std::size_t(i)];
    EXPECT_GT(changed, 28 * 10);
    EXPECT_EQ(form_->imgPiano->Layers()->Count(), 0);
    form_->OptionsPage().SetOption(TOption::NameTheKeys, 0);
    EXPECT_TRUE(std::equal(plain.begin(), plain.end(), keyboard->Bits()));
}

} // namespace
