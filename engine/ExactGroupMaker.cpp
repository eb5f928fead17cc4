// SPDX-License-Identifier: MIT
#include "engine/ExactGroupMaker.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace qm {
namespace {

constexpr std::ptrdiff_t kPixelBytes = 3;

}  // namespace

TPoint TExactGroupMaker::PlanTile(int width, int height)
{
    const TPoint size = TileSize(width, height);
    runs_.clear();
    rows_.assign(static_cast<std::size_t>(size.Y), RowPlan{});
    // Rows keyed by a hash of their runs; a hit is compared run by run.
    std::unordered_map<std::size_t, int> seen;
    std::vector<Run> row;
    for (int j = 0; j < size.Y; ++j) {
        row.clear();
        std::size_t hash = 0;
        for (int i = 0; i < size.X; ++i) {
            const TPoint p = MotifPixel(i, j, width, height);
            if (p.X < 0 || p.X >= width || p.Y < 0 || p.Y >= height) {
                OutOfBounds();
            }
            const auto source = static_cast<std::uint32_t>(
                static_cast<std::size_t>(p.Y) * MotifRowBytes() + 3 * static_cast<std::size_t>(p.X));
            if (!row.empty()) {
                Run& last = row.back();
                const std::ptrdiff_t step =
                    static_cast<std::ptrdiff_t>(source) -
                    static_cast<std::ptrdiff_t>(last.source + (last.count - 1) * last.step);
                if (last.count == 1 || step == last.step) {
                    last.step = step;
                    ++last.count;
                    continue;
                }
            }
            row.push_back(Run{i, 1, source, kPixelBytes});
        }
        for (Run& run : row) {
            if (run.count == 1) {
                run.step = kPixelBytes;  // one pixel: any step copies it alike
            }
            hash = hash * 1000003u ^ (run.source * 31u + static_cast<std::size_t>(run.count) * 7u +
                                      static_cast<std::size_t>(run.step));
        }
        RowPlan& plan = rows_[static_cast<std::size_t>(j)];
        const auto [found, inserted] = seen.try_emplace(hash, j);
        if (!inserted) {
            const RowPlan& earlier = rows_[static_cast<std::size_t>(found->second)];
            const auto first = runs_.begin() + static_cast<std::ptrdiff_t>(earlier.first);
            const auto last = runs_.begin() + static_cast<std::ptrdiff_t>(earlier.last);
            if (std::equal(row.begin(), row.end(), first, last)) {
                plan = RowPlan{found->second, 0, 0};
                continue;
            }
        }
        plan = RowPlan{-1, runs_.size(), runs_.size() + row.size()};
        runs_.insert(runs_.end(), row.begin(), row.end());
    }
    return size;
}

void TExactGroupMaker::Render(const std::uint8_t* motif, Image& tile) const
{
    for (int j = 0; j < tile.Height(); ++j) {
        const RowPlan& plan = rows_[static_cast<std::size_t>(j)];
        std::uint8_t* out = tile.Row(j);
        if (plan.copyOf >= 0) {
            std::memcpy(out, tile.Row(plan.copyOf), tile.RowBytes());
            continue;
        }
        for (std::size_t r = plan.first; r < plan.last; ++r) {
            const Run& run = runs_[r];
            std::uint8_t* target = out + kPixelBytes * run.x;
            const std::uint8_t* source = motif + run.source;
            if (run.step == kPixelBytes) {
                std::memcpy(target, source, static_cast<std::size_t>(kPixelBytes * run.count));
                continue;
            }
            for (int n = 0; n < run.count; ++n) {
                target[0] = source[0];
                target[1] = source[1];
                target[2] = source[2];
                target += kPixelBytes;
                source += run.step;
            }
        }
    }
}

}  // namespace qm
