// SimBench.cpp -- Google Benchmark: the game's frame simulation at peak load, its drawing apart, the arithmetic,
// and the heap allocations each kind of frame makes.
//
// The game's main source file is compiled in with its entry point renamed, so the steps timed here are the very
// ones the game runs.
#include <benchmark/benchmark.h>

#define main PelmoraMain
#include "main.cpp"
#undef main

#include "AllocationCounter.h"
#include "GameSession.h"

#include <SFML/OpenGL.hpp>

#include <chrono>
#include <cstdlib>
#include <iostream>

namespace {

const std::uint32_t seed = 20261211;
// The most enemies alive at once in a real game: each lives 131 frames and one is released every 20.
const std::size_t peakEnemies = 7;

// Accepts every draw and sends none of it to OpenGL: the library still does its own CPU work (transforms, text
// layout), so what is left of a frame drawn here is the game's simulation.
class DiscardingTarget : public sf::RenderTarget {
public:
    sf::Vector2u getSize() const override
    {
        return {static_cast<unsigned>(screenWidth), static_cast<unsigned>(screenHeight)};
    }
    // Refusing activation is how the library learns it may not issue GL calls.
    bool setActive(bool) override { return false; }
};

const sf::Font& GameFont()
{
    static sf::Font font;
    static const bool loaded = font.loadFromFile(PELMORA_FONT_PATH);
    if (!loaded)
        std::exit(1);
    return font;
}

// The frame's steps between clearing and displaying, in RunFrame's order.
void SimulatedFrame(sf::RenderTarget& target, GameSession& game)
{
    PlayerStep(target, game.event, *game.player);
    SpawningStep(game.spawnSource);
    EnemyPass(target, *game.player, game.scoreText);
    RemoveFinishedEnemies();
    EndOfGameStep(target, *game.player, game.scoreText);
    target.draw(game.scoreText);
}

// A game kept at peak load: started afresh and run until 7 enemies are alive, and started again once the last
// enemy has been released, after which the load only falls.
class PeakGame {
public:
    PeakGame() { Restart(); }

    void Restart()
    {
        game = std::make_unique<GameSession>(GameFont(), seed);
        while (enemyList.size() < peakEnemies)
            SimulatedFrame(target, *game);
    }

    bool PeakOver() const { return totalEnemiesSpawned >= totalEnemiesToSpawn; }

    void Frame() { SimulatedFrame(target, *game); }

