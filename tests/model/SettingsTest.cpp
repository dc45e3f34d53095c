#include "model/Settings.h"

#include <gtest/gtest.h>

TEST(Settings, DefaultsOfTheViewSwitchesAndBounds)
{
    const CSettings settings;
    EXPECT_EQ(settings.ShNames, 0u);
    EXPECT_EQ(settings.ShIcons, 1u);
    EXPECT_EQ(settings.ShCastles + settings.ShArmies + settings.ShPaths + settings.TransArmies, 0u);
    EXPECT_EQ(settings.TransCastles + settings.OwnerColors + settings.AutoShowErr + settings.AutoResize, 4u);
    EXPECT_EQ(settings.TransValue, 120);
    EXPECT_EQ(settings.MinPopulation, 25);
    EXPECT_EQ(settings.MaxPopulation, 125);
    EXPECT_EQ(settings.MinCapPopulation, 50);
    EXPECT_EQ(settings.MaxCapPopulation, 150);
    EXPECT_EQ(settings.ConvertCapTo, 0);
    EXPECT_EQ(settings.font.Color, 0u); // black
    EXPECT_EQ(settings.firstTexts[5], "");
}

TEST(Settings, ColoursInOrderWithTheWorldImageKeys)
{
    const CSettings settings;
    EXPECT_EQ(settings.OceanColor(), 0xFF0000FFu);
    EXPECT_EQ(settings.GreenLandColor(), 0xFF00FF00u);
    EXPECT_EQ(settings.colors[CSettings::kWorldBackground], 0xFFFF0000u);
    EXPECT_EQ(settings.colors[CSettings::kPiecePaintLight], 0xFFFFFFFFu);
    EXPECT_EQ(settings.colors[3], 0xFFCCCCCCu);
    EXPECT_EQ(settings.colors[10], 0xFFAA0000u);
    EXPECT_EQ(settings.colors[13], 0xFFE00000u);
    EXPECT_EQ(settings.colors[18], 0xFF808080u);
}

TEST(Settings, OneProcessWideObject)
{
    EXPECT_EQ(&TheSettings(), &TheSettings());
}
