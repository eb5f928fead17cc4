// SPDX-License-Identifier: MIT
#include "engine/HexGroupMaker.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <utility>

#include "core/Bands.h"

namespace qm {
namespace {

const double kSqrt3 = std::sqrt(3.0);

struct Point {
    double x;
    double y;
};

// cos and sin of k * 60 degrees.
const std::array<double, 6> kCos{1.0, 0.5, -0.5, -1.0, -0.5, 0.5};
const std::array<double, 6> kSin{0.0, kSqrt3 / 2, kSqrt3 / 2, 0.0, -kSqrt3 / 2, -kSqrt3 / 2};

Point Apply(HexLinearPart part, Point p)
{
    const double c = kCos[static_cast<std::size_t>(part.k)];
    const double s = kSin[static_cast<std::size_t>(part.k)];
    // A mirror in the line at k * 30 degrees reflects by twice that angle.
    return part.mirror ? Point{c * p.x + s * p.y, s * p.x - c * p.y}
                       : Point{c * p.x - s * p.y, s * p.x + c * p.y};
}

// outer after inner.
HexLinearPart Compose(HexLinearPart outer, HexLinearPart inner)
{
    const int sum = (outer.k + inner.k) % 6;
    const int difference = (outer.k - inner.k + 6) % 6;
    if (!outer.mirror) {
        return {inner.mirror, sum};
    }
    return {!inner.mirror, difference};
}

int Bit(HexLinearPart part)
{
    return part.mirror ? 6 + part.k : part.k;
}

// The corners of T in lattice lengths: a lattice point, the middle of a
// lattice edge, the centre of a lattice triangle.
constexpr int kCorners = 3;
const std::array<Point, kCorners> kTriangle{Point{0.0, 0.0}, Point{0.5, 0.0},
                                            Point{0.5, 0.5 / kSqrt3}};

// floor(v) for values well within int.
int Floor(double v)
{
    const int t = static_cast<int>(v);
    return t > v ? t - 1 : t;
}

// v rounded to the nearest whole number, halves to even, for v >= 0.
int Nearest(double v)
{
    const int r = static_cast<int>(v + 0.5);
    return r - v == 0.5 && r % 2 != 0 ? r - 1 : r;
}

// Folds p (in lattice edges) into T by a lattice vector and the mirrors
// through a lattice point; returns the folded point and the linear part of
// the fold.
std::pair<Point, HexLinearPart> FoldIntoTriangle(Point p)
{
    const double rowHeight = kSqrt3 / 2;
    const int c2 = Floor(p.y / rowHeight);
    const int c1 = Floor(p.x - c2 * 0.5);
    // The nearest lattice point is a corner of the lattice cell holding p.
    Point d{};
    double nearest = -1;
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 2; ++j) {
            const Point q{p.x - ((c1 + i) + (c2 + j) * 0.5), p.y - (c2 + j) * rowHeight};
            const double distance = q.x * q.x + q.y * q.y;
            if (nearest < 0 || distance < nearest) {
                nearest = distance;
                d = q;
            }
        }
    }
    HexLinearPart fold{false, 0};
    const auto reflect = [&](int k) {
        d = Apply({true, k}, d);
        fold = Compose({true, k}, fold);
    };
    if (d.y < 0) {
        reflect(0);
    }
    if (d.x < 0) {
        reflect(3);
    }
    if (d.y > kSqrt3 * d.x) {
        reflect(2);
    }
    if (kSqrt3 * d.y > d.x) {
        reflect(1);
    }
    return {d, fold};
}

}  // namespace

THexGroupMaker::THexGroupMaker(std::uint16_t linearParts, std::vector<HexLinearPart> regionParts)
    : TGroupMaker(Motif::Square), linearParts_(linearParts), regionParts_(std::move(regionParts))
{
}

bool THexGroupMaker::Holds(HexLinearPart part) const
{
    return (linearParts_ >> Bit(part) & 1u) != 0;
}

THexGroupMaker::Box THexGroupMaker::RegionBox() const
{
    Box box{0.0, 0.0, 0.0, 0.0};
    for (const HexLinearPart part : regionParts_) {
        for (const Point corner : kTriangle) {
            const Point p = Apply(part, corner);
            box = {std::min(box.lowX, p.x), std::min(box.lowY, p.y), std::max(box.highX, p.x),
                   std::max(box.highY, p.y)};
        }
    }
    return box;
}

TPoint THexGroupMaker::TileSize(int a, int /*b: the motif is square*/) const
{
    const Box box = RegionBox();
    const double longer = std::max(box.highX - box.lowX, box.highY - box.lowY);
    const int w = std::max(2, 2 * static_cast<int>(std::nearbyint(a / (2 * longer))));
    return {w, 2 * static_cast<int>(std::nearbyint(w * kSqrt3 / 2))};
}

