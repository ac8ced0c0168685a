// How the main window presents itself: to a screen reader, to the keyboard, and at any scale.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <utility>

#include "fakes/fake_platform.h"
#include "gui/qt/main_window_view.h"
#include "gui/qt/read_only_text_box.h"
#include "wiring/reactions.h"

namespace rzv {
namespace {

class PresentationTest : public ::testing::Test {
  protected:
    PresentationTest() {
        reactions.load();
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    std::vector<QWidget*> visibleControls() const {
        std::vector<QWidget*> visible;
        for (const auto& control : kMainWindowControls)
            if (control.rect.left < 4320 && control.rect.top < 3600)
                visible.push_back(view.widgetFor(control));
        return visible;
    }
    static QString accessibleName(QWidget* w) {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    }

    test::FakePlatform fake;
    MainWindow model{fake.timers};
    MainWindowReactions reactions{model, fake.platform, fake.about};
    MainWindowView view{model, {[this](Button b) { reactions.click(b); }, [] {}, {}}};
};

TEST_F(PresentationTest, everyVisibleControlHasAnAccessibleNameThatFollowsItsText) {
    ASSERT_EQ(visibleControls().size(), 11u);
    for (QWidget* w : visibleControls())
        EXPECT_FALSE(accessibleName(w).isEmpty()) << w->objectName().toStdString();
    QWidget* status = view.widgetFor(layoutOf(Label::CURRENT_STATUS_LABEL));
    QWidget* display = view.widgetFor(layoutOf(Field::QV_UPTIME_DISPLAY_TEXTBOX));
    model.setCaption(Label::CURRENT_STATUS_LABEL, "!!! STARTING !!!");
    model.setText(Field::QV_UPTIME_DISPLAY_TEXTBOX, "3d, 4h, 5m, 6s");
    EXPECT_EQ(accessibleName(status), "!!! STARTING !!!");
    EXPECT_EQ(accessibleName(display), "UPTIME:");  // its caption
    EXPECT_EQ(QAccessible::queryAccessibleInterface(display)->text(QAccessible::Value),
              "3d, 4h, 5m, 6s");
}

TEST_F(PresentationTest, theKeyboardReachesAndWorksEveryControl) {
    auto* start = qobject_cast<QPushButton*>(view.widgetFor(layoutOf(Button::START_STOP_BUTTON)));
    auto* autostart =
        qobject_cast<QCheckBox*>(view.widgetFor(layoutOf(Tickbox::AUTOSTART_TICKBOX)));
    view.activateWindow();
    start->setFocus();
    QTest::keyClick(start, Qt::Key_Tab);
    EXPECT_EQ(view.focusWidget(), autostart);
    QTest::keyClick(autostart, Qt::Key_Space);
    EXPECT_EQ(model.value(Tickbox::AUTOSTART_TICKBOX), TickState::Ticked);
    QTest::keyClick(start, Qt::Key_Space);
    EXPECT_EQ(model.caption(Button::START_STOP_BUTTON), "STOP");
}

int indicatorWidth(QCheckBox* box) {
    QStyleOptionButton option;
    option.initFrom(box);
    return box->style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, box) +
           box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, box);
}

QSize wrappedTextSize(QCheckBox* box) {
    const QRect room(0, 0, box->width() - indicatorWidth(box), box->height());
    return QFontMetrics(box->font()).boundingRect(room, Qt::TextWordWrap, box->text()).size();
}

// The room a control's text needs, and the room it has.
std::pair<QSize, QSize> textNeeds(QWidget* w) {
    const QFontMetrics metrics(w->font());
    if (auto* label = qobject_cast<QLabel*>(w)) return {metrics.size(0, label->text()), w->size()};
    if (auto* field = dynamic_cast<ReadOnlyTextBox*>(w))
        return {metrics.size(0, field->text()), field->textRect().size()};
    if (auto* button = qobject_cast<QPushButton*>(w))
        return {metrics.size(0, button->text()) + QSize(8, 0), w->size()};
    auto* box = qobject_cast<QCheckBox*>(w);
    return {wrappedTextSize(box), QSize(box->width() - indicatorWidth(box), box->height())};
}

// What a control paints, in the window's coordinates: a plain label its text, a tickbox its
// indicator and text, any other control (a filled label included) its whole box.
QRect paintedRect(QWidget* w) {
    if (auto* box = qobject_cast<QCheckBox*>(w)) {
        const QSize text = wrappedTextSize(box);
        return QRect(w->x(), w->y() + (w->height() - text.height()) / 2,
                     indicatorWidth(box) + text.width(), text.height());
    }
    auto* label = qobject_cast<QLabel*>(w);
    if (!label || label->autoFillBackground()) return w->geometry();
    const QFontMetrics metrics(w->font());
    return QRect(w->pos(), QSize(metrics.horizontalAdvance(label->text()), metrics.height()));
}

// Run at QT_SCALE_FACTOR 1, 1.5 and 2: every visible control shows its text whole, inside the
// window, and nothing painted runs into a neighbour.
TEST_F(PresentationTest, textsFitTheirControlsAtThisScale) {
    model.setText(Field::QV_UPTIME_DISPLAY_TEXTBOX, "10000d, 23h, 59m, 59s");
    model.setCaption(Label::CURRENT_STATUS_LABEL, "!!! LOG WRITE FAILED !!!");
    const auto controls = visibleControls();
    for (QWidget* w : controls) {
        const std::string name = w->objectName().toStdString();
        EXPECT_TRUE(view.rect().contains(w->geometry())) << name;
        const auto [needs, room] = textNeeds(w);
        EXPECT_LE(needs.width(), room.width()) << name << " is clipped";
        EXPECT_LE(needs.height(), room.height()) << name << " is clipped";
        for (QWidget* other : controls) {
            if (other == w) continue;
            EXPECT_FALSE(paintedRect(w).intersects(paintedRect(other)))
                << name << " runs into " << other->objectName().toStdString();
        }
    }
}

}  // namespace
}  // namespace rzv
