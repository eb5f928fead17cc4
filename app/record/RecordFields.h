// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>

#include <nlohmann/json_fwd.hpp>

namespace qm {

// The largest record file a replay reads, the deepest nesting of objects
// and arrays and the most values it parses. A run of 100 tiles records
// some 850 values in 18 KB; 100,000 values take at most 12 MB.
inline constexpr std::size_t kMaxRecordBytes = std::size_t{16} << 20;
inline constexpr int kMaxRecordDepth = 64;
inline constexpr long kMaxRecordValues = 100'000;

// Throws ErrorMessage 作成記録の <field> が不正です (<allowed>). The field is
// named by its JSON path (tiles[3].x0), a setting of the run by its path
// within "inputs" (output.quality), as the command line knows them.
[[noreturn]] void RefuseRecordField(const std::string& path, const std::string& allowed);

// Refuses a parsed record (a JSON object, its texts' bytes restored) of a version newer
// than the program's, with the message that says so, or holding any value
// that a run would refuse or could not have written, naming the first such
// field and what it takes. Every field has one row in the table of
// RecordFields.cpp, in an order where the fields a rule depends on come
// first.
void CheckRecordFields(const nlohmann::json& record);

}  // namespace qm
