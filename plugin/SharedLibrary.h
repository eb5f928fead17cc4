// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace qm {

// A shared library loaded for as long as the object lives. The file name is
// taken as the user typed it: a name with a folder part ("plugins/a.so",
// "/opt/a.so") is used as it is, a bare name ("a.so") means the file of that
// name in the working folder. The system's library folders are never
// searched. Symbols are bound at load time (RTLD_NOW) and kept local. Only
// a regular file is handed to the loader: opening a named pipe or a device
// could block for ever.
class SharedLibrary {
public:
    explicit SharedLibrary(const std::string& fileName);
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // False when the file is missing, is no regular file or is no loadable
    // library.
    bool Loaded() const { return handle_ != nullptr; }

    // The exported function of that name; null when there is none (or when
    // the library is not loaded).
    template <typename Function>
    Function Export(const char* name) const
    {
        return reinterpret_cast<Function>(Symbol(name));
    }

    // The path handed to the loader for a file name: "./" before a bare name.
    static std::string LoaderPath(const std::string& fileName);

    // True when the file name means a regular file (after symbolic links);
    // the file itself is not opened.
    static bool IsRegularFile(const std::string& fileName);

private:
    void* Symbol(const char* name) const;

    void* handle_ = nullptr;
};

}  // namespace qm
