#pragma once

// The level reached as the window keeps it: read from "./vantrel.ini" at start-up, written back at close.
// Only app/ knows of it; the game tells it when the player sets a level.

// The stored level, or 1 when there is none or it cannot be read (silently: the player just starts at 1).
int LoadSavedLevel();

// The player passed or chose a level; from now on closing may overwrite a stored value that could not be read.
void NoteLevelSet();

// Writes the level when it has to be. When that fails the level stays in memory and the player is told once,
// in a message box naming the file and the reason (on standard error when closing on a termination signal,
// where a box would hold the process up).
void SaveLevelAtClose(int level);
