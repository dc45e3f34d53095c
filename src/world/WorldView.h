#pragma once
// The world view's province layers: their tags and the placement rules, as
// plain functions of their inputs. The drawing and placing operations
// themselves are CMapProject members (MapProject.h), defined in WorldView.cpp.
//
// Layer order in the collection, bottom to top: the links overlay at index 0,
// then army, castle and name layers (each new province's go to index 1), the
// markers above them.
#include <cstdint>
#include <string>

#include "graphics/Geometry32.h"

class CMapProject;
class CProvince;
class TCustomLayer;

// The record a province layer's Tag points to. It belongs to the layer: it is
// deleted when the layer is destroyed, so removing the layers frees the tags.
struct CLayerTag {
    enum Kind : uint16_t { kMarker = 1, kName = 2, kCastle = 3, kArmy = 4 };

    uint16_t kind = 0;
    CProvince* object = nullptr;
};

// On: visible and taking the mouse. Off: the mouse-events bit cleared (the
// other option bits kept) and invisible.
void SwitchLayer(TCustomLayer& layer, bool on);

// The tag record of a layer; null for a layer without one (the links overlay).
const CLayerTag* GetLayerTag(const TCustomLayer* layer);

// Where a name layer of nameSize goes, given the marker layer's top-left
// corner and size and the world view control's client size (all in view pixels).
// Below the marker and centred, moved in from a side edge, or beside the
// marker near the bottom.
TRect PlaceNameRect(TPoint markerTopLeft, TPoint markerSize, TPoint nameSize, int clientWidth, int clientHeight);

// Where an icon layer goes in view pixels: the icon's pivot on `point`, which is
// relative to `base` (the piece's bounds, or zero), at view scale `scale`; the
// bottom takes scale - 1 more so a scaled icon covers its last row.
TFloatRect PlaceIconRect(TPoint point, TPoint base, TPoint pivot, TPoint iconSize, float scale);

// The second line of a province's name layer: its income of every resource of
// the project, joined by "+". A castle adds 5 to resource 0, a bank with it 3 more.
std::string ProvinceIncomeLine(const CMapProject& project, const CProvince& province);
