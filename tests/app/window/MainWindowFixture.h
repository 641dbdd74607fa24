#pragma once

#include "app/window/Application.h"
#include "app/window/FormLoader.h"
#include "app/window/uMain.h"
#include "controls/SkinCtrls.h"
#include "game/PianoKeys.h"
#include "game/uVariables.h"
#include "graphics/Image32.h"
#include "graphics/Layers.h"
#include "resources/EmbeddedDesign.h"
#include "tests/support/TempDir.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

namespace lirasto::test {

// The real window, built from the embedded design in a fresh working
// directory, with errors collected instead of shown in a message box.
class MainWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        dir_ = std::make_unique<TempDir>();
        cwd_ = std::make_unique<WorkingDirectory>(dir_->path());
        // The answer history goes into the test's folder, never the user's.
        dataHome_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(QString::fromStdString((dir_->path() / "data").string())));
        TApplication::SetErrorReporter([this](const QString& message) { errors << message; });
    }

    void TearDown() override
    {
        form.reset();
        TApplication::SetErrorReporter(nullptr);
        qputenv("XDG_DATA_HOME", dataHome_);
        cwd_.reset();
        dir_.reset();
    }

    TfMain* open()
    {
        form.reset(CreateMainForm(embeddedDesignStream(), DesignBytes::Permanent));
        return form.get();
    }

    // Opens the window and shows it, as the program does at start-up.
    TfMain* openShown()
    {
        open();
        form->show();
        QCoreApplication::processEvents();
        return form.get();
    }

    void closeForm()
    {
        form->close();
        form.reset();
    }

    const std::filesystem::path& workDir() const { return dir_->path(); }

    static QString caption(TSkinLabel* label) { return label->Caption(); }
    static QColor fontColour(TSkinLabel* label) { return label->palette().color(QPalette::WindowText); }

    // A column of the keyboard whose key has the given pitch class, in the upper band.
    static int columnOf(int pitchClass, int octave = 0)
    {
        for (int x = octave * kOctaveWidth; x < (octave + 1) * kOctaveWidth; ++x)
            if (PianoKeyAt(x, 10)->PitchClass == pitchClass)
                return x;
        return -1;
    }

    void press(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        form->imgPianoMouseDown(form->imgPiano, button, Qt::NoModifier, x, y, nullptr);
    }
    void release(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        form->imgPianoMouseUp(form->imgPiano, button, Qt::NoModifier, x, y, nullptr);
    }
    void answer(int pitchClass)
    {
        int x = columnOf(pitchClass);
        press(x, 10);
        release(x, 10);
    }
    void tick() { form->TimerTimer(form->Timer); }
    TGameCore& core() { return form->Core(); }

    std::unique_ptr<TfMain> form;
    QStringList errors;

private:
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<WorkingDirectory> cwd_;
    QByteArray dataHome_;
};

} // namespace lirasto::test
