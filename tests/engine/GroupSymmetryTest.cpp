// SPDX-License-Identifier: MIT
// Every wallpaper group's tile, made from smooth noise, has the symmetries
// of its group and no others. The symmetries are searched on the tile
// alone, as a picture that repeats edge to edge: every turn and mirror of
// the square grid with every whole-pixel offset for the groups on the pixel
// grid (which must hold exactly), every turn and mirror of the hexagonal
// lattice with offsets found by a search over the cell for the others
// (which must hold to a mean difference of 2 and a 99th percentile of 8,
// away from the seams). What was found is then described as the group
// tables describe a group: its turns, its mirror directions, whether it has
// glide reflections, and whether a centre of its highest turn lies on no
// mirror. Each group's line, with the fits of the hexagonal ones, goes to
// the standard output.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/MethodCatalogue.h"
#include "support/Noise.h"

namespace qm {
namespace {

const double kPi = std::acos(-1.0);

struct Vec {
    double x;
    double y;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
Vec operator*(double s, Vec a) { return {s * a.x, s * a.y}; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
double Cross(Vec a, Vec b) { return a.x * b.y - a.y * b.x; }
double Length(Vec a) { return std::hypot(a.x, a.y); }

// The linear part of a symmetry: the turn by degrees, or the mirror in the
// line at degrees (from the x axis towards y, down the picture).
struct Linear {
    bool mirror;
    int degrees;
};

struct Matrix {
    double a, b, c, d;
    Vec operator()(Vec v) const { return {a * v.x + b * v.y, c * v.x + d * v.y}; }
};

Matrix MatrixOf(Linear l)
{
    const double r = (l.mirror ? 2 : 1) * l.degrees * kPi / 180;
    return l.mirror ? Matrix{std::cos(r), std::sin(r), std::sin(r), -std::cos(r)}
                    : Matrix{std::cos(r), -std::sin(r), std::sin(r), std::cos(r)};
}

// A symmetry p -> M p + t, in cell geometry (the hexagonal tile's rows
// scaled so that its cells are regular).
struct Symmetry {
    Linear linear;
    Vec t;
};

int Wrap(int i, int n) { return ((i % n) + n) % n; }

bool SamePixel(const Image& tile, int x1, int y1, int x2, int y2)
{
    const std::uint8_t* a = tile.Pixel(x1, y1);
    const std::uint8_t* b = tile.Pixel(Wrap(x2, tile.Width()), Wrap(y2, tile.Height()));
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

// Every translation of the tile onto itself, whole pixels, within the tile.
std::vector<Vec> Translations(const Image& tile)
{
    std::vector<Vec> found;
    for (int ty = 0; ty < tile.Height(); ++ty) {
        for (int tx = 0; tx < tile.Width(); ++tx) {
            bool holds = true;
            for (int y = 0; y < tile.Height() && holds; ++y) {
                for (int x = 0; x < tile.Width() && holds; ++x) {
                    holds = SamePixel(tile, x, y, x + tx, y + ty);
                }
            }
            if (holds) {
                found.push_back({double(tx), double(ty)});
            }
        }
    }
    return found;
}

// The turns and mirrors of the square grid that map the tile exactly onto
// itself, each with one offset.
std::vector<Symmetry> ExactSymmetries(const Image& tile)
{
    std::vector<Symmetry> found;
    for (const Linear l : {Linear{false, 90}, Linear{false, 180}, Linear{false, 270}, Linear{true, 0},
                           Linear{true, 45}, Linear{true, 90}, Linear{true, 135}}) {
        const Matrix m = MatrixOf(l);
        const int a = int(std::lround(m.a)), b = int(std::lround(m.b));
        const int c = int(std::lround(m.c)), d = int(std::lround(m.d));
        bool any = false;
        for (int ty = 0; ty < tile.Height() && !any; ++ty) {
            for (int tx = 0; tx < tile.Width() && !any; ++tx) {
                bool holds = true;
                for (int y = 0; y < tile.Height() && holds; ++y) {
                    for (int x = 0; x < tile.Width() && holds; ++x) {
                        holds = SamePixel(tile, x, y, a * x + b * y + tx, c * x + d * y + ty);
                    }
                }
                if (holds) {
                    found.push_back({l, {double(tx), double(ty)}});
                    any = true;
                }
            }
        }
    }
    return found;
}

// The hexagonal tile as a smooth picture repeating edge to edge.
class SampledTile {
public:
    // yScale turns tile rows into cell geometry.
    SampledTile(const Image& tile, double yScale) : tile_(tile), yScale_(yScale)
    {
        // Pixels within a pixel of a seam (a jump or a crease of the noise,
        // where the second difference is large) are not compared.
        const int w = tile.Width(), h = tile.Height();
        std::vector<bool> seam(static_cast<std::size_t>(w) * h);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                for (int c = 0; c < 3; ++c) {
                    const int across = At(x - 1, y, c) - 2 * At(x, y, c) + At(x + 1, y, c);
                    const int down = At(x, y - 1, c) - 2 * At(x, y, c) + At(x, y + 1, c);
                    if (std::abs(across) > 24 || std::abs(down) > 24) {
                        seam[static_cast<std::size_t>(y) * w + x] = true;
                    }
                }
            }
        }
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                bool near = false;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int i = Wrap(y + dy, h) * w + Wrap(x + dx, w);
                        near = near || seam[static_cast<std::size_t>(i)];
                    }
                }
                if (!near) {
                    compared_.push_back({double(x), double(y)});
                }
            }
        }
        for (std::size_t i = 0; i < compared_.size(); i += compared_.size() / 64 + 1) {
            probes_.push_back(compared_[i]);
        }
    }

    double ComparedShare() const { return double(compared_.size()) / (tile_.Width() * tile_.Height()); }

    // How well the best offset of a linear part fits over the compared
    // pixels, and the symmetry when it holds.
    struct Fit {
        double mean;
        double p99;
        std::optional<Symmetry> symmetry;
    };

    // The symmetry with linear part l, if the tile has one: the offset that
    // fits best over the cell in steps of two pixels, refined to an eighth of a
    // pixel, if it holds over the compared pixels.
    Fit Find(Linear l) const
    {
        const Matrix m = MatrixOf(l);
        const Matrix onTile{m.a, m.b * yScale_, m.c / yScale_, m.d};
        // Summed differences over the probes, given up beyond limit.
        const auto score = [&](Vec t, double limit) {
            double sum = 0;
            for (std::size_t i = 0; i < probes_.size() && sum < limit; ++i) {
                sum += Difference(onTile, probes_[i], t);
            }
            return sum;
        };
        Vec best{0, 0};
        double bestScore = 1e18;
        const auto consider = [&](Vec t) {
            const double s = score(t, bestScore);
            if (s < bestScore) {
                bestScore = s;
                best = t;
            }
        };
        for (int ty = 0; ty < tile_.Height() / 2; ty += 2) {
            for (int tx = 0; tx < tile_.Width(); tx += 2) {
                consider({double(tx), double(ty)});
            }
        }
        const Vec coarse = best;
        for (int dy = -12; dy <= 12; ++dy) {
            for (int dx = -12; dx <= 12; ++dx) {
                consider(coarse + Vec{dx / 8.0, dy / 8.0});
            }
        }
        std::vector<double> d;
        for (const Vec p : compared_) {
            Difference(onTile, p, best, &d);
        }
        const double mean = std::accumulate(d.begin(), d.end(), 0.0) / double(d.size());
        std::nth_element(d.begin(), d.begin() + std::ptrdiff_t(d.size() * 99 / 100), d.end());
        const double p99 = d[d.size() * 99 / 100];
        if (mean > 2 || p99 > 8) {
            return {mean, p99, std::nullopt};
        }
        return {mean, p99, Symmetry{l, {best.x, best.y * yScale_}}};
    }

