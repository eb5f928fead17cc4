// SPDX-License-Identifier: MIT
#include "engine/UMakeUnit.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "core/Errors.h"
#include "core/Random.h"
#include "engine/ErrorCodes.h"

namespace qm {
namespace {

// Columns handled together by the pixel loops of CopyRows and rendering.
constexpr int kBlock = 16;

// Thrown by Fail() and by an index outside the arrays; caught by Prepare
// and Make, which turn it into false.
struct MakerAbort {};

}  // namespace

TMakeUnit::TMakeUnit()
{
    SizeArrays(kPixelSide);
}

void TMakeUnit::SizeArrays(int side)
{
    side_ = side;
    const auto cells = static_cast<std::size_t>(side);
    pixels_.assign(4 * cells * cells, 0);
    indexMap_.assign((cells + 1) * (cells + 1), 0);
    resultMap_.assign(3 * cells * cells, 0);
}

bool TMakeUnit::Prepare(TPoint size, bool shuffle)
{
    try {
        shuffle_ = shuffle ? 1 : 0;
        x_ = size.X;
        y_ = size.Y;
        CheckSizeRules(x_, y_);
        const int longer = std::max(x_, y_);
        if (longer > side_) {
            SizeArrays(longer);
        }
        BuildMap();
        return true;
    } catch (...) {
        return false;
    }
}

bool TMakeUnit::Make(const Image& piece)
{
    try {
        LoadPiece(piece);
        BuildResult();
        return true;
    } catch (...) {
        return false;
    }
}

bool TMakeUnit::CheckCut(TPoint size)
{
    try {
        CheckSizeRules(size.X, size.Y);
        return true;
    } catch (...) {
        return false;
    }
}

std::optional<TPoint> TMakeUnit::TileSizeFor(TPoint /*size*/) const
{
    return std::nullopt;
}

void TMakeUnit::CheckSizeRules(std::int32_t x, std::int32_t y)
{
    if (!FreeWidth && x % 2 != 0) {
        Fail(kErrOddSize);
    }
    const int limit = FineCuts ? kFineCutSide : LargeCuts ? kLargeCutSide : kPixelSide;
    if (x > limit || y > limit) {
        Fail(kErrCutTooLarge);
    }
    const bool tooSmall = FreeWidth ? (x < kMinCutSide && y < kMinCutSide)
                                    : (x < kMinCutSide || y < kMinCutSide);
    if (tooSmall) {
        Fail(kErrCutTooSmall);
    }
}

void TMakeUnit::LoadPiece(const Image& piece)
{
    // The free-width size rules let a cut of width or height below 1 through
    // Prepare; such a cut holds no pixel to make a tile of.
    if (x_ < 1 || y_ < 1) {
        Fail(kErrCutTooSmall);
    }
    if (piece.Width() != x_ || piece.Height() != y_) {
        Fail(kErrPieceSize);
    }
    workImage_.SetWidth(x_);
    workImage_.SetHeight(y_);
    workImage_.Draw(piece, 0, 0);
    CopyRows();
}

void TMakeUnit::CopyRows()
{
    if (x_ > side_ || y_ > side_) {
        OutOfBounds();
    }
    // Column blocks keep both the image rows and the array columns in cache;
    // every cell is written exactly as a row-by-row walk would write it.
    for (int x0 = 0; x0 < x_; x0 += kBlock) {
        const int x1 = std::min(x0 + kBlock, static_cast<int>(x_));
        for (int y = 0; y < y_; ++y) {
            const std::uint8_t* row = workImage_.Row(y_ - 1 - y);
            for (int x = x0; x < x1; ++x) {
                std::int32_t* cell = &pixels_[4 * static_cast<std::size_t>(Code(x, y))];
                for (int k = 0; k < 3; ++k) {
                    cell[k] = row[3 * x + k];
                }
            }
        }
    }
}

void TMakeUnit::Shuffle()
{
    rng::Reseed();
    if (x_ < 1 || y_ < 1) {
        return;  // no cell to swap; column 0 would lie outside the block
    }
    const std::int64_t swaps = static_cast<std::int64_t>(x_) * y_ + 1;
    for (std::int64_t n = 0; n < swaps; ++n) {
        const int x1 = static_cast<int>(rng::Random(static_cast<std::uint32_t>(x_)));
        const int x2 = static_cast<int>(rng::Random(static_cast<std::uint32_t>(x_)));
        const int y1 = static_cast<int>(rng::Random(static_cast<std::uint32_t>(y_)));
        const int y2 = static_cast<int>(rng::Random(static_cast<std::uint32_t>(y_)));
        std::swap(IndexMap(x1, y1), IndexMap(x2, y2));
    }
}

void TMakeUnit::BuildIdentityIndexMap(int width, int height)
{
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            IndexMap(x, y) = Code(x, y);
        }
    }
    if (ShuffleFlag()) {
        Shuffle();
    }
}

