// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <variant>

namespace qm {

// Shard Index of Count (Index from 1) of a batch's pictures.
struct BatchShare {
    int Index = 1;
    int Count = 1;
};

// "K/N" with K from 1 to N, both whole numbers without signs.
std::optional<BatchShare> ParseShare(const std::string& text);

// The share a cluster's job runner gives this process (--shard auto): with
// shardCount (--shard-count, a Kubernetes Indexed Job) shard
// JOB_COMPLETION_INDEX + 1 of shardCount; otherwise the task's place in a
// Slurm job array, (SLURM_ARRAY_TASK_ID - SLURM_ARRAY_TASK_MIN) /
// SLURM_ARRAY_TASK_STEP + 1 of SLURM_ARRAY_TASK_COUNT, refused when the
// array is not an even range (its SLURM_ARRAY_TASK_MAX, when set, must be
// MIN + (COUNT - 1) x STEP, and the task must lie on a step). A refusal is
// the text to show.
std::variant<BatchShare, std::string> ShareFromEnvironment(std::optional<int> shardCount);

// The pictures of a share of count pictures, as [First, Last) in name
// order: contiguous blocks, the shards' sizes differing by at most one.
struct ShareRange {
    std::size_t First = 0;
    std::size_t Last = 0;
};
ShareRange RangeOfShare(std::size_t count, const BatchShare& share);

}  // namespace qm
