// main.cpp -- Pelmora's settings, game state and frame loop: player control, spawning, catching, scoring
#include "Enemy.h"
#include "MathUtil.h"
#include "Player.h"

#include <SFML/Graphics.hpp>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

// Game settings, fixed at build time
const std::string gameName = "Pelmora";  // window title
const int totalEnemiesToSpawn = 100;     // enemies in one game; the game ends when all have finished
const int totalPointsNeeded = 80;        // points to win
const int maxFrameRate = 60;             // frames per second
const int screenWidth = 800;             // pixels, window and play area
const int screenHeight = 800;            // pixels
const float playerSpeed = 700.0f;        // magnitude of the steering force
const float playerMass = 75.0f;
const float playerElasticity = 0.2f;     // share of speed kept at a wall
const int playerSize = 50;               // radius, pixels
const int maxPlayerSpeedX = 10;          // pixels per frame
const int maxPlayerSpeedY = 0;           // pixels per frame
const int minEnemySpeed = 200;           // sideways push, inclusive range
const int maxEnemySpeed = 800;
const int maxEnemySpeedX = 8;            // pixels per frame
const int maxEnemySpeedY = 10;           // pixels per frame: the falling speed
const int minEnemyMass = 20;             // inclusive range
const int maxEnemyMass = 150;
const int minEnemyElasticity = 0;        // tenths, inclusive range
const int maxEnemyElasticity = 10;
const int enemySize = 25;                // radius, pixels
const int enemyStartYpos = -500;         // pixels: enemies start well above the window
const int standardFontSize = 50;         // score line; the end banner is twice this
const int minFramesBetweenEnemies = 20;  // frames from one release to the next

namespace {

// x that centres a circle of the given radius in an area, truncated toward zero.
int CenteredStartX(int areaWidth, int size)
{
    const float half = MathUtil::Divide(static_cast<float>(areaWidth), 2.0f);
    return static_cast<int>(MathUtil::Subtract(half, static_cast<float>(size)));
}

// y that rests a circle of the given radius on the bottom of an area, truncated toward zero.
int BottomStartY(int areaHeight, int size)
{
    const float diameter = MathUtil::Multiply(static_cast<float>(size), 2.0f);
    return static_cast<int>(MathUtil::Subtract(static_cast<float>(areaHeight), diameter));
}

}  // namespace

// Start positions, derived once before main
const int playerStartXpos = CenteredStartX(screenWidth, playerSize);
const int playerStartYpos = BottomStartY(screenHeight, playerSize);
const int enemyStartXpos = CenteredStartX(screenWidth, enemySize);

// Frame-loop state
MathUtil::Vector2 inputValue = {0.0f, 0.0f};  // this frame's steering: x is -1, 0 or +1; y stays 0
int frameCount = 0;                           // frames left until the next release
int totalEnemiesSpawned = 0;
int totalEnemiesPassed = 0;                   // finished: fallen out or caught
std::vector<std::unique_ptr<Enemy>> enemyList;  // live enemies, oldest first

