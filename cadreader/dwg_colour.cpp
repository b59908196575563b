// The index colours' RGB values, to find the nearest index colour of a true colour.
#include <array>
#include <cmath>
#include <cstdint>

#include "cadreader/dwg_object.h"

namespace {
struct Rgb {
    int r = 0, g = 0, b = 0;
};

// Colours 10 to 249 run through 24 hues in steps of 15 degrees; each hue has five
// brightnesses, each once saturated and once half towards white.
constexpr int kBrightness[5] = {255, 165, 127, 76, 38};
constexpr Rgb kFirst[10] = {{0, 0, 0},       {255, 0, 0},   {255, 255, 0}, {0, 255, 0},     {0, 255, 255},
                            {0, 0, 255},     {255, 0, 255}, {255, 255, 255}, {128, 128, 128}, {192, 192, 192}};
constexpr int kGreys[6] = {51, 80, 105, 130, 190, 255};

Rgb FromHsv(double hueDegrees, double saturation, double value) {
    const double h = hueDegrees / 60.0;
    const int sector = static_cast<int>(h) % 6;
    const double f = h - std::floor(h);
    const double low = value * (1.0 - saturation);
    const double fall = value - (value - low) * f, rise = low + (value - low) * f;
    const int v = static_cast<int>(value), lo = static_cast<int>(low);
    const int down = static_cast<int>(fall), up = static_cast<int>(rise);
    switch (sector) {
    case 0: return {v, up, lo};
    case 1: return {down, v, lo};
    case 2: return {lo, v, up};
    case 3: return {lo, down, v};
    case 4: return {up, lo, v};
    default: return {v, lo, down};
    }
}

std::array<Rgb, 256> MakePalette() {
    std::array<Rgb, 256> p{};
    for (int i = 0; i < 10; ++i) p[static_cast<std::size_t>(i)] = kFirst[i];
    for (int i = 10; i < 250; ++i) {
        const int group = (i - 10) / 10, step = (i - 10) % 10;
        p[static_cast<std::size_t>(i)] =
            FromHsv(15.0 * group, step % 2 ? 0.5 : 1.0, kBrightness[step / 2]);
    }
    for (int i = 0; i < 6; ++i) p[static_cast<std::size_t>(250 + i)] = {kGreys[i], kGreys[i], kGreys[i]};
    return p;
}
}  // namespace

std::int32_t NearestIndexColour(std::uint32_t rgb) {
    static const std::array<Rgb, 256> palette = MakePalette();
    const int r = static_cast<int>((rgb >> 16) & 0xFF), g = static_cast<int>((rgb >> 8) & 0xFF),
              b = static_cast<int>(rgb & 0xFF);
    std::int32_t best = 7;
    int bestDistance = 1 << 30;
    for (std::size_t i = 1; i < palette.size(); ++i) {
        const int dr = palette[i].r - r, dg = palette[i].g - g, db = palette[i].b - b;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<std::int32_t>(i);
        }
    }
    return best;
}
