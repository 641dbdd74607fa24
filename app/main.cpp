#include "app/Application.h"
#include "app/FormLoader.h"
#include "app/WindowPlacement.h"
#include "app/uMain.h"
#include "resources/EmbeddedDesign.h"

#include <QTimer>
#include <memory>

int main(int argc, char** argv)
{
    TFontConfigWarmUp fontConfig;
    TApplication application(argc, argv);
    fontConfig.Wait();
    TApplication::setApplicationName(QStringLiteral("DEMO Lirasto - Notes"));
    InstallFontSubstitutions();

    std::unique_ptr<TfMain> form;
    if (!RunGuarded([&] { form.reset(CreateMainForm(embeddedDesignStream(), DesignBytes::Permanent)); }))
        return 1;
    CloseOnTerminationSignals(form.get());
    CloseWhenWindowDestroyed(form.get());
    KeepWindowOnScreen(form.get());
    form->show();
    QTimer::singleShot(0, form.get(), &TfMain::StartSubsystems);
    return TApplication::exec();
}
