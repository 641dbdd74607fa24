#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Gives back to the system the whole pages inside the bytes, which must stay valid: the kernel maps
// them again from their file when they are next read, so the bytes themselves never change. Meant for
// constants built into the program (the window design, whose pictures are read once while the window
// is built and mostly never again): it keeps the pages that building touched from counting as the
// program's memory for its whole run. Acts only when every page lies in one read-only mapping of a
// file and none of them is a private copy, since giving back writable, anonymous or copied pages
// would lose their contents.
// Returns the bytes given back (0 when it did nothing).
std::size_t ReleaseReadOnlyPages(std::span<const uint8_t> bytes);
