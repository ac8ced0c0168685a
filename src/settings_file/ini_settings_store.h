// The per-user settings in a text file, <folder>/<application>.conf, one section per section
// name: the file Qt's settings and the program's earlier versions kept, read and written the same
// way. A save edits only the lines of its keys and replaces the file once, under a lock.
//
// Qt's own settings class is not used for it: measured, it waited 31.9 s on a lock file left
// fresh by another process before giving up, and a save through it dropped the user's comments.
#pragma once

#include <string>

#include "platform/diagnostics.h"
#include "platform/file_input.h"
#include "platform/file_lock.h"
#include "platform/file_output.h"
#include "platform/settings_store.h"

namespace rzv {

class IniSettingsStore : public SettingsStore {
  public:
    // `output` replaces the file all or nothing; `diagnostics` hears of reads that fail and of
    // single writes that fail (a batch's failure goes to its caller).
    IniSettingsStore(std::string folder, FileInput& input, FileLocks& locks, FileOutput& output,
                     Diagnostics& diagnostics)
        : folder_(std::move(folder)),
          input_(input),
          locks_(locks),
          output_(output),
          diagnostics_(diagnostics) {}

    std::string read(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view fallback) override;
    void write(std::string_view application, std::string_view section, std::string_view key,
               std::string_view text) override;
    // One lock, one read, one replace of the file for all the keys. Any failure leaves the file
    // as it was.
    std::string writeAll(std::string_view application, std::string_view section,
                         const Texts& texts) override;

    std::string fileOf(std::string_view application) const;

  private:
    std::string save(const std::string& file, std::string_view section, const Texts& texts);

    std::string folder_;
    FileInput& input_;
    FileLocks& locks_;
    FileOutput& output_;
    Diagnostics& diagnostics_;
    std::string lastReadFailure_;  // said once, not at each of the start-up's reads
};

}  // namespace rzv
