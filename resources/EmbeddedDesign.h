#pragma once

#include <cstdint>
#include <span>

// The main window's design, compiled into the program at build time from fMain.dfm and the artwork:
// a component stream beginning with "TPF0".
std::span<const uint8_t> embeddedDesignStream();
