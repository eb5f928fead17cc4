// SPDX-License-Identifier: MIT
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/ExtendedSettings.h"
#include "core/Image.h"
#include "imageio/ColourTag.h"
#include "imageio/JpegWriter.h"

namespace qm {

// Told of every tile a TTileSaver puts in place, on the thread that calls
// Save and Finish, in the order of handing over.
class PlacementObserver {
public:
    virtual ~PlacementObserver() = default;
    // The first placed tiles are in place, the last of them this instant:
    // called in the very step of its rename, before a stop by signal can
    // see it (CommitTemporaryFile), so it must neither throw nor block.
    virtual void Placed(std::size_t placed) noexcept = 0;
    // The same, just after that step.
    virtual void TilesPlaced(std::size_t placed) noexcept = 0;
};

// A picture saved with a tile, beside it: one of its variants.
struct VariantFile {
    Image Picture;
    std::string Path;
};

// Saves the tiles of a run as BMP (image type 0 and anything but 1 to 3),
// JPEG (1, with the quality), PNG (2) or TIFF (3), in the order they are
// handed over.
//
// With one thread every tile is encoded and written by Save itself, in
// place before Save returns. With more, a pool of that many encoder threads
// encodes the tiles and writes each to a temporary file beside its path,
// and the thread calling Save and Finish renames them into place strictly
// in the order they were handed over. A tile whose predecessor failed is
// never put in place: after a failure of tile k exactly the tiles before k
// exist under their names, and no temporary file is left behind. The
// failure reaches the caller as the very exception the one-thread saver
// would have thrown, from the first Save or Finish after all tiles before
// the failed one are in place.
//
// All state the threads share is the job queue and the outcome table below,
// guarded by one mutex and one condition variable. The queue holds at most
// as many tiles as there are threads, and the tiles handed over and not yet
// written hold at most kEncoderBytes of pixels (or are a single tile), so
// memory stays a few tiles whatever the count and the size.
//
// A tile's variants are written with it and put in place just before it,
// so they count as the tile: a tile in place has its variants beside it.
//
// With bandThreads above 0 (the tiles of large cuts), a PNG tile's image
// data is deflated in bands over that many threads (EncodePngInBands), and
// more than one thread means one encoder thread besides the caller, since
// each tile already keeps the cores busy.
class TTileSaver {
public:
    static constexpr std::size_t kEncoderBytes = std::size_t{256} << 20;

    // dpi: the resolution the files record, 0 for none; observer, when
    // given, is told of every tile put in place; tag: what the files tell
    // of their colours; chroma: how JPEG tiles keep their colour.
    TTileSaver(unsigned threads, std::uint8_t imageType, int quality, int dpi = 0,
               unsigned bandThreads = 0, PlacementObserver* observer = nullptr,
               ColourTag tag = {}, JpegChroma chroma = JpegChroma::Subsampled420);
    // Stops the threads and removes the temporary files not put in place.
    ~TTileSaver();
    TTileSaver(const TTileSaver&) = delete;
    TTileSaver& operator=(const TTileSaver&) = delete;

    // Hands a tile and its variants over to be saved under path; waits
    // while the queue is full. Throws the failure of an earlier tile once
    // every tile before it is in place; this tile is then not saved.
    void Save(Image tile, std::string path, std::vector<VariantFile> variants = {});
    // Waits until every tile handed over is in place. Throws the first
    // failure in the order of handing over.
    void Finish();
    // How many tiles are in place, the first ones handed over; after a
    // failure, the failed tile is the one after them.
    std::size_t Placed();

private:
    struct Job {
        std::size_t Number = 0;
        Image Tile;
        std::string Path;
        std::vector<VariantFile> Variants;
    };
    // The files of a tile, each written under its temporary name: the
    // variants' first, the tile's last.
    struct Written {
        std::vector<std::string> Temporaries;
        std::vector<std::string> Paths;
    };
    // A tile handed over; once Done, written under a temporary name or
    // failed.
    struct Outcome {
        Written Files;
        std::exception_ptr Error;
        bool Done = false;
    };

    void Work();
    std::vector<std::uint8_t> Encode(const Image& tile) const;
    // Writes the job's files; on a failure none of them is left.
    Written Write(const Job& job) const;
    // Renames the finished tiles that are next in order into place; waits
    // for them while until() is false. Throws the first failure.
    template <typename Until>
    void CommitInOrder(Until until);
    // Puts the tile after the committed ones in place with its variants,
    // telling the observer.
    void Commit(const Written& files);
    void Stop();

    const std::uint8_t imageType_;
    const int quality_;
    const int dpi_;
    const JpegChroma chroma_;
    const unsigned bandThreads_;
    PlacementObserver* const observer_;
    const ColourTag tag_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> queue_;
    std::map<std::size_t, Outcome> finished_;
    std::size_t handedOver_ = 0;
    std::size_t committed_ = 0;
    std::size_t queueLimit_ = 0;
    // Pixel bytes of the tiles handed over and not yet written.
    std::size_t pendingBytes_ = 0;
    bool stopping_ = false;
    std::exception_ptr failure_;

    std::vector<std::thread> threads_;
};

// The chroma of the JPEG tiles of a run with the settings: full with the
// setting at 444, libjpeg's default otherwise.
JpegChroma JpegChromaOf(const ExtendedSettings& settings);

// The bandThreads of a saver for the tiles of a cut of sizeX by sizeY: the
// threads for a cut beyond 256 pixels, 0 for the usual cuts, whose files
// stay those of libpng on one thread.
unsigned BandThreads(int sizeX, int sizeY, unsigned threads);

}  // namespace qm
