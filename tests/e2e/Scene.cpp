// Scene.cpp -- the game's objects found by their pure colours
#include "Scene.h"

namespace e2e {

std::vector<bool> WhiteIn(const xdriver::Image& frame, const xdriver::Box& area)
{
    std::vector<bool> white;
    for (int y = area.top; y <= area.bottom; ++y) {
        for (int x = area.left; x <= area.right; ++x)
            white.push_back(frame.At(x, y) == xdriver::white);
    }
    return white;
}

std::optional<xdriver::Box> PlayerIn(const xdriver::Image& frame)
{
    return BoundsOf(frame, xdriver::blue);
}

std::vector<xdriver::Box> WholeEnemiesIn(const xdriver::Image& frame)
{
    std::vector<xdriver::Box> whole;
    for (const xdriver::Box& blob : BlobsOf(frame, xdriver::red)) {
        // Cut by an edge of the window or by the letters, or torn by a capture between two frames.
        if (blob.Height() == enemyDiameter && !blob.Overlaps(scoreArea))
            whole.push_back(blob);
    }
    return whole;
}

bool EnemyOver(const xdriver::Image& frame, const xdriver::Box& box)
{
    for (const xdriver::Box& blob : BlobsOf(frame, xdriver::red)) {
        if (blob.Overlaps(box))
            return true;
    }
    return false;
}

}  // namespace e2e
