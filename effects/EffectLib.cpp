// SPDX-License-Identifier: MIT
#include "effects/EffectLib.h"

#include "core/Errors.h"

namespace qm {

void TImageEffect::SetSource(const Image& image)
{
    Image source = image;
    Image result = image;
    source_ = std::move(source);
    result_ = std::move(result);
}

void TImageEffect::ChangeBrightness(double amount)
{
    // Written so that a NaN amount is refused as well.
    if (!(amount >= -1 && amount <= 1)) {
        throw SilentStop();
    }
    if (amount == 0) {
        result_ = source_;
        return;
    }
    const double m = amount < 0 ? -amount : amount;
    for (int row = 0; row < source_.Height(); ++row) {
        const std::uint8_t* in = source_.Row(row);
        std::uint8_t* out = result_.Row(row);
        for (int x = 0; x < source_.Width(); ++x, in += 3, out += 3) {
            colour_.SetB(in[0]);
            colour_.SetG(in[1]);
            colour_.SetR(in[2]);
            double y = 0;
            double cr = 0;
            double cb = 0;
            colour_.ToYCbCr(y, cr, cb);
            if (amount > 0) {
                y = y + m * (1 - y);
            } else {
                y = (1 - m) * y;
            }
            colour_.FromYCbCr(y, cr, cb);
            out[0] = static_cast<std::uint8_t>(colour_.B());
            out[1] = static_cast<std::uint8_t>(colour_.G());
            out[2] = static_cast<std::uint8_t>(colour_.R());
        }
    }
}

}  // namespace qm
