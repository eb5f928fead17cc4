// SPDX-License-Identifier: MIT
#include "core/Language.h"

#include <libintl.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

namespace qm {
namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

// The locale name gettext uses for messages, from the environment alone, so
// that a locale the system lacks still counts as chosen.
std::string MessagesLocale()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        std::string value = Environment(name);
        if (!value.empty()) {
            return value;
        }
    }
    return "C";
}

bool IsPlainLocale(std::string_view locale)
{
    return locale == "C" || locale == "POSIX" || locale.starts_with("C.");
}

std::vector<std::string> SplitList(const std::string& list)
{
    std::vector<std::string> entries;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        if (end > start) {
            entries.push_back(list.substr(start, end - start));
        }
        start = end + 1;
    }
    return entries;
}

// The names gettext tries for one entry of the list: as given, without the
// codeset and modifier, and the language alone.
std::vector<std::string> NameVariants(const std::string& entry)
{
    const std::string territory = entry.substr(0, entry.find_first_of(".@"));
    const std::string language = territory.substr(0, territory.find('_'));
    return {entry, territory, language};
}

bool HasCatalogue(const std::string& folder, const std::string& entry)
{
    for (const std::string& name : NameVariants(entry)) {
        std::error_code error;
        if (std::filesystem::is_regular_file(
                folder + "/" + name + "/LC_MESSAGES/" + kTextDomain + ".mo", error)) {
            return true;
        }
    }
    return false;
}

bool IsJapanese(const std::string& entry)
{
    return NameVariants(entry).back() == "ja";
}

}  // namespace

void ChooseLanguage(const std::string& executableFolder)
{
    const std::string folder =
        std::filesystem::path(executableFolder + kCatalogueFolder).lexically_normal().string();
    bindtextdomain(kTextDomain, folder.c_str());
    bind_textdomain_codeset(kTextDomain, "UTF-8");

    const std::string locale = MessagesLocale();
    if (IsPlainLocale(locale)) {
        return;  // gettext shows the ids, whatever LANGUAGE says.
    }
    const std::string language = Environment("LANGUAGE");
    std::vector<std::string> entries = SplitList(language);
    if (entries.empty()) {
        entries.push_back(locale);
    }
    std::string chosen;
    for (const std::string& entry : entries) {
        chosen += (chosen.empty() ? "" : ":") + entry;
        if (IsJapanese(entry)) {
            // The ids themselves: nothing later in the list may override them.
            if (chosen != language && !language.empty()) {
                setenv("LANGUAGE", chosen.c_str(), 1);
            }
            return;
        }
        if (HasCatalogue(folder, entry)) {
            chosen = language.empty() ? locale : language;  // gettext stops there by itself.
            break;
        }
        if (&entry == &entries.back()) {
            chosen += ":en";
        }
    }
    // gettext reads LANGUAGE only when the messages locale is not plain C; a
    // locale the system lacks leaves it at C, so C.UTF-8 stands in for it.
    const char* set = std::setlocale(LC_MESSAGES, "");
    if (set == nullptr || IsPlainLocale(set)) {
        std::setlocale(LC_MESSAGES, "C.UTF-8");
    }
    if (chosen != language) {
        setenv("LANGUAGE", chosen.c_str(), 1);
    }
}

std::string ShownLanguage()
{
    // The catalogue's header (the empty id) names its language.
    const std::string header = dgettext(kTextDomain, "");
    const std::string key = "Language: ";
    const std::size_t at = header.find(key);
    if (at == std::string::npos) {
        return "ja";
    }
    const std::size_t start = at + key.size();
    return header.substr(start, header.find('\n', start) - start);
}

}  // namespace qm
