#pragma once
// The editor's preferences: which parts of the world view are shown, icon
// transparency, the font of province names, the colours that read and draw the
// world image, and population bounds. Users read and write the fields
// directly; there is no modified flag. The settings file stores the fields
// under their own names as attributes of the element "Editor"; the colours are
// not stored and keep their defaults.
#include <array>
#include <cstdint>
#include <string>

#include "graphics/Color32.h"
#include "platform/FontSpec.h"

class CSettings {
public:
    static constexpr int kColorCount = 19;
    // Colours with a known role, as indexes into `colors`.
    static constexpr int kWorldBackground = 0; // fills the world bitmap of a new project
    static constexpr int kPiecePaint = 1;      // piece painting
    static constexpr int kOceanKey = 2;        // pixels of this colour form ocean pieces
    static constexpr int kGreenLandKey = 6;    // pixels of this colour form green-land pieces
    static constexpr int kPiecePaintLight = 12; // piece painting

    TColor32 OceanColor() const { return colors[kOceanKey]; }
    TColor32 GreenLandColor() const { return colors[kGreenLandKey]; }

    uint32_t ShNames = 0;      // "Show Provinces' Names"
    uint32_t ShIcons = 1;      // "Provinces Mode"
    uint32_t ShCastles = 0;    // "Castles Positions Mode"
    uint32_t ShArmies = 0;     // "Armies Positions Mode"
    uint32_t TransCastles = 1; // "Transparent Castles"
    uint32_t TransArmies = 0;  // "Transparent Armies"
    uint32_t OwnerColors = 1;  // "Show Owners Colors"
    uint32_t ShPaths = 0;      // "Show Walking Paths"
    uint32_t AutoShowErr = 1;  // "Show world image warnings"
    uint32_t AutoResize = 1;   // "Auto-resize bitmap to import"
    uint8_t TransValue = 120;  // "Castles and armies transparency:"
    platform::FontSpec font;   // province names ("Font" child element)
    std::array<TColor32, kColorCount> colors = {
        0xFFFF0000, 0xFFFF0000, 0xFF0000FF, 0xFFCCCCCC, 0xFFFFFF00, 0xFF808080, 0xFF00FF00,
        0xFF0000FF, 0xFF00FF00, 0xFF000000, 0xFFAA0000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFE00000,
        0xFFB0B000, 0xFF40D040, 0xFF0000D0, 0xFFD000D0, 0xFF808080,
    };
    // Kept for the settings file; nothing else reads them.
    std::array<std::string, 6> firstTexts;
    std::array<std::string, 6> secondTexts;
    std::array<std::string, 2> thirdTexts;
    uint8_t MinPopulation = 25;
    uint8_t MaxPopulation = 125;
    uint8_t MinCapPopulation = 50;
    uint8_t MaxCapPopulation = 150;
    uint8_t ConvertCapTo = 0;
};

// The one settings object of the running editor, created on first use.
CSettings& TheSettings();
