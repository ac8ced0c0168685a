#include "core/settings.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "fakes/fake_platform.h"

namespace rzv {
namespace {

using test::FakePlatform;

class SettingsTest : public ::testing::Test {
  protected:
    Settings settings() {
        return Settings(fake.settings, fake.executable, fake.regional, fake.diagnostics);
    }
    FakePlatform fake;
};

TEST_F(SettingsTest, emptyStoreGivesEveryDefault) {
    auto s = settings();
    EXPECT_EQ(s.readPlacement(SettingKey::MAIN_Left), 1000);
    EXPECT_EQ(s.readPlacement(SettingKey::MAIN_Top), 1000);
    EXPECT_EQ(s.readPlacement(SettingKey::MAIN_Width), 4380);
    EXPECT_EQ(s.readPlacement(SettingKey::MAIN_Height), 2325);
    EXPECT_EQ(s.readPlacement(SettingKey::ABOUT_Width), 5745);
    EXPECT_EQ(s.readPlacement(SettingKey::ABOUT_Height), 4890);
    EXPECT_EQ(s.readOption(SettingKey::AlwaysOnTop_TICKBOX), TickState::Ticked);
    EXPECT_EQ(s.readOption(SettingKey::AUTOSTART_TICKBOX), TickState::Clear);
    EXPECT_EQ(s.readOption(SettingKey::AUTOCLOSE_TICKBOX), TickState::Clear);
    EXPECT_TRUE(fake.diagnostics.warnings.empty());
}

TEST_F(SettingsTest, writtenTextsReadBackInEitherLocale) {
    for (const char* separator : {".", ","}) {
        fake.regional.separator = separator;
        auto s = settings();
        for (float twips : {1000.0f, -1200.0f, 0.0f, 123456.0f, 1234.5f}) {
            s.writePlacement(SettingKey::MAIN_Left, twips);
            EXPECT_EQ(s.readPlacement(SettingKey::MAIN_Left), twips) << separator;
        }
        for (TickState value : {TickState::Clear, TickState::Ticked, TickState::Greyed}) {
            s.writeOption(SettingKey::AUTOCLOSE_TICKBOX, value);
            EXPECT_EQ(s.readOption(SettingKey::AUTOCLOSE_TICKBOX), value);
        }
    }
    EXPECT_TRUE(fake.diagnostics.warnings.empty());
}

TEST_F(SettingsTest, storesPlainTextsUnderTheExecutablesSection) {
    auto s = settings();
    s.writePlacement(SettingKey::MAIN_Left, 1000);
    s.writePlacement(SettingKey::MAIN_Top, -1200);
    s.writeOption(SettingKey::AlwaysOnTop_TICKBOX, TickState::Ticked);
    EXPECT_EQ(fake.settings.get("RI-ZUZERU-VAVUZA", "MAIN_Left"), "1000");
    EXPECT_EQ(fake.settings.get("RI-ZUZERU-VAVUZA", "MAIN_Top"), "-1200");
    EXPECT_EQ(fake.settings.get("RI-ZUZERU-VAVUZA", "AlwaysOnTop_TICKBOX"), "1");
}

TEST_F(SettingsTest, renamedExecutableStartsFromDefaultsAndLeavesOldSectionAlone) {
    fake.settings.put("RI-ZUZERU-VAVUZA", "MAIN_Left", "500");
    fake.executable.name = "renamed";
    auto s = settings();
    EXPECT_EQ(s.readPlacement(SettingKey::MAIN_Left), 1000);
    s.writePlacement(SettingKey::MAIN_Left, 700);
    EXPECT_EQ(fake.settings.get("RI-ZUZERU-VAVUZA", "MAIN_Left"), "500");
    EXPECT_EQ(fake.settings.get("renamed", "MAIN_Left"), "700");
}

struct BadText {
    SettingKey key;
    const char* text;
};

class UnreadableSettingTest : public SettingsTest, public ::testing::WithParamInterface<BadText> {};

TEST_P(UnreadableSettingTest, fallsBackToTheDefaultWithOneWarningNamingKeyAndText) {
    const auto& setting = definitionOf(GetParam().key);
    fake.settings.put("RI-ZUZERU-VAVUZA", setting.name, GetParam().text);
    auto s = settings();
    const double value = setting.form == SettingForm::Option
                             ? static_cast<int>(s.readOption(setting.key))
                             : s.readPlacement(setting.key);
    EXPECT_EQ(value, setting.defaultValue);
    ASSERT_EQ(fake.diagnostics.warnings.size(), 1u);
    EXPECT_NE(fake.diagnostics.warnings[0].find(setting.name), std::string::npos);
    EXPECT_NE(fake.diagnostics.warnings[0].find(GetParam().text), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, UnreadableSettingTest,
    ::testing::Values(
        BadText{SettingKey::MAIN_Left, "left"}, BadText{SettingKey::MAIN_Top, ""},
        BadText{SettingKey::MAIN_Width, "1E39"},  // beyond single precision
        BadText{SettingKey::MAIN_Height, "12px"},
        BadText{SettingKey::MAIN_Left, "1,5"},  // not this locale's separator
        BadText{SettingKey::AlwaysOnTop_TICKBOX, "3"}, BadText{SettingKey::AUTOSTART_TICKBOX, "-1"},
        BadText{SettingKey::AUTOCLOSE_TICKBOX, "70000"},
        BadText{SettingKey::AUTOCLOSE_TICKBOX, "yes"}, BadText{SettingKey::ABOUT_Left, "nan"},
        // Sizes the window system cannot show.
        BadText{SettingKey::MAIN_Width, "0"}, BadText{SettingKey::MAIN_Height, "-1"},
        BadText{SettingKey::MAIN_Width, "-1e30"}, BadText{SettingKey::ABOUT_Height, "1e9"},
        BadText{SettingKey::ABOUT_Width, "491506"}));

TEST_F(SettingsTest, positionsMayLieAnywhereAndSizesUpToTheLargestWindow) {
    const std::pair<SettingKey, const char*> kept[] = {{SettingKey::MAIN_Left, "3.4e38"},
                                                       {SettingKey::ABOUT_Top, "-1e30"},
                                                       {SettingKey::MAIN_Width, "491505"},
                                                       {SettingKey::ABOUT_Height, "0.5"}};
    for (const auto& [key, text] : kept) {
        fake.settings.put("RI-ZUZERU-VAVUZA", definitionOf(key).name, text);
        EXPECT_EQ(settings().readPlacement(key), std::stof(text)) << text;
    }
    EXPECT_TRUE(fake.diagnostics.warnings.empty());
}

TEST_F(SettingsTest, aWarningStaysOneLineWhateverTheTextHolds) {
    using namespace std::string_literals;
    fake.settings.put("RI-ZUZERU-VAVUZA", "MAIN_Left", "up\nper\0 edge\r\n"s);
    settings().readPlacement(SettingKey::MAIN_Left);
    ASSERT_EQ(fake.diagnostics.warnings.size(), 1u);
    EXPECT_EQ(fake.diagnostics.warnings[0].find_first_of("\r\n"s + '\0'), std::string::npos);
    EXPECT_NE(fake.diagnostics.warnings[0].find("\"up\\nper\\x00 edge\\r\\n\""), std::string::npos);
}

TEST_F(SettingsTest, greyedOptionValueIsKept) {
    fake.settings.put("RI-ZUZERU-VAVUZA", "AUTOSTART_TICKBOX", "2");
    EXPECT_EQ(settings().readOption(SettingKey::AUTOSTART_TICKBOX), TickState::Greyed);
    EXPECT_TRUE(fake.diagnostics.warnings.empty());
}

}  // namespace
}  // namespace rzv
