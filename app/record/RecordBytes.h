// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include <nlohmann/json_fwd.hpp>

namespace qm {

// JSON holds only UTF-8, but a file name on Linux is any bytes. In a run
// record a text that is not UTF-8 is written as its closest UTF-8 (each
// stray byte becomes U+FFFD), and its bytes in hexadecimal go beside it
// under its key and "_bytes": {"path": "a\ufffd.png", "path_bytes":
// "61ff2e706e67"}. Records of UTF-8 names hold no such field.

// The record's text with every member of an object that is not UTF-8 kept
// so; never throws for a text's bytes.
std::string DumpKeepingBytes(const nlohmann::json& record);

// Gives every member that has a "_bytes" member beside it those bytes back.
// Throws ErrorMessage (作成記録の … が不正です) naming a "_bytes" member that
// is no text of hexadecimal digits.
void RestoreBytes(nlohmann::json& record);

}  // namespace qm
