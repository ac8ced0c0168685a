// What a screen reader learns through QAccessible: roles, names from captions, the states of
// controls in and out of view, the modal About window, and the uptime display's text events.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/since_boot.h"
#include "gui/qt/read_only_text_box.h"
#include "gui/qt/twips.h"
#include "widget/main_window_with_about.h"

namespace rzv {
namespace {

QAccessibleInterface* accessibleOf(QObject* o) {
    return QAccessible::queryAccessibleInterface(o);
}

bool inTreeOf(QAccessibleInterface* parent, QAccessibleInterface* child) {
    return parent->indexOfChild(child) >= 0;
}

class AccessibilityTest : public ::testing::Test, public test::MainWindowWithAbout {
  protected:
    AccessibilityTest() {
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return view.frameGeometry().size() == QSize(292, 155); }));
    }
    template <typename Id>
    QWidget* widget(Id id) const {
        return view.widgetFor(layoutOf(id));
    }
    void resizeClient(int widthTwips, int heightTwips) {
        const QSize size(Twips(&view).x(widthTwips), Twips(&view).y(heightTwips));
        view.resize(size);
        ASSERT_TRUE(QTest::qWaitFor([&] { return view.size() == size; }, 2000));
    }
};

TEST_F(AccessibilityTest, theMainWindowIsAFrameNamedByItsTitle) {
    QAccessibleInterface* window = accessibleOf(&view);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), "RI-ZUZERU-VAVUZA");
    EXPECT_FALSE(window->state().modal);
}

// Out of view a control is invisible, unfocusable and out of the tree; enlarging the window to
// its designed client area brings every control back, and shrinking it takes them away again.
TEST_F(AccessibilityTest, onlyControlsInViewAreInTheTreeAndFocusable) {
    struct Size {
        const char* name;
        int width, height;  // client area in twips
    };
    const Size sizes[] = {{"default", 4290, 1950},
                          {"designed", kDesignClientWidth, kDesignClientHeight},
                          {"default again", 4290, 1950}};
    for (const Size& size : sizes) {
        resizeClient(size.width, size.height);
        const bool designed = size.width == kDesignClientWidth;
        int inTree = 0;
        for (const auto& control : kMainWindowControls) {
            const bool seen = designed || (control.rect.left < 4320 && control.rect.top < 3600);
            QAccessibleInterface* iface = accessibleOf(view.widgetFor(control));
            const std::string where = std::string(control.name) + " at " + size.name;
            EXPECT_EQ(inTreeOf(accessibleOf(&view), iface), seen) << where;
            EXPECT_EQ(iface->state().invisible, !seen) << where;
            EXPECT_EQ(iface->state().focusable, seen && control.focus != kNoFocus) << where;
            inTree += seen;
        }
        EXPECT_EQ(accessibleOf(&view)->childCount(), designed ? inTree + 1 : inTree)
            << size.name << ": Line1 joins at the designed size";
    }
    // The Tab order through the fields is the designed one again.
    EXPECT_EQ(widget(Field::QV_UPTIME_DISPLAY_TEXTBOX)->nextInFocusChain(),
              widget(Field::YEARS_TB));
}

TEST_F(AccessibilityTest, captionsNameTheFieldsBesideThem) {
    resizeClient(kDesignClientWidth, kDesignClientHeight);
    struct Case {
        QWidget* control;
        const char* name;
        QWidget* caption;  // null: named by hand, no caption beside it
    };
    const Case cases[] = {
        {widget(Field::QV_UPTIME_DISPLAY_TEXTBOX), "UPTIME:", widget(Label::UPTIME_TEXT_LABEL)},
        {widget(Label::CURRENT_STATUS_LABEL), "READY...", widget(Label::STATUS_LABEL)},
        {widget(Field::START_TB), "START", widget(Label::START_LABEL)},
        {widget(Field::TOTAL_MIL_SEC), "SECONDS", widget(Label::Label9)},
        {widget(Field::TOTAL_MIL_YEAR), "YEARS", widget(Label::Label3)},
        {widget(Field::SECS_TB), "SECS_TB", nullptr},
        {widget(Tickbox::AUTOSTART_TICKBOX), "Auto Start", nullptr},
    };
    for (const Case& c : cases) {
        QAccessibleInterface* iface = accessibleOf(c.control);
        EXPECT_EQ(iface->text(QAccessible::Name), c.name);
        const auto labels = iface->relations(QAccessible::Label);
        ASSERT_EQ(labels.size(), c.caption ? 1 : 0) << c.name;
        if (c.caption) {
            EXPECT_EQ(labels.first().first->object(), c.caption) << c.name;
        }
    }
}

