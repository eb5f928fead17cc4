// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Image.h"

namespace qm {

struct TPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;

    bool operator==(const TPoint&) const = default;
};

// Where a tile's mirror lines lie on its pixel grid, along each side, in
// half pixels from the tile's top left corner: 0 on the pixel edge there, 1
// through the centre of the first column or row. Tiles of any cut put a
// mirror line (or, without one, the lattice's origin) at this place.
struct TileAnchor {
    int HalfX = 0;
    int HalfY = 0;

    bool operator==(const TileAnchor&) const = default;
};

// The common pattern maker. Prepare builds the method's geometry once as
// tables of cell codes (side * column + row of the pixel array, rows counted
// upwards from the bottom of the piece; side is 256 up to cuts of 256, the
// cut's longer side beyond); Make loads a piece and renders the tile by
// table look-up and mirror copies.
//
// Every failed check stores an error code (and for plug-ins an error text)
// and abandons the operation; Prepare and Make return false then. No
// exception leaves either of them.
class TMakeUnit {
public:
    // The arrays up to cuts of 256: pixel array and index map square, the
    // result map three times as wide as high.
    static constexpr int kPixelSide = 256;
    static constexpr int kIndexSide = 257;
    static constexpr int kResultColumns = 768;
    static constexpr int kResultRows = 256;
    // The longest side of a cut with LargeCuts on.
    static constexpr int kLargeCutSide = 2048;
    // The least side of a cut (of its longer side with FreeWidth on).
    static constexpr int kMinCutSide = 32;
    // The longest side of a cut with FineCuts on: a smoothed tile is made
    // from a cut some times larger than the run's and then reduced.
    static constexpr int kFineCutSide = 4096;

    TMakeUnit();
    virtual ~TMakeUnit() = default;
    TMakeUnit(const TMakeUnit&) = delete;
    TMakeUnit& operator=(const TMakeUnit&) = delete;

    // The size rules Prepare checks; set before Prepare. Off: the width
    // must be even and both sides at least 32. On: any width, and one side
    // of at least 32 is enough. The method catalogue sets it per method.
    bool FreeWidth = false;
    // Cuts up to kLargeCutSide instead of kPixelSide; the arrays grow with a
    // cut beyond kPixelSide. Set before Prepare.
    bool LargeCuts = false;
    // Cuts up to kFineCutSide, whatever LargeCuts says; set before Prepare.
    // The run's own cut is checked against its limits by CheckCut.
    bool FineCuts = false;

    // Stores the shuffle flag and the cut size, checks the size rules and
    // builds the maps. False with the error code set on failure.
    bool Prepare(TPoint size, bool shuffle);
    // Loads the piece and renders its tile into the result image. False with
    // the error code set on failure: 3 for a piece of another size than the
    // cut, 2 for a cut without pixels (which the free-width size rules let
    // through Prepare). The result image keeps what it held then.
    bool Make(const Image& piece);

    // Whether Prepare would pass a cut of size through its size rules (the
    // width's parity, the limits of LargeCuts or FineCuts): false with the
    // error code Prepare would set. Builds nothing.
    bool CheckCut(TPoint size);

    // The size of the tile that a cut of size gives, without preparing;
    // nothing from a maker that learns it only when prepared (a plug-in).
    virtual std::optional<TPoint> TileSizeFor(TPoint size) const;
    // Where the tiles' mirror lines lie on their pixel grid.
    virtual TileAnchor Anchor() const { return {}; }
    // Whether a cut k times larger whose every pixel is a k by k block
    // gives the tile k times larger whose every pixel is such a block: every
    // symmetry of the tile maps whole blocks onto whole blocks, so a tile of
    // a finer cut reduced is the tile of the reduced cut.
    virtual bool ScalesWithCut() const { return false; }

    const Image& ResultImage() const { return resultImage_; }
    std::int32_t ErrorCode() const { return errorCode_; }
    const std::string& ErrorText() const { return errorText_; }
    std::int32_t CutX() const { return x_; }
    std::int32_t CutY() const { return y_; }

