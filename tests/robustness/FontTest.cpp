// FontTest.cpp -- every way arial.ttf can be unusable: the game gives up with -1 before its first frame,
// without a crash or a hang; a sound font of another family plays
#include "Counted.h"
#include "Scene.h"

#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include <fstream>
#include <random>

namespace robustness {
namespace {

namespace fs = std::filesystem;

// Bytes of the staged font, for rows that cut it short.
std::vector<char> StagedFontBytes()
{
    std::ifstream file(e2e::stagedFont, std::ios::binary);
    return std::vector<char>((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const std::vector<char>& bytes, std::size_t count)
{
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(count));
}

struct Hostile {
    const char* name;
    // Makes arial.ttf (or what stands in its place) in the working directory.
    std::function<void(const fs::path& dir)> make;
    bool asNobody = false;  // run by an unprivileged user, who may not read what root may
    // Besides the library's or the game's usual line, the reason the game gives, when it is the game's own.
    const char* reason = nullptr;
    // How long the game may take to give up, once its window shows, before it counts as hung.
    std::chrono::milliseconds bound = e2e::exitTimeout;
};

void PrintTo(const Hostile& row, std::ostream* out)
{
    *out << row.name;
}

// A socket bound at the path: its file stays after the socket itself is closed.
void MakeSocketFile(const fs::path& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string name = path.string();
    ASSERT_LT(name.size(), sizeof address.sun_path) << name;
    std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
    const int socketFd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(socketFd, 0) << std::strerror(errno);
    const int bound = bind(socketFd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    const int error = errno;
    close(socketFd);
    ASSERT_EQ(0, bound) << name << ": " << std::strerror(error);
}

// Files that reading could block on or never finish: the game must refuse them at once, so a short bound.
const std::chrono::milliseconds refusedAtOnce = 2s;

// The staged font cut to this share of its length (numerator / denominator).
std::function<void(const fs::path&)> Cut(std::size_t numerator, std::size_t denominator)
{
    return [=](const fs::path& dir) {
        const std::vector<char> bytes = StagedFontBytes();
        WriteBytes(dir / "arial.ttf", bytes, bytes.size() * numerator / denominator);
    };
}

const Hostile hostileFonts[] = {
    {"missing", [](const fs::path&) {}},
    {"empty", [](const fs::path& dir) { std::ofstream{dir / "arial.ttf"}; }},
    {"random_bytes",
     [](const fs::path& dir) {
         std::mt19937 random(2026);
         std::ofstream file(dir / "arial.ttf", std::ios::binary);
         for (int i = 0; i < 400 * 1024; ++i)
             file.put(static_cast<char>(random()));
     }},
    // Liberation Sans keeps its outlines from 6 % to 72 % of the file: a cut before them fails to load,
    // one inside them loads with every outline blank.
    {"truncated_to_its_first_twelve_bytes",
     [](const fs::path& dir) { WriteBytes(dir / "arial.ttf", StagedFontBytes(), 12); }},
    {"truncated_to_a_sixteenth", Cut(1, 16)},
    {"truncated_to_a_quarter", Cut(1, 4)},
    {"truncated_to_half", Cut(1, 2)},
    {"truncated_to_seven_tenths", Cut(7, 10)},
    {"a_directory", [](const fs::path& dir) { fs::create_directory(dir / "arial.ttf"); }},
    {"a_dangling_symlink", [](const fs::path& dir) { fs::create_symlink(dir / "nowhere.ttf", dir / "arial.ttf"); }},
    {"a_symlink_loop",
     [](const fs::path& dir) {
         fs::create_symlink(dir / "loop.ttf", dir / "arial.ttf");
         fs::create_symlink(dir / "arial.ttf", dir / "loop.ttf");
     }},
    {"unreadable_for_nobody",
     [](const fs::path& dir) {
         fs::copy_file(e2e::stagedFont, dir / "arial.ttf");
         fs::permissions(dir / "arial.ttf", fs::perms::owner_write);
     },
     true},
    {"a_hundred_megabytes_of_zeros",
     [](const fs::path& dir) {
         std::ofstream{dir / "arial.ttf"};
         fs::resize_file(dir / "arial.ttf", 100u * 1024 * 1024);
     }},
    // Opening a FIFO for reading waits for a writer; none ever comes.
    {"a_fifo",
     [](const fs::path& dir) { ASSERT_EQ(0, mkfifo((dir / "arial.ttf").c_str(), 0644)) << std::strerror(errno); },
     false, "(a FIFO, not a regular file)", refusedAtOnce},
    {"a_socket", [](const fs::path& dir) { MakeSocketFile(dir / "arial.ttf"); }, false,
     "(a socket, not a regular file)", refusedAtOnce},
    // Endless zeros.
    {"a_symlink_to_dev_zero", [](const fs::path& dir) { fs::create_symlink("/dev/zero", dir / "arial.ttf"); }, false,
     "(a character device, not a regular file)", refusedAtOnce},
};

class HostileFont : public CountedTest, public ::testing::WithParamInterface<Hostile> {
};

TEST_P(HostileFont, EndsWith255BeforeAnyFrame)
{
    const Hostile& row = GetParam();
    std::vector<std::string> arguments;
    if (row.asNobody) {
        if (geteuid() != 0)
            GTEST_SKIP() << "only root can run the game as nobody; run the tests as root for this row";
        const passwd* nobody = getpwnam("nobody");
        ASSERT_TRUE(nobody) << "no user nobody";
        // nobody must reach the folder and write its output, but not read the font.
        fs::permissions(Dir(), fs::perms::all);
        arguments = {"--reuid=" + std::to_string(nobody->pw_uid), "--regid=" + std::to_string(nobody->pw_gid),
                     "--clear-groups", e2e::game.path};
    }
    row.make(Dir());
    if (HasFatalFailure())
        return;

    const e2e::Program program =
        row.asNobody ? e2e::Program{"game as nobody", "/usr/bin/setpriv", e2e::game.title} : e2e::game;
    {
        std::vector<std::unique_ptr<ScopedEnv>> environment;
        for (const auto& [name, value] : CounterEnvironment(FrameLog(), {}))
            environment.push_back(std::make_unique<ScopedEnv>(name, value));
        process = std::make_unique<xdriver::Process>(program.path, arguments, Dir().string(),
                                                     (Dir() / "stdout.txt").string(),
                                                     (Dir() / "stderr.txt").string());
    }
    // No close request: the game must end on its own. Its window comes first and takes what it takes on a busy
    // machine; the bound runs from there. A new window maps on top of the others with its title, if any; one
    // missed in passing only makes the wait longer.
    const std::optional<xdriver::WindowId> before = x.FindWindow(program.title);
    xdriver::PollUntil(
        [&] {
            if (!process->Running())
                return true;
            const std::optional<xdriver::WindowId> topmost = x.FindWindow(program.title);
            return topmost && topmost != before;
        },
        e2e::windowTimeout);
    const xdriver::ExitStatus status = process->Wait(row.bound);
    EXPECT_EQ(255, status.code) << xdriver::Describe(status, row.bound) << "\n" << Stderr();
    EXPECT_EQ(0, Frames()) << "frames presented (-1: the counter never ran in the game)";
    EXPECT_NE(std::string::npos, Stderr().find("Failed to load font \"arial.ttf\"")) << Stderr();
    if (row.reason) {
        const std::string line = std::string("Failed to load font \"arial.ttf\" ") + row.reason + "\n";
        EXPECT_NE(std::string::npos, Stderr().find(line)) << Stderr();
    }
}

INSTANTIATE_TEST_SUITE_P(Files, HostileFont, ::testing::ValuesIn(hostileFonts),
                         [](const ::testing::TestParamInfo<Hostile>& info) { return std::string(info.param.name); });

// Sound fonts of other families, where this machine has them; the staged one is the control.
struct Family {
    const char* name;
    fs::path path;
};

void PrintTo(const Family& row, std::ostream* out)
{
    *out << row.name;
}

const Family families[] = {
    {"staged", e2e::stagedFont},
    {"Liberation_Serif", "/usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf"},
    {"Liberation_Mono", "/usr/share/fonts/truetype/liberation2/LiberationMono-Regular.ttf"},
    {"DejaVu_Sans", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"},
};

class OtherFamily : public CountedTest, public ::testing::WithParamInterface<Family> {
};

TEST_P(OtherFamily, DrawsTheScoreLineAndPlays)
{
    if (!fs::exists(GetParam().path))
        GTEST_SKIP() << GetParam().path << " is not installed";
    fs::copy_file(GetParam().path, Dir() / "arial.ttf");
    OpenCounted(e2e::game, {});
    int white = 0;
    ASSERT_TRUE(WaitForFrame([&](const xdriver::Image& frame) {
        const std::vector<bool> letters = e2e::WhiteIn(frame, e2e::scoreArea);
        white = static_cast<int>(std::count(letters.begin(), letters.end(), true));
        return white > 100;
    })) << "only " << white << " white pixels where the score line goes";
    EXPECT_TRUE(process->Running());
    const xdriver::ExitStatus status = CloseAndWait();
    EXPECT_EQ(0, status.code) << e2e::Describe(status);
}

INSTANTIATE_TEST_SUITE_P(Fonts, OtherFamily, ::testing::ValuesIn(families),
                         [](const ::testing::TestParamInfo<Family>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace robustness
