// SPDX-License-Identifier: MIT
#include "app/run/PictureReadAhead.h"

#include <system_error>
#include <utility>

#include "app/run/SourceDecoding.h"
#include "imageio/ImageFiles.h"

namespace qm {

PictureReadAhead& PictureReadAhead::Shared()
{
    static PictureReadAhead readAhead;
    return readAhead;
}

PictureReadAhead::~PictureReadAhead()
{
    const std::lock_guard lock(mutex_);
    Join();
}

void PictureReadAhead::SetNext(std::string file)
{
    const std::lock_guard lock(mutex_);
    next_ = std::move(file);
}

void PictureReadAhead::Join()
{
    if (thread_.joinable()) {
        thread_.join();
    }
}

void PictureReadAhead::Start(const PictureRequest& request)
{
    const std::lock_guard lock(mutex_);
    Join();
    request_.reset();
    picture_.reset();
    failure_ = nullptr;
    if (next_.empty()) {
        return;
    }
    PictureRequest ahead = request;
    ahead.File = std::exchange(next_, {});
    const DecodeOptions options = SourceDecodeOptions(ahead.Extended, ahead.CutSide);
    try {
        thread_ = std::thread([this, file = ahead.File, options, request = ahead] {
            try {
                PictureAhead picture{LoadPictureFile(file, options), std::nullopt};
                const ExtendedSettings& extended = request.Extended;
                if (extended.Fit && !extended.FitAuto && !extended.Smooth) {
                    picture.Fitted = FitPicture(std::move(picture.Decoded.Picture), request.CutSide,
                                                extended.FitPercent,
                                                {picture.Decoded.FullWidth, picture.Decoded.FullHeight});
                }
                picture_ = std::move(picture);
            } catch (...) {
                failure_ = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        return;  // no thread to be had: the run decodes its picture itself
    }
    request_ = std::move(ahead);
}

std::optional<PictureAhead> PictureReadAhead::Take(const PictureRequest& request)
{
    const std::lock_guard lock(mutex_);
    Join();
    const bool match = request_ == request;
    request_.reset();
    std::optional<PictureAhead> picture = std::exchange(picture_, std::nullopt);
    const std::exception_ptr failure = std::exchange(failure_, nullptr);
    if (!match) {
        return std::nullopt;
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
    return picture;
}

}  // namespace qm
