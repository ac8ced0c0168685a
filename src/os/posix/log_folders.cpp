#include "os/posix/log_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "os/posix/paths.h"
#include "platform/os_parts.h"

namespace rzv {
namespace {

bool isAbsolute(const char* path) {
    return path && path[0] == '/';
}

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); isAbsolute(home)) return home;
    const passwd* user = ::getpwuid(::geteuid());
    return user && isAbsolute(user->pw_dir) ? user->pw_dir : "";
}

// $NAME where it is an absolute path, as the base directory rules want; else home + fallback.
std::string baseFolder(const char* name, const std::string& home, const char* fallback) {
    if (const char* value = std::getenv(name); isAbsolute(value)) return value;
    return home.empty() ? "" : home + fallback;
}

bool isFolder(const std::string& path) {
    struct stat status {};
    return !path.empty() && ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::string withSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

// The value of a line `KEY="..."`, its escapes undone; false for any other form.
bool quotedValue(std::string_view line, std::string& value) {
    if (line.size() < 2 || line.front() != '"' || line.back() != '"') return false;
    value.clear();
    for (std::size_t i = 1; i + 1 < line.size(); ++i) {
        if (line[i] == '\\' && i + 2 < line.size()) ++i;
        value += line[i];
    }
    return true;
}

}  // namespace

std::string documentsFolderIn(std::string_view userDirs, const std::string& home) {
    constexpr std::string_view key = "XDG_DOCUMENTS_DIR=";
    std::string folder;
    for (std::size_t start = 0; start < userDirs.size();) {
        const std::size_t end = std::min(userDirs.find('\n', start), userDirs.size());
        std::string_view line = userDirs.substr(start, end - start);
        start = end + 1;
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
            line.remove_suffix(1);
        std::string value;
        if (line.substr(0, key.size()) != key || !quotedValue(line.substr(key.size()), value))
            continue;
        if (value.rfind("$HOME", 0) == 0 && (value.size() == 5 || value[5] == '/'))
            folder = home.empty() ? "" : home + value.substr(5);
        else if (value.front() == '/')
            folder = value;
        // The last valid line counts, as for the shell that would source the file.
    }
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

std::string XdgLogFolders::documentsFolder() {
    const std::string home = homeFolder();
    const std::string config = baseFolder("XDG_CONFIG_HOME", home, "/.config");
    std::ifstream file(config + "/user-dirs.dirs", std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    const std::string documents = file ? documentsFolderIn(text.str(), home) : "";
    if (isFolder(documents)) return withSlash(documents);
    return home.empty() ? "" : withSlash(home);
}

std::string XdgLogFolders::stateFolder(const std::string& name, std::string& failure) {
    const std::string base = baseFolder("XDG_STATE_HOME", homeFolder(), "/.local/state");
    if (base.empty()) {
        failure = "there is no home folder for its state";
        return {};
    }
    const std::string folder = base + "/" + name;
    if (failure = posix::makeFolders(folder); !failure.empty()) return {};
    if (!isFolder(folder)) {
        failure = folder + " is not a folder";
        return {};
    }
    return withSlash(folder);
}

std::unique_ptr<LogFolders> os::makeLogFolders() {
    return std::make_unique<XdgLogFolders>();
}

}  // namespace rzv
