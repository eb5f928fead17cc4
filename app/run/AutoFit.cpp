// SPDX-License-Identifier: MIT
#include "app/run/AutoFit.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

#include "effects/LuminanceStructure.h"

namespace qm {
namespace {

constexpr int kGridPlaces = 5;

// The picture at half its size, each pixel the mean of a 2 x 2 box; an odd
// last column or row is left out.
Image HalfSize(const Image& picture)
{
    Image half(picture.Width() / 2, picture.Height() / 2);
    for (int y = 0; y < half.Height(); ++y) {
        const std::uint8_t* top = picture.Row(2 * y);
        const std::uint8_t* bottom = picture.Row(2 * y + 1);
        std::uint8_t* out = half.Row(y);
        for (std::size_t i = 0; i < 3 * static_cast<std::size_t>(half.Width()); ++i) {
            const std::size_t left = 2 * (i - i % 3) + i % 3;
            out[i] = static_cast<std::uint8_t>(
                (top[left] + top[left + 3] + bottom[left] + bottom[left + 3] + 2) / 4);
        }
    }
    return half;
}

// The median structure of pieces of sizeX by sizeY on a grid over level,
// each summed by itself: a few dozen pieces cost less than the tables.
double MedianStructure(const Image& level, int sizeX, int sizeY)
{
    const int rangeX = level.Width() - sizeX;
    const int rangeY = level.Height() - sizeY;
    std::vector<double> deviations;
    for (int gy = 0; gy < kGridPlaces; ++gy) {
        for (int gx = 0; gx < kGridPlaces; ++gx) {
            const Rect rect{rangeX * gx / (kGridPlaces - 1), rangeY * gy / (kGridPlaces - 1), sizeX,
                            sizeY};
            deviations.push_back(PlaneResidualDeviation(MomentsOf(level, rect), rect));
        }
    }
    std::nth_element(deviations.begin(), deviations.begin() + deviations.size() / 2, deviations.end());
    return deviations[deviations.size() / 2];
}

// A picture and its halvings, each made when it is first asked for.
class Halvings {
public:
    explicit Halvings(const Image& picture) : picture_(picture) {}

    // The smallest halving whose shorter side is at least side (and the
    // picture itself when none is).
    std::size_t LevelFor(double side)
    {
        std::size_t level = 0;
        for (;;) {
            const Image& next = At(level + 1);
            if (next.Empty() || std::min(next.Width(), next.Height()) < side) {
                return level;
            }
            ++level;
        }
    }

    const Image& At(std::size_t level)
    {
        if (level == 0) {
            return picture_;
        }
        while (halves_.size() < level) {
            const Image& last = halves_.empty() ? picture_ : halves_.back();
            halves_.push_back(last.Width() < 2 || last.Height() < 2 ? Image() : HalfSize(last));
        }
        return halves_[level - 1];
    }

private:
    const Image& picture_;
    std::deque<Image> halves_;
};

}  // namespace

int ChooseFit(const Image& picture, int sizeX, int sizeY)
{
    const int cutSide = std::max(sizeX, sizeY);
    const int shorter = std::min(picture.Width(), picture.Height());
    Halvings halvings(picture);
    int chosen = kAutoFitMin;
    double best = -1.0;
    for (int percent = kAutoFitMin; percent <= kAutoFitMax; percent += kAutoFitStep) {
        // The fitted picture's shorter side; a fit that would not shrink
        // the picture leaves it as it is.
        const double fitted = std::min<double>(shorter, std::round(cutSide * 100.0 / percent));
        const std::size_t level = halvings.LevelFor(fitted);
        const Image& judged = halvings.At(level);
        const double scale = std::min(judged.Width(), judged.Height()) / fitted;
        const int pieceX = std::clamp(static_cast<int>(std::lround(sizeX * scale)), 1, judged.Width());
        const int pieceY = std::clamp(static_cast<int>(std::lround(sizeY * scale)), 1, judged.Height());
        const double score = MedianStructure(judged, pieceX, pieceY);
        if (score > best) {
            best = score;
            chosen = percent;
        }
    }
    return chosen;
}

}  // namespace qm
