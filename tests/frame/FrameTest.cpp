// FrameTest.cpp -- the game's frames one at a time on a real window: settings, spawning, catching, scoring,
// the end banner and the steering input, with a seeded random engine so every game replays the same.
//
// The game's main source file is compiled into this test with its entry point renamed, so the frame steps
// and the game state below are the very ones the game runs.
#define main PelmoraMain
#include "main.cpp"
#undef main

#include "Driver.h"
#include "GameSession.h"
#include "HeldClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <set>

// GLX's own declaration, without its headers and their macros: the X connection of the current GL context.
extern "C" struct _XDisplay* glXGetCurrentDisplay();

namespace {

using namespace std::chrono_literals;

const std::uint32_t seed = 20261211;

// Loads the font the build staged beside the game.
sf::Font StagedFont()
{
    sf::Font font;
    if (!font.loadFromFile(PELMORA_FONT_PATH))
        throw std::runtime_error("no font at " PELMORA_FONT_PATH);
    return font;
}

// A picture the test draws itself with the graphics library, on black, the size of the game's window.
sf::Image Drawing(const std::function<void(sf::RenderTarget&)>& draw)
{
    sf::RenderTexture target;
    if (!target.create(screenWidth, screenHeight))
        throw std::runtime_error("cannot make a render texture");
    target.clear(sf::Color::Black);
    draw(target);
    target.display();
    return target.getTexture().copyToImage();
}

// Pixels of a box where a picture read back differs from one drawn by the test.
struct Differences {
    int count = 0;
    int x = -1, y = -1;  // the first one, row by row
    xdriver::Rgb shown = {}, expected = {};
};

Differences Compare(const xdriver::Image& shown, const sf::Image& expected, const xdriver::Box& box)
{
    Differences found;
    for (int py = box.top; py <= box.bottom; ++py) {
        for (int px = box.left; px <= box.right; ++px) {
            const sf::Color colour = expected.getPixel(static_cast<unsigned>(px), static_cast<unsigned>(py));
            const xdriver::Rgb want = {colour.r, colour.g, colour.b};
            if (shown.At(px, py) == want)
                continue;
            if (++found.count == 1) {
                found.x = px;
                found.y = py;
                found.shown = shown.At(px, py);
                found.expected = want;
            }
        }
    }
    return found;
}

xdriver::Image FromLibrary(const sf::Image& image)
{
    xdriver::Image copy(static_cast<int>(image.getSize().x), static_cast<int>(image.getSize().y));
    for (int py = 0; py < copy.Height(); ++py) {
        for (int px = 0; px < copy.Width(); ++px) {
            const sf::Color colour = image.getPixel(static_cast<unsigned>(px), static_cast<unsigned>(py));
            copy.Set(px, py, {colour.r, colour.g, colour.b});
        }
    }
    return copy;
}

std::ostream& operator<<(std::ostream& out, const Differences& found)
{
    out << found.count << " pixels differ";
    if (found.count > 0)
        out << ", first at " << found.x << "," << found.y << ": " << xdriver::ToString(found.shown) << " instead of "
            << xdriver::ToString(found.expected);
    return out;
}

// A game as main builds it, on the game's own window with the frame-rate limit lifted so tests run at full speed.
class GameFrames : public ::testing::Test {
protected:
    GameFrames()
        : font(StagedFont()),
          game(font, seed),
          spawnSource(game.spawnSource),
          player(game.player),
          scoreText(game.scoreText),
          event(game.event)
    {
        OpenWindow(window);
        window.setFramerateLimit(0);
        handle = window.getSystemHandle();
        // The window's own X connection, which its GL context shares.
        window.setActive(true);
        connection = glXGetCurrentDisplay();
    }

    void Frame() { RunFrame(window, event, *player, spawnSource, scoreText); }

    void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
            Frame();
    }

    // An enemy placed by hand that moves straight down 10 pixels in its next update. One placed with its top
    // at the bottom edge (posY 800) falls out in that update.
    Enemy& PlaceEnemy(float posX, float posY)
    {
        enemyList.push_back(std::make_unique<Enemy>(enemyStartXpos, enemyStartYpos, enemySize, 0.0f, screenWidth,
                                                    screenHeight, 50.0f, 0.5f, 8.0f, 10.0f));
        Enemy& enemy = *enemyList.back();
        enemy.posX = posX;
        enemy.posY = posY;
        return enemy;
    }

