// SPDX-License-Identifier: MIT
#include "app/pages/ContactSheet.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace qm {
namespace {

constexpr std::uint8_t kBackground = 240;
constexpr std::uint8_t kInk = 40;

// Digits 0 to 9, 5 x 7 pixels, one row a byte, the highest of five bits on
// the left.
constexpr std::array<std::array<std::uint8_t, 7>, 10> kDigits = {{
    {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E},
    {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F},
    {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02},
    {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E},
    {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},
    {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E},
    {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C},
}};
constexpr int kDigitWidth = 5;
constexpr int kDigitHeight = 7;
// Each font pixel is drawn as a square of this many pixels.
constexpr int kDigitScale = 2;
constexpr int kDigitAdvance = (kDigitWidth + 1) * kDigitScale;

struct Weight {
    int Source = 0;
    double Share = 0;
};

// For each of targetLength target pixels along one axis, the pixels of a
// source axis of sourceLength that it covers and the share of each, their
// shares adding up to 1.
std::vector<std::vector<Weight>> AxisWeights(int sourceLength, int targetLength)
{
    const double step = static_cast<double>(sourceLength) / targetLength;
    std::vector<std::vector<Weight>> weights(static_cast<std::size_t>(targetLength));
    for (int t = 0; t < targetLength; ++t) {
        const double begin = t * step;
        const double end = (t + 1) * step;
        for (int s = static_cast<int>(begin); s < sourceLength && s < end; ++s) {
            const double covered = std::min<double>(end, s + 1) - std::max<double>(begin, s);
            if (covered > 0) {
                weights[static_cast<std::size_t>(t)].push_back({s, covered / step});
            }
        }
    }
    return weights;
}

void FillRect(Image& image, int x0, int y0, int width, int height, std::uint8_t value)
{
    for (int y = y0; y < y0 + height; ++y) {
        std::fill_n(image.Pixel(x0, y), 3 * static_cast<std::size_t>(width), value);
    }
}

// Draws number centred on the point (centreX, top of the text).
void DrawNumber(Image& image, int centreX, int top, std::int32_t number)
{
    const std::string digits = std::to_string(number);
    int x = centreX - (static_cast<int>(digits.size()) * kDigitAdvance - kDigitScale) / 2;
    for (const char digit : digits) {
        const auto& glyph = kDigits[static_cast<std::size_t>(digit - '0')];
        for (int row = 0; row < kDigitHeight; ++row) {
            for (int column = 0; column < kDigitWidth; ++column) {
                if ((glyph[static_cast<std::size_t>(row)] >> (kDigitWidth - 1 - column)) & 1) {
                    FillRect(image, x + column * kDigitScale, top + row * kDigitScale, kDigitScale,
                             kDigitScale, kInk);
                }
            }
        }
        x += kDigitAdvance;
    }
}

}  // namespace

Image ScaleRepeatByArea(const Image& source, int width, int height)
{
    const int sourceWidth = source.Width();
    const int sourceHeight = source.Height();
    const auto across = AxisWeights(2 * sourceWidth, width);
    const auto down = AxisWeights(2 * sourceHeight, height);

    // Rows of the source scaled across first, then those rows down.
    std::vector<double> rows(static_cast<std::size_t>(sourceHeight) * width * 3);
    for (int y = 0; y < sourceHeight; ++y) {
        const std::uint8_t* in = source.Row(y);
        double* out = rows.data() + static_cast<std::size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x) {
            for (const Weight& w : across[static_cast<std::size_t>(x)]) {
                const std::uint8_t* pixel = in + 3 * static_cast<std::size_t>(w.Source % sourceWidth);
                for (int c = 0; c < 3; ++c) {
                    out[3 * x + c] += w.Share * pixel[c];
                }
            }
        }
    }
    Image result(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = result.Row(y);
        for (int i = 0; i < width * 3; ++i) {
            double sum = 0;
            for (const Weight& w : down[static_cast<std::size_t>(y)]) {
                sum += w.Share * rows[static_cast<std::size_t>(w.Source % sourceHeight) * width * 3 +
                                      static_cast<std::size_t>(i)];
            }
            out[i] = static_cast<std::uint8_t>(std::clamp(std::lround(sum), 0L, 255L));
        }
    }
    return result;
}

Image BuildContactSheet(std::int32_t count, const std::function<Image(std::int32_t)>& tileOf)
{
    const int columns = std::clamp(count, 1, kSheetColumns);
    const int rows = std::max(1, (count + kSheetColumns - 1) / kSheetColumns);
    const int cellHeight = kSheetCellSize + kSheetLabelHeight;
    Image sheet(kSheetGap + columns * (kSheetCellSize + kSheetGap),
                kSheetGap + rows * (cellHeight + kSheetGap));
    FillRect(sheet, 0, 0, sheet.Width(), sheet.Height(), kBackground);

    for (std::int32_t n = 1; n <= count; ++n) {
        const Image tile = tileOf(n);
        const int left = kSheetGap + (n - 1) % kSheetColumns * (kSheetCellSize + kSheetGap);
        const int top = kSheetGap + (n - 1) / kSheetColumns * (cellHeight + kSheetGap);
        const double scale = std::min(static_cast<double>(kSheetCellSize) / (2 * tile.Width()),
                                      static_cast<double>(kSheetCellSize) / (2 * tile.Height()));
        const int width = std::clamp(static_cast<int>(std::lround(2 * tile.Width() * scale)), 1,
                                     kSheetCellSize);
        const int height = std::clamp(static_cast<int>(std::lround(2 * tile.Height() * scale)), 1,
                                      kSheetCellSize);
        sheet.Draw(ScaleRepeatByArea(tile, width, height), left + (kSheetCellSize - width) / 2,
                   top + (kSheetCellSize - height) / 2);
        DrawNumber(sheet, left + kSheetCellSize / 2,
                   top + kSheetCellSize + (kSheetLabelHeight - kDigitHeight * kDigitScale) / 2, n);
    }
    return sheet;
}

}  // namespace qm
