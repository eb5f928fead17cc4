#include "plugin/SharedLibrary.h"

#include <dlfcn.h>

namespace qm {

SharedLibrary::SharedLibrary(const std::string& fileName)
    : handle_(dlopen(LoaderPath(fileName).c_str(), RTLD_NOW | RTLD_LOCAL))
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

void* SharedLibrary::Symbol(const char* name) const
{
    if (handle_ == nullptr) {
        return nullptr;
    }
    return dlsym(handle_, name);
}

}  // namespace qm