    // The player standing still at its start, its centre known as after any update.
    void PlayerAtRest()
    {
        player->Draw();
        ASSERT_EQ(400, player->centerX);
        ASSERT_EQ(750, player->centerY);
    }

    std::string ScoreString() const { return scoreText.getString().toAnsiString(); }

    // Waits until the window is on the screen, uncovered, so what it shows can be read back.
    void ShowWindow()
    {
        ASSERT_TRUE(xdriver::PollUntil([&] { return x.IsShown(handle); }, 5s)) << "the window never showed";
        x.BringIntoView(handle);
    }

    // Waits until the events of everything sent so far have reached the game's connection, so its next poll
    // drains them all.
    void Deliver() { x.Deliver(connection, handle, 5s); }

    xdriver::Driver x;

    sf::RenderWindow window;
    sf::Font font;
    GameSession game;
    SpawnSource& spawnSource;
    std::unique_ptr<Player>& player;
    sf::Text& scoreText;
    sf::Event& event;
    xdriver::WindowId handle = 0;
    struct _XDisplay* connection = nullptr;
};

}  // namespace

TEST(Settings, DerivedStartPositions)
{
    EXPECT_EQ(350, playerStartXpos);
    EXPECT_EQ(700, playerStartYpos);
    EXPECT_EQ(375, enemyStartXpos);
}

TEST(Settings, StartPositionsTruncateTowardZero)
{
    EXPECT_EQ(350, CenteredStartX(801, 50)) << "350.5";
    EXPECT_EQ(0, CenteredStartX(1, 1)) << "-0.5";
    EXPECT_EQ(-1, CenteredStartX(1, 2)) << "-1.5";
    EXPECT_EQ(699, BottomStartY(799, 50));
}

TEST(Settings, ScoreLine)
{
    EXPECT_EQ("Points: 0/80", ScoreLine(0));
    EXPECT_EQ("Points: 17/80", ScoreLine(17));
    EXPECT_EQ("Points: 100/80", ScoreLine(100));
}

// With the clock held still, a frame takes no time, so display() sleeps for all of a frame at the limit.
TEST(Window, DisplayKeepsToSixtyFramesASecond)
{
    sf::RenderWindow window;
    OpenWindow(window);
    std::vector<long long> sleeps;
    {
        pacing::HeldClock clock;
        window.display();  // the limiter's clock starts again at the held instant
        window.display();
        sleeps = clock.Sleeps();
    }
    ASSERT_FALSE(sleeps.empty()) << "display() never slept: no frame-rate limit";
    EXPECT_EQ(sf::seconds(1.0f / 60).asMicroseconds(), sleeps.back()) << "microseconds slept for one frame";
    EXPECT_EQ(sf::Vector2u(800, 800), window.getSize());
}

TEST_F(GameFrames, FirstFrameShowsTheScoreLineAndReleasesTheFirstEnemy)
{
    ShowWindow();
    Frame();
    EXPECT_EQ("Points: 0/80", ScoreString());
    ASSERT_EQ(1u, enemyList.size());
    EXPECT_EQ(-490.0f, enemyList[0]->posY) << "released and updated in the same frame";
    EXPECT_EQ(1, totalEnemiesSpawned);
    EXPECT_EQ(minFramesBetweenEnemies, frameCount);
    EXPECT_EQ(700.0f, player->posY);

    const xdriver::Image shown = x.Capture(handle);
    ASSERT_EQ(800, shown.Width());
    ASSERT_EQ(800, shown.Height());
    EXPECT_EQ(xdriver::blue, shown.At(400, 750));
    EXPECT_EQ(xdriver::black, shown.At(400, 400));
    EXPECT_EQ(xdriver::black, shown.At(799, 0));
    int white = 0;
    for (int py = 0; py < shown.Height(); ++py) {
        for (int px = 0; px < shown.Width(); ++px) {
            if (shown.At(px, py) == xdriver::white) {
                ++white;
                ASSERT_TRUE(px < 400 && py < 80) << "white outside the score line at " << px << "," << py;
            }
        }
    }
    EXPECT_GT(white, 200) << "the score line's letters";

    // Above the player, exactly the score line for no points as the test draws it: at the top-left corner, size 50.
    sf::Text line("Points: 0/80", font, 50);
    line.setFillColor(sf::Color::White);
    const sf::Image expected = Drawing([&](sf::RenderTarget& target) { target.draw(line); });
    EXPECT_EQ(0, Compare(shown, expected, {0, 0, 799, 699}).count) << Compare(shown, expected, {0, 0, 799, 699});
}

