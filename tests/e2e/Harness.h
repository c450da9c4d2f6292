// Harness.h -- what every end-to-end test does: run a real program in a fresh folder, find its window on the
// X server, poll its pixels, and leave nothing behind
#pragma once

#include "Driver.h"
#include "Process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <ostream>
#include <memory>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

// Timeouts only stop a broken program from hanging the suite; nothing asserts how fast anything is.
const std::chrono::milliseconds windowTimeout = 15s;
const std::chrono::milliseconds frameTimeout = 10s;
const std::chrono::milliseconds exitTimeout = 10s;

// The programs under test and the font the game reads, built beside them.
struct Program {
    std::string name;
    std::string path;
    std::string title;
};

// How the programs under test are started, decided here for every test. By default they are the ones built
// beside the tests, run directly. A build for another system names its own programs and the command that
// runs them through the environment, e.g. the Windows build under Wine:
//   PELMORA_LAUNCHER=/usr/bin/wine PELMORA_GAME_PROGRAM=.../game.exe PELMORA_DEMO_PROGRAM=.../demo.exe
// The launcher's path, or "" when programs are run directly.
std::string Launcher();
// The value of an environment variable, or fallback when it is unset or empty.
std::string FromEnvironment(const char* name, const std::string& fallback);
// Starts program with arguments in workingDirectory (through the launcher, if there is one), its output
// going to stdout.txt and stderr.txt there.
std::unique_ptr<xdriver::Process> Launch(const std::string& program, const std::vector<std::string>& arguments,
                                         const std::filesystem::path& workingDirectory);

const Program game = {"game", FromEnvironment("PELMORA_GAME_PROGRAM", PELMORA_GAME), "Pelmora"};
const Program demo = {"demo", FromEnvironment("PELMORA_DEMO_PROGRAM", PELMORA_DEMO), "SFML works!"};
// Names a program in test names, instead of its bytes.
inline void PrintTo(const Program& program, std::ostream* out)
{
    *out << program.name;
}
const std::filesystem::path stagedFont = PELMORA_FONT;

// A fresh folder of its own under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path; }

private:
    std::filesystem::path path;
};

// A test with a program of its own: started in a fresh working directory, killed if still running at the end.
class ProgramTest : public ::testing::Test {
protected:
    ~ProgramTest() override;

    // Starts the program in Dir(), its output going to files there.
    void Start(const Program& program);
    // Start, then wait until its window shows and is wholly in view with a first frame drawn.
    void Open(const Program& program);
    // The game's working directory gets the staged font as arial.ttf.
    void LinkFont();

    // A capture of the window as it is now.
    xdriver::Image Frame();
    // Captures until one satisfies the condition, which may record what it saw; false after the timeout.
    bool WaitForFrame(const std::function<bool(const xdriver::Image&)>& condition,
                      std::chrono::milliseconds timeout = frameTimeout,
                      std::chrono::milliseconds interval = std::chrono::milliseconds(5));
    // Close request, then the exit status.
    xdriver::ExitStatus CloseAndWait();
    std::string Stdout() const;

    const std::filesystem::path& Dir() const { return dir.Path(); }

    xdriver::Driver x;
    TempDir dir;
    std::unique_ptr<xdriver::Process> process;
    xdriver::WindowId window = 0;
};

// "exited with 255" for a status, for assertion messages.
std::string Describe(const xdriver::ExitStatus& status);

}  // namespace e2e
