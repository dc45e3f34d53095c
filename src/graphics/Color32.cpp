#include "graphics/Color32.h"

#include "graphics/LowLevel32.h"
#include "platform/SystemColors.h"

#include <algorithm>
#include <cmath>

uint8_t GAMMA_TABLE[256];

namespace {

// Unit start-up: the gamma table is ready before any drawing.
[[maybe_unused]] const bool kGammaSet = (SetGamma(0.7), true);

} // namespace

TColor32 Color32(TColor WinColor)
{
    if (WinColor < 0)
        WinColor = TColor(platform::SystemColor(WinColor & 0xFF));
    return ColorSwap(WinColor);
}

TColor32 SetAlpha(TColor32 Color32, int32_t NewAlpha)
{
    return (Color32 & 0x00FFFFFFu) | TColor32(Clamp(NewAlpha)) << 24;
}

void SetGamma(double Gamma)
{
    for (int i = 0; i < 256; ++i)
        GAMMA_TABLE[i] = uint8_t(std::nearbyint(255.0 * std::pow(i / 255.0, Gamma)));
}

namespace {

uint8_t ToByte(float value)
{
    return uint8_t(std::clamp(std::nearbyint(255.0f * value), 0.0f, 255.0f));
}

float HueToColor(float M1, float M2, float h)
{
    h -= std::floor(h);
    if (6 * h < 1)
        return M1 + (M2 - M1) * h * 6;
    if (2 * h < 1)
        return M2;
    if (3 * h < 2)
        return M1 + (M2 - M1) * (2.0f / 3.0f - h) * 6;
    return M1;
}

} // namespace

TColor32 HSLtoRGB(float H, float S, float L)
{
    if (S == 0) {
        const uint8_t grey = ToByte(L);
        return Color32(grey, grey, grey);
    }
    const float M2 = L <= 0.5f ? L * (1 + S) : L + S - L * S;
    const float M1 = 2 * L - M2;
    return Color32(ToByte(HueToColor(M1, M2, H + 1.0f / 3.0f)), ToByte(HueToColor(M1, M2, H)),
                   ToByte(HueToColor(M1, M2, H - 1.0f / 3.0f)));
}

void RGBtoHSL(TColor32 RGB, float& H, float& S, float& L)
{
    const float R = RedComponent(RGB) / 255.0f;
    const float G = GreenComponent(RGB) / 255.0f;
    const float B = BlueComponent(RGB) / 255.0f;
    const float maximum = std::max({R, G, B});
    const float minimum = std::min({R, G, B});
    L = (maximum + minimum) / 2;
    if (maximum == minimum) {
        H = 0;
        S = 0;
        return;
    }
    const float D = maximum - minimum;
    S = L >= 0.5f ? D / (2 - maximum - minimum) : D / (maximum + minimum);
    if (R == maximum)
        H = (G - B) / D;
    else if (G == maximum)
        H = 2 + (B - R) / D;
    else
        H = 4 + (R - G) / D;
    H /= 6;
    if (H < 0)
        H += 1;
}
