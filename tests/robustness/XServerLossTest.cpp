// XServerLossTest.cpp -- the X server dies under a running program: the program must end, not hang or spin.
// Each case starts an X server of its own, so the shared one the other tests use is never touched.
#include "Counted.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

namespace robustness {
namespace {

// A private Xvfb on a display it picks itself; it writes the number once it accepts clients.
class PrivateXServer {
public:
    PrivateXServer()
    {
        int ready[2];
        if (pipe(ready) != 0)
            throw std::runtime_error(std::string("pipe: ") + strerror(errno));
        pid = fork();
        if (pid == 0) {
            dup2(ready[1], 3);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "1024x1024x24", "-nolisten", "tcp",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        close(ready[1]);
        char text[16] = {};
        std::size_t got = 0;
        ssize_t part;
        while (got + 1 < sizeof text && (part = read(ready[0], text + got, sizeof text - 1 - got)) > 0) {
            got += static_cast<std::size_t>(part);
            if (std::strchr(text, '\n'))
                break;
        }
        close(ready[0]);
        if (got == 0)
            throw std::runtime_error("Xvfb did not start");
        display = ":" + std::string(text, std::strcspn(text, "\n"));
    }
    ~PrivateXServer() { Kill(SIGKILL); }

    const std::string& Display() const { return display; }
    void Kill(int signal)
    {
        if (pid <= 0)
            return;
        kill(pid, signal);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }

private:
    pid_t pid = -1;
    std::string display;
};

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
    PrivateXServer server;
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
