// Counted.cpp -- starting programs with the frame counter, and following their stops
#include "Counted.h"

#include <signal.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace robustness {

int FramesIn(const std::filesystem::path& log)
{
    std::ifstream file(log);
    int frames = -1;
    file >> frames;
    return frames;
}

bool IsStopped(pid_t pid)
{
    // The state follows the parenthesised command name: "pid (comm) T ..."
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::size_t name = text.rfind(')');
    return name != std::string::npos && name + 2 < text.size() && text[name + 2] == 'T';
}

ScopedEnv::ScopedEnv(const std::string& name, const std::string& value) : name(name)
{
    if (const char* current = std::getenv(name.c_str()))
        old = current;
    setenv(name.c_str(), value.c_str(), 1);
}

ScopedEnv::~ScopedEnv()
{
    if (old)
        setenv(name.c_str(), old->c_str(), 1);
    else
        unsetenv(name.c_str());
}

std::vector<std::pair<std::string, std::string>> CounterEnvironment(const std::filesystem::path& log,
                                                                    const std::vector<int>& stopAfter,
                                                                    Pacing pacing)
{
    // After whatever is preloaded already: the sanitizer runs preload their own shim.
    std::string preload = PELMORA_FRAME_COUNTER;
    if (pacing == Pacing::fast)
        preload += std::string(":") + PELMORA_FAST_PACING;
    if (const char* current = std::getenv("LD_PRELOAD"); current && *current)
        preload = std::string(current) + ":" + preload;
    std::string stops;
    for (int frame : stopAfter)
        stops += (stops.empty() ? "" : ",") + std::to_string(frame);
    return {{"LD_PRELOAD", preload}, {"PELMORA_FRAME_LOG", log.string()}, {"PELMORA_STOP_AFTER", stops}};
}

void CountedTest::StartCounted(const e2e::Program& program, const std::vector<int>& stopAfter, Pacing pacing)
{
    std::vector<std::unique_ptr<ScopedEnv>> environment;
    for (const auto& [name, value] : CounterEnvironment(FrameLog(), stopAfter, pacing))
        environment.push_back(std::make_unique<ScopedEnv>(name, value));
    Start(program);
}

void CountedTest::OpenCounted(const e2e::Program& program, const std::vector<int>& stopAfter, Pacing pacing)
{
    std::vector<int> stops = {1};
    stops.insert(stops.end(), stopAfter.begin(), stopAfter.end());
    StartCounted(program, stops, pacing);
    WaitUntilStopped(e2e::windowTimeout);
    window = x.WaitForWindow(program.title, e2e::windowTimeout);
    x.BringIntoView(window);
    Continue();
}

void CountedTest::WaitUntilStopped(std::chrono::milliseconds timeout)
{
    bool ended = false;
    const bool stopped = xdriver::PollUntil(
        [&] {
            ended = !process->Running();
            return ended || IsStopped(process->Pid());
        },
        timeout);
    if (ended)
        throw std::runtime_error("ended instead of stopping, after " + std::to_string(Frames()) + " frames");
    if (!stopped)
        throw std::runtime_error("not stopped after " + std::to_string(timeout.count()) + " ms, at frame " +
                                 std::to_string(Frames()));
}

bool CountedTest::WaitForFrames(int frames, std::chrono::milliseconds timeout)
{
    return xdriver::PollUntil([&] { return Frames() >= frames || !process->Running(); }, timeout) &&
           Frames() >= frames;
}

void CountedTest::Continue()
{
    x.Sync();
    kill(process->Pid(), SIGCONT);
}

std::string CountedTest::Stderr() const
{
    std::ifstream file(Dir() / "stderr.txt");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace robustness
