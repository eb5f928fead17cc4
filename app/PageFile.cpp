#include "app/PageFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <span>

#include "core/Errors.h"
#include "core/FileDescriptor.h"
#include "imageio/FileIo.h"

namespace qm {

void WritePageFile(const std::string& path, const std::string& bytes)
{
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                             bytes.size());
    try {
        WriteFileAtomically(path, data);
    } catch (const ErrorMessage&) {
        // Overwrite the existing page from its start and cut it to the new
        // length, so no tail of a longer old page stays behind.
        FileDescriptor existing(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
        if (existing.Get() < 0) {
            throw;
        }
        int error = WriteAll(existing.Get(), data);
        if (error == 0 && ::ftruncate(existing.Get(), static_cast<off_t>(data.size())) != 0) {
            error = errno;
        }
        if (const int closed = existing.Close(); error == 0) {
            error = closed;
        }
        if (error != 0) {
            ThrowCreateError(path, error);
        }
    }
}

}  // namespace qm
