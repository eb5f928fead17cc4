// SPDX-License-Identifier: MIT
#include "app/TileSaver.h"

#include <utility>

#include "app/OutputType.h"
#include "imageio/FileIo.h"

namespace qm {
namespace {

std::vector<std::uint8_t> EncodeTile(const Image& tile, std::uint8_t imageType, int quality,
                                     int dpi)
{
    return TileOutputType(imageType).encode(tile, quality, dpi);
}

}  // namespace

TTileSaver::TTileSaver(unsigned threads, std::uint8_t imageType, int quality, int dpi)
    : imageType_(imageType), quality_(quality), dpi_(dpi), queueLimit_(threads)
{
    if (threads <= 1) {
        return;
    }
    try {
        for (unsigned i = 0; i < threads; ++i) {
            threads_.emplace_back(&TTileSaver::Work, this);
        }
    } catch (...) {
        Stop();
        throw;
    }
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
        WriteFileAtomically(path, EncodeTile(tile, imageType_, quality_, dpi_));
        ++committed_;
        return;
    }
    CommitInOrder([this] { return queue_.size() < queueLimit_; });
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
                CommitTemporaryFile(outcome.Temporary, outcome.Path);
            } catch (...) {
                lock.lock();
                failure_ = std::current_exception();
                stopping_ = true;
                changed_.notify_all();
                throw;
            }
            lock.lock();
            ++committed_;
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
            temporary = WriteTemporaryFile(job.Path, EncodeTile(job.Tile, imageType_, quality_, dpi_));
        } catch (...) {
            error = std::current_exception();
        }
        {
            const std::lock_guard lock(mutex_);
            Outcome& outcome = finished_.find(job.Number)->second;
            outcome.Temporary = std::move(temporary);
            outcome.Error = std::move(error);
            outcome.Done = true;
        }
        changed_.notify_all();
    }
}

}  // namespace qm
