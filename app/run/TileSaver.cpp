// SPDX-License-Identifier: MIT
#include "app/run/TileSaver.h"

#include <algorithm>
#include <utility>

#include "app/OutputType.h"
#include "engine/UMakeUnit.h"
#include "imageio/FileIo.h"
#include "imageio/JpegWriter.h"
#include "imageio/PngWriter.h"

namespace qm {
TTileSaver::TTileSaver(unsigned threads, std::uint8_t imageType, int quality, int dpi,
                       unsigned bandThreads, PlacementObserver* observer, ColourTag tag,
                       JpegChroma chroma)
    : imageType_(imageType),
      quality_(quality),
      dpi_(dpi),
      chroma_(chroma),
      bandThreads_(TileOutputType(imageType).type == kOutputPng ? bandThreads : 0),
      observer_(observer),
      tag_(std::move(tag)),
      queueLimit_(bandThreads_ > 0 ? std::min(threads, 1u) : threads)
{
    if (threads <= 1) {
        return;
    }
    try {
        for (std::size_t i = 0; i < queueLimit_; ++i) {
            threads_.emplace_back(&TTileSaver::Work, this);
        }
    } catch (...) {
        Stop();
        throw;
    }
}

unsigned BandThreads(int sizeX, int sizeY, unsigned threads)
{
    const bool large = sizeX > TMakeUnit::kPixelSide || sizeY > TMakeUnit::kPixelSide;
    return large ? std::max(threads, 1u) : 0;
}

std::vector<std::uint8_t> TTileSaver::Encode(const Image& tile) const
{
    if (bandThreads_ > 0) {
        return EncodePngInBands(tile, bandThreads_, kPngIdatSize, dpi_, tag_);
    }
    if (chroma_ == JpegChroma::Full444 && TileOutputType(imageType_).type == kOutputJpeg) {
        return EncodeJpeg(tile, quality_, dpi_, tag_, chroma_);
    }
    return TileOutputType(imageType_).encode(tile, quality_, dpi_, tag_);
}

JpegChroma JpegChromaOf(const ExtendedSettings& settings)
{
    return settings.Chroma && settings.ChromaValue == 444 ? JpegChroma::Full444
                                                          : JpegChroma::Subsampled420;
}

TTileSaver::~TTileSaver()
{
    Stop();
    for (const auto& [number, outcome] : finished_) {
        for (const std::string& temporary : outcome.Files.Temporaries) {
            DiscardTemporaryFile(temporary);
        }
    }
}

void TTileSaver::Stop()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
    threads_.clear();
}

namespace {

// The pixel bytes a job holds.
std::size_t BytesOf(const Image& tile, const std::vector<VariantFile>& variants)
{
    std::size_t bytes = tile.Bytes().size();
    for (const VariantFile& variant : variants) {
        bytes += variant.Picture.Bytes().size();
    }
    return bytes;
}

}  // namespace

TTileSaver::Written TTileSaver::Write(const Job& job) const
{
    Written files;
    try {
        for (const VariantFile& variant : job.Variants) {
            files.Paths.push_back(variant.Path);
            files.Temporaries.push_back(WriteTemporaryFile(variant.Path, Encode(variant.Picture)));
        }
        files.Paths.push_back(job.Path);
        files.Temporaries.push_back(WriteTemporaryFile(job.Path, Encode(job.Tile)));
    } catch (...) {
        for (const std::string& temporary : files.Temporaries) {
            DiscardTemporaryFile(temporary);
        }
        throw;
    }
    return files;
}

void TTileSaver::Save(Image tile, std::string path, std::vector<VariantFile> variants)
{
    if (threads_.empty()) {
        Commit(Write(Job{0, std::move(tile), std::move(path), std::move(variants)}));
        return;
    }
    const std::size_t bytes = BytesOf(tile, variants);
    CommitInOrder([this, bytes] {
        return queue_.size() < queueLimit_ &&
               (pendingBytes_ == 0 || pendingBytes_ + bytes <= kEncoderBytes);
    });
    {
        // The outcome's place is made here, so that a thread can report
        // without allocating.
        const std::lock_guard lock(mutex_);
        const std::size_t number = handedOver_;
        finished_[number];
        try {
            queue_.push_back(Job{number, std::move(tile), std::move(path), std::move(variants)});
        } catch (...) {
            finished_.erase(number);
            throw;
        }
        ++handedOver_;
        pendingBytes_ += bytes;
    }
    changed_.notify_all();
}

void TTileSaver::Finish()
{
    if (!threads_.empty()) {
        CommitInOrder([this] { return committed_ == handedOver_; });
    }
}

std::size_t TTileSaver::Placed()
{
    const std::lock_guard lock(mutex_);
    return committed_;
}

void TTileSaver::Commit(const Written& files)
{
    // The variants first: the tile's own file is the one that counts.
    const std::size_t variants = files.Paths.size() - 1;
    for (std::size_t i = 0; i < variants; ++i) {
        try {
            CommitTemporaryFile(files.Temporaries[i], files.Paths[i]);
        } catch (...) {
            for (std::size_t rest = i + 1; rest < files.Paths.size(); ++rest) {
                DiscardTemporaryFile(files.Temporaries[rest]);
            }
            throw;
        }
    }
    const std::string& temporary = files.Temporaries.back();
    const std::string& path = files.Paths.back();
    // Only this thread changes the count.
    const std::size_t placed = committed_ + 1;
    if (observer_ == nullptr) {
        CommitTemporaryFile(temporary, path);
    } else {
        CommitTemporaryFile(temporary, path, [this, placed] { observer_->Placed(placed); });
    }
    {
        const std::lock_guard lock(mutex_);
        committed_ = placed;
    }
    if (observer_ != nullptr) {
        observer_->TilesPlaced(placed);
    }
}

template <typename Until>
void TTileSaver::CommitInOrder(Until until)
{
    std::unique_lock lock(mutex_);
    for (;;) {
        if (failure_) {
            std::rethrow_exception(failure_);
        }
        const auto next = finished_.find(committed_);
        if (next != finished_.end() && next->second.Done) {
            const Outcome outcome = std::move(next->second);
            finished_.erase(next);
            lock.unlock();
            try {
                if (outcome.Error) {
                    std::rethrow_exception(outcome.Error);
                }
                Commit(outcome.Files);
            } catch (...) {
                lock.lock();
                failure_ = std::current_exception();
                stopping_ = true;
                changed_.notify_all();
                throw;
            }
            lock.lock();
            continue;
        }
        if (until()) {
            return;
        }
        changed_.wait(lock);
    }
}

void TTileSaver::Work()
{
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (stopping_) {
                return;
            }
            job = std::move(queue_.front());
            queue_.pop_front();
        }
        changed_.notify_all();

        Written files;
        std::exception_ptr error;
        try {
            files = Write(job);
        } catch (...) {
            error = std::current_exception();
        }
        const std::size_t bytes = BytesOf(job.Tile, job.Variants);
        job.Tile = Image();
        job.Variants.clear();
        {
            const std::lock_guard lock(mutex_);
            pendingBytes_ -= bytes;
            Outcome& outcome = finished_.find(job.Number)->second;
            outcome.Files = std::move(files);
            outcome.Error = std::move(error);
            outcome.Done = true;
        }
        changed_.notify_all();
    }
}

}  // namespace qm
