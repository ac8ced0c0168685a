#pragma once

#include <string>
#include <string_view>

namespace rzv {

// Why a file could not be written, as far as the choice of another folder goes.
enum class WriteRefusal {
    None,      // it was written
    Rights,    // the user may not write there, or the medium is read-only
    FullDisk,  // no space or no quota left
    Other,     // anything else: a failing disk, a file held by another program, a refused link
};

// The outcome of a write: empty `failure` when it worked, else the reason, on one line.
struct FileWrite {
    std::string failure;
    WriteRefusal refusal = WriteRefusal::None;
    bool written() const { return failure.empty(); }
};

// Whole-file output by a name relative to the working directory, or an absolute one.
class FileOutput {
  public:
    virtual ~FileOutput() = default;
    // Replaces the file's content with `text`, all or nothing: the file holds either its old
    // content or the new, whole. Name and text are UTF-8, written the way the system names files
    // and keeps 8-bit text.
    virtual FileWrite replace(const std::string& name, std::string_view text) = 0;
    // The absolute name `name` stands for now: the working folder joined with it, as UTF-8.
    // Where the working folder cannot be named, `name` itself.
    virtual std::string absoluteName(const std::string& name) = 0;
};

}  // namespace rzv
