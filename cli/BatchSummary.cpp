// SPDX-License-Identifier: MIT
#include "cli/BatchSummary.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace qm {

std::string BatchSummaryJson(const std::vector<PictureOutcome>& pictures,
                             const std::optional<BatchShare>& share)
{
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    long long made = 0;
    long long skipped = 0;
    long long tiles = 0;
    for (const PictureOutcome& picture : pictures) {
        list.push_back({{"path", picture.Path},
                        {"folder", picture.Folder},
                        {"tiles", picture.Tiles},
                        {"skipped", picture.Skipped},
                        {"seconds", std::round(picture.Seconds * 1000.0) / 1000.0},
                        {"error", picture.Error ? nlohmann::ordered_json(*picture.Error) : nullptr}});
        made += !picture.Error && !picture.Skipped ? 1 : 0;
        skipped += picture.Skipped ? 1 : 0;
        tiles += picture.Tiles;
    }
    const auto count = static_cast<long long>(pictures.size());
    nlohmann::ordered_json summary = {
        {"pictures", list},
        {"totals",
         {{"pictures", count}, {"made", made}, {"skipped", skipped}, {"failed", count - made - skipped},
          {"tiles", tiles}}},
        {"shard", share ? nlohmann::ordered_json{{"index", share->Index}, {"count", share->Count}}
                        : nlohmann::ordered_json(nullptr)}};
    return summary.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

std::string SummaryFileName(std::string pattern, const std::optional<BatchShare>& share)
{
    const std::string mark = "{shard}";
    const std::string index = std::to_string(share ? share->Index : 1);
    for (std::size_t at = pattern.find(mark); at != std::string::npos;
         at = pattern.find(mark, at + index.size())) {
        pattern.replace(at, mark.size(), index);
    }
    return pattern;
}

}  // namespace qm
