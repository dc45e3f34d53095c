#pragma once
// The import fixture with the extraction step of the import callable alone.
#include "world/ImportFixture.h"

class AnalysisTest : public ImportTest {
protected:
    // Pieces of `image` and the piece map.
    void Extract(const TBitmap32& image)
    {
        project.SetMapSize(uint16_t(image.Width()), uint16_t(image.Height()));
        project.ExtractPieces(image);
    }
};
