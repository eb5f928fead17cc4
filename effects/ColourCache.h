// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qm {

// Remembers what a recolouring made of the pixel colours it has met, so
// that tiles, whose pixels repeat the ten thousand or so colours of their
// piece all over, and whose pieces share many colours of the source, are
// converted once per colour rather than once per pixel. An open-addressed
// table of 2^17 slots (1 MiB for a Result of 4 bytes or less) that starts
// afresh when it is half full, so it never grows.
template <class Result>
class ColourCache {
public:
    // The result for the pixel at bgr, from compute(bgr) the first time.
    // The reference holds until the next call.
    template <class Compute>
    const Result& Get(const std::uint8_t* bgr, Compute&& compute)
    {
        const std::uint32_t key = bgr[0] | std::uint32_t{bgr[1]} << 8 | std::uint32_t{bgr[2]} << 16;
        std::size_t i = Home(key);
        while (slots_[i].Key != key) {
            if (slots_[i].Key == kEmpty) {
                if (stored_ == kSlots / 2) {
                    std::fill(slots_.begin(), slots_.end(), Slot{});
                    stored_ = 0;
                    i = Home(key);
                }
                slots_[i] = Slot{key, compute(bgr)};
                ++stored_;
                break;
            }
            i = (i + 1) % kSlots;
        }
        return slots_[i].Value;
    }

private:
    static constexpr int kBits = 17;
    static constexpr std::size_t kSlots = std::size_t{1} << kBits;
    // No colour has the top byte set.
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
    struct Slot {
        std::uint32_t Key = kEmpty;
        Result Value{};
    };

    static std::size_t Home(std::uint32_t key) { return (key * 2654435761u) >> (32 - kBits); }

    std::vector<Slot> slots_ = std::vector<Slot>(kSlots);
    std::size_t stored_ = 0;
};

}  // namespace qm
