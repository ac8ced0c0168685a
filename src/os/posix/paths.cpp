#include "os/posix/paths.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace rzv::posix {

std::string reasonOf(int error) {
    return std::strerror(error);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string makeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return "cannot make " + part + ": " + reasonOf(errno);
        if (slash == std::string::npos) return {};
    }
}

}  // namespace rzv::posix
