#pragma once
// A set-up project with its own warnings list and a recording progress
// display, and the analysis steps of the import in their order.
#include <string>
#include <vector>

#include "model/ErrorList.h"
#include "model/MapProject.h"
#include "model/ProjectFixture.h"
#include "model/RecordingViews.h"
#include "world/WorldArt.h"

#include <gtest/gtest.h>

// The pieces' neighbour lists as plain lists.
inline std::vector<int> NeighbourList(const CProvinceMap& piece)
{
    std::vector<int> list;
    for (int i = 0; i < piece.neighbours.GetSize(); ++i)
        list.push_back(piece.neighbours[i]);
    return list;
}

class AnalysisTest : public SetUpProjectTest {
protected:
    AnalysisTest()
    {
        project.SetWarnings(&warnings);
        project.SetProgressDisplay(&progress);
    }

    // Pieces of `image` and the piece map.
    void Extract(const TBitmap32& image)
    {
        project.SetMapSize(uint16_t(image.Width()), uint16_t(image.Height()));
        project.ExtractPieces(image);
    }
    // Extraction, neighbours, small pieces merged, purged and converted.
    void Analyse(const TBitmap32& image)
    {
        Extract(image);
        project.CalcNeighbours(0);
        project.ReconnectSmallPieces();
        project.PurgeProvinceMaps();
        project.ConvertSmallPieces();
        project.ReassignMapIndexes();
    }

    CProvinceMap& Piece(int i) { return *project.GetPieces().GetAt(i); }
    int PieceCount() const { return project.GetPieces().GetCount(); }

    static std::vector<int> Neighbours(const CProvinceMap& piece) { return NeighbourList(piece); }
    std::vector<std::string> WarningTexts() const
    {
        std::vector<std::string> texts;
        for (int i = 0; i < warnings.GetCount(); ++i)
            texts.push_back(warnings.GetAt(i)->GetText());
        return texts;
    }

    CErrorList warnings;
    RecordingProgress progress;
};

using Ints = std::vector<int>;
using Texts = std::vector<std::string>;
