// GameSession.h -- the game as main sets it up, for test and benchmark sources that include the game's main.cpp first
#pragma once

#include <SFML/Graphics.hpp>

#include <cstdint>
#include <memory>

// Private to each source that includes it, like the game's own frame steps it uses.
namespace {

// Puts the frame-loop state back as it is when the program starts.
void ResetGameState()
{
    enemyList.clear();
    inputValue = {0.0f, 0.0f};
    frameCount = 0;
    totalEnemiesSpawned = 0;
    totalEnemiesPassed = 0;
}

// What main builds before its loop, with a seeded spawn source so runs are comparable.
struct GameSession {
    GameSession(const sf::Font& font, std::uint32_t seed)
        : spawnSource(MakeSpawnSource(seed)), player(CreatePlayer()), event{}
    {
        ResetGameState();
        SetUpScoreText(scoreText, font, *player);
    }

    ~GameSession() { ResetGameState(); }

    SpawnSource spawnSource;
    std::unique_ptr<Player> player;
    sf::Text scoreText;
    sf::Event event;  // the last event polled; the benchmarks send none
};

}  // namespace
