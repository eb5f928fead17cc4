// SPDX-License-Identifier: MIT
#include "imageio/OutputNames.h"

#include <filesystem>
#include <map>
#include <set>
#include <system_error>

#include "core/Format.h"

namespace qm {
namespace {

// A control character: C0, DEL, or C1 as UTF-8 writes it (C2 80 to C2 9F).
bool HoldsControlCharacter(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F ||
            (byte == 0xC2 && i + 1 < text.size() &&
             static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
             static_cast<unsigned char>(text[i + 1]) <= 0x9F)) {
            return true;
        }
    }
    return false;
}

bool HoldsParentPart(std::string_view text)
{
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = text.find('/', start);
        if (text.substr(start, slash == std::string_view::npos ? slash : slash - start) == "..") {
            return true;
        }
        if (slash == std::string_view::npos) {
            return false;
        }
        start = slash + 1;
    }
}

// The folder of a batch picture before the names are made distinct.
std::string BatchFolderBase(const std::string& name, const std::map<std::string, int>& stems)
{
    const std::size_t dot = name.rfind('.');
    const std::string stem = name.substr(0, dot);
    std::string folder = stem;
    if (stem.find_first_not_of('.') == std::string::npos) {
        folder.insert(0, 1, '_');
    }
    if (stems.at(stem) > 1 && dot != std::string::npos) {
        folder.append("-").append(name, dot + 1);
    }
    return folder;
}

}  // namespace

std::string OutputPath(const std::string& outDirectory, const std::string& name)
{
    return !name.empty() && name.front() == '/' ? name : outDirectory + name;
}

std::string NumberedName(const std::string& prefix, std::int32_t number,
                         const std::string& extension)
{
    return prefix + Format("%.3d", {number}) + "." + extension;
}

std::string VariantName(const std::string& prefix, std::int32_t number, const std::string& mark,
                        const std::string& extension)
{
    return prefix + Format("%.3d", {number}) + "-" + mark + "." + extension;
}

std::string RecordName(const std::string& prefix)
{
    return prefix + "record.json";
}

std::string RecordPictureName(const std::string& prefix)
{
    return prefix + "record.png";
}

std::string SheetName(const std::string& prefix)
{
    return prefix + "sheet.png";
}

bool IsAllowedPrefix(std::string_view prefix)
{
    return (prefix.empty() || prefix.front() != '/') && !HoldsControlCharacter(prefix) &&
           !HoldsParentPart(prefix);
}

std::optional<std::string> FirstRepeatedPath(const std::vector<std::string>& paths)
{
    std::set<std::string> seen;
    for (const std::string& path : paths) {
        std::error_code error;
        std::filesystem::path absolute = std::filesystem::absolute(path, error);
        if (error) {
            absolute = path;
        }
        if (!seen.insert(absolute.lexically_normal().string()).second) {
            return path;
        }
    }
    return std::nullopt;
}

std::vector<std::string> BatchFolderNames(const std::vector<std::string>& names)
{
    std::map<std::string, int> stems;
    for (const std::string& name : names) {
        ++stems[name.substr(0, name.rfind('.'))];
    }
    std::vector<std::string> folders;
    for (const std::string& name : names) {
        folders.push_back(BatchFolderBase(name, stems));
    }
    // The first picture of a name keeps it; a later one takes the first
    // numbered name that is neither taken nor some picture's own name.
    const std::set<std::string> bases(folders.begin(), folders.end());
    std::set<std::string> taken;
    std::vector<std::size_t> later;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        if (!taken.insert(folders[i]).second) {
            later.push_back(i);
        }
    }
    for (const std::size_t i : later) {
        for (int k = 2;; ++k) {
            const std::string numbered = folders[i] + "-" + std::to_string(k);
            if (!bases.contains(numbered) && taken.insert(numbered).second) {
                folders[i] = numbered;
                break;
            }
        }
    }
    return folders;
}

}  // namespace qm
