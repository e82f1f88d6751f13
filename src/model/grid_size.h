#pragma once

#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tesselo {

// The counts of a grid, rows first. The game plays every grid of 2 to 20
// rows and 2 to 20 columns; the four levels are four of those sizes with
// names of their own. A size is named by its level where it has one and by
// its counts otherwise ("5x7"), in the history, the records and game IDs,
// so the name never depends on the player's language.
struct GridSize {
    static constexpr std::int32_t kMin = 2;
    static constexpr std::int32_t kMax = 20;
    // The largest side earlier versions play: a grid beyond it is saved
    // where they never look (SavedGameStore).
    static constexpr std::int32_t kMaxEarlier = 16;

    std::int32_t rows = 0;
    std::int32_t columns = 0;

    constexpr bool IsValid() const { return rows >= kMin && rows <= kMax && columns >= kMin && columns <= kMax; }
    constexpr std::int32_t Cells() const { return rows * columns; }
    constexpr GridSize Transposed() const { return {columns, rows}; }
    constexpr bool EarlierVersionsPlay() const { return IsValid() && rows <= kMaxEarlier && columns <= kMaxEarlier; }
    // The level of exactly this size: 0 Novice .. 3 Genius.
    std::optional<std::size_t> Level() const;
    bool IsLevel() const { return Level().has_value(); }
    // "Expert" for 3 x 4, "5x7" for a size no level has.
    std::string Name() const;
    // The reverse of Name, in any letter case and with spaces around it
    // ignored; a name outside 2..20 either way is nothing.
    static std::optional<GridSize> FromName(std::string_view name);
    // The size a stored name stands for, only as Name writes it: the records
    // group wins by the text of this name, so "3x4", "expert" or "05x7"
    // would be a kind of its own.
    static std::optional<GridSize> FromKey(std::string_view key);
    // How many moves a new game's scramble takes: the four levels keep the
    // (rows + columns) x 3 that named their starts before any other size
    // was played, so their IDs stay; any other size takes 2 x rows x
    // columns, which mixes a large grid as well as a small one, and one
    // more for an odd seed: on 2 x 2 every step is an odd arrangement of
    // the four pieces, so a fixed count would reach only half of them (and
    // only one at least three moves from whole).
    std::int32_t ScrambleSteps(std::uint32_t seed) const;

    constexpr bool operator==(const GridSize&) const = default;
};

inline constexpr GridSize kNovice{2, 3};
inline constexpr GridSize kPro{3, 3};
inline constexpr GridSize kExpert{3, 4};
inline constexpr GridSize kGenius{4, 6};

// The four levels, easiest first, each by the key that the saved history,
// the records and the game IDs keep it by. A key never depends on the
// player's language: it is the English name, which the window translates
// (DisplayName), so the names are written here once, for both.
struct Level {
    const char* key;
    GridSize size;
};
inline constexpr Level kLevels[4] = {
    //: Level: the 2 x 3 grid
    {QT_TRANSLATE_NOOP("tesselo::DisplayNames", "Novice"), kNovice},
    //: Level: the 3 x 3 grid
    {QT_TRANSLATE_NOOP("tesselo::DisplayNames", "Pro"), kPro},
    //: Level: the 3 x 4 grid
    {QT_TRANSLATE_NOOP("tesselo::DisplayNames", "Expert"), kExpert},
    //: Level: the 4 x 6 grid
    {QT_TRANSLATE_NOOP("tesselo::DisplayNames", "Genius"), kGenius},
};
// The styles' keys, likewise, in the order the Options list them.
inline constexpr const char* kStyleKeys[4] = {
    //: Style: the fewest moves win
    QT_TRANSLATE_NOOP("tesselo::DisplayNames", "Strategy"),
    //: Style: the shortest time wins, against a ticking stopwatch
    QT_TRANSLATE_NOOP("tesselo::DisplayNames", "Speed"),
    //: Style: explore freely; the result is the solution's length with its detours taken out
    QT_TRANSLATE_NOOP("tesselo::DisplayNames", "Fewest Moves"),
    //: Style: the picture hides at the first move; the player says when it is whole
    QT_TRANSLATE_NOOP("tesselo::DisplayNames", "Blind"),
};

// The ways a game is played and scored. "Strategy" and "Fewest Moves" count
// moves and show no clock; "Speed" and "Blind" race a ticking clock. The
// saved game's one style byte holds only that much (Base); the style itself
// is kept in the settings.
class Style {
public:
    enum class Kind : std::uint8_t { Strategy, Speed, FewestMoves, Blind };
    static const Style Strategy;
    static const Style Speed;
    static const Style FewestMoves;
    static const Style Blind;
    static constexpr int kCount = 4;

    constexpr Kind Of() const { return kind; }
    // Moves counted and no clock shown, as in "Strategy".
    constexpr bool IsStrategy() const { return kind == Kind::Strategy || kind == Kind::FewestMoves; }
    // Against the clock, as in "Speed".
    constexpr bool IsSpeed() const { return !IsStrategy(); }
    constexpr bool IsFewestMoves() const { return kind == Kind::FewestMoves; }
    constexpr bool IsBlind() const { return kind == Kind::Blind; }
    // "Strategy" or "Speed", whichever this style plays like: what the saved
    // game's byte and earlier versions know of it.
    constexpr Style Base() const { return Style(IsStrategy() ? Kind::Strategy : Kind::Speed); }
    // Its place in kStyleKeys, and back (nothing out of range).
    constexpr int Index() const { return int(kind); }
    static std::optional<Style> FromIndex(int index);
    // The style's key, as the history and the records keep it.
    const char* Key() const;
    // Exactly one of the keys, in their letter case.
    static std::optional<Style> FromKey(std::string_view key);
    static constexpr Style FromStrategy(bool isStrategy) { return Style(isStrategy ? Kind::Strategy : Kind::Speed); }

    constexpr bool operator==(const Style&) const = default;

private:
    constexpr explicit Style(Kind k) : kind(k) {}
    Kind kind;
};

inline constexpr Style Style::Strategy{Kind::Strategy};
inline constexpr Style Style::Speed{Kind::Speed};
inline constexpr Style Style::FewestMoves{Kind::FewestMoves};
inline constexpr Style Style::Blind{Kind::Blind};

} // namespace tesselo
