#include "about/about_reactions.h"

#include "core/settings.h"

namespace rzv {

void AboutReactions::load() {
    about_.setPlacement(Settings(platform_).readWindowPlacement(kAboutWindowPlacementKeys));
    about_.setReport(main_.text(Field::OUTPUT_REPORT_TEXTBOX));
}

void AboutReactions::savePosition() {
    Settings settings(platform_);
    settings.holdWrites();
    settings.writeWindowPosition(kAboutWindowPlacementKeys, about_.placement());
    settings.saveHeldWrites();
}

void AboutReactions::okClick() {
    savePosition();
    about_.requestClose();
}

void AboutReactions::unload() {
    savePosition();
}

void AboutReactions::creatorDoubleClick() {
    about_.setCaption(AboutLabel::CREATOR_TEXTBOX, kCreatorContact);
}

void onAboutClick(const MainWindow& main, Platform& platform, AboutWindowHost& host) {
    AboutWindow about;
    AboutReactions reactions(about, main, platform);
    host.showModal(about, reactions);
}

}  // namespace rzv