    DiscardingTarget target;
    std::unique_ptr<GameSession> game;
};

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

// One whole simulated frame per iteration, over the peak of real games (6 or 7 enemies alive, a release every 20
// frames and the removals they bring).
void BM_SimulationFrame(benchmark::State& state)
{
    PeakGame peak;
    std::uint64_t allocations = 0;
    std::size_t enemies = 0;
    std::uint64_t start = HeapAllocationCount();
    for (auto _ : state) {
        peak.Frame();
        enemies += enemyList.size();
        if (peak.PeakOver()) {
            allocations += HeapAllocationCount() - start;
            state.PauseTiming();
            peak.Restart();
            state.ResumeTiming();
            start = HeapAllocationCount();
        }
    }
    allocations += HeapAllocationCount() - start;
    const double frames = static_cast<double>(state.iterations());
    state.counters["enemies"] = static_cast<double>(enemies) / frames;
    state.counters["allocs_per_frame"] = static_cast<double>(allocations) / frames;
}
BENCHMARK(BM_SimulationFrame);

// Which step of a peak frame a manually timed benchmark times, and the frames it counts.
enum class Step { Player, Release, EnemyPassAtPeak, RemovalOfOne };

// Runs peak frames step by step until one qualifies for the step, and returns that step's time in seconds.
double TimeStep(PeakGame& peak, Step step)
{
    for (;;) {
        if (peak.PeakOver())
            peak.Restart();
        GameSession& game = *peak.game;
        sf::RenderTarget& target = peak.target;

        const Clock::time_point t0 = Clock::now();
        PlayerStep(target, game.event, *game.player);
        const Clock::time_point t1 = Clock::now();
        const int spawnedBefore = totalEnemiesSpawned;
        SpawningStep(game.spawnSource);
        const Clock::time_point t2 = Clock::now();
        const std::size_t alive = enemyList.size();
        EnemyPass(target, *game.player, game.scoreText);
        const Clock::time_point t3 = Clock::now();
        RemoveFinishedEnemies();
        const Clock::time_point t4 = Clock::now();
        const std::size_t removed = alive - enemyList.size();
        EndOfGameStep(target, *game.player, game.scoreText);
        target.draw(game.scoreText);

        switch (step) {
        case Step::Player:
            return Seconds(t0, t1);
        case Step::Release:
            if (totalEnemiesSpawned != spawnedBefore)
                return Seconds(t1, t2);
            break;
        case Step::EnemyPassAtPeak:
            if (alive == peakEnemies)
                return Seconds(t2, t3);
            break;
        case Step::RemovalOfOne:
            if (removed == 1)
                return Seconds(t3, t4);
            break;
        }
    }
}

void BM_Step(benchmark::State& state, Step step)
{
    PeakGame peak;
    for (auto _ : state)
        state.SetIterationTime(TimeStep(peak, step));
}
// A fixed count: the frames run between two qualifying ones are not timed, so a minimum time would take minutes.
const int stepSamples = 10000;
BENCHMARK_CAPTURE(BM_Step, PlayerStep, Step::Player)->UseManualTime()->Iterations(stepSamples);
BENCHMARK_CAPTURE(BM_Step, SpawningStep_release, Step::Release)->UseManualTime()->Iterations(stepSamples);
BENCHMARK_CAPTURE(BM_Step, EnemyPass_7_alive, Step::EnemyPassAtPeak)->UseManualTime()->Iterations(stepSamples);
BENCHMARK_CAPTURE(BM_Step, RemoveFinishedEnemies_one, Step::RemovalOfOne)->UseManualTime()->Iterations(stepSamples);

// What the clock calls around a manually timed step cost by themselves.
void BM_ClockPair(benchmark::State& state)
{
    for (auto _ : state) {
        const Clock::time_point t0 = Clock::now();
        const Clock::time_point t1 = Clock::now();
        benchmark::DoNotOptimize(t1 - t0);
    }
}
BENCHMARK(BM_ClockPair);

// The whole frame's drawing as well, into an offscreen 800x800 target, waiting for the renderer to finish.
void BM_FrameOffscreen(benchmark::State& state)
{
    sf::RenderTexture texture;
    if (!texture.create(static_cast<unsigned>(screenWidth), static_cast<unsigned>(screenHeight))) {
        state.SkipWithError("no render texture");
        return;
    }
    auto game = std::make_unique<GameSession>(GameFont(), seed);
    while (enemyList.size() < peakEnemies)
        SimulatedFrame(texture, *game);
    for (auto _ : state) {
        texture.clear(sf::Color(0, 0, 0, 255));
        SimulatedFrame(texture, *game);
        texture.display();
        glFinish();
        if (totalEnemiesSpawned >= totalEnemiesToSpawn) {
            state.PauseTiming();
            game = std::make_unique<GameSession>(GameFont(), seed);
            while (enemyList.size() < peakEnemies)
                SimulatedFrame(texture, *game);
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_FrameOffscreen)->Unit(benchmark::kMicrosecond);

// The library alone drawing the same things offscreen: a player, seven enemies and the score line.
void BM_BareDrawingOffscreen(benchmark::State& state)
{
    sf::RenderTexture texture;
    if (!texture.create(static_cast<unsigned>(screenWidth), static_cast<unsigned>(screenHeight))) {
        state.SkipWithError("no render texture");
        return;
    }
    sf::CircleShape player(static_cast<float>(playerSize), 30);
    player.setFillColor(sf::Color::Blue);
    player.setPosition(static_cast<float>(playerStartXpos), static_cast<float>(playerStartYpos));
    std::vector<sf::CircleShape> enemies(peakEnemies, sf::CircleShape(static_cast<float>(enemySize), 30));
    for (std::size_t i = 0; i < enemies.size(); ++i) {
        enemies[i].setFillColor(sf::Color::Red);
        enemies[i].setPosition(static_cast<float>(100 * i), static_cast<float>(110 * i));
    }
    sf::Text text("Points: 0/80", GameFont(), static_cast<unsigned>(standardFontSize));
    for (auto _ : state) {
        texture.clear(sf::Color(0, 0, 0, 255));
        texture.draw(player);
        for (const sf::CircleShape& enemy : enemies)
            texture.draw(enemy);
        texture.draw(text);
        texture.display();
        glFinish();
    }
}
BENCHMARK(BM_BareDrawingOffscreen)->Unit(benchmark::kMicrosecond);

// Allocations per frame over one whole game on the discarding target, by kind of frame: a frame that releases an
// enemy, one that scores, one after the game is over, and all the others (where there should be none).
void BM_GameAllocations(benchmark::State& state)
{
    const int frames = 2200;  // past the end of a game (~2111) so the banner frames count too
    for (auto _ : state) {
        GameSession game(GameFont(), seed);
        DiscardingTarget target;
        std::uint64_t plainMax = 0, releaseMax = 0, scoreMax = 0, overMax = 0, plainTotal = 0, scoreTotal = 0;
        int plainFrames = 0, scoreFrames = 0;
        for (int frame = 0; frame < frames; ++frame) {
            const int spawnedBefore = totalEnemiesSpawned;
            const int pointsBefore = game.player->points;
            const bool over = totalEnemiesPassed >= totalEnemiesToSpawn;
            const std::uint64_t before = HeapAllocationCount();
            SimulatedFrame(target, game);
            const std::uint64_t made = HeapAllocationCount() - before;
            if (over) {
                overMax = std::max(overMax, made);
            } else if (totalEnemiesSpawned != spawnedBefore) {
                releaseMax = std::max(releaseMax, made);
            } else if (game.player->points != pointsBefore) {
                scoreMax = std::max(scoreMax, made);
                scoreTotal += made;
                ++scoreFrames;
            } else {
                plainMax = std::max(plainMax, made);
                plainTotal += made;
                ++plainFrames;
            }
        }
        state.counters["plain_frame_max"] = static_cast<double>(plainMax);
        state.counters["plain_frame_mean"] = static_cast<double>(plainTotal) / std::max(plainFrames, 1);
        state.counters["release_frame_max"] = static_cast<double>(releaseMax);
        state.counters["score_frame_max"] = static_cast<double>(scoreMax);
        state.counters["score_frame_mean"] = static_cast<double>(scoreTotal) / std::max(scoreFrames, 1);
        state.counters["over_frame_max"] = static_cast<double>(overMax);
    }
}
BENCHMARK(BM_GameAllocations)->Iterations(1)->Unit(benchmark::kMillisecond);

// Argument tuples as the catch test meets them: an enemy's centre low enough to reach the player's top, against
// the player's centre anywhere along the bottom.
struct DistanceArgs {
    int x1, x2, y1, y2;
};

std::vector<DistanceArgs> CatchTestArguments()
{
    std::mt19937 engine(seed);
    std::uniform_int_distribution<int> enemyX(enemySize, screenWidth - enemySize);
    std::uniform_int_distribution<int> playerX(playerSize, screenWidth - playerSize);
    std::uniform_int_distribution<int> enemyY(screenHeight - 2 * playerSize - enemySize, screenHeight + enemySize);
    std::vector<DistanceArgs> args(1024);
    for (DistanceArgs& a : args)
        a = {enemyX(engine), playerX(engine), enemyY(engine), screenHeight - playerSize};
    return args;
}

void BM_CalcDistance(benchmark::State& state)
{
    const std::vector<DistanceArgs> args = CatchTestArguments();
    std::size_t i = 0;
    for (auto _ : state) {
        const DistanceArgs& a = args[i++ & (args.size() - 1)];
        benchmark::DoNotOptimize(MathUtil::CalcDistance(a.x1, a.x2, a.y1, a.y2));
    }
}
BENCHMARK(BM_CalcDistance);

// From 2 up to the largest squared distance in the window (800^2 + 800^2), past the exact range's 858,493.
void BM_GetSquareRoot(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(MathUtil::GetSquareRoot(n));
    }
}
BENCHMARK(BM_GetSquareRoot)->Arg(2)->Arg(100)->Arg(10000)->Arg(250000)->Arg(858493)->Arg(1280000);

// Every squared distance the catch test can meet, drawn at random across that range.
void BM_GetSquareRootSweep(benchmark::State& state)
{
    std::mt19937 engine(seed);
    std::uniform_int_distribution<int> range(0, 858493);
    std::vector<int> inputs(1024);
    for (int& n : inputs)
        n = range(engine);
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(MathUtil::GetSquareRoot(inputs[i++ & (inputs.size() - 1)]));
}
BENCHMARK(BM_GetSquareRootSweep);

// The game's powers: squaring (gravity, every enemy every frame) and the body's two constants.
void BM_Pow(benchmark::State& state, float base, float exponent)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(base);
        benchmark::DoNotOptimize(exponent);
        benchmark::DoNotOptimize(MathUtil::Pow(base, exponent));
    }
}
BENCHMARK_CAPTURE(BM_Pow, square, 437.5f, 2.0f);
BENCHMARK_CAPTURE(BM_Pow, ten_to_minus_11, 10.0f, -11.0f);
BENCHMARK_CAPTURE(BM_Pow, ten_to_24, 10.0f, 24.0f);

}  // namespace

BENCHMARK_MAIN();
