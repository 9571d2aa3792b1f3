#include "platform/core/DynLib.h"

#include <dlfcn.h>

#include "platform/core/Exception.h"

namespace {

thread_local std::string GLastError;

void Remember(const char* error, const std::string& fallback) {
    GLastError = error ? error : fallback;
}

}  // namespace

HMODULE LoadLibrary(const std::string& pathOrName) {
    if (pathOrName.empty()) {
        GLastError = "No library name given";
        return nullptr;
    }
    dlerror();
    HMODULE handle = dlopen(pathOrName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        Remember(dlerror(), pathOrName + ": cannot be loaded");
    return handle;
}

void* GetProcAddress(HMODULE module, const std::string& name) {
    if (!module) {
        GLastError = "No library loaded";
        return nullptr;
    }
    dlerror();
    void* address = dlsym(module, name.c_str());
    if (!address)
        Remember(dlerror(), name + ": entry point not found");
    return address;
}

bool FreeLibrary(HMODULE module) {
    if (!module)
        return false;
    if (dlclose(module) != 0) {
        Remember(dlerror(), "The library cannot be released");
        return false;
    }
    return true;
}

std::string LastLibraryError() {
    return GLastError;
}

TDynLib::TDynLib(const std::string& pathOrName) : FName(pathOrName), FHandle(LoadLibrary(pathOrName)) {
    if (!FHandle)
        throw EExternalException("Cannot load library " + pathOrName + ": " + LastLibraryError());
}

TDynLib::~TDynLib() {
    FreeLibrary(FHandle);
}

void* TDynLib::Proc(const std::string& name) const {
    void* address = GetProcAddress(FHandle, name);
    if (!address)
        throw EExternalException("Entry point " + name + " not found in " + FName + ": " + LastLibraryError());
    return address;
}

void* TDynLib::TryProc(const std::string& name) const {
    return GetProcAddress(FHandle, name);
}
