// Image.h -- pixels read back from a window, and what the tests look for in them: colours, boxes, the end banner
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace xdriver {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
    bool operator!=(const Rgb& other) const { return !(*this == other); }
};

// The game's and the demo's colours, all pure.
const Rgb black = {0, 0, 0};
const Rgb white = {255, 255, 255};
const Rgb red = {255, 0, 0};
const Rgb green = {0, 255, 0};
const Rgb blue = {0, 0, 255};

// "R G B", as the command line prints it.
std::string ToString(Rgb colour);

// A rectangle of pixels, edges included.
struct Box {
    int left, top, right, bottom;
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
    bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    bool Overlaps(const Box& other) const
    {
        return left <= other.right && other.left <= right && top <= other.bottom && other.top <= bottom;
    }
};

class Image {
public:
    // All black.
    Image(int width, int height);
    // pixels row by row, width * height of them.
    Image(int width, int height, std::vector<Rgb> pixels);

    int Width() const { return width; }
    int Height() const { return height; }
    Rgb At(int x, int y) const { return pixels[Index(x, y)]; }
    void Set(int x, int y, Rgb colour) { pixels[Index(x, y)] = colour; }
    // Row by row, for scans that must stay quick in unoptimised builds.
    const Rgb* Data() const { return pixels.data(); }
    // False when the file cannot be written; the graphics library says why on stderr.
    bool SavePng(const std::string& path) const;

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width + x; }

    int width;
    int height;
    std::vector<Rgb> pixels;  // row by row from the top-left
};

// The smallest box holding every pixel of exactly this colour; nothing if there is none.
std::optional<Box> BoundsOf(const Image& image, Rgb colour);

// The boxes of the separate blobs of exactly this colour (pixels joined through their four sides), top first.
std::vector<Box> BlobsOf(const Image& image, Rgb colour);

// The end-of-game banner: the whole image pure green (win) or pure red (lose), except for white words,
// with their smoothed edges, in the top-left corner.
enum class Banner { none, win, lose };
Banner ReadBanner(const Image& image);
// Where ReadBanner allows the words: the top-left three fifths of the width and fifth of the height.
Box BannerWordsArea(const Image& image);

}  // namespace xdriver
