#include "model/grid_size.h"

#include <gtest/gtest.h>

using namespace tesselo;

TEST(GridSize, NamesReadBackAndOnlyValidSizesAreRead)
{
    struct Case {
        const char* text;
        std::optional<GridSize> size;
        const char* name; // what the size read is named
    };
    const Case cases[] = {
        {"Expert", kExpert, "Expert"},
        {"  genius ", kGenius, "Genius"},
        {"3x4", kExpert, "Expert"}, // a level's counts name the level
        {"4X3", GridSize{4, 3}, "4x3"}, // its transpose does not
        {"5x7", GridSize{5, 7}, "5x7"},
        {" 16x16", GridSize{16, 16}, "16x16"},
        {"2x2", GridSize{2, 2}, "2x2"},
        {"02x02", GridSize{2, 2}, "2x2"},
        {"1x5", std::nullopt, ""},
        {"5x17", GridSize{5, 17}, "5x17"},
        {"20x20", GridSize{20, 20}, "20x20"},
        {"20x2", GridSize{20, 2}, "20x2"},
        {"5x21", std::nullopt, ""},
        {"+5x5", std::nullopt, ""},
        {"5x", std::nullopt, ""},
        {"5x5x5", std::nullopt, ""},
        {"100x5", std::nullopt, ""},
        {"Experts", std::nullopt, ""},
        {"", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto size = GridSize::FromName(c.text);
        ASSERT_EQ(size, c.size);
        // As a stored key, only the one spelling Name gives is read.
        EXPECT_EQ(GridSize::FromKey(c.text), std::string_view(c.text) == c.name ? c.size : std::nullopt);
        if (size) {
            EXPECT_EQ(size->Name(), c.name);
            EXPECT_EQ(GridSize::FromName(size->Name()), size);
        }
    }
}

TEST(GridSize, LimitsTransposeAndLevels)
{
    EXPECT_TRUE((GridSize{2, 20}.IsValid()));
    EXPECT_FALSE((GridSize{1, 16}.IsValid()));
    EXPECT_FALSE((GridSize{20, 21}.IsValid()));
    // Earlier versions play up to 16 either way.
    EXPECT_TRUE((GridSize{16, 16}.EarlierVersionsPlay()));
    EXPECT_FALSE((GridSize{17, 2}.EarlierVersionsPlay()));
    EXPECT_FALSE((GridSize{2, 20}.EarlierVersionsPlay()));
    EXPECT_EQ((GridSize{5, 7}.Transposed()), (GridSize{7, 5}));
    EXPECT_EQ(kGenius.Cells(), 24);
    EXPECT_EQ(kPro.Level(), 1u);
    EXPECT_FALSE(kExpert.Transposed().IsLevel());
}

TEST(Style, KeysAreExact)
{
    EXPECT_EQ(Style::FromKey("Speed"), Style::Speed);
    EXPECT_EQ(Style::FromKey("Strategy"), Style::Strategy);
    EXPECT_EQ(Style::FromKey("speed"), std::nullopt);
    EXPECT_STREQ(Style::Speed.Key(), "Speed");
    EXPECT_TRUE(Style::FromStrategy(true).IsStrategy());
}
