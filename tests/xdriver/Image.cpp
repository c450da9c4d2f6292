// Image.cpp -- scanning read-back pixels, and saving them through the graphics library's PNG writer
#include "Image.h"

#include <SFML/Graphics/Image.hpp>

#include <algorithm>
#include <utility>

namespace xdriver {

namespace {

// A pixel of white words drawn over a pure background: white, the background, or a blend of the two.
bool WordsOver(Rgb background, Rgb pixel)
{
    if (background == green)
        return pixel.g == 255 && pixel.r == pixel.b;
    return pixel.r == 255 && pixel.g == pixel.b;
}

}  // namespace

std::string ToString(Rgb colour)
{
    return std::to_string(colour.r) + " " + std::to_string(colour.g) + " " + std::to_string(colour.b);
}

Image::Image(int width, int height)
    : width(width), height(height), pixels(static_cast<std::size_t>(width) * height, black)
{
}

Image::Image(int width, int height, std::vector<Rgb> pixels) : width(width), height(height), pixels(std::move(pixels))
{
}

bool Image::SavePng(const std::string& path) const
{
    sf::Image out;
    out.create(static_cast<unsigned>(width), static_cast<unsigned>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb pixel = At(x, y);
            out.setPixel(static_cast<unsigned>(x), static_cast<unsigned>(y), sf::Color(pixel.r, pixel.g, pixel.b));
        }
    }
    return out.saveToFile(path);
}

std::optional<Box> BoundsOf(const Image& image, Rgb colour)
{
    std::optional<Box> bounds;
    const Rgb* pixel = image.Data();
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x, ++pixel) {
            if (*pixel != colour)
                continue;
            if (!bounds) {
                bounds = Box{x, y, x, y};
                continue;
            }
            bounds->left = std::min(bounds->left, x);
            bounds->right = std::max(bounds->right, x);
            bounds->bottom = y;
        }
    }
    return bounds;
}

std::vector<Box> BlobsOf(const Image& image, Rgb colour)
{
    std::vector<bool> seen(static_cast<std::size_t>(image.Width()) * image.Height(), false);
    auto index = [&](int x, int y) { return static_cast<std::size_t>(y) * image.Width() + x; };
    std::vector<Box> blobs;
    std::vector<std::pair<int, int>> stack;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            if (seen[index(x, y)] || image.At(x, y) != colour)
                continue;
            Box blob = {x, y, x, y};
            seen[index(x, y)] = true;
            stack.push_back({x, y});
            while (!stack.empty()) {
                const auto [px, py] = stack.back();
                stack.pop_back();
                blob = {std::min(blob.left, px), std::min(blob.top, py), std::max(blob.right, px),
                        std::max(blob.bottom, py)};
                const std::pair<int, int> sides[] = {{px - 1, py}, {px + 1, py}, {px, py - 1}, {px, py + 1}};
                for (const auto& [nx, ny] : sides) {
                    if (nx < 0 || ny < 0 || nx >= image.Width() || ny >= image.Height())
                        continue;
                    if (seen[index(nx, ny)] || image.At(nx, ny) != colour)
                        continue;
                    seen[index(nx, ny)] = true;
                    stack.push_back({nx, ny});
                }
            }
            blobs.push_back(blob);
        }
    }
    // Found in scan order, which is already top first.
    return blobs;
}

Box BannerWordsArea(const Image& image)
{
    return {0, 0, image.Width() * 3 / 5 - 1, image.Height() / 5 - 1};
}

Banner ReadBanner(const Image& image)
{
    if (image.Width() == 0 || image.Height() == 0)
        return Banner::none;
    // The bottom-right corner is always background, never words.
    const Rgb background = image.At(image.Width() - 1, image.Height() - 1);
    if (background != green && background != red)
        return Banner::none;

    const Box words = BannerWordsArea(image);
    bool anyWhite = false;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb pixel = image.At(x, y);
            if (pixel == background)
                continue;
            if (!words.Contains(x, y) || !WordsOver(background, pixel))
                return Banner::none;
            anyWhite = anyWhite || pixel == white;
        }
    }
    if (!anyWhite)
        return Banner::none;
    return background == green ? Banner::win : Banner::lose;
}

}  // namespace xdriver