// In the pass, the score line goes down right after the enemy that scored, over the enemies before it and under
// those after it; the end of the frame draws it on top again.
TEST_F(GameFrames, AScoreLineDrawnMidPassLiesBetweenTheEnemiesBeforeAndAfterTheScorer)
{
    PlayerAtRest();
    // Both land in the top row, over the line's letters; the scorer falls out of view.
    Enemy& before = PlaceEnemy(0, -10);
    PlaceEnemy(50, 800);
    Enemy& after = PlaceEnemy(150, -10);
    const sf::Image drawn = Drawing([&](sf::RenderTarget& target) { EnemyPass(target, *player, scoreText); });
    ASSERT_EQ("Points: 1/80", ScoreString());
    ASSERT_EQ(0.0f, before.posY);
    ASSERT_EQ(0.0f, after.posY);

    const sf::Image expected = Drawing([&](sf::RenderTarget& target) {
        target.draw(before.shape);
        target.draw(scoreText);
        target.draw(after.shape);
    });
    const Differences found = Compare(FromLibrary(drawn), expected, {0, 0, 799, 799});
    EXPECT_EQ(0, found.count) << found;
}

TEST_F(GameFrames, EnemiesAreReleasedEveryTwentyFramesAndNoMoreThanAHundred)
{
    std::vector<int> releases;
    for (int frame = 1; frame <= 2400; ++frame) {
        const int before = totalEnemiesSpawned;
        Frame();
        if (totalEnemiesSpawned != before)
            releases.push_back(frame);
    }
    ASSERT_EQ(100u, releases.size());
    for (size_t i = 0; i < releases.size(); ++i)
        ASSERT_EQ(1 + 20 * static_cast<int>(i), releases[i]) << "release " << i + 1;
    EXPECT_EQ(1981, releases.back());
    EXPECT_EQ(100, totalEnemiesSpawned);
    EXPECT_EQ(minFramesBetweenEnemies, frameCount) << "the countdown stops with the last release";
}

TEST_F(GameFrames, HowManyAreAliveNeverShiftsARelease)
{
    // Every enemy is destroyed the moment it appears; the countdown goes on regardless.
    std::vector<int> releases;
    for (int frame = 1; frame <= 200; ++frame) {
        const int before = totalEnemiesSpawned;
        SpawningStep(spawnSource);
        if (totalEnemiesSpawned != before)
            releases.push_back(frame);
        enemyList.clear();
    }
    EXPECT_EQ((std::vector<int>{1, 21, 41, 61, 81, 101, 121, 141, 161, 181}), releases);
}

TEST_F(GameFrames, SpawnDrawsStayInTheirRangesAndReachEveryBound)
{
    std::set<float> speeds, masses, elasticities;
    for (int draw = 0; draw < 20000; ++draw) {
        frameCount = 0;
        totalEnemiesSpawned = 0;
        SpawningStep(spawnSource);
        const Enemy& enemy = *enemyList.back();
        speeds.insert(std::fabs(enemy.speed));
        masses.insert(enemy.rigidbody->mass);
        elasticities.insert(enemy.rigidbody->elasticity);
        EXPECT_EQ(375.0f, enemy.posX);
        EXPECT_EQ(-500.0f, enemy.posY);
        EXPECT_EQ(8.0f, enemy.rigidbody->maxSpeedX);
        EXPECT_EQ(10.0f, enemy.rigidbody->maxSpeedY);
        enemyList.clear();
    }
    EXPECT_EQ(200.0f, *speeds.begin());
    EXPECT_EQ(800.0f, *speeds.rbegin());
    EXPECT_EQ(601u, speeds.size());
    EXPECT_EQ(20.0f, *masses.begin());
    EXPECT_EQ(150.0f, *masses.rbegin());
    EXPECT_EQ(131u, masses.size());
    std::set<float> tenths;
    for (int i = 0; i <= 10; ++i)
        tenths.insert(static_cast<float>(i) / 10.0f);
    EXPECT_EQ(tenths, elasticities);
}

