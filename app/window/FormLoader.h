#pragma once

#include <cstdint>
#include <span>
#include <vector>

class TfMain;
class QColor;
class QImage;
class QString;

namespace lirasto {
struct DesignComponent;
}

// Builds the main window from its stored design: every component is created by
// its class name, its properties are applied by name, its events are bound to
// the window's handlers by name, and then the window's creation handler runs.
// An unknown class, property or handler is an error that names it.
//
// A design whose bytes stay in memory as long as the program runs (the one built
// into it) lends the window its pictures: a picture list keeps each picture's
// record and copies its pixels only when the picture is first asked for.
enum class DesignBytes { Transient, Permanent };
TfMain* CreateMainForm(std::span<const uint8_t> stream, DesignBytes bytes = DesignBytes::Transient);
TfMain* CreateMainForm(const lirasto::DesignComponent& design);

// The platform colour that a design colour name (clBtnFace, clBlack, ...) stands for.
bool DesignColour(const QString& name, QColor& colour);

// The picture of a stored icon file, with its transparency mask applied.
QImage IconImage(std::span<const uint8_t> iconFile);
