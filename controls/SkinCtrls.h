#pragma once

// Every skinned control, for the design loader and whoever wants them all.
#include "controls/TSkinBtn.h"
#include "controls/TSkinComboBox.h"
#include "controls/TSkinGroupBox.h"
#include "controls/TSkinImages.h"
#include "controls/TSkinLabel.h"
#include "controls/TSkinMemo.h"
#include "controls/TSkinPanel.h"
#include "controls/TSkinScrollingText.h"
#include "controls/TSkinWallpaper.h"
