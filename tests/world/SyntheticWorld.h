#pragma once
// Worlds made from a labelling of their pixels, for the export's tests and
// benchmark: every label becomes one piece whose mask covers its bounding box.
#include <cstdint>
#include <functional>
#include <vector>

#include "model/MapProject.h"

namespace test {

// Sets the map size and appends one piece per label (in label order) with the
// pixels where label(x, y) gives it; a pixel labelled -1 belongs to no piece.
// kinds[label] is the piece's kind. Labels that no pixel carries give empty
// pieces. Fills the piece map.
void AddLabelledPieces(CMapProject& project, int width, int height, const std::function<int(int, int)>& label,
                       const std::vector<uint32_t>& kinds);

// One province per province piece (kinds 3 and 4), in piece order.
void AddProvincesForPieces(CMapProject& project);

} // namespace test
