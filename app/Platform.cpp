// SPDX-License-Identifier: MIT
#include "app/Platform.h"

#include <iostream>

namespace qm {

void Platform::Note(const std::string& text)
{
    std::cout << text << '\n' << std::flush;
}

void Platform::Warn(const std::string& text)
{
    std::cerr << text << '\n' << std::flush;
}

}  // namespace qm
