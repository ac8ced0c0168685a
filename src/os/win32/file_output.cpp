#include "os/win32/file_output.h"

#include <windows.h>

#include <algorithm>

#include "os/win32/wide_text.h"
#include "platform/os_parts.h"

namespace rzv {
namespace {

class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { close(); }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool close() {
        if (!valid()) return true;
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

constexpr DWORD kDiskQuotaExceeded = 1295;  // ERROR_DISK_QUOTA_EXCEEDED, not in MinGW's headers

WriteRefusal refusalOf(DWORD error) {
    switch (error) {
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            return WriteRefusal::Rights;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
        case kDiskQuotaExceeded:
            return WriteRefusal::FullDisk;
        default:
            return WriteRefusal::Other;
    }
}

// The step that failed and the system's reason.
FileWrite failure(const char* step, DWORD error = GetLastError()) {
    return {std::string(step) + ": " + systemMessage(error), refusalOf(error)};
}

// Writes all bytes and flushes them to the disk.
FileWrite writeAll(FileHandle& file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return failure("write");
        done += written;
    }
    if (!SetEndOfFile(file.get())) return failure("truncate");
    if (!FlushFileBuffers(file.get())) return failure("flush");
    if (!file.close()) return failure("close");
    return {};
}

bool exists(const std::wstring& name) {
    return GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// One try at putting the temporary file in the target's place; 0 or the system's error.
DWORD moveOnce(const std::wstring& temporary, const std::wstring& target) {
    // ReplaceFileW keeps the target's attributes and permissions; without a target there is
    // nothing to keep. (Where it fails having removed the target, MoveFileExW completes it.)
    if (exists(target) && ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                                       REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
        return 0;
    if (MoveFileExW(temporary.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return GetLastError();
}

// Errors of a file that someone else holds open: a viewer that shares reading and writing but
// not deleting, or a virus scanner looking at the fresh temporary file for a moment.
bool heldByAnother(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_LOCK_VIOLATION || error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

// Tries a few times over about half a second, as long as the failure is one that passes.
DWORD moveIntoPlace(const std::wstring& temporary, const std::wstring& target) {
    DWORD error = moveOnce(temporary, target);
    for (DWORD wait = 50; wait <= 200 && error != 0 && heldByAnother(error); wait += 50) {
        Sleep(wait);
        error = moveOnce(temporary, target);
    }
    return error;
}

// As a plain write would: the target opened for writing (shared with readers and writers, as
// a viewer holding it expects), truncated and written. Where even that cannot open the file, the
// reason the replacement failed is told.
FileWrite writeInPlace(const std::wstring& target, const std::string& bytes,
                       const FileWrite& notReplaced, DWORD disposition = OPEN_EXISTING) {
    FileHandle file(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return notReplaced;
    FileWrite write = writeAll(file, bytes);
    if (!write.written())
        write.failure += " (written in place, after \"" + notReplaced.failure +
                         "\": the old record may be damaged)";
    return write;
}

std::wstring fullPathOf(const std::wstring& name) {
    std::wstring full(MAX_PATH, L'\0');
    for (int tries = 0; tries < 2; ++tries) {
        const DWORD length =
            GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) break;
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);
    }
    return name;
}

}  // namespace

std::wstring temporaryNameFor(const std::wstring& target, unsigned long processId) {
    constexpr std::size_t kLongestPath = MAX_PATH - 1;  // without the terminating null
    const std::wstring id = std::to_wstring(processId);
    std::wstring usual = target + L"." + id + L".tmp";
    // A target past the limit works only where long paths are enabled, and so does its
    // temporary file.
    if (usual.size() <= kLongestPath || target.size() > kLongestPath) return usual;
    const std::size_t slash = target.find_last_of(L"\\/:");
    const std::size_t folder = slash == std::wstring::npos ? 0 : slash + 1;
    const std::size_t room = kLongestPath - folder;  // for the temporary file's own name
    const std::wstring tail = L"~" + id;
    if (tail.size() > room) return {};
    std::wstring shorter =
        target.substr(0, folder) + target.substr(folder, room - tail.size()) + tail;
    if (shorter == target) return {};
    return shorter;
}

FileWrite Win32FileOutput::replace(const std::string& name, std::string_view text) {
    const std::wstring target = widen(name);
    // Refused up front, as no question of rights: the replace would fail on it as access denied.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {"it is a folder", WriteRefusal::Other};
    const std::string bytes = asLogText(text);
    // Named after the process, so two copies of the program never share one; never longer than
    // the limit of paths where the log itself is within it. Plain attributes: where there is no
    // target yet, the temporary file becomes it as it is.
    const std::wstring temporary = temporaryNameFor(fullPathOf(target), GetCurrentProcessId());
    if (temporary.empty())
        return writeInPlace(target, bytes,
                            {"no temporary file name fits the folder's path", WriteRefusal::Other},
                            OPEN_ALWAYS);
    FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const FileWrite why = failure("create temporary file");
        return exists(target) ? writeInPlace(target, bytes, why) : why;
    }
    if (FileWrite write = writeAll(file, bytes); !write.written()) {
        file.close();
        DeleteFileW(temporary.c_str());
        return write;
    }
    const DWORD error = moveIntoPlace(temporary, target);
    if (error == 0) return {};
    DeleteFileW(temporary.c_str());
    const FileWrite why = failure("replace", error);
    // Held open by a program that lets others write but not delete: a plain write still works.
    return heldByAnother(error) && exists(target) ? writeInPlace(target, bytes, why) : why;
}

std::string Win32FileOutput::absoluteName(const std::string& relativeName) {
    const std::wstring name = widen(relativeName);
    const DWORD needed = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return relativeName;
    std::wstring full(needed, L'\0');
    const DWORD written = GetFullPathNameW(name.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) return relativeName;
    full.resize(written);
    return narrow(full);
}

std::unique_ptr<FileOutput> os::makeFileOutput() {
    return std::make_unique<Win32FileOutput>();
}

}  // namespace rzv
