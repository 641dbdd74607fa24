#include "tests/app/window/MainWindowFixture.h"

#include "app/hookups/HistoryHookup.h"
#include "app/hookups/MidiHookup.h"
#include "app/hookups/SoundHookup.h"
#include "app/progress/ProgressPage.h"
#include "audio/SynthEngine.h"
#include "core/Modules.h"
#include "midi/MidiPortWatcher.h"
#include "tests/support/EventWait.h"

#include <fstream>

namespace lirasto::test {
namespace {

struct ModuleFolderRow
{
    const char* name;
    const char* content; // written as each module's file; nullptr: the folder is empty
    const char* why;
};

void PrintTo(const ModuleFolderRow& row, std::ostream* out)
{
    *out << row.name;
}

class WithoutModules : public MainWindowTest, public testing::WithParamInterface<ModuleFolderRow>
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        const std::filesystem::path folder = WorkDir() / "modules";
        std::filesystem::create_directory(folder);
        if (GetParam().content)
            for (const char* file : {kSoundModule, kMidiModule, kHistoryModule})
                std::ofstream(folder / file) << GetParam().content;
        moduleDir_ = qgetenv("LIRASTO_MODULE_DIR");
        qputenv("LIRASTO_MODULE_DIR", QFile::encodeName(QString::fromStdString(folder.string())));
    }
    void TearDown() override
    {
        qputenv("LIRASTO_MODULE_DIR", moduleDir_);
        MainWindowTest::TearDown();
    }
    QByteArray moduleDir_;
};

// Modules that are missing or do not load: the window plays on without sound, MIDI and history, and each page says why.
TEST_P(WithoutModules, PlayOnAndThePagesSayWhy)
{
    OpenShown();
    form_->StartSubsystems();
    ASSERT_TRUE(WaitFor([&] { return form_->Midi()->Input().Scanned(); }, 5000));
    const QString sound = QStringLiteral("No sound output: the module lirasto-sound.so %1").arg(GetParam().why);
    EXPECT_TRUE(WaitFor([&] { return form_->SoundHookup()->StatusLabel()->Caption().startsWith(sound); }, 5000))
        << form_->SoundHookup()->StatusLabel()->Caption().toStdString();
    auto* noMidi = form_->findChild<TSkinLabel*>("lNoMidi");
    EXPECT_TRUE(!noMidi->isHidden() && noMidi->Caption() == "No MIDI input found");
    form_->bStartClick(form_->bStart);
    Tick();
    Answer(Core().CurrentNote() % 12);
    EXPECT_EQ(Core().Score(), 5);
    form_->PageControl->setCurrentWidget(form_->tsProgress);
    EXPECT_TRUE(form_->History().ProgressPage()->Notice().startsWith(
        QStringLiteral("History is not being kept: the module lirasto-history.so %1").arg(GetParam().why)))
        << form_->History().ProgressPage()->Notice().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Folders, WithoutModules,
                         testing::Values(ModuleFolderRow{"Empty", nullptr, "is missing"},
                                         ModuleFolderRow{"NotLibraries", "not a shared library", "did not load"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A module answers only the version it was built for; a symbol it lacks is named.
TEST(Modules, FactoryMakesNothingForAnotherVersion)
{
    const TModuleSymbol factory = FindInModule(kSoundModule, kSoundFactory);
    ASSERT_NE(factory.Address, nullptr) << factory.Problem.toStdString();
    auto create = reinterpret_cast<decltype(&lirasto_sound_create)>(factory.Address);
    EXPECT_EQ(create(TSynthEngine::kVersion + 1), nullptr);
    delete create(TSynthEngine::kVersion);
    EXPECT_EQ(FindInModule(kSoundModule, "lirasto_no_such_factory").Problem,
              "the module lirasto-sound.so has no lirasto_no_such_factory");
}

// A relative module folder would be looked up from the working directory: it is not taken.
TEST(Modules, RelativeFolderIsNotTaken)
{
    const QByteArray before = qgetenv("LIRASTO_MODULE_DIR");
    qputenv("LIRASTO_MODULE_DIR", "modules");
    const QStringList folders = ModuleFolders();
    qputenv("LIRASTO_MODULE_DIR", before);
    ASSERT_EQ(folders.size(), 2);
    EXPECT_TRUE(folders[0].endsWith("/lirasto-notes"));
    EXPECT_EQ(folders[1], QCoreApplication::applicationDirPath());
}

} // namespace
} // namespace lirasto::test
