// The name layer of a province: its name over its income line, drawn with a
// one-pixel shadow in the settings font and placed beside the marker so that
// it stays inside the world view control.
#include <algorithm>
#include <cmath>
#include <string>

#include "graphics/Image32.h"
#include "model/MapProject.h"
#include "model/Settings.h"
#include "world/WorldView.h"

namespace {

constexpr int kNameGap = 2;
constexpr int kViewMargin = 6;
constexpr int kCastleIncome = 5;
constexpr int kBankIncome = 3;

} // namespace

std::string ProvinceIncomeLine(const CMapProject& project, const CProvince& province)
{
    std::string line;
    const bool hasCastle = (province.castle.flags & CCastleDataB::kCastle) != 0;
    const bool hasBank = hasCastle && (province.castle.buildings & CCastleDataB::kBank) != 0;
    for (int r = 0; r < project.resources; ++r) {
        int income = r < province.resources.GetSize() ? province.resources[r] : 0;
        if (r == 0)
            income += (hasCastle ? kCastleIncome : 0) + (hasBank ? kBankIncome : 0);
        if (r > 0)
            line += '+';
        line += std::to_string(income);
    }
    return line;
}

TRect PlaceNameRect(TPoint markerTopLeft, TPoint markerSize, TPoint nameSize, int clientWidth, int clientHeight)
{
    const int mx = markerTopLeft.X, my = markerTopLeft.Y;
    const int mw = markerSize.X, mh = markerSize.Y, nw = nameSize.X, nh = nameSize.Y;
    const int g = kNameGap, margin = kViewMargin;
    int x, y;
    if (clientHeight - margin < my + mh + nh + g) { // no room below: beside, near the bottom
        x = mx - g - nw;
        if (x < margin + 1)
            x = mx + mw + g;
        y = clientHeight - margin - nh;
    } else {
        x = mx + mw / 2 - nw / 2;
        if (mx + mw / 2 - nw / 2 - g < margin)
            x = margin;
        if (clientWidth - margin < mx + mw / 2 + nw / 2 + g)
            x = clientWidth - margin - nw;
        y = my + mh + g;
    }
    return {x, y, x + nw, y + nh};
}

int CMapProject::DrawProvinceName(const CProvince* province)
{
    TBitmapLayer* layer = FindNameLayer(province);
    if (!layer)
        return 0;
    const CSettings& settings = TheSettings();
    const std::string name = GetProvinceName(province);
    const std::string income = ProvinceIncomeLine(*this, *province);

    // The font colour is 0x00RRGGBB; the shadow is black or white by the lowest
    // bit of its blue byte.
    const TColor32 textColor = 0xFF000000 | settings.font.Color;
    const TColor32 shadowColor = (textColor & 1) ? 0xFF000000 : 0xFFFFFFFF;

    TBitmap32& bitmap = *layer->Bitmap();
    bitmap.SetFont(settings.font);
    const int nameWidth = bitmap.TextWidth(name), incomeWidth = bitmap.TextWidth(income);
    const int width = std::max(nameWidth, incomeWidth), height = bitmap.TextHeight(name);
    bitmap.SetSize(width, 2 * height);
    bitmap.Clear(0);

    auto shadowed = [&](int x, int y, const std::string& text) {
        platform::FontSpec font = settings.font;
        font.Color = shadowColor & 0x00FFFFFF;
        bitmap.SetFont(font);
        bitmap.Textout(x + 1, y + 1, text);
        font.Color = textColor & 0x00FFFFFF;
        bitmap.SetFont(font);
        bitmap.Textout(x, y, text);
    };
    shadowed(0, 0, name);
    shadowed((width - incomeWidth) / 2, 4 * height / 5, income);
    bitmap.Changed();

    PlaceNameLayer(province);
    SwitchLayer(*layer, settings.ShNames != 0);
    return 1;
}

int CMapProject::PlaceNameLayer(const CProvince* province)
{
    TBitmapLayer* marker = FindMarkerLayer(province);
    TBitmapLayer* name = FindNameLayer(province);
    if (!marker || !name || !worldImage_)
        return 0;
    const TFloatRect& at = marker->Location();
    const TRect place = PlaceNameRect({int32_t(std::trunc(at.Left)), int32_t(std::trunc(at.Top))},
                                      {marker->Bitmap()->Width(), marker->Bitmap()->Height()},
                                      {name->Bitmap()->Width(), name->Bitmap()->Height()}, worldImage_->Width(),
                                      worldImage_->Height());
    name->SetLocation({float(place.Left), float(place.Top), float(place.Right), float(place.Bottom)});
    return 1;
}
