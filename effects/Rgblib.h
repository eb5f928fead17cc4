// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace qm {

// One colour, each component held clamped to 0..255, with its conversion
// to and from luma and colour differences.
class TRgb {
public:
    void SetR(std::int32_t v);
    void SetG(std::int32_t v);
    void SetB(std::int32_t v);
    std::int32_t R() const { return r_; }
    std::int32_t G() const { return g_; }
    std::int32_t B() const { return b_; }

    double Luma() const;
    double ChromaBlue() const;
    double ChromaRed() const;
    void ToYCbCr(double& y, double& cr, double& cb) const;
    void FromYCbCr(double y, double cr, double cb);

private:
    std::int32_t r_ = 0;
    std::int32_t g_ = 0;
    std::int32_t b_ = 0;
};

}  // namespace qm
