#include "core/settings.h"

#include <cfloat>
#include <cmath>
#include <string>

#include "core/control_characters.h"
#include "core/number_text.h"

namespace rzv {

const std::array<SettingDefinition, kSettingKeyCount> kSettingKeys = {{
    {SettingKey::MAIN_Left, "MAIN_Left", SettingForm::Placement, 1000},
    {SettingKey::MAIN_Top, "MAIN_Top", SettingForm::Placement, 1000},
    {SettingKey::MAIN_Width, "MAIN_Width", SettingForm::Size, 4380},
    {SettingKey::MAIN_Height, "MAIN_Height", SettingForm::Size, 2325},
    {SettingKey::AlwaysOnTop_TICKBOX, "AlwaysOnTop_TICKBOX", SettingForm::Option, 1},
    {SettingKey::AUTOSTART_TICKBOX, "AUTOSTART_TICKBOX", SettingForm::Option, 0},
    {SettingKey::AUTOCLOSE_TICKBOX, "AUTOCLOSE_TICKBOX", SettingForm::Option, 0},
    {SettingKey::ABOUT_Left, "ABOUT_Left", SettingForm::Placement, 1000},
    {SettingKey::ABOUT_Top, "ABOUT_Top", SettingForm::Placement, 1000},
    {SettingKey::ABOUT_Width, "ABOUT_Width", SettingForm::Size, 5745},
    {SettingKey::ABOUT_Height, "ABOUT_Height", SettingForm::Size, 4890},
}};

const SettingDefinition& definitionOf(SettingKey key) {
    return kSettingKeys[static_cast<std::size_t>(key)];
}

namespace {

constexpr int kPlacementDigits = 7;  // what a single-precision number carries

std::optional<float> placementFrom(std::string_view text, std::string_view separator) {
    const auto value = strictNumber(text, separator);
    if (!value || std::fabs(*value) > FLT_MAX) return std::nullopt;
    return static_cast<float>(*value);
}

std::optional<float> sizeFrom(std::string_view text, std::string_view separator) {
    const auto value = placementFrom(text, separator);
    if (!value || !(*value > 0) || *value > kLargestWindowTwips) return std::nullopt;
    return value;
}

std::string expectedFor(SettingForm form) {
    switch (form) {
        case SettingForm::Placement:
            return "window position";
        case SettingForm::Size:
            return "window size (more than 0, at most " +
                   std::string(wholeNumberText(static_cast<int>(kLargestWindowTwips))) + " twips)";
        case SettingForm::Option:
            return "option (0, 1 or 2)";
    }
    return {};
}

// A 16-bit integer reading rounds half to even, as a conversion to a whole number does; a
// tickbox then takes only 0, 1 and 2.
std::optional<int> optionFrom(std::string_view text, std::string_view separator) {
    const auto value = strictNumber(text, separator);
    if (!value) return std::nullopt;
    const double whole = std::nearbyint(*value);
    if (whole < 0 || whole > 2) return std::nullopt;
    return static_cast<int>(whole);
}

}  // namespace

std::string Settings::readText(const SettingDefinition& setting, std::string_view defaultText) {
    return store_.read(kSettingsApplication, executable_.executableName(), setting.name,
                       defaultText);
}

void Settings::writeText(const SettingDefinition& setting, std::string_view text) {
    if (holding_)
        held_.emplace_back(setting.name, std::string(text));
    else
        store_.write(kSettingsApplication, executable_.executableName(), setting.name, text);
}

void Settings::saveHeldWrites() {
    holding_ = false;
    const auto failure = store_.writeAll(kSettingsApplication, executable_.executableName(), held_);
    held_.clear();
    if (!failure.empty()) diagnostics_.warn(failure);
}

void Settings::warnUnreadable(const SettingDefinition& setting, std::string_view text) {
    std::string line = "setting ";
    line += setting.name;
    line += " holds \"";
    line += withControlsEscaped(text);
    line += "\", which is not a valid ";
    line += expectedFor(setting.form);
    line += "; using the default ";
    line += std::to_string(setting.defaultValue);
    diagnostics_.warn(line);
}

template <typename Convert>
auto Settings::readConverted(SettingKey key, Convert convert) {
    const auto& setting = definitionOf(key);
    const auto text = readText(setting, wholeNumberText(setting.defaultValue));
    const auto value = convert(text, regional_.decimalSeparator());
    if (value) return *value;
    warnUnreadable(setting, text);
    return static_cast<typename decltype(value)::value_type>(setting.defaultValue);
}

float Settings::readPlacement(SettingKey key) {
    return definitionOf(key).form == SettingForm::Size ? readConverted(key, sizeFrom)
                                                       : readConverted(key, placementFrom);
}

TickState Settings::readOption(SettingKey key) {
    return static_cast<TickState>(readConverted(key, optionFrom));
}

void Settings::writePlacement(SettingKey key, float twips) {
    writeText(definitionOf(key),
              decimalText(twips, regional_.decimalSeparator(), kPlacementDigits));
}

Placement Settings::readWindowPlacement(const WindowPlacementKeys& keys) {
    Placement placement{};
    placement.left = readPlacement(keys.left);
    placement.top = readPlacement(keys.top);
    placement.width = readPlacement(keys.width);
    placement.height = readPlacement(keys.height);
    return placement;
}

void Settings::writeWindowPosition(const WindowPlacementKeys& keys, const Placement& placement) {
    if (!placement.positionKnown) return;  // the stored place stays for a desktop that knows it
    writePlacement(keys.left, placement.left);
    writePlacement(keys.top, placement.top);
}

void Settings::writeOption(SettingKey key, TickState value) {
    writeText(definitionOf(key), wholeNumberText(static_cast<int>(value)));
}

}  // namespace rzv
