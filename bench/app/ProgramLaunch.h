#pragma once
// How the program benchmarks launch the program: this build's, or the build
// ZARVO_PROGRAM of the environment names to compare with, in a home folder
// of the benchmark's own.
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

inline std::string ProgramToMeasure()
{
    const char* other = std::getenv("ZARVO_PROGRAM");
    return other ? other : ZARVO_PROGRAM;
}

// This process's environment with HOME set to AHome, for posix_spawn.
class TEnvironmentWithHome {
public:
    explicit TEnvironmentWithHome(const std::string& AHome) : FStrings{"HOME=" + AHome}
    {
        for (char** e = environ; *e; ++e)
            if (std::string(*e).rfind("HOME=", 0) != 0)
                FStrings.push_back(*e);
        for (auto& s : FStrings)
            FPointers.push_back(s.data());
        FPointers.push_back(nullptr);
    }
    TEnvironmentWithHome(const TEnvironmentWithHome&) = delete;
    TEnvironmentWithHome& operator=(const TEnvironmentWithHome&) = delete;
    char** Get() { return FPointers.data(); }

private:
    std::vector<std::string> FStrings;
    std::vector<char*> FPointers;
};
