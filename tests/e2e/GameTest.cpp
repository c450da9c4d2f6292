// GameTest.cpp -- the game's window and first frames end to end, and how it refuses to start without a font
#include "Harness.h"
#include "Scene.h"

#include <fstream>
#include <random>

namespace e2e {
namespace {

using xdriver::Image;

class Game : public ProgramTest {
protected:
    void SetUp() override
    {
        LinkFont();
        Open(game);
    }
};

TEST_F(Game, OpensAnEightHundredPixelSquareWindow)
{
    const xdriver::Geometry client = x.ClientGeometry(window);
    EXPECT_EQ(800, client.width);
    EXPECT_EQ(800, client.height);
}

TEST_F(Game, FirstFrameShowsTheScoreLineAndThePlayerOnBlack)
{
    const Image frame = Frame();

    int white = 0;
    std::optional<std::pair<int, int>> stray;
    for (int y = 0; y < frame.Height(); ++y) {
        for (int x = 0; x < frame.Width(); ++x) {
            const xdriver::Rgb pixel = frame.At(x, y);
            if (scoreArea.Contains(x, y)) {
                white += pixel == xdriver::white;
            } else if (pixel != xdriver::black && pixel != xdriver::blue && pixel != xdriver::red && !stray) {
                stray = {x, y};
            }
        }
    }
    EXPECT_GT(white, 100) << "the score line's letters";
    EXPECT_FALSE(stray) << ToString(frame.At(stray->first, stray->second)) << " at " << stray->first << ","
                        << stray->second << ", outside the score line";
    EXPECT_EQ(xdriver::black, frame.At(400, 400));

    const std::optional<xdriver::Box> player = BoundsOf(frame, xdriver::blue);
    ASSERT_TRUE(player);
    EXPECT_EQ(350, player->left);
    EXPECT_EQ(449, player->right);
    EXPECT_EQ(700, player->top);
    EXPECT_EQ(799, player->bottom);
}

// Whatever is wrong with arial.ttf in its working directory, the game gives up at once with -1.
TEST(GameFont, UnusableFontEndsTheGameWith255)
{
    struct Case {
        const char* name;
        std::function<void(const std::filesystem::path&)> make;
    };
    const Case cases[] = {
        {"missing", [](const std::filesystem::path&) {}},
        {"empty file", [](const std::filesystem::path& font) { std::ofstream{font}; }},
        {"random bytes",
         [](const std::filesystem::path& font) {
             std::mt19937 bytes(2026);
             std::ofstream file(font, std::ios::binary);
             for (int i = 0; i < 64 * 1024; ++i)
                 file.put(static_cast<char>(bytes()));
         }},
        {"a directory", [](const std::filesystem::path& font) { std::filesystem::create_directory(font); }},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        row.make(dir.Path() / "arial.ttf");
        const xdriver::ExitStatus status = Launch(game.path, {}, dir.Path())->Wait(exitTimeout);
        EXPECT_EQ(255, status.code) << Describe(status);
    }
}

}  // namespace
}  // namespace e2e
