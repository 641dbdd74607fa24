#include "resources/artwork/Wallpaper.h"

#include "resources/artwork/ArtworkGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace lirasto::artwork {

uint32_t GrainRandom::Next()
{
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

namespace {

// Smooth noise over a wrapped lattice of random values.
class ValueNoise
{
public:
    explicit ValueNoise(uint32_t seed) : values_(kSize * kSize)
    {
        GrainRandom random(seed);
        for (double& v : values_)
            v = random.Unit();
    }

    double At(double x, double y) const
    {
        const double fx = std::floor(x), fy = std::floor(y);
        const int ix = int(fx), iy = int(fy);
        const double tx = smooth(x - fx), ty = smooth(y - fy);
        const double a = lattice(ix, iy), b = lattice(ix + 1, iy);
        const double c = lattice(ix, iy + 1), d = lattice(ix + 1, iy + 1);
        return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
    }

    // Several octaves summed, 0..1.
    double Fractal(double x, double y, int octaves) const
    {
        double sum = 0, amplitude = 1, total = 0;
        for (int i = 0; i < octaves; ++i) {
            sum += At(x, y) * amplitude;
            total += amplitude;
            x *= 2.03;
            y *= 2.03;
            amplitude *= 0.5;
        }
        return sum / total;
    }

private:
    static constexpr int kSize = 256;
    static double smooth(double t) { return t * t * (3 - 2 * t); }
    double lattice(int x, int y) const { return values_[std::size_t((y & (kSize - 1)) * kSize + (x & (kSize - 1)))]; }

    std::vector<double> values_;
};

double mixChannel(double a, double b, double t)
{
    return a + (b - a) * t;
}

// Where device pixel i samples the picture: at the picture pixel itself at scale 1, else
// at the centre of the device pixel.
double at(int i, int scale)
{
    return scale == 1 ? i : (i + 0.5) / scale - 0.5;
}

} // namespace

QImage PaintWallpaper(int scale)
{
    const ValueNoise warp(0x1A2B3C4Du);
    const ValueNoise fibre(0x51ED270Bu);
    const ValueNoise tone(0x7F4A7C15u);
    // Earlywood, latewood, and the board seams between planks of different shade.
    const std::array<double, 3> early = {238, 211, 163};
    const std::array<double, 3> late = {196, 148, 92};
    constexpr int kBoardHeight = 94;
    QImage image(kWallpaperWidth * scale, kWallpaperHeight * scale, QImage::Format_RGB32);
    for (int deviceY = 0; deviceY < image.height(); ++deviceY) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(deviceY));
        // The grain is a function of the position in picture pixels; a finer scale samples
        // it at the centres of the smaller device pixels.
        const double y = at(deviceY, scale);
        const int pictureRow = deviceY / scale;
        const int board = pictureRow / kBoardHeight;
        const double boardShade = 0.93 + 0.1 * tone.At(board * 3.7, 0.5);
        for (int deviceX = 0; deviceX < image.width(); ++deviceX) {
            const double x = at(deviceX, scale);
            const double bend =
                22 * warp.Fractal(x / 260.0, y / 70.0 + board * 11, 4) + 5 * std::sin(x / 150.0 + board * 1.7);
            // Growth rings of uneven width, cut at a slant so they sweep across the board.
            const double width = 7.0 + 9.0 * tone.Fractal(x / 520.0 + board * 2.3, y / 45.0, 2);
            const double ring = (y + bend + 0.04 * x * (board % 2 ? 1 : -1)) / width;
            const double phase = ring - std::floor(ring);
            // Narrow dark latewood at the end of each year, fading into the light earlywood.
            const double latewood =
                std::exp(-std::pow((phase - 0.82) / 0.09, 2.0)) + 0.35 * std::exp(-std::pow((phase - 0.6) / 0.18, 2.0));
            const double streak = fibre.Fractal(x / 35.0, y * 1.3 + board * 31, 3);
            double t = std::clamp(0.62 * latewood + 0.28 * (streak - 0.5) + 0.05, 0.0, 1.0);
            const int seam = pictureRow % kBoardHeight;
            double darken = boardShade;
            if (seam == 0)
                darken *= 0.72;
            else if (seam == 1 || seam == kBoardHeight - 1)
                darken *= 0.9;
            int rgb[3];
            for (int c = 0; c < 3; ++c)
                rgb[c] = int(std::lround(std::clamp(mixChannel(early[c], late[c], t) * darken, 0.0, 255.0)));
            row[deviceX] = qRgb(rgb[0], rgb[1], rgb[2]);
        }
    }
    return image;
}

} // namespace lirasto::artwork
