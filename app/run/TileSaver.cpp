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
        if (!outcome.Temporary.empty()) {
            DiscardTemporaryFile(outcome.Temporary);
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

void TTileSaver::Save(Image tile, std::string path)
{
    if (threads_.empty()) {
        Commit(WriteTemporaryFile(path, Encode(tile)), path);
        return;
    }
    const std::size_t bytes = tile.Bytes().size();
    CommitInOrder([this, bytes] {
        return queue_.size() < queueLimit_ &&
               (pendingBytes_ == 0 || pendingBytes_ + bytes <= kEncoderBytes);
    });
    {
        // The outcome's place is made here, so that a thread can report
        // without allocating.
        const std::lock_guard lock(mutex_);
        const std::size_t number = handedOver_;
        Outcome& outcome = finished_[number];
        try {
            outcome.Path = path;
            queue_.push_back(Job{number, std::move(tile), std::move(path)});
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

void TTileSaver::Commit(const std::string& temporary, const std::string& path)
{
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
                Commit(outcome.Temporary, outcome.Path);
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

        std::string temporary;
        std::exception_ptr error;
        try {
            temporary = WriteTemporaryFile(job.Path, Encode(job.Tile));
        } catch (...) {
            error = std::current_exception();
        }
        const std::size_t bytes = job.Tile.Bytes().size();
        job.Tile = Image();
        {
            const std::lock_guard lock(mutex_);
            pendingBytes_ -= bytes;
            Outcome& outcome = finished_.find(job.Number)->second;
            outcome.Temporary = std::move(temporary);
            outcome.Error = std::move(error);
            outcome.Done = true;
        }
        changed_.notify_all();
    }
}

}  // namespace qm
