// The close's save alone, without the program around it, for the sweep: `save_driver settings
// FOLDER` saves the five keys of a close to FOLDER/QV_ZIV.conf as the program does;
// `save_driver log FOLDER` writes a record to FOLDER/RI-ZUZERU-VAVUZA.LOG. Failures go to
// stderr as the program reports them.
#include <cstdio>
#include <string>

#include "core/settings.h"
#include "platform/os_parts.h"
#include "settings_file/ini_settings_store.h"

namespace {

class StderrDiagnostics : public rzv::Diagnostics {
  public:
    void warn(std::string_view line) override {
        std::fprintf(stderr, "save_driver: %.*s\n", static_cast<int>(line.size()), line.data());
    }
    void fatal(std::string_view message) override { warn(message); }
};

class Name : public rzv::ExecutableName {
  public:
    std::string executableName() override { return "RI-ZUZERU-VAVUZA"; }
};

class Formats : public rzv::RegionalFormats {
  public:
    std::string decimalSeparator() override { return "."; }
    std::string currentDate() override { return "07/12/2026"; }
    std::string currentTime() override { return "16:00:00"; }
    std::string dateAndTimeAt(std::int64_t) override { return "07/12/2026 09:00:00"; }
};

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: save_driver settings|log FOLDER\n");
        return 2;
    }
    const std::string mode = argv[1], folder = argv[2];
    StderrDiagnostics diagnostics;
    if (mode == "log") {
        const auto failure =
            rzv::os::makeFileOutput()
                ->replace(folder + "/RI-ZUZERU-VAVUZA.LOG", "- new record -\r\nPC Name = SWEEP\r\n")
                .failure;
        if (!failure.empty()) diagnostics.warn("cannot write the log: " + failure);
        return 0;
    }
    const auto input = rzv::os::makeFileInput();
    const auto locks = rzv::os::makeFileLocks("save_driver");
    const auto output = rzv::os::makeLockedFileOutput();
    rzv::IniSettingsStore store(folder, *input, *locks, *output, diagnostics);
    Name name;
    Formats formats;
    rzv::Settings settings(store, name, formats, diagnostics);
    settings.holdWrites();
    settings.writeWindowPosition(rzv::kMainWindowPlacementKeys, {1500, -600, 4380, 2325});
    settings.writeOption(rzv::SettingKey::AlwaysOnTop_TICKBOX, rzv::TickState::Ticked);
    settings.writeOption(rzv::SettingKey::AUTOSTART_TICKBOX, rzv::TickState::Clear);
    settings.writeOption(rzv::SettingKey::AUTOCLOSE_TICKBOX, rzv::TickState::Greyed);
    settings.saveHeldWrites();
    return 0;
}
