// SPDX-License-Identifier: MIT
#include "core/Translate.h"

#include <libintl.h>

#include "core/Language.h"

namespace qm {

const char* T(const char* japanese)
{
    // The empty id names the catalogue's header, never a text of ours.
    return *japanese == '\0' ? japanese : dgettext(kTextDomain, japanese);
}

std::string T(const std::string& japanese)
{
    return T(japanese.c_str());
}

}  // namespace qm
