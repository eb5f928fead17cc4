// SPDX-License-Identifier: MIT
#pragma once

#include <lcms2.h>

#include "imageio/colour/EmbeddedColour.h"

namespace qm::colour {

// True for the transfers of high dynamic range pictures (PQ, HLG).
bool IsHdrTransfer(const CicpColour& cicp);

// An RGB profile in context for the primaries and the transfer that the
// code points name. Unspecified, reserved and unknown primaries count as
// BT.709 (sRGB's), and every transfer but gamma 2.2, gamma 2.8 and linear
// light as sRGB's curve: the BT.709 family of video transfers as image
// viewers show it, and PQ and HLG without tone mapping. Null when lcms2
// fails.
cmsHPROFILE ProfileOfCicp(cmsContext context, const CicpColour& cicp);

}  // namespace qm::colour