namespace {

// Spawning's random source: one engine and the three draws made from it for every enemy.
struct SpawnSource {
    std::mt19937 randomEngine;
    std::uniform_int_distribution<int> speedDistribution;
    std::uniform_int_distribution<int> massDistribution;
    std::uniform_int_distribution<int> elasticityDistribution;
};

SpawnSource MakeSpawnSource(std::uint32_t seed)
{
    return {std::mt19937(seed),
            std::uniform_int_distribution<int>(minEnemySpeed, maxEnemySpeed),
            std::uniform_int_distribution<int>(minEnemyMass, maxEnemyMass),
            std::uniform_int_distribution<int>(minEnemyElasticity, maxEnemyElasticity)};
}

// "Points: 3/80"
std::string ScoreLine(int points)
{
    return "Points: " + std::to_string(points) + "/" + std::to_string(totalPointsNeeded);
}

// What a file that is not a regular one is, for the reason the game gives up.
const char* KindOf(std::filesystem::file_type type)
{
    switch (type) {
    case std::filesystem::file_type::directory:
        return "a directory";
    case std::filesystem::file_type::fifo:
        return "a FIFO";
    case std::filesystem::file_type::socket:
        return "a socket";
    case std::filesystem::file_type::character:
        return "a character device";
    case std::filesystem::file_type::block:
        return "a block device";
    default:
        return "of an unknown kind";
    }
}

// Opening a FIFO waits for a writer that never comes, and a device may never end: only a regular file (after
// links) goes to the library. A missing or unreachable one goes too, and the library says why it fails.
bool IsRegularOrAbsent(const std::string& name)
{
    std::error_code error;
    const std::filesystem::file_type type = std::filesystem::status(name, error).type();
    if (error || type == std::filesystem::file_type::regular || type == std::filesystem::file_type::not_found)
        return true;
    sf::err() << "Failed to load font \"" << name << "\" (" << KindOf(type) << ", not a regular file)" << std::endl;
    return false;
}

// A font cut short inside its outlines still loads, yet draws every character blank: refuse it unless each
// character of the score line and both verdicts has an outline.
bool DrawsEveryCharacter(const sf::Font& font, const std::string& name)
{
    for (const char character : ScoreLine(1234567890) + "You win" + "You lose") {
        const sf::Glyph& glyph = font.getGlyph(static_cast<sf::Uint32>(character), standardFontSize, false);
        if (character != ' ' && glyph.bounds.width <= 0) {
            // The library stays silent here, so the reason is ours to give.
            sf::err() << "Failed to load font \"" << name << "\" (no outline for '" << character << "')" << std::endl;
            return false;
        }
    }
    return true;
}

// The one player, on the heap, resting centred on the bottom edge; main deletes it after the loop.
Player* CreatePlayer()
{
    return new Player(playerStartXpos, playerStartYpos, playerSize, playerSpeed, screenWidth, screenHeight,
                      playerMass, playerElasticity, static_cast<float>(maxPlayerSpeedX),
                      static_cast<float>(maxPlayerSpeedY));
}

// White score line in the top-left corner.
void SetUpScoreText(sf::Text& scoreText, const sf::Font& font, const Player& player)
{
    scoreText.setFont(font);
    scoreText.setCharacterSize(standardFontSize);
    scoreText.setFillColor(sf::Color::White);
    scoreText.setPosition(0, 0);
    scoreText.setString(ScoreLine(player.points));
}

// The game's window, and the frame-rate limit its display() keeps to.
void OpenWindow(sf::RenderWindow& window)
{
    window.create(sf::VideoMode(screenWidth, screenHeight, 32), gameName, sf::Style::Default, sf::ContextSettings());
    window.setFramerateLimit(maxFrameRate);
}

// Drains the event queue; a close request closes the window. The record keeps the last event polled.
void PollEvents(sf::RenderWindow& window, sf::Event& event)
{
    while (window.pollEvent(event)) {
        if (event.type == sf::Event::Closed)
            window.close();
    }
}

// A press of Left or Right steers; any other last event means no steering.
float SteeringFrom(const sf::Event& event)
{
    if (event.type == sf::Event::KeyPressed) {
        if (event.key.code == sf::Keyboard::Left)
            return -1.0f;
        if (event.key.code == sf::Keyboard::Right)
            return 1.0f;
    }
    return 0.0f;
}

void PlayerStep(sf::RenderTarget& window, const sf::Event& event, Player& player)
{
    inputValue.x = SteeringFrom(event);
    player.input = inputValue;
    player.Draw();
    window.draw(player.shape);
    inputValue.x = 0.0f;
}

// Counts down one frame and releases an enemy when the countdown runs out, until all are released.
void SpawningStep(SpawnSource& spawnSource)
{
    if (totalEnemiesSpawned >= totalEnemiesToSpawn)
        return;
    frameCount -= 1;
    if (frameCount > 0)
        return;

    const float speed = static_cast<float>(spawnSource.speedDistribution(spawnSource.randomEngine));
    const float mass = static_cast<float>(spawnSource.massDistribution(spawnSource.randomEngine));
    const float elasticity = MathUtil::Divide(
        static_cast<float>(spawnSource.elasticityDistribution(spawnSource.randomEngine)), 10.0f);
    enemyList.push_back(std::make_unique<Enemy>(
        enemyStartXpos, enemyStartYpos, enemySize, speed, screenWidth, screenHeight, mass, elasticity,
        static_cast<float>(maxEnemySpeedX), static_cast<float>(maxEnemySpeedY)));
    totalEnemiesSpawned += 1;
    frameCount = minFramesBetweenEnemies;
}

// An enemy low enough to reach the player's top, whose circle meets the player's, is caught once.
bool TouchesPlayer(const Enemy& enemy, const Player& player)
{
    using namespace MathUtil;
    const float bottom = Add(static_cast<float>(enemy.centerY), static_cast<float>(enemy.radius));
    const float line = Subtract(static_cast<float>(screenHeight), Multiply(static_cast<float>(playerSize), 2.0f));
    if (!(bottom >= line))
        return false;
    const int distance = CalcDistance(enemy.centerX, player.centerX, enemy.centerY, player.centerY);
    const float gap = Subtract(static_cast<float>(distance), static_cast<float>(enemy.radius));
    return static_cast<float>(player.radius) >= gap && !enemy.hitPlayer;
}

// Updates, draws and tests every enemy; finished ones are counted, and those still worth a point score it.
void EnemyPass(sf::RenderTarget& window, Player& player, sf::Text& scoreText)
{
    for (const std::unique_ptr<Enemy>& enemy : enemyList) {
        enemy->Draw();
        window.draw(enemy->shape);
        if (TouchesPlayer(*enemy, player)) {
            enemy->awardsPoint = false;
            enemy->hitPlayer = true;
            enemy->markedForRemoval = true;
        }
        if (enemy->markedForRemoval) {
            if (enemy->awardsPoint) {
                player.points += 1;
                scoreText.setString(ScoreLine(player.points));
                window.draw(scoreText);
            }
            totalEnemiesPassed += 1;
        }
    }
}

// Destroys the enemies finished this frame, keeping the others in order.
void RemoveFinishedEnemies()
{
    enemyList.erase(std::remove_if(enemyList.begin(), enemyList.end(),
                                   [](const std::unique_ptr<Enemy>& enemy) { return enemy->markedForRemoval; }),
                    enemyList.end());
}

// Once every enemy has finished, a full-window banner and the verdict in large letters.
void EndOfGameStep(sf::RenderTarget& window, const Player& player, sf::Text& scoreText)
{
    if (totalEnemiesPassed < totalEnemiesToSpawn)
        return;
    sf::RectangleShape banner(sf::Vector2f(static_cast<float>(screenWidth), static_cast<float>(screenHeight)));
    banner.setPosition(0, 0);
    scoreText.setCharacterSize(static_cast<unsigned>(MathUtil::Multiply(static_cast<float>(standardFontSize), 2.0f)));
    if (player.points >= totalPointsNeeded) {
        scoreText.setString("You win");
        banner.setFillColor(sf::Color::Green);
    } else {
        scoreText.setString("You lose");
        banner.setFillColor(sf::Color::Red);
    }
    window.draw(banner);
}

void RunFrame(sf::RenderWindow& window, sf::Event& event, Player& player, SpawnSource& spawnSource,
              sf::Text& scoreText)
{
    // Handle events: only a close request is acted on
    PollEvents(window, event);
    // Clear the window to opaque black
    window.clear(sf::Color(0, 0, 0, 255));
    // Steer, move and draw the player
    PlayerStep(window, event, player);
    // Release an enemy when the countdown runs out
    SpawningStep(spawnSource);
    // Move, draw, catch and score every enemy
    EnemyPass(window, player, scoreText);
    // Destroy the enemies that finished this frame
    RemoveFinishedEnemies();
    // Cover everything with the banner once the game is over
    EndOfGameStep(window, player, scoreText);
    // Draw the score line, or the banner's words
    window.draw(scoreText);
    // Display things on screen; the frame-rate limit waits here
    window.display();
}

}  // namespace

int main()
{
    sf::RenderWindow window;
    OpenWindow(window);

    sf::Font font;
    if (!IsRegularOrAbsent("arial.ttf") || !font.loadFromFile("arial.ttf") ||
        !DrawsEveryCharacter(font, "arial.ttf"))
        return -1;

    std::random_device randomDevice;
    SpawnSource spawnSource = MakeSpawnSource(randomDevice());

    Player* player = CreatePlayer();

    sf::Text scoreText;
    SetUpScoreText(scoreText, font, *player);

    // Value-initialised, so before the first poll it holds no key press.
    sf::Event event{};
    while (window.isOpen())
        RunFrame(window, event, *player, spawnSource, scoreText);

    delete player;
    enemyList.clear();
    return 0;
}
