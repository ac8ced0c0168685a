// The remembered placement and options: every key with its form and default, read and written
// under application "QV_ZIV" and a section named after the executable.
#pragma once

#include <array>
#include <cstddef>

#include "core/main_window.h"
#include "platform/diagnostics.h"
#include "platform/executable_name.h"
#include "platform/platform.h"
#include "platform/regional_formats.h"
#include "platform/settings_store.h"

namespace rzv {

enum class SettingKey {
    MAIN_Left,
    MAIN_Top,
    MAIN_Width,
    MAIN_Height,
    AlwaysOnTop_TICKBOX,
    AUTOSTART_TICKBOX,
    AUTOCLOSE_TICKBOX,
    ABOUT_Left,
    ABOUT_Top,
    ABOUT_Width,
    ABOUT_Height,
};
inline constexpr std::size_t kSettingKeyCount =
    static_cast<std::size_t>(SettingKey::ABOUT_Height) + 1;

enum class SettingForm {
    Placement,  // twips as a single-precision number ("1000", "-1200")
    Size,       // the same, positive and no larger than kLargestWindowTwips
    Option,     // a tickbox value as a 16-bit integer ("0", "1", "2")
};

// The largest window X11 and Win32 draw: 32767 pixels, at 96 DPI (15 twips a pixel). A larger
// stored size would make a window whose title bar and edges are out of reach.
inline constexpr float kLargestWindowTwips = 32767.0f * 15.0f;

struct SettingDefinition {
    SettingKey key;
    const char* name;
    SettingForm form;
    int defaultValue;
};

inline constexpr const char* kSettingsApplication = "QV_ZIV";
extern const std::array<SettingDefinition, kSettingKeyCount> kSettingKeys;
const SettingDefinition& definitionOf(SettingKey key);

// The keys of a window's left edge, top edge, width and height.
struct WindowPlacementKeys {
    SettingKey left, top, width, height;
};
inline constexpr WindowPlacementKeys kMainWindowPlacementKeys = {
    SettingKey::MAIN_Left, SettingKey::MAIN_Top, SettingKey::MAIN_Width, SettingKey::MAIN_Height};
inline constexpr WindowPlacementKeys kAboutWindowPlacementKeys = {
    SettingKey::ABOUT_Left, SettingKey::ABOUT_Top, SettingKey::ABOUT_Width,
    SettingKey::ABOUT_Height};

class Settings {
  public:
    // The program's settings, in the platform's store.
    explicit Settings(Platform& platform)
        : Settings(platform.settings, platform.executable, platform.regional,
                   platform.diagnostics) {}
    Settings(SettingsStore& store, ExecutableName& executable, RegionalFormats& regional,
             Diagnostics& diagnostics)
        : store_(store), executable_(executable), regional_(regional), diagnostics_(diagnostics) {}

    // A stored text that does not convert, or does not fit its form, gives the key's default and
    // one warning naming the key and the text (on one line, its controls escaped): a
    // hand-edited store must not keep the program from starting. Positions may lie anywhere.
    float readPlacement(SettingKey key);
    TickState readOption(SettingKey key);

    void writePlacement(SettingKey key, float twips);

    // Left, top, width and height, read in this order; the size is never written, nor a position
    // the window system never told.
    Placement readWindowPlacement(const WindowPlacementKeys& keys);
    void writeWindowPosition(const WindowPlacementKeys& keys, const Placement& placement);
    void writeOption(SettingKey key, TickState value);

    // Writes from here on are held, and saved together by saveHeldWrites(): one write of the
    // store, whose failure is reported once.
    void holdWrites() { holding_ = true; }
    void saveHeldWrites();

  private:
    template <typename Convert>
    auto readConverted(SettingKey key, Convert convert);
    std::string readText(const SettingDefinition& setting, std::string_view defaultText);
    void writeText(const SettingDefinition& setting, std::string_view text);
    void warnUnreadable(const SettingDefinition& setting, std::string_view text);

    SettingsStore& store_;
    ExecutableName& executable_;
    RegionalFormats& regional_;
    Diagnostics& diagnostics_;
    bool holding_ = false;
    SettingsStore::Texts held_;
};

}  // namespace rzv
