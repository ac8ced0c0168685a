#include "gui/qt/main_window_view.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "fakes/fake_platform.h"
#include "gui/qt/read_only_text_box.h"
#include "gui/qt/twips.h"
#include "wiring/reactions.h"

namespace rzv {
namespace {

// The real window on fake platform parts, loaded and shown as the program does it.
class MainWindowViewTest : public ::testing::Test {
  protected:
    MainWindowViewTest() {
        reactions.load();
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
        // The platform reports its frame after showing; the client area is then fitted to it.
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return view.frameGeometry().size() == QSize(292, 155); }));
    }

    template <typename W, typename Id>
    W* widget(Id id) const {
        return qobject_cast<W*>(view.widgetFor(layoutOf(id)));
    }
    QRect expectedRect(const TwipsRect& r) const {
        return QRect(Twips(&view).x(r.left), Twips(&view).y(r.top), Twips(&view).x(r.width),
                     Twips(&view).y(r.height));
    }

    test::FakePlatform fake;
    MainWindow model{fake.timers};
    MainWindowReactions reactions{model, fake.platform, fake.about};
    MainWindowView view{model,
                        {[this](Button b) { reactions.click(b); }, [this] { reactions.unload(); },
                         [this] { return reactions.uptimeDetails(); }}};
};

TEST_F(MainWindowViewTest, opensAtTheDefaultPlaceAndSize) {
    ASSERT_EQ(view.logicalDpiX(), 96);
    EXPECT_EQ(view.windowTitle(), "RI-ZUZERU-VAVUZA");
    EXPECT_FALSE(view.windowIcon().isNull());
    // 1000 twips is 66.7 px; 4380 x 2325 twips outer is 292 x 155 px.
    EXPECT_EQ(view.frameGeometry(), QRect(67, 67, 292, 155));
}

