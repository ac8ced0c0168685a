// What the POSIX parts share about files and folders.
#pragma once

#include <string>

namespace rzv::posix {

// The system's words for an errno value.
std::string reasonOf(int error);

// "a/b/c" gives "a/b", "c" gives ".", "/c" gives "/".
std::string folderOf(const std::string& path);
// "a/b/c" gives "c".
std::string baseOf(const std::string& path);

// Makes the folders of the absolute `folder` that are missing, for the user alone (0700).
// Empty on success, else the reason, naming the folder that could not be made.
std::string makeFolders(const std::string& folder);

}  // namespace rzv::posix