void TMakeUnit::CopyIndexMapToResult(int width, int height)
{
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            ResultMap(x, y) = IndexMap(x, y);
        }
    }
}

void TMakeUnit::Fail(std::int32_t code, const std::string& text)
{
    errorCode_ = code;
    if (!text.empty()) {
        errorText_ = text;
    }
    throw MakerAbort{};
}

void TMakeUnit::OutOfBounds()
{
    throw MakerAbort{};
}

std::int32_t TMakeUnit::IndexMapAt(int column, int row) const
{
    if (column < 0 || column > side_ || row < 0 || row > side_) {
        throw ErrorMessage("index map cell out of range");
    }
    return indexMap_[IndexCell(column, row)];
}

std::int32_t TMakeUnit::ResultMapAt(int column, int row) const
{
    if (column < 0 || column >= 3 * side_ || row < 0 || row >= side_) {
        throw ErrorMessage("result map cell out of range");
    }
    return resultMap_[ResultCell(column, row)];
}

void TMakeUnit::RenderResultMap(int width, int height)
{
    if (width < 0 || width > 3 * side_ || height < 0 || height > side_) {
        throw MakerAbort{};
    }
    // The strip is drawn straight into the result image, clipped to it as a
    // drawn image would be: a tile of a fine cut would need hundreds of
    // megabytes for a strip of its own.
    const int shownColumns = std::min(width, resultImage_.Width());
    const auto cellOf = [this](std::int32_t code) {
        if (code < 0 || code >= side_ * side_) {
            throw MakerAbort{};
        }
        const std::int32_t* cell = &pixels_[4 * static_cast<std::size_t>(code)];
        // A component outside 0..255 has bits above the lowest eight.
        if (((cell[0] | cell[1] | cell[2]) & ~0xFF) != 0) {
            throw MakerAbort{};
        }
        return cell;
    };
    // Column blocks, as in CopyRows: the map is stored column by column.
    for (int c0 = 0; c0 < width; c0 += kBlock) {
        const int c1 = std::min(c0 + kBlock, width);
        for (int r = 0; r < height; ++r) {
            const int y = height - 1 - r;
            const bool shown = y < resultImage_.Height();
            const int written = shown ? std::clamp(shownColumns, c0, c1) : c0;
            std::uint8_t* row = shown ? resultImage_.Row(y) : nullptr;
            int c = c0;
            for (; c < written; ++c) {
                const std::int32_t* cell = cellOf(resultMap_[ResultCell(c, r)]);
                row[3 * c] = static_cast<std::uint8_t>(cell[0]);
                row[3 * c + 1] = static_cast<std::uint8_t>(cell[1]);
                row[3 * c + 2] = static_cast<std::uint8_t>(cell[2]);
            }
            for (; c < c1; ++c) {
                cellOf(resultMap_[ResultCell(c, r)]);
            }
        }
    }
}

void TMakeUnit::MirrorColumns(int count, int rows)
{
    const int width = resultImage_.Width();
    const int last = std::min(count, width - 1);
    // Every copy is one pixel wide, so each row depends on itself alone:
    // walking the copies in increasing order within each row gives exactly
    // what copying whole columns one after another gives.
    for (int y = 0; y < std::min(rows, resultImage_.Height()); ++y) {
        std::uint8_t* row = resultImage_.Row(y);
        for (int i = 1; i <= last; ++i) {
            std::uint8_t* target = row + 3 * static_cast<std::size_t>(width - i);
            const std::uint8_t* source = row + 3 * static_cast<std::size_t>(i);
            target[0] = source[0];
            target[1] = source[1];
            target[2] = source[2];
        }
    }
}

void TMakeUnit::MirrorRows(int count)
{
    const int width = resultImage_.Width();
    const int height = resultImage_.Height();
    for (int i = 1; i <= count; ++i) {
        resultImage_.CopyRect(0, height - i, resultImage_, Rect{0, i, width, 1});
    }
}

}  // namespace qm