// Its text events (one replacement a change, no caret moves) need a live bridge: the
// screen-reader check counts them.
TEST_F(AccessibilityTest, theUptimeDisplayIsReadOnlyTextWithoutACaret) {
    auto* display = dynamic_cast<ReadOnlyTextBox*>(widget(Field::QV_UPTIME_DISPLAY_TEXTBOX));
    ASSERT_NE(display, nullptr);
    QAccessibleInterface* iface = accessibleOf(display);
    EXPECT_EQ(iface->role(), QAccessible::EditableText);
    EXPECT_TRUE(iface->state().readOnly);
    EXPECT_FALSE(iface->state().editable);
    model.setText(Field::QV_UPTIME_DISPLAY_TEXTBOX, "3d, 4h, 6m, 0s");
    EXPECT_EQ(iface->text(QAccessible::Value), "3d, 4h, 6m, 0s");
    QAccessibleTextInterface* text = iface->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(0, text->characterCount()), "3d, 4h, 6m, 0s");
    EXPECT_EQ(text->selectionCount(), 0);
    // Character places follow the centred text: a reader's magnifier finds the "0s".
    const QRect zero = text->characterRect(12);
    EXPECT_EQ(text->offsetAtPoint(zero.center()), 12);
    EXPECT_TRUE(QRect(display->mapToGlobal(QPoint(0, 0)), display->size()).contains(zero));
    // Since when and how long asleep: the details a reader reads as the field's description.
    fake.ticks.bootOffset = 90061000;       // 1d, 1h, 1m, 1s up at 0 s
    fake.bootClocks.awakeOffset = 3661000;  // 0d, 1h, 1m, 1s awake
    EXPECT_EQ(iface->text(QAccessible::Description),
              "Up since 2026-12-05 22:58:59\nAwake " +
                  QString::fromStdString(spanText(3661000 + fake.timers.now())) +
                  "\nAsleep 1d, 0h, 0m, 0s");
}

TEST(TextChangeTest, coversOnlyTheCharactersThatDiffer) {
    struct Case {
        const char *before, *after;
        int position;
        const char *removed, *inserted;
    };
    const Case cases[] = {
        {"3d, 4h, 5m, 6s", "3d, 4h, 5m, 7s", 12, "6", "7"},
        {"0d, 0h, 0m, 9s", "0d, 0h, 0m, 10s", 12, "9", "10"},
        {"3d, 4h, 5m, 59s", "3d, 4h, 6m, 0s", 8, "5m, 59", "6m, 0"},
        {"aa", "aaa", 2, "", "a"},  // a repeated letter is matched once, not twice
        {"aaa", "aa", 2, "a", ""},
        {"", "TIMERS DISABLED", 0, "", "TIMERS DISABLED"},
        {"TIMERS DISABLED", "0d, 0h, 0m, 1s", 0, "TIMERS DISABLED", "0d, 0h, 0m, 1s"},
    };
    for (const Case& c : cases) {
        const TextChange change = changeBetween(c.before, c.after);
        EXPECT_EQ(change.position, c.position) << c.before << " -> " << c.after;
        EXPECT_EQ(change.removed, c.removed) << c.before << " -> " << c.after;
        EXPECT_EQ(change.inserted, c.inserted) << c.before << " -> " << c.after;
    }
}

TEST_F(AccessibilityTest, aboutIsAModalDialogWithoutDecorativeLabels) {
    bool inspected = false;
    test::whenAboutOpens([&](AboutDialog& dialog) {
        inspected = true;
        QAccessibleInterface* iface = accessibleOf(&dialog);
        EXPECT_EQ(iface->role(), QAccessible::Dialog);
        EXPECT_TRUE(iface->state().modal);
        auto* creator = dialog.widgetFor(kAboutControls[indexOf(AboutLabel::CREATOR_TEXTBOX)]);
        auto* freeware = dialog.widgetFor(kAboutControls[indexOf(AboutLabel::FREEWARE_TEXTBOX)]);
        EXPECT_FALSE(inTreeOf(iface, accessibleOf(creator)));
        EXPECT_FALSE(inTreeOf(iface, accessibleOf(freeware)));
        EXPECT_EQ(iface->childCount(), static_cast<int>(kAboutControls.size()) - 2);
        // The double-click gives the credit line words: it joins the tree.
        QTest::mouseDClick(creator, Qt::LeftButton);
        EXPECT_TRUE(inTreeOf(iface, accessibleOf(creator)));
        QAccessibleInterface* log = accessibleOf(dialog.widgetFor(kAboutControls[6]));
        EXPECT_EQ(log->text(QAccessible::Name), "Output Log");
        dialog.reject();
    });
    qobject_cast<QPushButton*>(widget(Button::ABOUT_BUTTON))->click();
    EXPECT_TRUE(inspected);
}

// However About closes, the control that had the focus before it opened has it again.
TEST_F(AccessibilityTest, theFocusReturnsWhereItWasWhenAboutCloses) {
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    enum class Close { Escape, Ok, TitleBar };
    struct Case {
        QWidget* focused;
        Close close;
    };
    const Case cases[] = {
        {widget(Button::ABOUT_BUTTON), Close::Escape},
        {widget(Tickbox::AUTOSTART_TICKBOX), Close::Ok},
        {widget(Button::START_STOP_BUTTON), Close::TitleBar},
    };
    for (const Case& c : cases) {
        c.focused->setFocus();
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
            if (c.close == Close::Escape) QTest::keyClick(dialog, Qt::Key_Escape);
            if (c.close == Close::Ok) QTest::keyClick(dialog, Qt::Key_Return);
            if (c.close == Close::TitleBar) dialog->close();
        });
        qobject_cast<QPushButton*>(widget(Button::ABOUT_BUTTON))->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == c.focused; }, 2000))
            << c.focused->objectName().toStdString();
    }
}

}  // namespace
}  // namespace rzv