TEST_F(GameFrames, SameSeedReplaysTheSameGame)
{
    auto draws = [](SpawnSource source) {
        std::vector<float> values;
        for (int i = 0; i < 100; ++i) {
            frameCount = 0;
            totalEnemiesSpawned = 0;
            SpawningStep(source);
            values.push_back(std::fabs(enemyList.back()->speed));
            values.push_back(enemyList.back()->rigidbody->mass);
            values.push_back(enemyList.back()->rigidbody->elasticity);
        }
        enemyList.clear();
        return values;
    };
    EXPECT_EQ(draws(MakeSpawnSource(7)), draws(MakeSpawnSource(7)));
    EXPECT_NE(draws(MakeSpawnSource(7)), draws(MakeSpawnSource(8)));
}

TEST_F(GameFrames, CatchingRules)
{
    struct Case {
        const char* what;
        int centerX, centerY;  // the enemy's centre after its update
        bool hitBefore;
        bool caught;
    };
    // The player's centre is (400, 750), radius 50; an enemy's radius is 25. Its bottom must reach 700.
    const Case cases[] = {
        {"bottom a pixel above the line, right over the player", 400, 674, false, false},
        {"bottom exactly on the line, gap exactly the radius", 400, 675, false, true},
        {"beside the player, gap exactly the radius", 475, 750, false, true},
        {"beside the player, a pixel farther", 476, 750, false, false},
        {"diagonal, distance 74 after rounding down", 400 + 52, 750 - 53, false, true},
        {"already hit once", 400, 750, true, false},
        {"far to the left at the bottom", 100, 790, false, false},
        {"fallen out, just below the player", 400, 835, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetGameState();
        PlayerAtRest();
        Enemy& enemy = PlaceEnemy(static_cast<float>(c.centerX - 25), static_cast<float>(c.centerY - 25 - 10));
        enemy.hitPlayer = c.hitBefore;
        EnemyPass(window, *player, scoreText);
        ASSERT_EQ(c.centerX, enemy.centerX);
        ASSERT_EQ(c.centerY, enemy.centerY);
        EXPECT_EQ(c.caught || c.hitBefore, enemy.hitPlayer);
        EXPECT_EQ(!c.caught, enemy.awardsPoint);
        if (c.caught) {
            EXPECT_TRUE(enemy.markedForRemoval);
            EXPECT_EQ(1, totalEnemiesPassed);
            EXPECT_EQ(0, player->points);
        }
    }
}

TEST_F(GameFrames, AnEnemyFallingOutWhileTouchingThePlayerIsCaught)
{
    PlayerAtRest();
    // Its own update marks it fallen out and leaves its centre at (400, 835); a player centred 25 above
    // that touches it in the same frame.
    player->centerY = 810;
    Enemy& enemy = PlaceEnemy(375, 800);
    EnemyPass(window, *player, scoreText);
    EXPECT_TRUE(enemy.markedForRemoval);
    EXPECT_TRUE(enemy.hitPlayer);
    EXPECT_FALSE(enemy.awardsPoint);
    EXPECT_EQ(1, totalEnemiesPassed) << "counted once";
    EXPECT_EQ(0, player->points);
    EXPECT_EQ("Points: 0/80", ScoreString());
}

TEST_F(GameFrames, TwoEnemiesFinishingInOneFrameBothCountAndGo)
{
    PlayerAtRest();
    PlaceEnemy(50, 800);
    PlaceEnemy(400, 300);
    PlaceEnemy(700, 800);
    EnemyPass(window, *player, scoreText);
    EXPECT_EQ(2, totalEnemiesPassed);
    EXPECT_EQ(2, player->points);
    EXPECT_EQ("Points: 2/80", ScoreString());
    RemoveFinishedEnemies();
    ASSERT_EQ(1u, enemyList.size());
    EXPECT_EQ(310.0f, enemyList[0]->posY) << "the one still falling stays";
}

TEST_F(GameFrames, RemovalKeepsTheOrderOfTheRest)
{
    for (int i = 0; i < 6; ++i)
        PlaceEnemy(static_cast<float>(100 * i), 0).markedForRemoval = i % 2 == 0;
    RemoveFinishedEnemies();
    ASSERT_EQ(3u, enemyList.size());
    EXPECT_EQ(100.0f, enemyList[0]->posX);
    EXPECT_EQ(300.0f, enemyList[1]->posX);
    EXPECT_EQ(500.0f, enemyList[2]->posX);
}

TEST_F(GameFrames, ScoreLineCountsEveryPoint)
{
    PlayerAtRest();
    for (int point = 1; point <= 12; ++point) {
        PlaceEnemy(50, 800);
        EnemyPass(window, *player, scoreText);
        RemoveFinishedEnemies();
        EXPECT_EQ(ScoreLine(point), ScoreString());
    }
    EXPECT_EQ("Points: 12/80", ScoreString());
}

TEST_F(GameFrames, TheLastEnemyToFinishDecidesTheBanner)
{
    struct Case {
        const char* what;
        int pointsBefore;
        bool lastIsCaught;
        const char* words;
        xdriver::Banner banner;
    };
    using xdriver::Banner;
    const Case cases[] = {
        {"the 80th point on the last enemy", 79, false, "You win", Banner::win},
        {"the 79th point on the last enemy", 78, false, "You lose", Banner::lose},
        {"80 points and the last one caught", 80, true, "You win", Banner::win},
        {"79 points and the last one caught", 79, true, "You lose", Banner::lose},
        {"no points at all", 0, true, "You lose", Banner::lose},
    };
    ShowWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetGameState();
        totalEnemiesSpawned = totalEnemiesToSpawn;
        totalEnemiesPassed = totalEnemiesToSpawn - 1;
        player->points = c.pointsBefore;
        PlaceEnemy(c.lastIsCaught ? 375.0f : 50.0f, c.lastIsCaught ? 790.0f : 800.0f);
        Frame();
        EXPECT_EQ(totalEnemiesToSpawn, totalEnemiesPassed);
        EXPECT_EQ(c.words, ScoreString()) << "on the very frame the last enemy finishes";
        EXPECT_EQ(100u, scoreText.getCharacterSize());
        EXPECT_EQ(sf::Color::White, scoreText.getFillColor());

        const xdriver::Image shown = x.Capture(handle);
        int white = 0;
        for (int py = 0; py < shown.Height(); ++py) {
            for (int px = 0; px < shown.Width(); ++px)
                white += shown.At(px, py) == xdriver::white;
        }
        EXPECT_GT(white, 500) << "the words";
        // Every pixel the banner's colour but for the words in the top-left corner.
        EXPECT_EQ(c.banner, xdriver::ReadBanner(shown));

        // It stays: later frames draw it again, with nothing left to release or pass.
        Frames(3);
        EXPECT_EQ(c.words, ScoreString());
        EXPECT_TRUE(enemyList.empty());
        EXPECT_EQ(totalEnemiesToSpawn, totalEnemiesSpawned);
        SetUpScoreText(scoreText, font, *player);
    }
}

