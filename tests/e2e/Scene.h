// Scene.h -- reading the game's frame from its pixels: score line, player, enemies
#pragma once

#include "Image.h"

#include <optional>
#include <vector>

namespace e2e {

// Where the score line's letters are drawn, from the top-left corner.
const xdriver::Box scoreArea = {0, 0, 299, 69};
const int enemyDiameter = 50;  // pixels

// The pure white pixels of an area, row by row: the letters' solid parts, whatever is under them.
std::vector<bool> WhiteIn(const xdriver::Image& frame, const xdriver::Box& area);

// The player's box, if any of it shows.
std::optional<xdriver::Box> PlayerIn(const xdriver::Image& frame);

// The enemies wholly visible, top first: whole red circles away from the score line.
std::vector<xdriver::Box> WholeEnemiesIn(const xdriver::Image& frame);

// Some enemy's red is drawn over the box (it is caught that frame) and may hide part of it.
bool EnemyOver(const xdriver::Image& frame, const xdriver::Box& box);

}  // namespace e2e
