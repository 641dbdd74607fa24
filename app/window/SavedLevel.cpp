#include "app/window/SavedLevel.h"

#include "app/settings/Settings.h"
#include "app/window/Application.h"

#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <cstdio>

namespace {

lirasto::settings::LevelStore& store()
{
    static lirasto::settings::LevelStore levels;
    return levels;
}

} // namespace

int LoadSavedLevel()
{
    return store().Load();
}

void NoteLevelSet()
{
    store().LevelSet();
}

void SaveLevelAtClose(int level)
{
    const std::optional<std::string> reason = store().Save(level);
    if (!reason)
        return;
    const QString message =
        QCoreApplication::translate("SavedLevel", "The level reached (level %1) could not be saved in %2.\n\n%3.")
            .arg(level)
            .arg(QDir::cleanPath(QDir::current().absoluteFilePath(QString::fromStdString(store().Path()))))
            .arg(QString::fromStdString(*reason));
    if (ClosingOnSignal())
        std::fprintf(stderr, "%s\n", qUtf8Printable(message));
    else
        TApplication::ShowError(message);
}
