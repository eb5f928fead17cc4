// SPDX-License-Identifier: MIT
#include "cli/BatchResume.h"

#include <filesystem>
#include <system_error>

#include "app/record/RunRecord.h"
#include "core/Errors.h"

namespace qm {
namespace {

bool InPlace(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool RecordSaysMade(const std::string& path)
{
    try {
        const RunRecordData record = ParseRecord(ReadRecordFile(path), path);
        return record.End.Result == "made" && record.End.InPlace == static_cast<std::size_t>(record.Count);
    } catch (const ErrorMessage&) {
        return false;
    }
}

}  // namespace

bool RunAlreadyMade(const RunFiles& files)
{
    for (const std::string& path : files.All()) {
        if (!path.empty() && !InPlace(path)) {
            return false;
        }
    }
    return files.Record.empty() || RecordSaysMade(files.Record);
}

}  // namespace qm