TEST_F(MainWindowViewTest, showsTheElevenVisibleControlsAsDesigned) {
    for (const auto& control : kMainWindowControls) {
        QWidget* w = view.widgetFor(control);
        ASSERT_NE(w, nullptr) << control.name;
        EXPECT_EQ(w->objectName(), control.name);
        EXPECT_EQ(w->geometry(), expectedRect(control.rect)) << control.name;
        const bool seen = view.rect().contains(w->geometry());
        EXPECT_EQ(seen, control.rect.left < 4320 && control.rect.top < 3600) << control.name;
    }
    EXPECT_EQ(widget<QLabel>(Label::CURRENT_STATUS_LABEL)->text(), "READY...");
    EXPECT_EQ(widget<QPushButton>(Button::START_STOP_BUTTON)->text(), "START");
    auto* display =
        dynamic_cast<ReadOnlyTextBox*>(view.widgetFor(layoutOf(Field::QV_UPTIME_DISPLAY_TEXTBOX)));
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->text(), "TIMERS DISABLED");
    EXPECT_EQ(display->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(display->palette().color(QPalette::Text), QColor(0, 255, 0));
    EXPECT_TRUE(display->font().bold());
    EXPECT_DOUBLE_EQ(display->font().pointSizeF(), 9.75);
    auto* title = widget<QLabel>(Label::QV_TITLE_1);
    EXPECT_EQ(title->text(), "QUORVANE");
    EXPECT_EQ(title->palette().color(QPalette::Window), QColor(0, 0, 0));
    EXPECT_EQ(title->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    EXPECT_DOUBLE_EQ(title->font().pointSizeF(), 9);
    EXPECT_TRUE(widget<QLabel>(Label::STATUS_LABEL)->font().bold());
    EXPECT_EQ(widget<QCheckBox>(Tickbox::AlwaysOnTop_TICKBOX)->checkState(), Qt::Checked);
    EXPECT_EQ(widget<QCheckBox>(Tickbox::AUTOSTART_TICKBOX)->checkState(), Qt::Unchecked);
    EXPECT_FALSE(widget<QCheckBox>(Tickbox::AUTOCLOSE_TICKBOX)->isEnabled());
}

TEST_F(MainWindowViewTest, tabOrderFollowsTheDesignedFocusOrder) {
    QWidget* expected[] = {widget<QWidget>(Button::START_STOP_BUTTON),
                           widget<QWidget>(Tickbox::AUTOSTART_TICKBOX),
                           widget<QWidget>(Tickbox::AUTOCLOSE_TICKBOX),
                           widget<QWidget>(Tickbox::AlwaysOnTop_TICKBOX),
                           widget<QWidget>(Button::ABOUT_BUTTON),
                           widget<QWidget>(Field::QV_UPTIME_DISPLAY_TEXTBOX),
                           widget<QWidget>(Field::YEARS_TB)};
    for (std::size_t i = 1; i < std::size(expected); ++i)
        EXPECT_EQ(expected[i - 1]->nextInFocusChain(), expected[i]) << i;
}

TEST_F(MainWindowViewTest, clicksOnTickboxesReachTheModel) {
    auto* autostart = widget<QCheckBox>(Tickbox::AUTOSTART_TICKBOX);
    QTest::mouseClick(autostart, Qt::LeftButton, {}, autostart->rect().center());
    EXPECT_EQ(model.value(Tickbox::AUTOSTART_TICKBOX), TickState::Ticked);
    // The reaction made Auto Close available; the widget follows.
    auto* autoclose = widget<QCheckBox>(Tickbox::AUTOCLOSE_TICKBOX);
    EXPECT_TRUE(autoclose->isEnabled());
    QTest::mouseClick(autoclose, Qt::LeftButton, {}, autoclose->rect().center());
    EXPECT_EQ(model.value(Tickbox::AUTOCLOSE_TICKBOX), TickState::Ticked);
    QTest::mouseClick(autostart, Qt::LeftButton, {}, autostart->rect().center());
    EXPECT_EQ(model.value(Tickbox::AUTOSTART_TICKBOX), TickState::Clear);
    EXPECT_EQ(autoclose->checkState(), Qt::Unchecked);
    EXPECT_FALSE(autoclose->isEnabled());
}

TEST_F(MainWindowViewTest, theStartButtonStartsAndStopsARun) {
    auto* button = widget<QPushButton>(Button::START_STOP_BUTTON);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(button->text(), "STOP");
    EXPECT_EQ(widget<QLabel>(Label::CURRENT_STATUS_LABEL)->text(), "!!! STARTING !!!");
    EXPECT_TRUE(widget<QCheckBox>(Tickbox::AUTOCLOSE_TICKBOX)->isEnabled());
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(button->text(), "START");
    EXPECT_EQ(widget<QLabel>(Label::CURRENT_STATUS_LABEL)->text(), "!!! ABORTED !!!");
}

TEST_F(MainWindowViewTest, aDimmedTickShowsAsPartialAndAClickTicksIt) {
    model.setValue(Tickbox::AlwaysOnTop_TICKBOX, TickState::Greyed);
    auto* box = widget<QCheckBox>(Tickbox::AlwaysOnTop_TICKBOX);
    EXPECT_EQ(box->checkState(), Qt::PartiallyChecked);
    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    EXPECT_EQ(model.value(Tickbox::AlwaysOnTop_TICKBOX), TickState::Ticked);
    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    EXPECT_EQ(model.value(Tickbox::AlwaysOnTop_TICKBOX), TickState::Clear);
}

TEST_F(MainWindowViewTest, modelWritesReachTheWidgets) {
    model.setText(Field::QV_UPTIME_DISPLAY_TEXTBOX, "3d, 4h, 5m, 6s");
    model.setDisplayBackColour(kBlack);
    model.setCaption(Label::CURRENT_STATUS_LABEL, "!!! STARTING !!!");
    model.setCaption(Button::START_STOP_BUTTON, "STOP");
    auto* display =
        dynamic_cast<ReadOnlyTextBox*>(view.widgetFor(layoutOf(Field::QV_UPTIME_DISPLAY_TEXTBOX)));
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->text(), "3d, 4h, 5m, 6s");
    EXPECT_EQ(display->palette().color(QPalette::Base), QColor(0, 0, 0));
    EXPECT_EQ(widget<QLabel>(Label::CURRENT_STATUS_LABEL)->text(), "!!! STARTING !!!");
    EXPECT_EQ(widget<QPushButton>(Button::START_STOP_BUTTON)->text(), "STOP");
}

