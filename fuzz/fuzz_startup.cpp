// Start-up over a settings store holding arbitrary texts in every key (one line of the input
// each): the window must always come up in one of its two states, run its uptime and save
// sound values at shut-down, and the About window must open over the same store.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/settings.h"
#include "fakes/fake_platform.h"
#include "wiring/reactions.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    rzv::test::FakePlatform fake;
    for (const auto& key : rzv::kSettingKeys) {
        const auto end = input.find('\n');
        fake.settings.put("RI-ZUZERU-VAVUZA", key.name, std::string(input.substr(0, end)));
        if (end == std::string_view::npos) break;
        input.remove_prefix(end + 1);
    }
    fake.ticks.bootOffset = 273906000;

    rzv::MainWindow window(fake.timers);
    rzv::MainWindowReactions reactions(window, fake.platform, fake.about);
    reactions.load();
    const auto& status = window.caption(rzv::Label::CURRENT_STATUS_LABEL);
    require(status == "READY..." || status == "!!! AUTOSTARTING !!!");
    require(fake.diagnostics.fatals.empty());
    const auto p = window.placement();
    require(std::isfinite(p.left) && std::isfinite(p.top) && std::isfinite(p.width) &&
            std::isfinite(p.height));
    for (auto t : {rzv::Tickbox::AUTOSTART_TICKBOX, rzv::Tickbox::AUTOCLOSE_TICKBOX,
                   rzv::Tickbox::AlwaysOnTop_TICKBOX}) {
        const int state = static_cast<int>(window.value(t));  // one of the three, however read
        require(state >= 0 && state <= 2);
    }

    fake.timers.advance(5);
    if (status == "!!! AUTOSTARTING !!!")
        require(window.text(rzv::Field::QV_UPTIME_DISPLAY_TEXTBOX) == "3d, 4h, 5m, 6s");
    reactions.click(rzv::Button::ABOUT_BUTTON);
    reactions.unload();

    // What shut-down and the About window wrote reads back without a warning.
    fake.diagnostics.warnings.clear();
    rzv::Settings settings(fake.settings, fake.executable, fake.regional, fake.diagnostics);
    for (auto key : {rzv::SettingKey::MAIN_Left, rzv::SettingKey::MAIN_Top,
                     rzv::SettingKey::ABOUT_Left, rzv::SettingKey::ABOUT_Top})
        settings.readPlacement(key);
    for (auto key : {rzv::SettingKey::AlwaysOnTop_TICKBOX, rzv::SettingKey::AUTOSTART_TICKBOX,
                     rzv::SettingKey::AUTOCLOSE_TICKBOX})
        settings.readOption(key);
    require(fake.diagnostics.warnings.empty());
    return 0;
}
