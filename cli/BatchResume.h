// SPDX-License-Identifier: MIT
#pragma once

#include "app/run/RunFiles.h"

namespace qm {

// Whether a run that writes files was made already: every one of them is in
// place (files are put in place whole, by renaming, so one in place is
// complete), and its record, when it keeps one, says the run was made with
// every tile in place.
bool RunAlreadyMade(const RunFiles& files);

}  // namespace qm
