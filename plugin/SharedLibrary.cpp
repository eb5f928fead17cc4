// SPDX-License-Identifier: MIT
#include "plugin/SharedLibrary.h"

#include <dlfcn.h>
#include <sys/stat.h>

namespace qm {

SharedLibrary::SharedLibrary(const std::string& fileName)
    : handle_(IsRegularFile(fileName) ? dlopen(LoaderPath(fileName).c_str(), RTLD_NOW | RTLD_LOCAL)
                                      : nullptr)
{
}

SharedLibrary::~SharedLibrary()
{
    if (handle_ != nullptr) {
        dlclose(handle_);
    }
}

std::string SharedLibrary::LoaderPath(const std::string& fileName)
{
    if (fileName.find('/') == std::string::npos) {
        return "./" + fileName;
    }
    return fileName;
}

bool SharedLibrary::IsRegularFile(const std::string& fileName)
{
    struct stat status {};
    return stat(LoaderPath(fileName).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

void* SharedLibrary::Symbol(const char* name) const
{
    if (handle_ == nullptr) {
        return nullptr;
    }
    return dlsym(handle_, name);
}

}  // namespace qm
