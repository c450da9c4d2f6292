// XServerLossTest.cpp -- the X server dies under a running program: the program must end, not hang or spin.
// Each case starts a second X server of its own to kill, beside the one its test program runs on.
#include "Counted.h"
#include "XServer.h"

#include <signal.h>

namespace robustness {
namespace {

struct Loss {
    const char* name;
    e2e::Program program;
    int signal;  // what ends the X server
};

void PrintTo(const Loss& row, std::ostream* out)
{
    *out << row.name;
}

class XServerLost : public CountedTest, public ::testing::WithParamInterface<Loss> {
};

TEST_P(XServerLost, TheProgramEnds)
{
    const Loss& row = GetParam();
    LinkFont();
    xdriver::XServer server("1024x1024x24");
    {
        ScopedEnv display("DISPLAY", server.Display());
        StartCounted(row.program);
    }
    // Playing: some frames presented.
    ASSERT_TRUE(xdriver::PollUntil([&] { return Frames() >= 30 || !process->Running(); }, e2e::windowTimeout))
        << "only " << Frames() << " frames";
    ASSERT_TRUE(process->Running()) << "ended before its server did";

    server.Kill(row.signal);
    const xdriver::ExitStatus status = process->Wait(e2e::exitTimeout);
    EXPECT_FALSE(status.timedOut) << "still running " << e2e::exitTimeout.count() << " ms after its X server died";
    // What the library does, for the record: Xlib's default handler reports the lost connection and exits 1.
    std::cout << row.program.name << " after " << Frames() << " frames: " << e2e::Describe(status) << "; stderr: "
              << Stderr() << std::endl;
    EXPECT_EQ(1, status.code) << e2e::Describe(status) << "\n" << Stderr();
    EXPECT_NE(std::string::npos, Stderr().find("X connection")) << Stderr();
}

INSTANTIATE_TEST_SUITE_P(Programs, XServerLost,
                         ::testing::Values(Loss{"game_server_terminated", e2e::game, SIGTERM},
                                           Loss{"game_server_killed", e2e::game, SIGKILL},
                                           Loss{"demo_server_killed", e2e::demo, SIGKILL}),
                         [](const ::testing::TestParamInfo<Loss>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace robustness
