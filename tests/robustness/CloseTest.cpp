// CloseTest.cpp -- a close request in every state of a game ends it with 0. In the sanitizer build the leak
// checker runs at that exit, so 0 there also means every enemy and the player were destroyed.
#include "Counted.h"
#include "Scene.h"

namespace robustness {
namespace {

struct State {
    const char* name;
    int frame;  // the game stops after presenting this frame, and the close request waits for it there
    // What that frame must show, so the state is the one named; nothing to check after the very first.
    std::function<void(const xdriver::Image&)> check;
};

void PrintTo(const State& row, std::ostream* out)
{
    *out << row.name;
}

void ExpectBanner(const xdriver::Image& frame)
{
    EXPECT_NE(xdriver::Banner::none, xdriver::ReadBanner(frame)) << "no end banner";
}

// The banner goes up by frame 2111 at the latest.
const State states[] = {
    {"first_frame", 1, nullptr},
    {"mid_game_with_enemies_alive", 600,
     [](const xdriver::Image& frame) {
         EXPECT_FALSE(e2e::WholeEnemiesIn(frame).empty()) << "no enemy in view";
         EXPECT_EQ(xdriver::Banner::none, xdriver::ReadBanner(frame));
     }},
    {"at_the_banner", 2150, ExpectBanner},
    {"half_a_minute_after_the_banner", 2111 + 1800, ExpectBanner},
};

class ClosingIn : public CountedTest, public ::testing::WithParamInterface<State> {
};

TEST_P(ClosingIn, ExitsWithZero)
{
    const State& state = GetParam();
    LinkFont();
    if (state.frame == 1) {
        StartCounted(e2e::game, {1});
        WaitUntilStopped(e2e::windowTimeout);
        window = x.WaitForWindow(e2e::game.title, e2e::windowTimeout);
    } else {
        // Frame numbers make the state, so the frames need not wait out the limit.
        OpenCounted(e2e::game, {state.frame}, Pacing::fast);
        WaitUntilStopped(180s);
        state.check(Frame());
    }
    ASSERT_EQ(state.frame, Frames());

    x.RequestClose(window);
    Continue();
    const xdriver::ExitStatus status = process->Wait(e2e::exitTimeout);
    EXPECT_EQ(0, status.code) << e2e::Describe(status) << "\n" << Stderr();
    EXPECT_EQ(state.frame, Frames()) << "a frame presented after the close request";
}

INSTANTIATE_TEST_SUITE_P(States, ClosingIn, ::testing::ValuesIn(states),
                         [](const ::testing::TestParamInfo<State>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace robustness
