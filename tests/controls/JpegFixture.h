#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

namespace lirasto::test {

// Encodes `image` as a baseline JPEG file with libjpeg, for tests that need real JPEG bytes.
std::vector<uint8_t> EncodeJpeg(const QImage& image, int quality = 90);

// A picture with a different colour at every pixel, so misplaced tiles show.
QImage PatternImage(int width, int height);

} // namespace lirasto::test
