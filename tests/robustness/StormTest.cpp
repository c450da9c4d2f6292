// StormTest.cpp -- thousands of input events queued between two frames: the game drains them all in the next
// frame, the last one steers and a close request among them still closes; resizing only stretches the picture.
// The demo shrugs off the same storms and closes only when asked.
#include "Counted.h"
#include "Scene.h"
#include "Storm.h"

namespace robustness {
namespace {

// Input requests per storm; every one gives the program at least one event, most give two or more.
const int stormRequests = 3000;
// The game is stopped after frame 30, takes the storm, and is read back after frame 50: no enemy has reached
// the player's rows yet.
const int stormFrame = 30;
const int readFrame = 50;

enum class Last { right, left, pointer };

struct Ending {
    const char* name;
    Last last;  // the input that ends the storm
};

void PrintTo(const Ending& row, std::ostream* out)
{
    *out << row.name;
}

class GameStorm : public CountedTest, public ::testing::WithParamInterface<Ending> {
protected:
    // The player's box after readFrame, with or without a storm before the last input.
    xdriver::Box PlayerAfter(bool storm)
    {
        if (!std::filesystem::exists(Dir() / "arial.ttf"))
            LinkFont();
        OpenCounted(e2e::game, {stormFrame, readFrame});
        WaitUntilStopped();
        x.Focus(window);
        if (storm)
            Storm(x, window, decoy.Id(), 2026).Send(stormRequests);
        switch (GetParam().last) {
        case Last::right: x.PressKey("Right"); break;
        case Last::left: x.PressKey("Left"); break;
        case Last::pointer: x.MovePointer(window, 400, 400); break;
        }
        Continue();
        WaitUntilStopped();
        const xdriver::Image frame = Frame();
        EXPECT_EQ(readFrame, Frames());
        x.ReleaseHeldKeys();
        const std::optional<xdriver::Box> player = e2e::PlayerIn(frame);
        EXPECT_TRUE(player) << "no player in the frame";
        process.reset();
        return player.value_or(xdriver::Box{-1, -1, -1, -1});
    }

    Decoy decoy;
};

// If the storm took more than the one frame to drain, steering would start later, or never, and the player
// would stand elsewhere than after the same last input alone.
TEST_P(GameStorm, TheLastEventSteersFromTheNextFrame)
{
    const xdriver::Box alone = PlayerAfter(false);
    const xdriver::Box afterStorm = PlayerAfter(true);
    EXPECT_EQ(alone.left, afterStorm.left);
    EXPECT_EQ(alone.right, afterStorm.right);
    EXPECT_EQ(700, afterStorm.top);
    EXPECT_EQ(799, afterStorm.bottom);
    switch (GetParam().last) {
    case Last::right: EXPECT_GT(afterStorm.left, 350) << "moved right"; break;
    case Last::left: EXPECT_LT(afterStorm.left, 350) << "moved left"; break;
    case Last::pointer: EXPECT_EQ(350, afterStorm.left) << "stood still"; break;
    }
}

INSTANTIATE_TEST_SUITE_P(Endings, GameStorm,
                         ::testing::Values(Ending{"Right_pressed", Last::right}, Ending{"Left_pressed", Last::left},
                                           Ending{"pointer_moved", Last::pointer}),
                         [](const ::testing::TestParamInfo<Ending>& info) { return std::string(info.param.name); });

struct Target {
    e2e::Program program;
};

void PrintTo(const Target& row, std::ostream* out)
{
    *out << row.program.name;
}

class CloseInAStorm : public CountedTest, public ::testing::WithParamInterface<Target> {
protected:
    Decoy decoy;
};

// Closed in the very frame that drains the storm: no frame is presented after it.
TEST_P(CloseInAStorm, ClosesInTheNextFrame)
{
    LinkFont();
    OpenCounted(GetParam().program, {stormFrame});
    WaitUntilStopped();
    x.Focus(window);
    Storm storm(x, window, decoy.Id(), 7);
    storm.Send(stormRequests / 2);
    x.RequestClose(window);
    storm.Send(stormRequests / 2);
    Continue();
    const xdriver::ExitStatus status = process->Wait(e2e::exitTimeout);
    EXPECT_EQ(0, status.code) << e2e::Describe(status) << "\n" << Stderr();
    EXPECT_EQ(stormFrame, Frames()) << "frames presented";
}

INSTANTIATE_TEST_SUITE_P(Programs, CloseInAStorm, ::testing::Values(Target{e2e::game}, Target{e2e::demo}),
                         [](const ::testing::TestParamInfo<Target>& info) { return info.param.program.name; });

class DemoStorm : public CountedTest {
protected:
    Decoy decoy;
};

TEST_F(DemoStorm, StaysOpenAndDrawing)
{
    OpenCounted(e2e::demo, {stormFrame});
    WaitUntilStopped();
    Storm(x, window, decoy.Id(), 11).Send(stormRequests);
    Continue();
    // The frame after the stop drains the storm; two more show it went on.
    ASSERT_TRUE(WaitForFrames(stormFrame + 3)) << "only " << Frames() << " frames";
    ASSERT_TRUE(process->Running());
    const xdriver::Image frame = x.WaitForRepaint(window, e2e::frameTimeout);
    EXPECT_EQ(xdriver::green, frame.At(100, 100));
    EXPECT_EQ(xdriver::black, frame.At(0, 0));
    EXPECT_GT(Frames(), stormFrame);
    const xdriver::ExitStatus status = CloseAndWait();
    EXPECT_EQ(0, status.code) << e2e::Describe(status);
}

// The game sets no view: the library's default view keeps its 800 x 800 scene and stretches it over whatever
// size the window takes. The game itself does not react: the player stays where it was, the walls too.
class Resized : public CountedTest {
};

TEST_F(Resized, TheSceneIsStretchedAndNothingMoves)
{
    struct Size {
        int width, height;
    };
    const Size sizes[] = {{400, 400}, {1000, 900}, {300, 700}, {801, 799}, {800, 800}};
    LinkFont();
    Open(e2e::game);
    for (const Size& size : sizes) {
        SCOPED_TRACE(::testing::Message() << size.width << "x" << size.height);
        x.Resize(window, size.width, size.height);
        x.BringIntoView(window);
        // A frame already past its events when the size changed is drawn for the old size; the one after the
        // next repaint began after the change, and has seen it.
        x.WaitForRepaint(window, e2e::frameTimeout);
        const xdriver::Image frame = x.WaitForRepaint(window, e2e::frameTimeout);
        ASSERT_EQ(size.width, frame.Width());
        ASSERT_EQ(size.height, frame.Height());
        const std::optional<xdriver::Box> player = e2e::PlayerIn(frame);
        ASSERT_TRUE(player);
        // Scene pixel 350 to 449 across, 700 to 799 down, scaled; a pixel of give for the rasteriser.
        const double sx = size.width / 800.0, sy = size.height / 800.0;
        EXPECT_NEAR(350 * sx, player->left, 1.0);
        EXPECT_NEAR(450 * sx - 1, player->right, 1.0);
        EXPECT_NEAR(700 * sy, player->top, 1.0);
        EXPECT_NEAR(800 * sy - 1, player->bottom, 1.0);
    }
    EXPECT_TRUE(process->Running());
}

}  // namespace
}  // namespace robustness
