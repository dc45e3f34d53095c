#pragma once
// A set-up project shown in a world view without a window: a 200 × 100 world
// at view scale 1, a 12 × 12 marker picture, three castle pictures and one army
// picture of known sizes and pivots, texture strips whose tiles are each one
// plain colour, and a text rasteriser that marks one pixel per character.
// The settings and textures are process-wide: the fixture restores them.
#include <memory>
#include <string>
#include <string_view>

#include "graphics/Image32.h"
#include "model/ProjectFixture.h"
#include "model/Settings.h"
#include "platform/TextRasterizer.h"
#include "world/Textures.h"
#include "world/WorldView.h"

#include <gtest/gtest.h>

// Each character is a cell of kCharWidth × kLineHeight; drawing marks the
// cell's top-left pixel in the font colour, opaque.
class MarkingRasterizer : public platform::TextRasterizer {
public:
    static constexpr int kCharWidth = 6;
    static constexpr int kLineHeight = 10;

    platform::Size TextExtent(std::string_view text, const platform::FontSpec&) override
    {
        return {int32_t(text.size()) * kCharWidth, kLineHeight};
    }
    void TextOut(const platform::PixelView& target, int32_t x, int32_t y, const platform::Rect& clip,
                 std::string_view text, const platform::FontSpec& font) override
    {
        for (size_t i = 0; i < text.size(); ++i) {
            const int32_t px = x + int32_t(i) * kCharWidth;
            if (px >= clip.Left && px < clip.Right && y >= clip.Top && y < clip.Bottom && px >= 0 && y >= 0 &&
                px < target.Width && y < target.Height)
                target.Row(y)[px] = 0xFF000000 | font.Color;
        }
    }
    void DrawText(const platform::PixelView& target, const platform::Rect& rect, uint32_t, std::string_view text,
                  const platform::FontSpec& font) override
    {
        TextOut(target, rect.Left, rect.Top, rect, text, font);
    }
};

// The three process-wide textures back to their empty start-up state.
inline void UnloadTextures()
{
    for (CTextures* texture : {&NormalTexture(), &SelectedTexture(), &SeaTexture()}) {
        texture->bitmap.SetSize(0, 0);
        texture->width = texture->height = texture->tileSize = 0;
    }
}

// The colour of every pixel of tile `tile` of a test texture strip.
inline TColor32 TileColor(int strip, int tile)
{
    return 0xFF000000u | uint32_t(strip) << 16 | uint32_t(tile) << 8 | 0x40;
}

class WorldViewTest : public SetUpProjectTest {
protected:
    static constexpr TColor32 kMagenta = 0xFFFF00FF;
    static constexpr int kNormal = 1, kSelected = 2, kSea = 3;

    WorldViewTest()
    {
        savedSettings = TheSettings();
        platform::SetTextRasterizer(&rasterizer);
        image.SetBounds(0, 0, 300, 200);
        image.Bitmap()->SetSize(200, 100);
        image.Bitmap()->Clear(0xFFFFFFFF);
        project.SetMapSize(200, 100);
        project.SetWorldImage(&image);

        TBitmap32& marker = project.GetMarkerPicture();
        marker.SetSize(12, 12);
        marker.Clear(0xFF00FF00);
        marker.SetPixel(0, 0, kMagenta);
        // Castle pictures 0..2 of widths 10, 11, 12 and the army picture of width 8.
        project.castleTypes = 3;
        project.armyTypes = 1;
        for (int i = 0; i < 4; ++i) {
            TBitmap32* picture = project.GetIconPictures().Bitmaps()->Add()->Bitmap();
            picture->SetSize(i < 3 ? 10 + i : 8, 6);
            picture->Clear(0xFF000000u | uint32_t(i + 1));
            const TPoint pivot{i + 1, 2};
            project.GetIconPivots().Append(&pivot, 1);
        }

        SetTexture(NormalTexture(), kNormal, 8);
        SetTexture(SelectedTexture(), kSelected, 8);
        SetTexture(SeaTexture(), kSea, 1);
    }

    ~WorldViewTest() override
    {
        project.SetWorldImage(nullptr);
        platform::SetTextRasterizer(nullptr);
        TheSettings() = savedSettings;
        UnloadTextures();
    }

    // A strip of `tiles` tiles of 4 × 4 pixels, each of its TileColor.
    static void SetTexture(CTextures& texture, int strip, int tiles)
    {
        texture.bitmap.SetSize(4 * tiles, 4);
        for (int t = 0; t < tiles; ++t)
            texture.bitmap.FillRect(4 * t, 0, 4 * t + 4, 4, TileColor(strip, t));
        texture.width = uint16_t(4 * tiles);
        texture.height = texture.tileSize = 4;
    }

    // A province linked to a new solid piece of w × h at (left, top).
    CProvince& AddLinkedProvince(int left, int top, int w, int h, int owner = CProvinceB::kNoOwner)
    {
        const int pieceIndex = project.GetPieces().GetCount();
        AddSolidPiece(left, top, w, h);
        CProvince& province = AddProvince(owner);
        province.pieceIndex = pieceIndex;
        province.linked = 1;
        province.ResizeResources(project.resources);
        return province;
    }

    // A linked province of a three-resource project, with resource values 2, 1 and 0.
    CProvince& AddProvinceWithIncome()
    {
        project.resources = 3;
        CProvince& province = AddLinkedProvince(0, 0, 20, 20);
        province.SetResource(0, 2);
        province.SetResource(1, 1);
        return province;
    }

    MarkingRasterizer rasterizer;
    CSettings savedSettings;
    TImage32 image;
};
