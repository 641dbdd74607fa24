#include "core/Modules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace lirasto {

QStringList ModuleFolders()
{
    const QString chosen = qEnvironmentVariable("LIRASTO_MODULE_DIR");
    // A relative folder would be found from the working directory, where
    // anyone's files may lie: it is not taken.
    if (!chosen.isEmpty() && QDir::isAbsolutePath(chosen))
        return {QDir::cleanPath(chosen)};
    const QString programDir = QCoreApplication::applicationDirPath();
    if (programDir.isEmpty())
        return {};
    return {QDir::cleanPath(programDir + QLatin1Char('/') + QStringLiteral(LIRASTO_MODULE_SUBDIR)), programDir};
}

TModuleSymbol FindInModule(const QString& file, const char* symbol)
{
    QString path;
    for (const QString& folder : ModuleFolders()) {
        const QFileInfo candidate(QDir(folder).filePath(file));
        if (candidate.isFile()) {
            path = candidate.absoluteFilePath();
            break;
        }
    }
    if (path.isEmpty())
        return {nullptr, QCoreApplication::translate("Modules", "the module %1 is missing").arg(file)};
    QLibrary library(path);
    // Every symbol is bound now: a module missing one fails here instead of
    // ending the program at its first call.
    library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    // The pages have room for the module's name only; the loader's own words go to the log.
    if (!library.load()) {
        qWarning("%s: %s", qUtf8Printable(path), qUtf8Printable(library.errorString()));
        return {nullptr, QCoreApplication::translate("Modules", "the module %1 did not load").arg(file)};
    }
    void* address = reinterpret_cast<void*>(library.resolve(symbol));
    if (!address)
        return {nullptr,
                QCoreApplication::translate("Modules", "the module %1 has no %2").arg(file, QLatin1String(symbol))};
    return {address, {}};
}

QString ModuleVersionProblem(const QString& file)
{
    return QCoreApplication::translate("Modules", "the module %1 belongs to another version of the program").arg(file);
}

} // namespace lirasto