private:
    // The differences of the three channels between pixel p and the tile,
    // sampled bilinearly, at the symmetry's image of p.
    double Difference(const Matrix& onTile, Vec p, Vec t, std::vector<double>* channels = nullptr) const
    {
        const Vec q = onTile(p) + t;
        const int w = tile_.Width(), h = tile_.Height();
        const int x0 = int(std::floor(q.x)), y0 = int(std::floor(q.y));
        const double fx = q.x - x0, fy = q.y - y0;
        const int left = Wrap(x0, w), right = left + 1 == w ? 0 : left + 1;
        const int top = Wrap(y0, h), bottom = top + 1 == h ? 0 : top + 1;
        const std::uint8_t* here = tile_.Pixel(int(p.x), int(p.y));
        const std::uint8_t* a = tile_.Pixel(left, top);
        const std::uint8_t* b = tile_.Pixel(right, top);
        const std::uint8_t* c = tile_.Pixel(left, bottom);
        const std::uint8_t* d = tile_.Pixel(right, bottom);
        double sum = 0;
        for (int k = 0; k < 3; ++k) {
            const double there =
                (a[k] * (1 - fx) + b[k] * fx) * (1 - fy) + (c[k] * (1 - fx) + d[k] * fx) * fy;
            sum += std::abs(here[k] - there);
            if (channels != nullptr) {
                channels->push_back(std::abs(here[k] - there));
            }
        }
        return sum;
    }

    int At(int x, int y, int c) const
    {
        return tile_.Pixel(Wrap(x, tile_.Width()), Wrap(y, tile_.Height()))[c];
    }

    const Image& tile_;
    double yScale_;
    std::vector<Vec> compared_;
    std::vector<Vec> probes_;
};