TEST_F(GameFrames, AWholeGameStandingStillEndsOnTheFrameTheHundredthFinishes)
{
    int frame = 0;
    int lastPassed = 0;
    int banner = 0;
    while (frame < 2500) {
        ++frame;
        Frame();
        if (totalEnemiesPassed == totalEnemiesToSpawn && banner == 0)
            banner = frame;
        if (banner == 0) {
            ASSERT_EQ(ScoreLine(player->points), ScoreString()) << "frame " << frame;
        } else {
            ASSERT_NE(std::string::npos, ScoreString().find("You ")) << "frame " << frame;
        }
        ASSERT_GE(totalEnemiesPassed, lastPassed);
        lastPassed = totalEnemiesPassed;
    }
    // The hundredth is released on frame 1981 and falls out in its 131st update unless caught earlier.
    EXPECT_GT(banner, 1981);
    EXPECT_LE(banner, 2111);
    EXPECT_EQ(player->points >= totalPointsNeeded ? "You win" : "You lose", ScoreString());
    EXPECT_EQ(100, totalEnemiesSpawned);
    EXPECT_EQ(700.0f, player->posY);
}

TEST_F(GameFrames, AllHundredFallingOutWinsAndAllCaughtLoses)
{
    struct Case {
        const char* what;
        bool chases;  // the player jumps under the lowest enemy before every frame
        int points;
        const char* words;
    };
    const Case cases[] = {{"a player out of reach", false, 100, "You win"}, {"a player under every enemy", true, 0, "You lose"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetGameState();
        player.reset(CreatePlayer());
        SetUpScoreText(scoreText, font, *player);
        if (!c.chases)
            player->posY = 100000;
        int frame = 0;
        while (totalEnemiesPassed < totalEnemiesToSpawn && frame < 3000) {
            if (c.chases && !enemyList.empty())
                player->posX = enemyList.front()->posX - 25;
            ++frame;
            Frame();
        }
        EXPECT_EQ(c.points, player->points);
        EXPECT_EQ(c.words, ScoreString());
        if (!c.chases) {
            EXPECT_EQ(2111, frame) << "the hundredth falls out in its 131st update";
        }
    }
}

// Steering from real key presses and pointer moves through the X server, a frame at a time.
TEST_F(GameFrames, TheLastPolledEventSteers)
{
    enum Action { PressLeft, ReleaseLeft, PressRight, ReleaseRight, PressSpace, ReleaseSpace, MovePointer };
    struct Step {
        std::vector<Action> actions;  // sent before the frame polls
        float input;                  // what the player is given in that frame
    };
    struct Case {
        const char* what;
        std::vector<Step> frames;
    };
    const Case cases[] = {
        {"no event ever", {{{}, 0}, {{}, 0}, {{}, 0}}},
        {"Left held across frames without events", {{{PressLeft}, -1}, {{}, -1}, {{}, -1}, {{ReleaseLeft}, 0}}},
        {"Right held", {{{PressRight}, 1}, {{}, 1}, {{ReleaseRight}, 0}, {{}, 0}}},
        {"Left, then the pointer moves", {{{PressLeft}, -1}, {{MovePointer}, 0}, {{}, 0}, {{ReleaseLeft}, 0}}},
        {"Right while Left is held, then a release",
         {{{PressLeft}, -1}, {{PressRight}, 1}, {{}, 1}, {{ReleaseLeft}, 0}, {{ReleaseRight}, 0}}},
        {"another key", {{{PressSpace}, 0}, {{ReleaseSpace, PressLeft}, -1}, {{PressSpace}, 0}}},
        {"press and release in one frame", {{{PressLeft, ReleaseLeft}, 0}, {{}, 0}}},
        {"Left then Right in one frame", {{{PressLeft, PressRight}, 1}, {{ReleaseLeft, ReleaseRight}, 0}}},
    };

    ShowWindow();
    x.Focus(handle);
    int pointer = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Drain the focus change and anything else pending, then start from a fresh record.
        x.ReleaseHeldKeys();
        Deliver();
        PollEvents(window, event);
        event = sf::Event{};
        for (size_t frame = 0; frame < c.frames.size(); ++frame) {
            SCOPED_TRACE(::testing::Message() << "frame " << frame + 1);
            for (Action action : c.frames[frame].actions) {
                switch (action) {
                case PressLeft: x.PressKey("Left"); break;
                case ReleaseLeft: x.ReleaseKey("Left"); break;
                case PressRight: x.PressKey("Right"); break;
                case ReleaseRight: x.ReleaseKey("Right"); break;
                case PressSpace: x.PressKey("space"); break;
                case ReleaseSpace: x.ReleaseKey("space"); break;
                case MovePointer: x.MovePointer(handle, pointer += 7, 400); break;
                }
            }
            Deliver();
            PollEvents(window, event);
            PlayerStep(window, event, *player);
            EXPECT_EQ(c.frames[frame].input, player->input.x);
            EXPECT_EQ(0.0f, player->input.y);
            EXPECT_EQ(0.0f, inputValue.x) << "reset after every player step";
        }
    }
}

TEST_F(GameFrames, ACloseRequestAmongOtherEventsStillCloses)
{
    ShowWindow();
    x.Focus(handle);
    x.PressKey("Left");
    x.ReleaseKey("Left");
    x.MovePointer(handle, 10, 10);
    x.RequestClose(handle);
    x.PressKey("Right");
    x.ReleaseKey("Right");
    Deliver();
    Frame();
    EXPECT_FALSE(window.isOpen());
    // Nothing is polled from a closed window: the record keeps the close request.
    EXPECT_EQ(sf::Event::Closed, event.type);
}
