// SPDX-License-Identifier: MIT
#pragma once

#include <lcms2.h>

#include <atomic>
#include <cstddef>

namespace qm::colour {

// The largest profile handed to lcms2; a bigger one counts as unreadable.
// Real profiles, printer profiles with large tables included, stay below
// a few megabytes.
inline constexpr std::size_t kMaxProfileBytes = std::size_t{8} << 20;

// What lcms2 may hold at once for one picture: the tables of a hostile
// profile are allocated from their declared sizes before they are read,
// so the allocator refuses anything beyond this.
inline constexpr std::size_t kMaxColourMemory = std::size_t{128} << 20;

// An lcms2 context of its own for one conversion: allocations are counted
// and refused past kMaxColourMemory, and errors are not printed (a failure
// shows as a null handle). Destroying it frees everything made in it.
class BoundedContext {
public:
    BoundedContext();
    ~BoundedContext();
    BoundedContext(const BoundedContext&) = delete;
    BoundedContext& operator=(const BoundedContext&) = delete;

    // Null when lcms2 could not create the context.
    cmsContext Get() const { return context_; }

private:
    std::atomic<std::size_t> used_{0};
    cmsContext context_ = nullptr;
};

// Owners of lcms2 handles.
class Profile {
public:
    explicit Profile(cmsHPROFILE handle = nullptr) : handle_(handle) {}
    ~Profile() { Reset(); }
    Profile(Profile&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    Profile& operator=(Profile&& other) noexcept
    {
        if (this != &other) {
            Reset();
            handle_ = other.handle_;
            other.handle_ = nullptr;
        }
        return *this;
    }
    cmsHPROFILE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    void Reset()
    {
        if (handle_ != nullptr) {
            cmsCloseProfile(handle_);
        }
        handle_ = nullptr;
    }
    cmsHPROFILE handle_;
};

class Transform {
public:
    explicit Transform(cmsHTRANSFORM handle = nullptr) : handle_(handle) {}
    ~Transform()
    {
        if (handle_ != nullptr) {
            cmsDeleteTransform(handle_);
        }
    }
    Transform(const Transform&) = delete;
    Transform& operator=(const Transform&) = delete;
    cmsHTRANSFORM Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    cmsHTRANSFORM handle_;
};

// Every conversion to sRGB: relative colorimetric with black-point
// compensation, without lcms2's one-pixel cache so that several threads may
// share the transform.
inline constexpr cmsUInt32Number kIntent = INTENT_RELATIVE_COLORIMETRIC;
inline constexpr cmsUInt32Number kTransformFlags = cmsFLAGS_BLACKPOINTCOMPENSATION | cmsFLAGS_NOCACHE;

}  // namespace qm::colour
