// Harness.cpp -- temporary folders, starting and stopping the program under test, polling its frames
#include "Harness.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace e2e {

std::string FromEnvironment(const char* name, const std::string& fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

std::string Launcher()
{
    return FromEnvironment("PELMORA_LAUNCHER", "");
}

std::unique_ptr<xdriver::Process> Launch(const std::string& program, const std::vector<std::string>& arguments,
                                         const std::filesystem::path& workingDirectory)
{
    std::string command = program;
    std::vector<std::string> words = arguments;
    if (const std::string launcher = Launcher(); !launcher.empty()) {
        words.insert(words.begin(), program);
        command = launcher;
    }
    return std::make_unique<xdriver::Process>(command, words, workingDirectory.string(),
                                              (workingDirectory / "stdout.txt").string(),
                                              (workingDirectory / "stderr.txt").string());
}

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "pelmora-e2e-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder from " + pattern);
    path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

ProgramTest::~ProgramTest()
{
    // A failed assertion can leave a key down; it would stay down for every later test on this server.
    try {
        x.ReleaseHeldKeys();
    } catch (const xdriver::Error&) {
    }
    process.reset();
}

void ProgramTest::Start(const Program& program)
{
    process = Launch(program.path, {}, Dir());
}

void ProgramTest::Open(const Program& program)
{
    Start(program);
    window = x.WaitForWindow(program.title, windowTimeout, [this] { return process->Running(); });
    // The library places windows partly off this screen; all of a window must be on it to read it back.
    x.BringIntoView(window);
    x.WaitForRepaint(window, frameTimeout);
}

void ProgramTest::LinkFont()
{
    std::filesystem::copy_file(stagedFont, Dir() / "arial.ttf");
}

xdriver::Image ProgramTest::Frame()
{
    return x.Capture(window);
}

bool ProgramTest::WaitForFrame(const std::function<bool(const xdriver::Image&)>& condition,
                               std::chrono::milliseconds timeout, std::chrono::milliseconds interval)
{
    return xdriver::PollUntil([&] { return condition(Frame()); }, timeout, interval);
}

xdriver::ExitStatus ProgramTest::CloseAndWait()
{
    x.RequestClose(window);
    return process->Wait(exitTimeout);
}

std::string ProgramTest::Stdout() const
{
    std::ifstream file(Dir() / "stdout.txt");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string Describe(const xdriver::ExitStatus& status)
{
    return xdriver::Describe(status, exitTimeout);
}

}  // namespace e2e
