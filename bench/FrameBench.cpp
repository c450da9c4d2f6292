// FrameBench.cpp -- the game's own frame (RunFrame, all nine steps) on a real window, frame by frame: CPU time,
// intervals and allocations per frame, and a record of every circle drawn for the bare loop to replay.
//
// The game's main source file is compiled in with its entry point renamed, so the frame measured is the very one
// the game runs.
#define main PelmoraMain
#include "main.cpp"
#undef main

#include "FrameMeter.h"
#include "GameSession.h"

#include <fstream>
#include <vector>

namespace {

const std::uint32_t seed = 20261211;

// Where every circle stood at the end of each frame: the player first, then the live enemies.
struct CircleRecord {
    std::vector<std::size_t> circlesPerFrame;
    std::vector<sf::Vector2f> positions;

    void Frame(const Player& player)
    {
        circlesPerFrame.push_back(1 + enemyList.size());
        positions.push_back(player.shape.getPosition());
        for (const std::unique_ptr<Enemy>& enemy : enemyList)
            positions.push_back(enemy->shape.getPosition());
    }

    // One line a frame: x y of the player, then x y of each enemy.
    bool Write(const std::string& path) const
    {
        std::ofstream out(path);
        std::size_t next = 0;
        for (std::size_t circles : circlesPerFrame) {
            for (std::size_t i = 0; i < circles; ++i, ++next)
                out << (i ? " " : "") << positions[next].x << " " << positions[next].y;
            out << "\n";
        }
        return static_cast<bool>(out);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    const FrameOptions options = FrameOptions::Parse(argc, argv);

    // The window, limiter and font exactly as the game's main makes them.
    sf::RenderWindow window(sf::VideoMode(screenWidth, screenHeight, 32), gameName, sf::Style::Default,
                            sf::ContextSettings());
    window.setFramerateLimit(static_cast<unsigned>(options.limit));
    sf::Font font;
    if (!font.loadFromFile(PELMORA_FONT_PATH))
        return 1;
    GameSession game(font, seed);

    CircleRecord record;
    const bool recording = !options.record.empty();
    if (recording) {
        record.circlesPerFrame.reserve(static_cast<std::size_t>(options.frames));
        record.positions.reserve(static_cast<std::size_t>(options.frames) * 8);
    }

    FrameMeter meter(options.frames);
    for (int frame = 0; frame < options.frames && window.isOpen(); ++frame) {
        RunFrame(window, game.event, *game.player, game.spawnSource, game.scoreText);
        meter.FrameDone();
        if (recording)
            record.Frame(*game.player);
    }
    if (recording && !record.Write(options.record))
        return 1;
    std::cout << "enemies_spawned " << totalEnemiesSpawned << "\n";
    return meter.Report(options.skip, options.intervals) ? 0 : 1;
}
