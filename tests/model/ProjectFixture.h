#pragma once
// A project set up the way the catalogue leaves it, for the model's tests:
// three unit types (two standard, one not), two resources, six default
// players and one string table.
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "model/MapProject.h"

#include <gtest/gtest.h>

class SetUpProjectTest : public testing::Test {
protected:
    SetUpProjectTest() { SetUpCounts(project); }

    // The counts, players and table above, on any project.
    static void SetUpCounts(CMapProject& target)
    {
        target.standardUnitTypes = 2;
        target.nonStandardUnitTypes = 1;
        target.resources = 2;
        target.CreateDefaultPlayers();
        target.GetStringTables().Add(std::make_unique<CStringTable>(target));
    }

    // The stored form of a project, for comparing projects byte by byte.
    static std::vector<uint8_t> Stored(CMapProject& target)
    {
        std::vector<uint8_t> bytes;
        std::string problem;
        EXPECT_TRUE(target.SaveToBytes(bytes, problem)) << problem;
        return bytes;
    }

    CStringTable& AddTable()
    {
        project.GetStringTables().Add(std::make_unique<CStringTable>(project));
        return *project.GetStringTables().GetAt(project.GetStringTables().GetCount() - 1);
    }
    CStringTable& Table(int i = 0) { return *project.GetStringTables().GetAt(i); }
    CPlayerData& Player(uint32_t i) { return project.GetPlayers().GetAt(i); }

    CProvince& AddProvince(int owner = CProvinceB::kNoOwner)
    {
        auto province = std::make_unique<CProvince>(project);
        province->owner = uint8_t(owner);
        CProvince& added = *province;
        EXPECT_GE(project.GetProvinces().Add(std::move(province)), 0);
        return added;
    }

    // A piece at world point (left, top) whose mask is drawn by `rows`: '#' a
    // pixel of the piece, 'r' a reserved pixel, anything else none.
    CProvinceMap& AddPiece(int left, int top, const std::vector<std::string>& rows,
                           uint32_t kind = CProvinceMap::kProvince)
    {
        auto piece = std::make_unique<CProvinceMap>(project);
        const int height = int(rows.size()), width = height ? int(rows[0].size()) : 0;
        piece->left = int16_t(left);
        piece->top = int16_t(top);
        piece->right = int16_t(left + width - 1);
        piece->bottom = int16_t(top + height - 1);
        piece->kind = kind;
        piece->mask.SetSize(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (rows[y][x] == '#') {
                    piece->mask.SetPixel(x, y, 0xFF0000CC);
                    ++piece->pixelCount;
                } else if (rows[y][x] == 'r') {
                    piece->mask.SetPixel(x, y, CProvinceMap::kReserved);
                    ++piece->pixelCount;
                }
        CProvinceMap& added = *piece;
        EXPECT_GE(project.GetPieces().Add(std::move(piece)), 0);
        return added;
    }

    // A solid piece of `width` × `height` pixels.
    CProvinceMap& AddSolidPiece(int left, int top, int width, int height)
    {
        return AddPiece(left, top, std::vector<std::string>(size_t(height), std::string(size_t(width), '#')));
    }

    // One call of a setter, what it must answer and whether it must mark the
    // project modified. The calls run in order, each on an unmodified project.
    struct SetterCall {
        const char* what;
        std::function<int()> call;
        int answer;
        bool marks;
    };
    void ExpectCalls(std::initializer_list<SetterCall> calls)
    {
        for (const SetterCall& c : calls) {
            project.SetModified(false);
            EXPECT_EQ(c.call(), c.answer) << c.what;
            EXPECT_EQ(project.IsModified(), c.marks) << c.what;
        }
    }

    CMapProject project;
};

// A mask drawn back as rows: '#' a merged or loaded pixel, 'r' a reserved one, '.' none, '?' anything else.
inline std::vector<std::string> MaskRows(const TBitmap32& mask)
{
    std::vector<std::string> rows(size_t(mask.Height()), std::string(size_t(mask.Width()), '?'));
    for (int y = 0; y < mask.Height(); ++y)
        for (int x = 0; x < mask.Width(); ++x) {
            const TColor32 pixel = mask.GetPixel(x, y);
            if (pixel == CProvinceMap::kMergedPixel || pixel == CProvinceMap::kReserved || pixel == 0)
                rows[size_t(y)][size_t(x)] = pixel ? pixel == CProvinceMap::kReserved ? 'r' : '#' : '.';
        }
    return rows;
}
