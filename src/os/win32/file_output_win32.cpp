#include "os/win32/file_output_win32.h"

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

// The step that failed and the system's reason.
std::string failure(const char* step) {
    return std::string(step) + ": " + systemMessage(GetLastError());
}

// Writes all bytes and flushes them to the disk; empty on success, else the reason.
std::string writeAll(FileHandle& file, const std::string& bytes) {
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

std::string moveIntoPlace(const std::wstring& temporary, const std::wstring& target) {
    // ReplaceFileW keeps the target's attributes and permissions; without a target there is
    // nothing to keep.
    if (exists(target) && ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                                       REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
        return {};
    if (MoveFileExW(temporary.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    return failure("replace");
}

std::string writeInPlace(const std::wstring& target, const std::string& bytes,
                         const std::string& whyNotReplaced) {
    FileHandle file(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return whyNotReplaced;
    const std::string why = writeAll(file, bytes);
    if (why.empty()) return {};
    return why + " (written in place, no temporary file allowed: the old record may be damaged)";
}

}  // namespace

std::string Win32FileOutput::replace(const std::string& relativeName, std::string_view text) {
    const std::wstring target = widen(relativeName);
    const std::string bytes = toAnsiCodePage(text);
    // Named after the process, so two copies of the program never share one. Plain attributes:
    // where there is no target yet, the temporary file becomes it as it is.
    const std::wstring temporary = target + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const std::string why = failure("create temporary file");
        return exists(target) ? writeInPlace(target, bytes, why) : why;
    }
    std::string why = writeAll(file, bytes);
    if (why.empty()) why = moveIntoPlace(temporary, target);
    if (!why.empty()) {
        file.close();
        DeleteFileW(temporary.c_str());
    }
    return why;
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
