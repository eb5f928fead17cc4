// SPDX-License-Identifier: MIT
#include "app/record/RecordBytes.h"

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

#include "app/record/RecordFields.h"
#include "core/Translate.h"
#include "imageio/HexColour.h"

namespace qm {
namespace {

using nlohmann::json;

constexpr std::string_view kBytesKey = "_bytes";
constexpr char kHexDigits[] = "0123456789abcdef";

std::string Hex(const std::string& bytes)
{
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex += kHexDigits[byte >> 4];
        hex += kHexDigits[byte & 15];
    }
    return hex;
}

// The text with every byte that is not part of UTF-8 turned into U+FFFD, by
// the JSON library's own reading of UTF-8.
std::string ClosestUtf8(const std::string& text)
{
    return json::parse(json(text).dump(-1, ' ', false, json::error_handler_t::replace))
        .get<std::string>();
}

void KeepBytes(json& value)
{
    if (value.is_array()) {
        for (json& element : value) {
            KeepBytes(element);
        }
        return;
    }
    if (!value.is_object()) {
        return;
    }
    json kept = json::object();
    for (auto& [key, member] : value.items()) {
        if (member.is_string()) {
            const std::string& text = member.get_ref<const std::string&>();
            std::string closest = ClosestUtf8(text);
            if (closest != text) {
                kept[key + std::string(kBytesKey)] = Hex(text);
                member = std::move(closest);
            }
        } else {
            KeepBytes(member);
        }
    }
    value.update(kept);
}

void Restore(json& value, const std::string& where)
{
    if (value.is_array()) {
        for (std::size_t i = 0; i < value.size(); ++i) {
            Restore(value[i], where + "[" + std::to_string(i) + "]");
        }
        return;
    }
    if (!value.is_object()) {
        return;
    }
    json restored = json::object();
    for (auto& [key, member] : value.items()) {
        const std::string field = where.empty() ? key : where + "." + key;
        if (!key.ends_with(kBytesKey) || key.size() == kBytesKey.size()) {
            Restore(member, field);
            continue;
        }
        const std::string* hex = member.get_ptr<const std::string*>();
        std::string bytes;
        for (std::size_t i = 0; hex != nullptr && i + 1 < hex->size(); i += 2) {
            const int high = HexDigit((*hex)[i]);
            const int low = HexDigit((*hex)[i + 1]);
            if (high < 0 || low < 0) {
                hex = nullptr;
                break;
            }
            bytes += static_cast<char>(high * 16 + low);
        }
        if (hex == nullptr || hex->size() % 2 != 0) {
            RefuseRecordField(field, T("16 進数の文字列"));
        }
        restored[key.substr(0, key.size() - kBytesKey.size())] = std::move(bytes);
    }
    value.update(restored);
}

}  // namespace

std::string DumpKeepingBytes(const json& record)
{
    try {
        return record.dump(2);
    } catch (const json::type_error&) {
        // A text that is not UTF-8, which only a file name can bring.
        json kept = record;
        KeepBytes(kept);
        return kept.dump(2, ' ', false, json::error_handler_t::replace);
    }
}

void RestoreBytes(json& record)
{
    Restore(record, "");
}

}  // namespace qm
