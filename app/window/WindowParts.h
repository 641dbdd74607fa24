#pragma once

#include <functional>

class TBitmap32List;
class TGameCore;
class TImage32;
class TPageControl;
class TSkinBtn;
class TSkinComboBox;
class TSkinImages;
class TSkinLabel;
class TSkinPanel;
class TStaffView;
class TTabSheet;

// The parts of the window that the pages, the play units and the hookups reach, gathered once by the
// window when its design is bound. Each unit takes the few of them it uses, so that none of them needs
// the window itself; the controls keep the names the design gives them.

// The game page: the run, its staff, and the controls that show and steer a run.
struct TGamePage
{
    TGameCore& Core;
    TStaffView& Staff;
    TSkinPanel* pMain = nullptr;
    TSkinComboBox* cbLevel = nullptr;
    TSkinBtn* bStart = nullptr;
    TSkinBtn* bReset = nullptr;
    TSkinLabel* lCountDown = nullptr;
    TSkinLabel* lGoal = nullptr;
    TSkinLabel* lScore = nullptr;
    TSkinLabel* lQuestion = nullptr;
    TSkinLabel* lExplanation = nullptr;
    TSkinLabel* lAnswer = nullptr;
    TSkinLabel* lProgress = nullptr;
    TSkinLabel* SkinLabel12 = nullptr; // the hint beside the level list
};

// The window's pages and the control that turns them.
struct TWindowPages
{
    TPageControl* PageControl = nullptr;
    TTabSheet* tsMain = nullptr;
    TTabSheet* tsInfo = nullptr;
    TTabSheet* tsOptions = nullptr;
    TTabSheet* tsProgress = nullptr;
};

// The pictures the design carries: the views' bitmaps, the picture lists and the wallpaper.
struct TDesignPictures
{
    TSkinImages* SkinImages = nullptr;
    TImage32* imgPiano = nullptr;
    TImage32* ImgClefs = nullptr;
    TImage32* imgLogo = nullptr;
    TBitmap32List* BMPKeyList = nullptr;
    TBitmap32List* BMPPianoKeysList = nullptr;
    TBitmap32List* BMPScaleDegrees = nullptr;
    TBitmap32List* BMPNoteList = nullptr;
    TBitmap32List* BMPEvaluationList = nullptr;
};

// What the window does when a part acts for the player, as its buttons and its Options page do.
struct TWindowActions
{
    std::function<void()> Start;         // as the Start button
    std::function<void()> Reset;         // as the Reset button
    std::function<void()> FillLevelList; // the levels and the practices saved after them
    std::function<void()> ShowNoteNames; // wherever the window names notes, in the naming now in use
    std::function<void()> ToggleMute;    // as the Mute tick of the Options page
};
