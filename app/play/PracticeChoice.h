#pragma once

#include "app/settings/PracticePresets.h"
#include "app/window/WindowParts.h"
#include "game/GameEvents.h"
#include "game/Practice.h"

#include <QCoreApplication>
#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

class TSightReading;
class TSkinBtn;
class TSkinComboBox;
class TBitmap32;
class TBitmap32List;

// A small staff of the chosen clef showing the range's lowest note on the left and its highest on
// the right; a click on the left half sets the lowest note, on the right half the highest.
class TRangeStaff : public QWidget
{
public:
    TRangeStaff(const TBitmap32* staff, const TBitmap32List* notes, const TBitmap32List* keys, QWidget* parent);

    void Show(TStaffChoice staff, int lowest, int highest);
    // The note a click at a point sets, and whether it is the lowest (nullopt off the staff's notes).
    struct TPick
    {
        bool Lowest = true;
        int Note = 0;
    };
    std::optional<TPick> PickAt(QPointF point) const;
    std::function<void(TPick)> OnPick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QRectF source() const;
    double scale() const;

    const TBitmap32* staff_;
    const TBitmap32List* notes_;
    const TBitmap32List* keys_;
    TStaffChoice choice_ = TStaffChoice::Treble;
    int lowest_ = 0, highest_ = 0;
};

// The player's choice of clef, key, accidentals and range beside the exercise list, for single notes,
// lines and stacks alike, and the practices saved by name, listed after the twelve levels.
class TPracticeChoice : public TGameListener
{
    Q_DECLARE_TR_FUNCTIONS(TPracticeChoice)

public:
    TPracticeChoice(const TGamePage& page, const TDesignPictures& pictures, const TWindowActions& actions,
                    TSightReading& reading, std::string settingsPath);
    ~TPracticeChoice();

    // The name of the practice chosen from the level list, empty for none (a level, or the choice
    // changed since).
    QString CurrentPractice() const { return current_; }
    // Told the name whenever the current practice changes (empty when none is current any more).
    std::function<void(const QString&)> OnCurrentChanged;
    // The choice as the controls show it.
    TPractice Choice() const;
    void SetChoice(const TPractice& practice);
    // Saves the choice under a name; false with the reason shown when it could not be.
    bool SaveAs(const QString& name);
    // Deletes the current practice.
    void DeleteCurrent();
    // The range's notes by the note names now chosen.
    void RenameNotes();
    // Says, once, which saved practices were refused at start-up, when the game page first shows.
    void ShowRefused();
    // The practices' names, for the level list after the twelve levels.
    QStringList Names() const;
    // The level list chose its item index - 12.
    void ChoosePractice(int index);
    // Asks the player for a name; a seam for the tests.
    std::function<std::optional<QString>()> AskName;

    TSkinComboBox* ClefChoice() const { return clef_; }
    TSkinComboBox* KeyChoice() const { return key_; }
    TSkinComboBox* AccidentalsChoice() const { return accidentals_; }
    TSkinComboBox* LowestChoice() const { return lowest_; }
    TSkinComboBox* HighestChoice() const { return highest_; }
    TRangeStaff* RangeStaff() const { return staff_; }

    void RunStarted(int level) override;
    void RunEnded(const TRunResult& result) override;

private:
    void load();
    void fillRanges(int lowest, int highest);
    void changed(bool clefChanged);
    void picked(TRangeStaff::TPick pick);
    void showFault(const QString& text);
    void refillLevelList();
    void enable(bool on);
    void setCurrent(const QString& name);

    TGamePage page_;
    TWindowActions actions_;
    TSightReading& reading_;
    std::string path_;
    std::vector<lirasto::settings::TNamedPractice> practices_;
    QString current_;
    QString refused_;
    bool applying_ = false;
    TSkinComboBox* clef_;
    TSkinComboBox* key_;
    TSkinComboBox* accidentals_;
    TSkinComboBox* lowest_;
    TSkinComboBox* highest_;
    TRangeStaff* staff_;
    TSkinBtn* save_;
    TSkinBtn* delete_;
};
