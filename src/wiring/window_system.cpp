#include "wiring/window_system.h"

namespace rzv {

bool runThroughX11(const WindowSystemFacts& facts, const std::function<bool()>& xServerAnswers) {
    const bool userChose = !facts.qtPlatform.empty() || !facts.platformArgument.empty();
    const bool waylandSession = !facts.waylandDisplay.empty() || facts.sessionType == "wayland";
    return !userChose && waylandSession && !facts.xDisplay.empty() && xServerAnswers();
}

}  // namespace rzv
