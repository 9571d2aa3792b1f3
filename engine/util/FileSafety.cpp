#include "engine/util/FileSafety.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

// The absolute path with every link and "." or ".." of the part that exists resolved.
std::string ResolvedPath(const std::string& AName) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::weakly_canonical(std::filesystem::absolute(AName, error), error);
    return error ? AName : path.lexically_normal().string();
}

} // namespace

bool SameFile(const std::string& AName1, const std::string& AName2) {
    if (AName1.empty() || AName2.empty())
        return false;
    struct stat first {}, second {};
    const bool firstExists = stat(AName1.c_str(), &first) == 0;
    const bool secondExists = stat(AName2.c_str(), &second) == 0;
    if (firstExists && secondExists)
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    if (firstExists != secondExists)
        return false;
    return ResolvedPath(AName1) == ResolvedPath(AName2);
}

int CheckFolderWritable(const std::string& AFolder) {
    std::string folder = AFolder.empty() ? std::string(".") : AFolder;
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0)
        return errno;
    if (!S_ISDIR(info.st_mode))
        return ENOTDIR;
    if (folder.back() != '/')
        folder += '/';
    // mkstemp creates with O_CREAT | O_EXCL: it never opens a file that exists.
    std::string pattern = folder + ".zarvo-write-check-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0)
        return errno;
    close(fd);
    unlink(name.data());
    return 0;
}

std::string SystemErrorText(int AErrno) {
    char buffer[256] = {};
    // The GNU strerror_r returns the text, which need not be in the buffer.
    return strerror_r(AErrno, buffer, sizeof buffer);
}
