#pragma once
#include <string>

// A loaded shared library.
using HMODULE = void*;

// Loads a library by path ("/opt/x/libfoo.so.1") or by plain name, which the
// system library path resolves. nullptr on failure; LastLibraryError() says why.
HMODULE LoadLibrary(const std::string& pathOrName);
// The address of a function or variable, nullptr when missing.
void* GetProcAddress(HMODULE module, const std::string& name);
bool FreeLibrary(HMODULE module);
// The reason of this thread's last failed LoadLibrary or GetProcAddress.
std::string LastLibraryError();

// A library held for the object's lifetime; failures raise EExternalException.
class TDynLib {
public:
    explicit TDynLib(const std::string& pathOrName);
    ~TDynLib();
    TDynLib(const TDynLib&) = delete;
    TDynLib& operator=(const TDynLib&) = delete;

    HMODULE Handle() const { return FHandle; }
    const std::string& Name() const { return FName; }
    void* Proc(const std::string& name) const;     // raises when missing
    void* TryProc(const std::string& name) const;  // nullptr when missing
    template <typename T>
    T ProcAs(const std::string& name) const {
        return reinterpret_cast<T>(Proc(name));
    }

private:
    std::string FName;
    HMODULE FHandle = nullptr;
};
