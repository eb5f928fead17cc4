// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>

// What quillmore-plugin-host is asked and how it answers.
//
// The host is started as
//     quillmore-plugin-host check LIBRARY
//     quillmore-plugin-host map LIBRARY X Y
// and writes its answer to its standard output, once the library is
// released again, as native 32-bit integers: kAnswerMagic, then records of
// a tag and its values, then kEnd.
//
// Both modes begin with one of
//     kLoadFailed                     the library did not load
//     kMissingExport  n               export kExportNames[n] is missing
//     kIdentification answer          what "QuillmoreDLL" answered
// "check" ends there. "map" goes on while the answers are accepted:
//     kImageSize w h                  what "MakeImageSize" wrote for X, Y
//     kTransMethod sx sy sx sy ...    one pair per call of "MakeTransMethod",
//                                     column by column, up to the first
//                                     pair outside the piece
//     kSymmetryType answer
// The host stops after the first answer a run refuses, so the calls into
// the library end where they always ended.
//
// The host runs with at most kAddressSpaceLimit bytes of address space
// (unless kAddressSpaceLimited is false) and kProcessorSeconds of
// processor time. When the library dies for want of memory, the host
// answers kOutOfMemoryAnswer instead.
namespace qm::host {

inline constexpr const char* kProgramName = "quillmore-plugin-host";
inline constexpr const char* kCheckMode = "check";
inline constexpr const char* kMapMode = "map";

inline constexpr std::int32_t kAnswerMagic = 0x51504831;

inline constexpr std::int32_t kLoadFailed = 1;
inline constexpr std::int32_t kMissingExport = 2;
inline constexpr std::int32_t kIdentification = 3;
inline constexpr std::int32_t kImageSize = 4;
inline constexpr std::int32_t kTransMethod = 5;
inline constexpr std::int32_t kSymmetryType = 6;
inline constexpr std::int32_t kEnd = 7;
inline constexpr std::int32_t kOutOfMemory = 8;

inline constexpr std::int32_t kOutOfMemoryAnswer[] = {kAnswerMagic, kOutOfMemory, kEnd};

// The shadow memory of a sanitizer build alone is larger than the limit.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
inline constexpr bool kAddressSpaceLimited = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || \
    __has_feature(memory_sanitizer)
inline constexpr bool kAddressSpaceLimited = false;
#else
inline constexpr bool kAddressSpaceLimited = true;
#endif
#else
inline constexpr bool kAddressSpaceLimited = true;
#endif
inline constexpr long long kAddressSpaceMiB = 4096;
inline constexpr long long kAddressSpaceLimit = kAddressSpaceMiB << 20;
inline constexpr long long kProcessorSeconds = 10;

// The exports, in the order they are looked up.
inline constexpr const char* kExportNames[] = {"QuillmoreDLL", "MakeImageSize",
                                               "MakeTransMethod", "SymmetryType"};
inline constexpr std::int32_t kExportCount = 4;

// The longest answer: magic, identification, size, a full 256 x 256 table,
// symmetry type and end.
inline constexpr std::size_t kMaxAnswerValues = 1 + 2 + 3 + 1 + 2 * 256 * 256 + 2 + 1;

}  // namespace qm::host
