#include "model/Settings.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Settings, DefaultSwitchesBoundsAndColoursInOrderWithTheWorldImageKeys)
{
    EXPECT_EQ(&TheSettings(), &TheSettings());
    const CSettings settings;
    EXPECT_EQ(settings.ShNames, 0u);
    EXPECT_EQ(settings.ShIcons, 1u);
    EXPECT_EQ(settings.ShCastles + settings.ShArmies + settings.ShPaths + settings.TransArmies, 0u);
    EXPECT_EQ(settings.TransCastles + settings.OwnerColors + settings.AutoShowErr + settings.AutoResize, 4u);
    EXPECT_EQ((std::vector<int>{settings.TransValue, settings.MinPopulation, settings.MaxPopulation,
                                settings.MinCapPopulation, settings.MaxCapPopulation, settings.ConvertCapTo}),
              (std::vector<int>{120, 25, 125, 50, 150, 0}));
    EXPECT_EQ(settings.font.Color, 0u); // black
    EXPECT_EQ(settings.firstTexts[5], "");

    EXPECT_EQ(settings.OceanColor(), 0xFF0000FFu);
    EXPECT_EQ(settings.GreenLandColor(), 0xFF00FF00u);
    EXPECT_EQ(settings.colors[CSettings::kWorldBackground], 0xFFFF0000u);
    EXPECT_EQ(settings.colors[CSettings::kPiecePaintLight], 0xFFFFFFFFu);
    EXPECT_EQ(settings.colors[3], 0xFFCCCCCCu);
    EXPECT_EQ(settings.colors[10], 0xFFAA0000u);
    EXPECT_EQ(settings.colors[13], 0xFFE00000u);
    EXPECT_EQ(settings.colors[18], 0xFF808080u);
}
