#include "app/language/Language.h"
#include "app/settings/Options.h"
#include "app/settings/Settings.h"
#include "app/window/Application.h"
#include "app/window/CommandLine.h"
#include "app/window/FormLoader.h"
#include "app/window/ResidentPages.h"
#include "app/window/WindowPlacement.h"
#include "app/window/uMain.h"
#include "resources/EmbeddedDesign.h"

#include <QTimer>
#include <memory>

int main(int argc, char** argv)
{
    // The command line is read before the display is opened, so that --help and a mistyped option need none.
    TStartOptions startOptions;
    if (argc > 1) {
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        const TCommandLine commandLine = ParseCommandLine(arguments);
        if (const std::optional<int> exitCode = AnswerCommandLine(commandLine))
            return *exitCode;
        startOptions = commandLine.Options;
    }
    PreferPlainImageTransfer();
    KeepLibraryDetailForDebugging();
    TFontConfigWarmUp fontConfig;
    TApplication application(argc, argv);
    fontConfig.Wait();
    TApplication::setApplicationName(QStringLiteral("DEMO Lirasto - Notes"));
    InstallFontSubstitutions();
    // Before the window is built, which shows its texts as it builds.
    using lirasto::settings::TOption;
    InstallTranslation(
        ChosenLanguage(lirasto::settings::ReadOptions(lirasto::settings::kFileName).Get(TOption::Language)));

    std::unique_ptr<TfMain> form;
    if (!RunGuarded([&] { form.reset(CreateMainForm(embeddedDesignStream(), DesignBytes::Permanent)); }))
        return 1;
    // Reading the design and building the window walked through every page of the embedded design;
    // they are given back before the first frame, and the few pictures painted later are read
    // again from the program file.
    ReleaseReadOnlyPages(embeddedDesignStream());
    CloseOnTerminationSignals(form.get());
    CloseWhenWindowDestroyed(form.get());
    KeepWindowOnScreen(form.get());
    form->SetMicrophoneForced(startOptions.Microphone);
    if (startOptions.StartsAPractice() && !RunGuarded([&] { form->StartPractice(startOptions); }))
        return 1;
    form->show();
    // MIDI, sound and history load libraries and open devices and files: they wait until the first frame is
    // on screen, so that the window never waits for them.
    StartAfterFirstFrame(form.get(), [&form] { form->StartSubsystems(); });
    const int exitCode = TApplication::exec();
    // The level was kept when the window closed and every answer as it came; what is left is
    // letting go of devices and files.
    EndIfTeardownHangs(exitCode, std::chrono::seconds(10));
    return exitCode;
}
