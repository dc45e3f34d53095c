#include "GeneratedWorld.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "model/Settings.h"

namespace {

constexpr int kGrid = 10;          // centres per side
constexpr int kInlandSeas = 8;
constexpr int kGreenPatches = 4;
constexpr int kSpecks = 500;
constexpr int kMaxSpeckPixels = 100;

// One displacement per row or column: a slow wave that bends the borders plus
// a short one that makes them ragged.
std::vector<float> Wave(std::mt19937& random, int side)
{
    std::uniform_real_distribution<float> phase(0.0f, 6.2832f);
    const float slowPhase = phase(random), fastPhase = phase(random), finePhase = phase(random);
    const float slowAmplitude = float(side) / 40.0f;
    std::vector<float> wave(static_cast<size_t>(side));
    for (int i = 0; i < side; ++i)
        wave[size_t(i)] = slowAmplitude * std::sin(float(i) * 6.2832f / float(side) * 3.0f + slowPhase) +
                          3.0f * std::sin(float(i) * 6.2832f / 23.0f + fastPhase) +
                          1.5f * std::sin(float(i) * 6.2832f / 7.0f + finePhase);
    return wave;
}

TColor32 RandomColor(std::mt19937& random)
{
    const CSettings& settings = TheSettings();
    for (;;) {
        const TColor32 color = 0xFF000000u | (random() & 0xFFFFFFu);
        if (color != settings.OceanColor() && color != settings.GreenLandColor())
            return color;
    }
}

} // namespace

void GenerateWorld(int side, uint32_t seed, TBitmap32& image)
{
    std::mt19937 random(seed);
    const CSettings& settings = TheSettings();
    const int cell = side / kGrid;

    struct Centre {
        float x, y;
        TColor32 color;
    };
    std::vector<Centre> centres;
    for (int cy = 0; cy < kGrid; ++cy)
        for (int cx = 0; cx < kGrid; ++cx)
            centres.push_back({float(cx * cell + int(random() % unsigned(cell))),
                               float(cy * cell + int(random() % unsigned(cell))), RandomColor(random)});
    for (int i = 0; i < kInlandSeas + kGreenPatches; ++i)
        centres[random() % centres.size()].color = i < kInlandSeas ? settings.OceanColor() : settings.GreenLandColor();

    const std::vector<float> bendX = Wave(random, side), bendY = Wave(random, side);
    const float coast = float(side) / 32.0f;
    image.SetSize(side, side);
    for (int y = 0; y < side; ++y) {
        TColor32* row = image.ScanLine(y);
        for (int x = 0; x < side; ++x) {
            const float wx = float(x) + bendX[size_t(y)], wy = float(y) + bendY[size_t(x)];
            if (wx < coast || wy < coast || wx >= float(side) - coast || wy >= float(side) - coast) {
                row[x] = settings.OceanColor();
                continue;
            }
            // The nearest centre among the 3 × 3 cells around the point.
            const int cx = std::clamp(int(wx) / cell, 0, kGrid - 1), cy = std::clamp(int(wy) / cell, 0, kGrid - 1);
            float best = 1e30f;
            TColor32 color = 0;
            for (int ny = std::max(cy - 1, 0); ny <= std::min(cy + 1, kGrid - 1); ++ny)
                for (int nx = std::max(cx - 1, 0); nx <= std::min(cx + 1, kGrid - 1); ++nx) {
                    const Centre& c = centres[size_t(ny * kGrid + nx)];
                    const float d = (c.x - wx) * (c.x - wx) + (c.y - wy) * (c.y - wy);
                    if (d < best) {
                        best = d;
                        color = c.color;
                    }
                }
            row[x] = color;
        }
    }

    // Specks: random walks of 1 to 100 steps.
    for (int s = 0; s < kSpecks; ++s) {
        const TColor32 color = s % 3 == 0 ? centres[random() % centres.size()].color : RandomColor(random);
        int x = int(random() % unsigned(side)), y = int(random() % unsigned(side));
        const int steps = 1 + int(random() % kMaxSpeckPixels);
        for (int step = 0; step < steps; ++step) {
            image.SetPixel(x, y, color);
            switch (random() % 4) {
            case 0: x = std::min(x + 1, side - 1); break;
            case 1: x = std::max(x - 1, 0); break;
            case 2: y = std::min(y + 1, side - 1); break;
            default: y = std::max(y - 1, 0); break;
            }
        }
    }
}
