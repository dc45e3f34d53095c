#pragma once
// The platform colours that name a system colour: the top bit set, the system-colour
// index in the low byte. Color32 resolves them.
#include "graphics/Color32.h"

constexpr TColor SystemColorName(int32_t Index)
{
    return TColor(0x80000000u | uint32_t(Index));
}

constexpr TColor clScrollBar = SystemColorName(0);
constexpr TColor clWindow = SystemColorName(5);
constexpr TColor clWindowFrame = SystemColorName(6);
constexpr TColor clWindowText = SystemColorName(8);
constexpr TColor clHighlight = SystemColorName(13);
constexpr TColor clHighlightText = SystemColorName(14);
constexpr TColor clBtnFace = SystemColorName(15);
constexpr TColor clBtnShadow = SystemColorName(16);
constexpr TColor clGrayText = SystemColorName(17);
constexpr TColor clBtnText = SystemColorName(18);
constexpr TColor clBtnHighlight = SystemColorName(20);
constexpr TColor cl3DDkShadow = SystemColorName(21);
constexpr TColor cl3DLight = SystemColorName(22);
constexpr TColor clInfoText = SystemColorName(23);
constexpr TColor clInfoBk = SystemColorName(24);

// The colour a platform colour shows on a canvas (0x00RRGGBB).
inline uint32_t CanvasColorOf(TColor Color)
{
    return Color32(Color) & 0x00FFFFFFu;
}
