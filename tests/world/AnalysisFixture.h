#pragma once
// The import fixture with the analysis steps of the import callable one by one.
#include <vector>

#include "world/ImportFixture.h"

class AnalysisTest : public ImportTest {
protected:
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
};

using Ints = std::vector<int>;
