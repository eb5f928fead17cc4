// SPDX-License-Identifier: MIT
#include "cli/BatchShare.h"

#include <cstdlib>

#include "app/TextToInt.h"
#include "core/Format.h"
#include "core/Translate.h"

namespace qm {
namespace {

std::optional<int> WholeNumber(const std::string& text)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return TextToInt(text);
}

// A variable of the job runner as a whole number; empty when it is unset,
// a refusal naming it when it is set to anything else.
struct Variable {
    bool Set = false;
    std::optional<int> Value;
};

Variable ReadVariable(const char* name)
{
    const char* text = std::getenv(name);
    if (text == nullptr) {
        return {};
    }
    return {true, WholeNumber(text)};
}

std::string Invalid(const char* name)
{
    return Format(T("--shard auto: %s が不正です"), {std::string(name)});
}

std::variant<BatchShare, std::string> KubernetesShare(int shardCount)
{
    const Variable index = ReadVariable("JOB_COMPLETION_INDEX");
    if (!index.Set) {
        return T("--shard auto: JOB_COMPLETION_INDEX がありません");
    }
    if (!index.Value || *index.Value >= shardCount) {
        return Invalid("JOB_COMPLETION_INDEX");
    }
    return BatchShare{*index.Value + 1, shardCount};
}

std::variant<BatchShare, std::string> SlurmShare()
{
    const Variable id = ReadVariable("SLURM_ARRAY_TASK_ID");
    if (!id.Set) {
        return T("--shard auto: SLURM_ARRAY_TASK_ID も JOB_COMPLETION_INDEX (と --shard-count) もありません");
    }
    const char* names[] = {"SLURM_ARRAY_TASK_ID", "SLURM_ARRAY_TASK_MIN", "SLURM_ARRAY_TASK_STEP",
                           "SLURM_ARRAY_TASK_COUNT"};
    int values[4] = {};
    for (int i = 0; i < 4; ++i) {
        const Variable variable = ReadVariable(names[i]);
        if (!variable.Value) {
            return Invalid(names[i]);
        }
        values[i] = *variable.Value;
    }
    const auto [task, min, step, count] = values;
    const Variable max = ReadVariable("SLURM_ARRAY_TASK_MAX");
    const long long last = min + static_cast<long long>(count - 1) * step;
    if (step < 1 || count < 1 || task < min || (task - min) % step != 0 ||
        (task - min) / step >= count || (max.Set && (!max.Value || *max.Value != last))) {
        return T("--shard auto: Slurm のジョブ配列が等間隔の範囲ではありません");
    }
    return BatchShare{(task - min) / step + 1, count};
}

}  // namespace

std::optional<BatchShare> ParseShare(const std::string& text)
{
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos) {
        return std::nullopt;
    }
    const std::optional<int> index = WholeNumber(text.substr(0, slash));
    const std::optional<int> count = WholeNumber(text.substr(slash + 1));
    if (!index || !count || *index < 1 || *index > *count) {
        return std::nullopt;
    }
    return BatchShare{*index, *count};
}

std::variant<BatchShare, std::string> ShareFromEnvironment(std::optional<int> shardCount)
{
    return shardCount ? KubernetesShare(*shardCount) : SlurmShare();
}

ShareRange RangeOfShare(std::size_t count, const BatchShare& share)
{
    const auto shards = static_cast<std::size_t>(share.Count);
    const auto index = static_cast<std::size_t>(share.Index - 1);
    return {index * count / shards, (index + 1) * count / shards};
}

}  // namespace qm
