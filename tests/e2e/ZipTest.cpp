// ZipTest.cpp -- the Windows download as a player gets it: unpacked into an empty folder, played from there
#include "Harness.h"
#include "Scene.h"

#include <algorithm>
#include <set>

namespace e2e {
namespace {

namespace fs = std::filesystem;

// Long enough for a whole game (about 35 s at 60 frames per second) on a slow machine under Wine.
const std::chrono::milliseconds gameTimeout = 180s;
const std::chrono::milliseconds unpackTimeout = 60s;

class WindowsZip : public ProgramTest {
protected:
    void SetUp() override
    {
        zip = FromEnvironment("PELMORA_WINDOWS_ZIP", "");
        if (zip.empty())
            GTEST_SKIP() << "no Windows zip to play: PELMORA_WINDOWS_ZIP is unset (the Windows leg of "
                            "scripts/test sets it)";
        if (Launcher().empty())
            GTEST_SKIP() << "no launcher for Windows programs: PELMORA_LAUNCHER is unset";
    }

    std::string zip;
};

TEST_F(WindowsZip, UnpackedIntoAnEmptyFolderPlaysToTheBannerAndClosesWithZero)
{
    ASSERT_TRUE(fs::is_empty(Dir()));
    const TempDir logs;
    const xdriver::ExitStatus unpacked =
        xdriver::Process(PELMORA_CMAKE, {"-E", "tar", "xf", zip}, Dir().string(),
                         (logs.Path() / "stdout.txt").string(), (logs.Path() / "stderr.txt").string())
            .Wait(unpackTimeout);
    ASSERT_EQ(0, unpacked.code) << Describe(unpacked);

    std::set<std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(Dir()))
        files.insert(entry.path().filename().string() + (entry.is_directory() ? "/" : ""));
    const std::set<std::string> expected = {"game.exe", "demo.exe", "arial.ttf", "FONT-LICENSE.txt", "LICENSE",
                                            "README.txt"};
    EXPECT_EQ(expected, files);

    // The game finds its font in the folder it starts in: the zip's own, nothing from the build.
    Open(Program{"game from the zip", (Dir() / "game.exe").string(), game.title});
    const xdriver::Geometry client = x.ClientGeometry(window);
    EXPECT_EQ(800, client.width);
    EXPECT_EQ(800, client.height);

    int white = 0;
    ASSERT_TRUE(WaitForFrame([&](const xdriver::Image& frame) {
        const std::vector<bool> letters = WhiteIn(frame, scoreArea);
        white = static_cast<int>(std::count(letters.begin(), letters.end(), true));
        return white > 100;
    })) << "only " << white << " white pixels where the score line goes";

    xdriver::Banner banner = xdriver::Banner::none;
    ASSERT_TRUE(WaitForFrame(
        [&](const xdriver::Image& frame) {
            banner = ReadBanner(frame);
            return banner != xdriver::Banner::none;
        },
        gameTimeout, 250ms))
        << "no end banner";

    const xdriver::ExitStatus status = CloseAndWait();
    EXPECT_EQ(0, status.code) << Describe(status);
}

}  // namespace
}  // namespace e2e