    // Read access to the maps; an index outside a map throws ErrorMessage.
    std::int32_t IndexMapAt(int column, int row) const;
    std::int32_t ResultMapAt(int column, int row) const;

protected:
    // The five operations of a maker, in their fixed order.
    virtual void CopyRows();
    virtual void LoadPiece(const Image& piece);
    virtual void BuildMap() = 0;
    virtual void BuildResult() = 0;
    virtual void Shuffle();

    // Stores the code (and text) and abandons the running operation.
    [[noreturn]] void Fail(std::int32_t code, const std::string& text = {});

    // Bounds-checked access to the arrays; an index outside an array
    // abandons the running operation. Inline, as they sit in every pixel loop.
    std::int32_t& IndexMap(int column, int row)
    {
        if (!Within(column, side_ + 1) || !Within(row, side_ + 1)) {
            OutOfBounds();
        }
        return indexMap_[IndexCell(column, row)];
    }
    std::int32_t& ResultMap(int column, int row)
    {
        if (!Within(column, 3 * side_) || !Within(row, side_)) {
            OutOfBounds();
        }
        return resultMap_[ResultCell(column, row)];
    }
    std::int32_t& PixelArray(int column, int row, int component)
    {
        if (!Within(column, side_) || !Within(row, side_) || !Within(component, 4)) {
            OutOfBounds();
        }
        return pixels_[4 * static_cast<std::size_t>(Code(column, row)) + component];
    }

    // The cell code of pixel-array column and row, and the number of rows
    // a code's column holds (code = Side() * column + row).
    std::int32_t Code(int column, int row) const { return side_ * column + row; }
    int Side() const { return side_; }

    // Fills the width by height block of the index map with the identity
    // codes (256 * column + row) and scatters it when the shuffle flag is set.
    void BuildIdentityIndexMap(int width, int height);
    // Copies the width by height block of the index map into the result map.
    void CopyIndexMapToResult(int width, int height);

    // Renders result-map columns 0..width-1, rows 0..height-1 as a width by
    // height strip (map row r becomes strip row height-1-r) onto the result
    // image at (0, 0), clipped to it.
    void RenderResultMap(int width, int height);

    // For i = 1..count in increasing order: copies result-image column i,
    // rows 0..rows-1, onto column (result width - i).
    void MirrorColumns(int count, int rows);
    // For i = 1..count in increasing order: copies result-image row i, full
    // width, onto row (result height - i).
    void MirrorRows(int count);

    Image& Result() { return resultImage_; }
    Image& Work() { return workImage_; }
    bool ShuffleFlag() const { return shuffle_ != 0; }
    std::int32_t X() const { return x_; }
    std::int32_t Y() const { return y_; }

    // Abandons the running operation after an index outside an array.
    [[noreturn]] static void OutOfBounds();

private:
    static bool Within(int index, int extent) { return index >= 0 && index < extent; }

    // The odd-width rule and the limits; Fail()s with the first one broken.
    void CheckSizeRules(std::int32_t x, std::int32_t y);
    // Sizes the arrays, all zero, for a pixel array of side by side cells.
    void SizeArrays(int side);
    std::size_t IndexCell(int column, int row) const
    {
        return static_cast<std::size_t>(column) * static_cast<std::size_t>(side_ + 1) +
               static_cast<std::size_t>(row);
    }
    std::size_t ResultCell(int column, int row) const
    {
        return static_cast<std::size_t>(column) * static_cast<std::size_t>(side_) +
               static_cast<std::size_t>(row);
    }

    std::int32_t errorCode_ = 0;
    std::string errorText_;
    Image resultImage_;
    Image workImage_;
    // The arrays, column by column: pixel array side by side cells of four
    // components, index map side + 1 on a side, result map 3 * side columns
    // of side rows.
    int side_ = 0;
    std::vector<std::int32_t> pixels_;
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
    std::vector<std::int32_t> indexMap_;
    std::vector<std::int32_t> resultMap_;
    std::uint8_t shuffle_ = 0;
};

}  // namespace qm
