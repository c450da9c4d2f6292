// WholeGameTest.cpp -- one whole game end to end: falling enemies, the first point, the banner, closing
#include "Harness.h"
#include "Scene.h"

#include <map>
#include <string>

namespace e2e {
namespace {

using xdriver::Box;
using xdriver::Image;

// A whole game is about 2,100 frames, some 35 s at 60 frames per second; a slow machine gets far more.
const std::chrono::milliseconds gameTimeout = 120s;
// The first point is scored about 130 frames in.
const std::chrono::milliseconds firstPointTimeout = 30s;
// Gaps between enemies to collect before judging their spacing.
const int gapsWanted = 60;
// Frames the banner must stay up, the program running, before the close request.
const int framesAfterTheBanner = 30;

class WholeGame : public ProgramTest {
protected:
    void SetUp() override
    {
        LinkFont();
        Open(game);
    }

    // Enemies fall 10 pixels a frame from -500 and are released 20 frames apart: every top on a 10-pixel
    // grid, neighbours most often 200 pixels apart (more where one was caught early).
    void ExpectEnemiesOnTheirGrid()
    {
        std::map<int, int> gapCounts;
        int gaps = 0;
        std::vector<std::string> offTheGrid;
        auto onTheGrid = [&](int pixels, const char* what) {
            if (pixels % 10 != 0)
                offTheGrid.push_back(what + std::to_string(pixels));
        };
        const bool enough = WaitForFrame(
            [&](const Image& frame) {
                const std::vector<Box> enemies = WholeEnemiesIn(frame);
                for (std::size_t i = 0; i < enemies.size(); ++i) {
                    onTheGrid(enemies[i].top, "top at y ");
                    if (i == 0)
                        continue;
                    const int gap = enemies[i].top - enemies[i - 1].top;
                    onTheGrid(gap, "gap of ");
                    ++gapCounts[gap];
                    ++gaps;
                }
                return gaps >= gapsWanted;
            },
            gameTimeout, 50ms);
        ASSERT_TRUE(enough) << "only " << gaps << " gaps between whole enemies seen";
        EXPECT_TRUE(offTheGrid.empty()) << offTheGrid.size() << " off the 10-pixel grid, first " << offTheGrid[0];
        const auto mode = std::max_element(gapCounts.begin(), gapCounts.end(),
                                           [](const auto& a, const auto& b) { return a.second < b.second; });
        EXPECT_EQ(200, mode->first) << "the commonest gap, seen " << mode->second << " times of " << gaps;
    }
};

TEST_F(WholeGame, PlaysToTheBannerAndKeepsItUpUntilClosed)
{
    // The first enemy to fall out changes the score line's letters for good. The frame that scores also draws
    // the old line twice, which changes its smoothed edges for that frame alone, hence the later frames.
    const std::vector<bool> noPoints = WhiteIn(Frame(), scoreArea);
    auto scored = [&](const Image& frame) { return WhiteIn(frame, scoreArea) != noPoints; };
    ASSERT_TRUE(WaitForFrame(scored, firstPointTimeout, 20ms)) << "the score line never changed";
    for (int later = 1; later <= 3; ++later)
        EXPECT_TRUE(scored(x.WaitForRepaint(window, frameTimeout))) << "changed back " << later << " frames on";

    ExpectEnemiesOnTheirGrid();

    xdriver::Banner banner = xdriver::Banner::none;
    ASSERT_TRUE(WaitForFrame(
        [&](const Image& frame) {
            banner = ReadBanner(frame);
            return banner != xdriver::Banner::none;
        },
        gameTimeout, 250ms))
        << "no end banner";

    // Each a whole new frame; a program that ended by itself would draw none.
    for (int later = 1; later <= framesAfterTheBanner; ++later)
        ASSERT_EQ(banner, ReadBanner(x.WaitForRepaint(window, frameTimeout))) << "the banner gone " << later << " frames on";
    ASSERT_TRUE(process->Running()) << "ended by itself after the banner";

    const xdriver::ExitStatus status = CloseAndWait();
    EXPECT_EQ(0, status.code) << Describe(status);
}

}  // namespace
}  // namespace e2e
