#include "positions/notation.h"
#include "positions/plan_follower.h"

#include <gtest/gtest.h>

using namespace tesselo::solver;

namespace {

Position After(Position p, const std::vector<Slide>& slides)
{
    for (const Slide& s : slides)
        p.Apply(s);
    return p;
}

// A 3 x 4 position three slides from solved, and the plan back.
struct Scene {
    Position start;
    Plan plan;
    Scene()
    {
        const auto back = *ParseSlides("R1+1 R3-1 C2+1");
        plan = Plan{back, true};
        start = Position::Solved(3, 4);
        for (auto it = back.rbegin(); it != back.rend(); ++it)
            start.Apply(InverseSlide(*it, start.LineLength(it->axis)));
    }
};

} // namespace

TEST(PlanFollower, EachFollowedSlideTakesThePlanDownByOne)
{
    // Played in the plan's order, in another order of the parallel rows,
    // and by single cells as the arrow keys play.
    const struct {
        const char* played;
        std::vector<int> lengths;
        std::vector<bool> optimal;
    } cases[] = {
        {"R1+1 R3-1 C2+1", {2, 1, 0}, {true, true, true}},
        {"R3-1 R1+1 C2+1", {2, 1, 0}, {true, true, true}},
    };
    for (const auto& c : cases) {
        Scene scene;
        PlanFollower follower;
        ASSERT_TRUE(follower.Adopt(scene.start, scene.plan));
        Position board = scene.start;
        const auto played = *ParseSlides(c.played);
        for (std::size_t i = 0; i < played.size(); ++i) {
            board.Apply(played[i]);
            ASSERT_TRUE(follower.Played(played[i], board)) << c.played << " at " << i;
            EXPECT_EQ(follower.Remaining().Length(), c.lengths[i]);
            EXPECT_EQ(follower.Remaining().optimal, c.optimal[i]);
            EXPECT_EQ(After(board, follower.Remaining().slides).IsSolved(), true);
        }
        EXPECT_FALSE(follower.Next());
    }
}

TEST(PlanFollower, ACellAtATimeKeepsToThePlan)
{
    const auto back = *ParseSlides("R2+2 C1-1");
    Position start = Position::Solved(4, 6);
    start.Apply(Slide{Axis::Column, 0, 1});
    start.Apply(Slide{Axis::Row, 1, -2});
    PlanFollower follower;
    ASSERT_TRUE(follower.Adopt(start, Plan{back, false}));
    Position board = start;
    const Slide key{Axis::Row, 1, 1};
    board.Apply(key);
    ASSERT_TRUE(follower.Played(key, board));
    EXPECT_EQ(ToNotation(follower.Remaining().slides), "R2+1 C1-1");
    board.Apply(key);
    ASSERT_TRUE(follower.Played(key, board));
    EXPECT_EQ(ToNotation(follower.Remaining().slides), "C1-1");
    EXPECT_EQ(follower.Next(), (Slide{Axis::Column, 0, -1}));
}

TEST(PlanFollower, LeavingThePlanAsksForANewOne)
{
    for (const char* leave : {"C2+1", "R2+1", "C1+1"}) {
        Scene scene;
        PlanFollower follower;
        ASSERT_TRUE(follower.Adopt(scene.start, scene.plan));
        const Slide slide = *ParseSlide(leave);
        Position board = scene.start;
        board.Apply(slide);
        EXPECT_FALSE(follower.Played(slide, board)) << leave;
        EXPECT_FALSE(follower.Active());
        EXPECT_FALSE(follower.Next());
    }
    // The board is not where the plan said (a move undone, a new game).
    Scene scene;
    PlanFollower follower;
    ASSERT_TRUE(follower.Adopt(scene.start, scene.plan));
    EXPECT_FALSE(follower.Played(scene.plan.slides.front(), scene.start));
    // A plan that does not solve its start is not taken.
    EXPECT_FALSE(follower.Adopt(scene.start, Plan{{scene.plan.slides.front()}, false}));
    EXPECT_FALSE(follower.Adopt(scene.start, Plan{{Slide{Axis::Row, 7, 1}}, false}));
}
