#pragma once

#include "resources/DesignStream.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The readable text form of a window design, as a form designer keeps it:
//
//   object fMain: TfMain
//     Caption = 'DEMO Lirasto - Notes'
//     Font.Style = [fsBold]
//     Lines.Strings = (
//       'first line')
//     Bitmap.Data = {@keyboard.bmp32}
//   end
namespace lirasto {

// Supplies the bytes behind an artwork reference "{@name}" in the text. It throws to refuse a name.
using DesignArtworkLoader = std::function<std::vector<uint8_t>(const std::string& name)>;

// Throws lirasto::EReadError "Line N: ..." saying what was expected there. Without a loader, an artwork
// reference is an error.
DesignComponent ParseDesignText(std::string_view text, const DesignArtworkLoader& loader = {});

// Writes binary values as hex, so that parsing the result gives the same tree back.
std::string WriteDesignText(const DesignComponent& root);

} // namespace lirasto
