// SPDX-License-Identifier: MIT
#pragma once

#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "app/ExtendedSettings.h"
#include "app/run/FitPicture.h"
#include "imageio/DecodeOptions.h"

namespace qm {

// What a source picture file is decoded for: the file, the extended
// settings that choose its decode options and the longer side of the cut
// (SourceDecodeOptions).
struct PictureRequest {
    std::string File;
    ExtendedSettings Extended;
    int CutSide = 0;

    bool operator==(const PictureRequest&) const = default;
};

// A picture decoded ahead, and fitted ahead when its run's fit is a fixed
// one without smooth edges (an automatic fit and smooth edges need the
// picture as decoded); Fitted's scale is taken against the full size.
struct PictureAhead {
    DecodedPicture Decoded;
    std::optional<FittedPicture> Fitted;
};

// Decodes, and fits, the next source picture of a batch on a thread of its own while
// the tiles of the current one are made; one picture ahead at most. Its
// calls may come from any thread.
class PictureReadAhead {
public:
    // The process's one, which LoadRunSource consults.
    static PictureReadAhead& Shared();

    PictureReadAhead() = default;
    // Waits for a decoding under way.
    ~PictureReadAhead();
    PictureReadAhead(const PictureReadAhead&) = delete;
    PictureReadAhead& operator=(const PictureReadAhead&) = delete;

    // The file the next run reads, empty for none: once the current run has
    // its picture, Start begins decoding that one.
    void SetNext(std::string file);

    // Begins decoding the next file as request says of everything but the
    // file, dropping whatever was decoded ahead before; nothing without a
    // next file.
    void Start(const PictureRequest& request);

    // The picture made ahead for request (its decoding's failure thrown
    // again), once the decoding is done; nothing when it was decoded for
    // another request or none. Either way nothing is kept ahead after.
    std::optional<PictureAhead> Take(const PictureRequest& request);

private:
    // With mutex_ held.
    void Join();

    std::mutex mutex_;
    std::string next_;
    std::optional<PictureRequest> request_;
    std::thread thread_;
    // Written by the thread, read after it is joined.
    std::optional<PictureAhead> picture_;
    std::exception_ptr failure_;
};

}  // namespace qm
