// PlayerTest.cpp -- steering the player with a held arrow key, read back from the blue circle's pixels
#include "Harness.h"
#include "Scene.h"

#include <set>

namespace e2e {
namespace {

using xdriver::Box;
using xdriver::Image;

struct Wall {
    const char* name;
    const char* keysym;  // the arrow key that drives the player there
    bool left;
};

void PrintTo(const Wall& wall, std::ostream* out)
{
    *out << wall.name;
}

// Pixels from the player's box to the wall. It touches the wall for a frame or two at a time, too briefly to
// be sure to catch, so "at the wall" is within the 5 pixels it must clear before it steers again.
const int atWall = 5;
const int nearWall = 30;  // never farther once there; the first bounce takes it about 20 out
// Watching it at the wall: this many whole new frames, each read back once. Not many more: under the sanitizers
// a read-back takes a good part of a second, and the banner, which hides the player, comes 35 s into the game.
const int framesAtWall = 30;

class HoldingAnArrowKey : public ProgramTest, public ::testing::WithParamInterface<Wall> {
protected:
    void SetUp() override
    {
        LinkFont();
        Open(game);
    }

    // The player's box in a frame, checked against the bottom edge: only rows 700 to 799, and all of them
    // unless an enemy being caught is drawn over it.
    std::optional<Box> Player(const Image& frame)
    {
        const std::optional<Box> player = PlayerIn(frame);
        EXPECT_TRUE(player) << "no blue in the frame";
        if (!player)
            return std::nullopt;
        EXPECT_GE(player->top, 700);
        EXPECT_LE(player->bottom, 799);
        if (player->top != 700 || player->bottom != 799) {
            EXPECT_TRUE(EnemyOver(frame, *player))
                << "rows " << player->top << " to " << player->bottom << " with nothing over them";
        }
        return player;
    }

    // Pixels between the player and the wall.
    int Gap(const Box& player) const
    {
        return GetParam().left ? player.left : 799 - player.right;
    }
};

TEST_P(HoldingAnArrowKey, DrivesThePlayerToTheWallWhereItBouncesAndStays)
{
    x.Focus(window);
    x.PressKey(GetParam().keysym);

    std::optional<Box> player;
    const bool reached = WaitForFrame([&](const Image& frame) {
        player = Player(frame);
        return player && Gap(*player) <= atWall;
    });
    ASSERT_TRUE(reached) << "gap to the wall still " << (player ? Gap(*player) : -1);

    // Bouncing, it is never still: the gap takes several values, none of them far.
    std::set<int> gaps;
    for (int frame = 0; frame < framesAtWall; ++frame) {
        player = Player(x.WaitForRepaint(window, frameTimeout));
        if (!player)
            break;
        gaps.insert(Gap(*player));
    }
    ASSERT_FALSE(gaps.empty());
    EXPECT_GE(gaps.size(), 3u) << "resting at the wall, not bouncing: gaps from " << *gaps.begin() << " to "
                               << *gaps.rbegin();
    EXPECT_LE(*gaps.rbegin(), nearWall) << "left the wall behind";
}

INSTANTIATE_TEST_SUITE_P(Walls, HoldingAnArrowKey,
                         ::testing::Values(Wall{"Left", "Left", true}, Wall{"Right", "Right", false}),
                         [](const ::testing::TestParamInfo<Wall>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
