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
        cwd_ = std::make_unique<WorkingDirectory>(dir_->Path());
        // The answer history goes into the test's folder, never the user's.
        dataHome_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(QString::fromStdString((dir_->Path() / "data").string())));
        TApplication::SetErrorReporter([this](const QString& message) { errors_ << message; });
    }

    void TearDown() override
    {
        form_.reset();
        TApplication::SetErrorReporter(nullptr);
        qputenv("XDG_DATA_HOME", dataHome_);
        cwd_.reset();
        dir_.reset();
    }

    TfMain* Open()
    {
        form_.reset(CreateMainForm(embeddedDesignStream(), DesignBytes::Permanent));
        return form_.get();
    }

    // Opens the window and shows it, as the program does at start-up.
    TfMain* OpenShown()
    {
        Open();
        form_->show();
        QCoreApplication::processEvents();
        return form_.get();
    }

    void CloseForm()
    {
        form_->close();
        form_.reset();
    }

    const std::filesystem::path& WorkDir() const { return dir_->Path(); }

    static QString Caption(TSkinLabel* label) { return label->Caption(); }
    static QColor FontColour(TSkinLabel* label) { return label->palette().color(QPalette::WindowText); }

    // A column of the keyboard whose key has the given pitch class, in the upper band.
    static int ColumnOf(int pitchClass, int octave = 0)
    {
        for (int x = octave * kOctaveWidth; x < (octave + 1) * kOctaveWidth; ++x)
            if (PianoKeyAt(x, 10)->PitchClass == pitchClass)
                return x;
        return -1;
    }

    void Press(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        form_->imgPianoMouseDown(form_->imgPiano, button, Qt::NoModifier, x, y, nullptr);
    }
    void Release(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        form_->imgPianoMouseUp(form_->imgPiano, button, Qt::NoModifier, x, y, nullptr);
    }
    void Answer(int pitchClass)
    {
        int x = ColumnOf(pitchClass);
        Press(x, 10);
        Release(x, 10);
    }
    void Tick() { form_->TimerTimer(form_->Timer); }
    TGameCore& Core() { return form_->Core(); }

    std::unique_ptr<TfMain> form_;
    QStringList errors_;

private:
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<WorkingDirectory> cwd_;
    QByteArray dataHome_;
};

} // namespace lirasto::test