// A group as the tables describe it.
struct Signature {
    std::vector<int> turns;  // orders of its turns, ascending
    int mirrorDirections;
    bool glides;             // glide reflections that are no mirrors
    bool centresOffMirrors;  // a centre of its highest turn on no mirror
    bool operator==(const Signature&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Signature& s)
{
    out << "turns {";
    for (const int n : s.turns) {
        out << " " << n;
    }
    return out << " }, mirrors in " << s.mirrorDirections << " directions" << (s.glides ? ", glides" : "")
               << (s.centresOffMirrors ? ", centres off mirrors" : "");
}

std::string Text(const Signature& s)
{
    std::ostringstream text;
    text << s;
    return text.str();
}

// The signature of the symmetries found on a tile with lattice b1, b2 (cell
// geometry); tolerance is how far apart two points may be and still count
// as one.
Signature Describe(const std::vector<Symmetry>& found, Vec b1, Vec b2, double tolerance)
{
    const auto inLattice = [&](Vec v) {
        const double det = Cross(b1, b2);
        const double m = std::round(Cross(v, b2) / det), n = std::round(Cross(b1, v) / det);
        return Length(v - (m * b1 + n * b2)) < tolerance;
    };
    std::vector<Vec> vectors;
    for (int m = -4; m <= 4; ++m) {
        for (int n = -4; n <= 4; ++n) {
            if (m != 0 || n != 0) {
                vectors.push_back(m * b1 + n * b2);
            }
        }
    }
    Signature s{{}, 0, false, false};
    std::vector<Symmetry> mirrors;
    const Symmetry* highest = nullptr;
    int highestOrder = 1;
    for (const Symmetry& f : found) {
        if (!f.linear.mirror) {
            const int order = 360 / std::gcd(f.linear.degrees, 360);
            if (std::find(s.turns.begin(), s.turns.end(), order) == s.turns.end()) {
                s.turns.push_back(order);
            }
            if (order > highestOrder) {
                highestOrder = order;
                highest = &f;
            }
            continue;
        }
        // Along the axis: the lattice's shadow on it, step p, and its own
        // vectors on it, step q; the symmetry is a mirror when its slide
        // along the axis is a step of the shadow.
        const double r = f.linear.degrees * kPi / 180;
        const Vec axis{std::cos(r), std::sin(r)};
        double p = 1e9, q = 1e9;
        for (const Vec v : vectors) {
            if (std::abs(Dot(v, axis)) > tolerance) {
                p = std::min(p, std::abs(Dot(v, axis)));
            }
            if (std::abs(Cross(v, axis)) < tolerance) {
                q = std::min(q, Length(v));
            }
        }
        const double slide = Dot(f.t, axis);
        const bool mirror = std::abs(slide - p * std::round(slide / p)) < tolerance;
        if (mirror) {
            ++s.mirrorDirections;
            mirrors.push_back(f);
        }
        s.glides = s.glides || !mirror || q > 1.5 * p;
    }
    std::sort(s.turns.begin(), s.turns.end());
    if (highest != nullptr) {
        const Matrix m = MatrixOf(highest->linear);
        // The centres c = (I - M)^-1 (t + v) for the lattice vectors v.
        const Matrix i{1 - m.a, -m.b, -m.c, 1 - m.d};
        const double det = i.a * i.d - i.b * i.c;
        const Matrix inverse{i.d / det, -i.b / det, -i.c / det, i.a / det};
        for (int a = 0; a < 3; ++a) {
            for (int b = 0; b < 3; ++b) {
                const Vec centre = inverse(highest->t + (a * b1 + b * b2));
                const auto through = [&](const Symmetry& mirror) {
                    return inLattice(centre - MatrixOf(mirror.linear)(centre) - mirror.t);
                };
                const bool onMirror = std::any_of(mirrors.begin(), mirrors.end(), through);
                s.centresOffMirrors = s.centresOffMirrors || !onMirror;
            }
        }
    }
    return s;
}

// Lattice basis from the translations of a tile: the shortest translation
// and the shortest one across it.
std::pair<Vec, Vec> Basis(const std::vector<Vec>& translations, int width, int height)
{
    std::vector<Vec> vectors;
    for (const Vec t : translations) {
        for (int i = -1; i <= 1; ++i) {
            for (int j = -1; j <= 1; ++j) {
                const Vec v = t + Vec{double(i * width), double(j * height)};
                if (Length(v) > 0) {
                    vectors.push_back(v);
                }
            }
        }
    }
    std::sort(vectors.begin(), vectors.end(), [](Vec a, Vec b) { return Length(a) < Length(b); });
    const Vec b1 = vectors.front();
    const auto across = [&](Vec v) { return std::abs(Cross(b1, v)) > 0.5; };
    return {b1, *std::find_if(vectors.begin(), vectors.end(), across)};
}

TEST(GroupSymmetry, EveryGroupHasItsSymmetriesAndNoOthers)
{
    struct Expected {
        const char* name;
        Signature signature;
    };
    const Expected table[] = {
        {"p1", {{}, 0, false, false}},         {"p2", {{2}, 0, false, true}},
        {"pm", {{}, 1, false, false}},         {"pg", {{}, 0, true, false}},
        {"cm", {{}, 1, true, false}},          {"pmm", {{2}, 2, false, false}},
        {"pmg", {{2}, 1, true, true}},         {"pgg", {{2}, 0, true, true}},
        {"cmm", {{2}, 2, true, true}},         {"p4", {{2, 4}, 0, false, true}},
        {"p4m", {{2, 4}, 4, true, false}},     {"p4g", {{2, 4}, 2, true, true}},
        {"p3", {{3}, 0, false, true}},         {"p3m1", {{3}, 3, true, false}},
        {"p31m", {{3}, 3, true, true}},        {"p6", {{2, 3, 6}, 0, false, true}},
        {"p6m", {{2, 3, 6}, 6, true, false}},
    };
    ASSERT_EQ(std::size(table), GroupMethods().size());
    for (const Expected& expected : table) {
        SCOPED_TRACE(expected.name);
        const MethodInfo* group = GroupMethodNamed(expected.name);
        ASSERT_NE(group, nullptr);
        const bool hexagonal = group->code >= GroupMethodNamed("p3")->code;
        // Rectangular groups with an odd width, the others square.
        const TPoint cut = hexagonal ? TPoint{64, 64} : group->freeWidth ? TPoint{41, 26} : TPoint{32, 32};
        auto maker = CreateGroupMaker(group->code);
        ASSERT_TRUE(maker->Prepare(cut, false));
        ASSERT_TRUE(maker->Make(test::SmoothNoise(cut.X, cut.Y, hexagonal ? 3 : 2, group->code)));
        const Image& tile = maker->ResultImage();
        const int w = tile.Width(), h = tile.Height();
        const std::vector<Vec> translations = Translations(tile);
        if (!hexagonal) {
            const auto [b1, b2] = Basis(translations, w, h);
            const Signature signature = Describe(ExactSymmetries(tile), b1, b2, 1e-6);
            std::printf("%-5s %4d x %-4d exact: %s\n", expected.name, w, h, Text(signature).c_str());
            EXPECT_EQ(signature, expected.signature);
            continue;
        }
        // The lattice (W, 0), (W/2, H/2), W even, H = 2 round(W sqrt(3) / 2).
        ASSERT_EQ(w % 2, 0);
        ASSERT_EQ(h, 2 * std::lround(w * std::sqrt(3.0) / 2));
        ASSERT_EQ(translations.size(), 2u);
        EXPECT_EQ(translations[1].x, w / 2);
        EXPECT_EQ(translations[1].y, h / 2);
        const double yScale = w * std::sqrt(3.0) / h;
        const SampledTile sampled(tile, yScale);
        EXPECT_GT(sampled.ComparedShare(), 0.6);
        std::vector<Symmetry> found;
        // The worst fit of the symmetries that hold, the best of those that
        // do not.
        double heldMean = 0, heldP99 = 0;
        std::optional<double> refusedMean, refusedP99;
        // The linear parts of the hexagonal lattice besides the identity.
        for (int k = 0; k < 11; ++k) {
            const Linear l = k < 5 ? Linear{false, 60 * (k + 1)} : Linear{true, 30 * (k - 5)};
            const SampledTile::Fit fit = sampled.Find(l);
            if (fit.symmetry) {
                found.push_back(*fit.symmetry);
                heldMean = std::max(heldMean, fit.mean);
                heldP99 = std::max(heldP99, fit.p99);
            } else {
                refusedMean = std::min(refusedMean.value_or(fit.mean), fit.mean);
                refusedP99 = std::min(refusedP99.value_or(fit.p99), fit.p99);
            }
        }
        const Signature signature = Describe(found, {double(w), 0}, {w / 2.0, h / 2.0 * yScale}, 0.75);
        char refused[64] = "none";
        if (refusedMean) {
            std::snprintf(refused, sizeof refused, "mean >= %.2f, p99 >= %.2f", *refusedMean, *refusedP99);
        }
        std::printf("%-5s %4d x %-4d sampled: %s; holding: mean <= %.2f, p99 <= %.2f; not holding: %s\n",
                    expected.name, w, h, Text(signature).c_str(), heldMean, heldP99, refused);
        EXPECT_EQ(signature, expected.signature);
    }
}

}  // namespace
}  // namespace qm