TPoint THexGroupMaker::PlanTile(int width, int /*height: the motif is square*/)
{
    const int side = width;
    if (side < 2) {
        OutOfBounds();  // the size rules keep these groups at 32 and more
    }
    const Box box = RegionBox();
    const Point low{box.lowX, box.lowY};
    const Point high{box.highX, box.highY};
    const TPoint size = TileSize(side, side);
    const int w = size.X;
    const int h = size.Y;
    const double a = w;
    // Tile rows to lattice geometry: the cells are regular there.
    const double yScale = w * kSqrt3 / h;

    const bool uprightMirror = Holds({true, 3});
    const bool levelMirror = Holds({true, 0});
    const bool halfTurn = Holds({false, 3});
    sampledWidth_ = uprightMirror ? w / 2 : w;
    rows_.assign(static_cast<std::size_t>(h), RowPlan{});
    std::vector<int> sampledRows;
    for (int y = 0; y < h / 2; ++y) {
        const int partner = h / 2 - 1 - y;
        if ((levelMirror || halfTurn) && partner < y) {
            const RowKind kind = levelMirror ? RowKind::Turned : RowKind::TurnedBack;
            rows_[static_cast<std::size_t>(y)] = {kind, partner, 0};
            continue;
        }
        const std::size_t first = sampledRows.size() * static_cast<std::size_t>(sampledWidth_);
        rows_[static_cast<std::size_t>(y)] = {RowKind::Sampled, 0, first};
        sampledRows.push_back(y);
    }
    for (int y = h / 2; y < h; ++y) {
        rows_[static_cast<std::size_t>(y)] = {RowKind::Turned, y - h / 2, 0};
    }

    // The region part that completes each fold to a symmetry of the group.
    std::array<HexLinearPart, 12> partOfFold{};
    for (int bit = 0; bit < 12; ++bit) {
        const HexLinearPart fold{bit >= 6, bit % 6};
        const auto part = std::find_if(regionParts_.begin(), regionParts_.end(),
                                       [&](HexLinearPart p) { return Holds(Compose(p, fold)); });
        if (part == regionParts_.end()) {
            OutOfBounds();  // region parts that miss a coset
        }
        partOfFold[static_cast<std::size_t>(bit)] = *part;
    }
    samples_.resize(sampledRows.size() * static_cast<std::size_t>(sampledWidth_));
    const std::size_t rowBytes = MotifRowBytes();
    // From lattice edges to motif pixels, pixel centres at whole numbers.
    const double toColumns = side / (high.x - low.x);
    const double toRows = side / (high.y - low.y);
    const auto sampleRows = [&](int first, int last) {
        for (int r = first; r < last; ++r) {
            const int y = sampledRows[static_cast<std::size_t>(r)];
            Sample* out = samples_.data() + rows_[static_cast<std::size_t>(y)].first;
            const double latticeY = (y + 0.5) * yScale / a;
            for (int x = 0; x < sampledWidth_; ++x) {
                const auto [folded, fold] = FoldIntoTriangle({(x + 0.5) / a, latticeY});
                const Point m = Apply(partOfFold[static_cast<std::size_t>(Bit(fold))], folded);
                const double u = std::clamp((m.x - low.x) * toColumns - 0.5, 0.0, side - 1.0);
                const double v = std::clamp((m.y - low.y) * toRows - 0.5, 0.0, side - 1.0);
                const int u0 = std::min(static_cast<int>(u), side - 2);
                const int v0 = std::min(static_cast<int>(v), side - 2);
                out[x] = Sample{static_cast<std::uint32_t>(static_cast<std::size_t>(v0) * rowBytes +
                                                           3 * static_cast<std::size_t>(u0)),
                                static_cast<std::uint16_t>(Nearest((u - u0) * 256)),
                                static_cast<std::uint16_t>(Nearest((v - v0) * 256))};
            }
        }
    };
    ForBands(static_cast<int>(sampledRows.size()), Cores(), sampleRows);
    return {w, h};
}

void THexGroupMaker::Render(const std::uint8_t* motif, Image& tile) const
{
    const int w = tile.Width();
    const std::size_t half = 3 * static_cast<std::size_t>(w / 2);
    const std::size_t rowBytes = MotifRowBytes();
    for (int y = 0; y < tile.Height(); ++y) {
        const RowPlan& plan = rows_[static_cast<std::size_t>(y)];
        std::uint8_t* out = tile.Row(y);
        if (plan.kind == RowKind::Turned) {
            const std::uint8_t* from = tile.Row(plan.from);
            std::memcpy(out, from + half, half);
            std::memcpy(out + half, from, half);
            continue;
        }
        if (plan.kind == RowKind::TurnedBack) {
            // Pixel x shows pixel (W/2 - 1 - x) mod W: each half backwards.
            const std::uint8_t* from = tile.Row(plan.from);
            for (int x = 0; x < w; ++x) {
                const int source = x < w / 2 ? w / 2 - 1 - x : w + w / 2 - 1 - x;
                std::memcpy(out + 3 * static_cast<std::size_t>(x),
                            from + 3 * static_cast<std::size_t>(source), 3);
            }
            continue;
        }
        const Sample* sample = samples_.data() + plan.first;
        for (int x = 0; x < sampledWidth_; ++x, ++sample) {
            const std::uint8_t* top = motif + sample->source;
            const std::uint8_t* bottom = top + rowBytes;
            const int right = sample->right;
            const int left = 256 - right;
            const int down = sample->down;
            const int up = 256 - down;
            for (int c = 0; c < 3; ++c) {
                const int upper = top[c] * left + top[3 + c] * right;
                const int lower = bottom[c] * left + bottom[3 + c] * right;
                out[3 * x + c] = static_cast<std::uint8_t>((upper * up + lower * down + 32768) >> 16);
            }
        }
        if (sampledWidth_ < w) {
            for (int x = w / 2; x < w; ++x) {
                std::memcpy(out + 3 * static_cast<std::size_t>(x),
                            out + 3 * static_cast<std::size_t>(w - 1 - x), 3);
            }
        }
    }
}

}  // namespace qm
