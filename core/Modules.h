#pragma once

#include <QString>
#include <QStringList>
#include <utility>

// The program's modules: shared libraries beside the program that bring the
// heavy third-party libraries (the synthesizer, the MIDI systems, SQL). The
// program does not link them, so the loader does not map them before the
// window's first frame; each is loaded when its part starts, off the window's
// thread. A module exports one factory, which takes the interface version the
// program was built with and makes nothing when its own differs.

namespace lirasto {

struct TModuleSymbol
{
    void* Address = nullptr;
    // Why there is no address, in words for the player; empty when there is one.
    QString Problem;
};

// Loads the module `file` (for example "lirasto-sound.so") from the first
// module folder that holds it and finds `symbol` in it. Loading maps the
// module's libraries and may take tens of milliseconds: never call it on the
// window's thread while the window is up. A module stays loaded until exit.
TModuleSymbol FindInModule(const QString& file, const char* symbol);

// Where modules are looked for: LIRASTO_MODULE_DIR alone when it names an
// absolute folder (tests and tools outside the build's program folder);
// otherwise the install folder relative to the program, then the program's
// own folder. Never the working directory.
QStringList ModuleFolders();

// Why a module made nothing when its factory was asked for a version.
QString ModuleVersionProblem(const QString& file);

// Finds the factory `symbol` of type TFactory in the module `file` and calls it with `args` (the interface
// version first). Returns what it made, or null with `problem` saying why: the module is missing, does not
// load, or is of another version. The same rule as FindInModule about the window's thread.
template <class TFactory, class... TArgs>
auto MakeFromModule(const QString& file, const char* symbol, QString& problem, TArgs&&... args)
{
    const TModuleSymbol found = FindInModule(file, symbol);
    problem = found.Problem;
    decltype(reinterpret_cast<TFactory>(found.Address)(std::forward<TArgs>(args)...)) made = nullptr;
    if (found.Address) {
        made = reinterpret_cast<TFactory>(found.Address)(std::forward<TArgs>(args)...);
        if (!made)
            problem = ModuleVersionProblem(file);
    }
    return made;
}

} // namespace lirasto
