#include "about/about_reactions.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "fakes/fake_window_system.h"
#include "wiring/reactions.h"

namespace rzv {
namespace {

using test::FakePlatform;
using test::FakeWindowSystem;
using Operations = std::vector<std::string>;

constexpr const char* kSection = "RI-ZUZERU-VAVUZA";

class AboutWindowTest : public ::testing::Test {
  protected:
    AboutWindowTest() { window.setObserver(&windowSystem); }
    void openAbout(std::function<void(AboutWindow&, AboutReactions&)> whileOpen = {}) {
        fake.about.whileOpen = std::move(whileOpen);
        reactions.click(Button::ABOUT_BUTTON);
    }
    std::vector<std::string> aboutOperations() const {
        std::vector<std::string> about;
        for (const auto& op : fake.settings.operations)
            if (op.find("ABOUT_") != std::string::npos) about.push_back(op);
        return about;
    }

    FakePlatform fake;
    MainWindow window{fake.timers};
    MainWindowReactions reactions{window, fake.platform, fake.about};
    FakeWindowSystem windowSystem{reactions, fake};
};

TEST_F(AboutWindowTest, firstOpeningStandsAtTheDefaultPlaceWithTheDesignedTexts) {
    reactions.load();
    Placement seen{};
    std::string report, creator, version;
    openAbout([&](AboutWindow& about, AboutReactions&) {
        seen = about.placement();
        report = about.report();
        creator = about.caption(AboutLabel::CREATOR_TEXTBOX);
        version = about.caption(AboutLabel::VERSION_TEXTBOX);
    });
    EXPECT_EQ(seen.left, 1000);
    EXPECT_EQ(seen.top, 1000);
    EXPECT_EQ(seen.width, 5745);
    EXPECT_EQ(seen.height, 4890);
    EXPECT_EQ(report, "!!! TIMERS DISABLED !!!\r\n");
    EXPECT_EQ(creator, "");
    EXPECT_EQ(version, "Version 1.0");
    EXPECT_EQ(aboutOperations(),
              (Operations{"read ABOUT_Left", "read ABOUT_Top", "read ABOUT_Width",
                          "read ABOUT_Height", "write ABOUT_Left=1000", "write ABOUT_Top=1000"}));
}

TEST_F(AboutWindowTest, okWritesThePositionAndTheUnloadWritesItAgain) {
    reactions.load();
    openAbout([](AboutWindow& about, AboutReactions& r) {
        about.notePlacement({2500, -300, 9000, 9000});
        r.okClick();
    });
    EXPECT_FALSE(fake.about.isOpen());
    const auto ops = aboutOperations();
    EXPECT_EQ(Operations(ops.begin() + 4, ops.end()),
              (Operations{"write ABOUT_Left=2500", "write ABOUT_Top=-300", "write ABOUT_Left=2500",
                          "write ABOUT_Top=-300"}));
}

TEST_F(AboutWindowTest, aPositionTheWindowSystemNeverToldIsNotSavedByOkOrUnload) {
    reactions.load();
    openAbout([](AboutWindow& about, AboutReactions& r) {
        about.notePlacement({0, 0, 5745, 4890, false});
        r.okClick();
    });
    EXPECT_FALSE(fake.about.isOpen());
    EXPECT_EQ(aboutOperations(), (Operations{"read ABOUT_Left", "read ABOUT_Top",
                                             "read ABOUT_Width", "read ABOUT_Height"}));
}

TEST_F(AboutWindowTest, positionCarriesOverToTheNextOpeningAndRunButTheSizeNever) {
    reactions.load();
    openAbout([](AboutWindow& about, AboutReactions&) {
        about.notePlacement({2500, 700, 9000, 9000});  // moved and enlarged, closed by title bar
    });
    Placement seen{};
    openAbout([&](AboutWindow& about, AboutReactions&) { seen = about.placement(); });
    EXPECT_EQ(seen.left, 2500);
    EXPECT_EQ(seen.top, 700);
    EXPECT_EQ(seen.width, 5745);
    EXPECT_EQ(seen.height, 4890);
    EXPECT_FALSE(fake.settings.get(kSection, "ABOUT_Width"));

    MainWindow nextRun(fake.timers);
    MainWindowReactions nextReactions(nextRun, fake.platform, fake.about);
    nextReactions.load();
    fake.about.whileOpen = [&](AboutWindow& about, AboutReactions&) { seen = about.placement(); };
    nextReactions.click(Button::ABOUT_BUTTON);
    EXPECT_EQ(seen.left, 2500);
    EXPECT_EQ(seen.top, 700);
}

TEST_F(AboutWindowTest, theCopyIsTakenAtOpeningAndNotRefreshedByARunsWrite) {
    fake.settings.put(kSection, "AUTOSTART_TICKBOX", "1");
    reactions.load();
    fake.timers.advance(5000);
    std::string shownAfterTheWrite;
    openAbout([&](AboutWindow& about, AboutReactions&) {
        fake.timers.advance(10000);  // the run writes its record at 11 s, inside the modal loop
        shownAfterTheWrite = about.report();
    });
    EXPECT_EQ(fake.files.writes, 1);
    EXPECT_EQ(shownAfterTheWrite, "!!! TIMERS DISABLED !!!\r\n");
    EXPECT_NE(window.text(Field::OUTPUT_REPORT_TEXTBOX), shownAfterTheWrite);
    std::string shownNextTime;
    openAbout([&](AboutWindow& about, AboutReactions&) { shownNextTime = about.report(); });
    EXPECT_EQ(shownNextTime, window.text(Field::OUTPUT_REPORT_TEXTBOX));
}

TEST_F(AboutWindowTest, theCreditLineShowsTheContactUntilTheWindowCloses) {
    reactions.load();
    std::string afterDoubleClicks;
    openAbout([&](AboutWindow& about, AboutReactions& r) {
        r.creatorDoubleClick();
        r.creatorDoubleClick();
        afterDoubleClicks = about.caption(AboutLabel::CREATOR_TEXTBOX);
    });
    EXPECT_EQ(afterDoubleClicks, "uptime-tool@example.org");
    std::string reopened = "?";
    openAbout([&](AboutWindow& about, AboutReactions&) {
        reopened = about.caption(AboutLabel::CREATOR_TEXTBOX);
    });
    EXPECT_EQ(reopened, "");
}

TEST_F(AboutWindowTest, anUnreadableStoredPositionTakesItsDefault) {
    fake.settings.put(kSection, "ABOUT_Top", "top of the screen");
    fake.settings.put(kSection, "ABOUT_Height", "1E40");
    reactions.load();
    Placement seen{};
    openAbout([&](AboutWindow& about, AboutReactions&) { seen = about.placement(); });
    EXPECT_EQ(seen.top, 1000);
    EXPECT_EQ(seen.height, 4890);
    EXPECT_EQ(fake.diagnostics.warnings.size(), 2u);
    EXPECT_EQ(fake.settings.get(kSection, "ABOUT_Top"), "1000");  // sound again after closing
}

TEST_F(AboutWindowTest, autoCloseWithTheAboutWindowOpenClosesItFirstThenThePrograms) {
    fake.settings.put(kSection, "AUTOSTART_TICKBOX", "1");
    fake.settings.put(kSection, "AUTOCLOSE_TICKBOX", "1");
    reactions.load();
    fake.timers.advance(3000);
    fake.settings.operations.clear();
    bool openAtTheEnd = true;
    openAbout([&](AboutWindow& about, AboutReactions&) {
        about.notePlacement({3000, 2000, 5745, 4890});
        fake.timers.advance(30000);  // the auto close comes at 21 s, inside the modal loop
        openAtTheEnd = fake.about.isOpen();
    });
    EXPECT_FALSE(openAtTheEnd);
    EXPECT_TRUE(windowSystem.closed);
    EXPECT_EQ(
        fake.settings.operations,
        (Operations{"read ABOUT_Left", "read ABOUT_Top", "read ABOUT_Width", "read ABOUT_Height",
                    "write ABOUT_Left=3000", "write ABOUT_Top=2000", "write MAIN_Left=1000",
                    "write MAIN_Top=1000", "write AlwaysOnTop_TICKBOX=1",
                    "write AUTOSTART_TICKBOX=1", "write AUTOCLOSE_TICKBOX=1"}));
    EXPECT_EQ(fake.files.writes, 1);
}

}  // namespace
}  // namespace rzv