TEST_F(MainWindowViewTest, offScreenFieldsCatchUpWhenTheWindowIsEnlarged) {
    model.setText(Field::DAYS_TB, "45.2549537037037");
    model.setText(Field::OUTPUT_REPORT_TEXTBOX, "line one\r\nline two\r\n");
    auto* days = dynamic_cast<ReadOnlyTextBox*>(view.widgetFor(layoutOf(Field::DAYS_TB)));
    ASSERT_NE(days, nullptr);
    EXPECT_EQ(days->text(), "DAYS_TB");  // out of sight, not yet painted
    // A frame thinner than designed widens the client by a few pixels: no box edge peeks in.
    auto* report = view.widgetFor(layoutOf(Field::OUTPUT_REPORT_TEXTBOX));
    view.resize(290, 130);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.width() == 290; }, 2000));
    EXPECT_TRUE(report->isHidden());
    view.resize(Twips(&view).x(kDesignClientWidth), Twips(&view).y(kDesignClientHeight));
    EXPECT_TRUE(QTest::qWaitFor([&] { return days->text() == "45.2549537037037"; }, 2000))
        << days->text().toStdString();
    EXPECT_FALSE(report->isHidden());
    EXPECT_EQ(view.widgetFor(layoutOf(Field::OUTPUT_REPORT_TEXTBOX))->property("plainText"),
              "line one\nline two\n");
}

TEST_F(MainWindowViewTest, tellsTheModelWhenValueFieldsComeIntoViewAndLeaveIt) {
    EXPECT_FALSE(model.valueFieldsInView());
    EXPECT_GE(model.framePeriodMs(), 1);
    const QSize sizes[] = {
        {Twips(&view).x(kDesignClientWidth), Twips(&view).y(kDesignClientHeight)}, {290, 130}};
    for (bool inView : {true, false}) {
        view.resize(sizes[inView ? 0 : 1]);
        EXPECT_TRUE(QTest::qWaitFor([&] { return model.valueFieldsInView() == inView; }, 2000))
            << inView;
    }
}

TEST_F(MainWindowViewTest, closingSavesPlacementAndOptions) {
    model.setValue(Tickbox::AlwaysOnTop_TICKBOX, TickState::Clear);
    view.close();
    EXPECT_EQ(fake.settings.get("RI-ZUZERU-VAVUZA", "MAIN_Left"), "1000");
    EXPECT_EQ(fake.settings.get("RI-ZUZERU-VAVUZA", "MAIN_Top"), "1000");
    EXPECT_EQ(fake.settings.get("RI-ZUZERU-VAVUZA", "AlwaysOnTop_TICKBOX"), "0");
    EXPECT_FALSE(fake.settings.get("RI-ZUZERU-VAVUZA", "MAIN_Width"));
    // A second close does not save again.
    fake.settings.operations.clear();
    view.close();
    EXPECT_TRUE(fake.settings.operations.empty());
}

TEST_F(MainWindowViewTest, aMovedWindowSavesItsNewPlace) {
    view.move(200, 100);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return view.frameGeometry().topLeft() == QPoint(200, 100); }));
    view.close();
    EXPECT_EQ(fake.settings.get("RI-ZUZERU-VAVUZA", "MAIN_Left"), "3000");
    EXPECT_EQ(fake.settings.get("RI-ZUZERU-VAVUZA", "MAIN_Top"), "1500");
}

}  // namespace
}  // namespace rzv
