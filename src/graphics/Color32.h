#pragma once
// The 32-bit pixel and its colour functions.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

// One pixel as a 32-bit value; in memory it is little-endian, so the bytes run
// blue, green, red, alpha (the order of a 32-bit device-independent bitmap):
//   bits  31..24   23..16   15..8    7..0
//         [AAAAAAAA][RRRRRRRR][GGGGGGGG][BBBBBBBB]
// Alpha 255 is opaque, 0 fully transparent.
using TColor32 = uint32_t;

// A platform colour: 0x00BBGGRR; a negative value names a system colour by its low byte.
using TColor = int32_t;

using TPalette32 = std::array<TColor32, 256>;
using TArrayOfColor32 = std::vector<TColor32>;

constexpr TColor32 clBlack32 = 0xFF000000;
constexpr TColor32 clWhite32 = 0xFFFFFFFF;

// A platform colour with alpha 255, red and blue swapped into place; a negative value is
// a system colour, looked up by its low byte first.
TColor32 Color32(TColor WinColor);
inline TColor32 Color32(uint8_t R, uint8_t G, uint8_t B, uint8_t A = 255)
{
    return TColor32(A) << 24 | TColor32(R) << 16 | TColor32(G) << 8 | B;
}
inline TColor32 Color32(uint8_t Index, const TPalette32& Palette)
{
    return Palette[Index];
}
inline TColor32 Gray32(uint8_t Intensity, uint8_t Alpha = 255)
{
    return TColor32(Alpha) << 24 | TColor32(Intensity) << 16 | TColor32(Intensity) << 8 | Intensity;
}
// Back to a platform colour: alpha dropped, red and blue swapped.
inline TColor WinColor(TColor32 Color32)
{
    return TColor(((Color32 & 0xFF) << 16) | (Color32 & 0xFF00) | ((Color32 >> 16) & 0xFF));
}
inline TArrayOfColor32 ArrayOfColor32(std::initializer_list<TColor32> Colors)
{
    return TArrayOfColor32(Colors);
}

inline int32_t RedComponent(TColor32 Color32) { return int32_t((Color32 >> 16) & 0xFF); }
inline int32_t GreenComponent(TColor32 Color32) { return int32_t((Color32 >> 8) & 0xFF); }
inline int32_t BlueComponent(TColor32 Color32) { return int32_t(Color32 & 0xFF); }
inline int32_t AlphaComponent(TColor32 Color32) { return int32_t(Color32 >> 24); }

// (R * 61 + G * 174 + B * 21) >> 8; alpha ignored.
inline int32_t Intensity(TColor32 Color32)
{
    return (RedComponent(Color32) * 61 + GreenComponent(Color32) * 174 + BlueComponent(Color32) * 21) >> 8;
}

// NewAlpha limited to 0..255 replaces the alpha byte.
TColor32 SetAlpha(TColor32 Color32, int32_t NewAlpha);

// Hue, saturation and lightness, each 0.0..1.0; the result is opaque.
TColor32 HSLtoRGB(float H, float S, float L);
void RGBtoHSL(TColor32 RGB, float& H, float& S, float& L);

// GAMMA_TABLE[i] = round(255 * (i / 255) ^ Gamma): the weights of the anti-aliased
// sub-pixel drawing. Filled with Gamma 0.7 at start-up.
extern uint8_t GAMMA_TABLE[256];
void SetGamma(double Gamma = 0.7);
