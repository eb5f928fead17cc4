// SPDX-License-Identifier: MIT
#include "core/ErrorText.h"

#include <string.h>

namespace qm {

std::string SystemErrorText(int error)
{
    // The GNU strerror_r: it answers either its own constant text or the
    // text it wrote into the buffer.
    char buffer[256];
    return ::strerror_r(error, buffer, sizeof buffer);
}

}  // namespace qm
