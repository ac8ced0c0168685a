#include "gui/qt/about_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <utility>

#include "widget/main_window_with_about.h"

namespace rzv {
namespace {

// The real main window and About dialog on fake platform parts. The dialog runs its own modal
// loop; each test acts inside it from a queued call.
class AboutDialogTest : public ::testing::Test, public test::MainWindowWithAbout {
  protected:
    // Clicks About; `inside` runs once the dialog is up, with the dialog.
    void openAbout(std::function<void(AboutDialog&)> inside) {
        test::whenAboutOpens(std::move(inside));
        QTest::mouseClick(aboutButton(), Qt::LeftButton);
    }
    QPushButton* aboutButton() const {
        return qobject_cast<QPushButton*>(view.widgetFor(layoutOf(Button::ABOUT_BUTTON)));
    }
    template <typename W>
    static W* part(const AboutDialog& dialog, std::size_t index) {
        return qobject_cast<W*>(dialog.widgetFor(kAboutControls[index]));
    }
};

TEST_F(AboutDialogTest, opensModallyAsDesignedWithTheFocusOnOk) {
    bool inspected = false;
    openAbout([&](AboutDialog& dialog) {
        inspected = true;
        EXPECT_EQ(dialog.windowTitle(), "RI-ZUZERU-VAVUZA - ABOUT");
        EXPECT_TRUE(dialog.isModal());
        EXPECT_EQ(dialog.parentWidget(), &view);
        EXPECT_EQ(dialog.frameGeometry().size(), QSize(383, 326));  // 5745 x 4890 twips
        EXPECT_EQ(part<QLabel>(dialog, 2)->text(), "QV-ZIV");
        EXPECT_EQ(part<QLabel>(dialog, 5)->text(), "Version 1.0");
        EXPECT_EQ(part<QLabel>(dialog, 0)->palette().color(QPalette::WindowText),
                  QColor(0, 255, 0));
        EXPECT_EQ(part<QPlainTextEdit>(dialog, 6)->toPlainText(), "!!! TIMERS DISABLED !!!\n");
        EXPECT_EQ(dialog.focusWidget(), part<QPushButton>(dialog, 8));
        QTest::keyClick(&dialog, Qt::Key_Return);  // Enter presses OK
    });
    EXPECT_TRUE(inspected);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(fake.settings.get("RI-ZUZERU-VAVUZA", "ABOUT_Left"), "1000");
}

TEST_F(AboutDialogTest, escapeClosesAndTheCreditLineAnswersADoubleClick) {
    openAbout([&](AboutDialog& dialog) {
        auto* creator = part<QLabel>(dialog, 3);
        QTest::mouseDClick(creator, Qt::LeftButton);
        EXPECT_EQ(creator->text(), "uptime-tool@example.org");
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(fake.settings.get("RI-ZUZERU-VAVUZA", "ABOUT_Top"));
}

TEST_F(AboutDialogTest, autoCloseInsideTheModalLoopClosesBothWindowsAndSavesBoth) {
    openAbout([&](AboutDialog&) {
        fake.settings.operations.clear();
        model.requestClose();  // what the auto-close timer does
    });
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    ASSERT_GE(fake.settings.operations.size(), 3u);
    EXPECT_EQ(fake.settings.operations[0], "write ABOUT_Left=1000");
    EXPECT_EQ(fake.settings.operations[1], "write ABOUT_Top=1000");
    EXPECT_EQ(fake.settings.operations[2], "write MAIN_Left=1000");
}

// OK stores where the user has moved the window, not where it opened.
TEST_F(AboutDialogTest, okStoresThePlaceTheWindowWasMovedTo) {
    openAbout([&](AboutDialog& dialog) {
        dialog.move(200, 100);
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return dialog.frameGeometry().topLeft() == QPoint(200, 100); }));
        fake.settings.operations.clear();
        QTest::mouseClick(part<QPushButton>(dialog, 8), Qt::LeftButton);
    });
    ASSERT_GE(fake.settings.operations.size(), 2u);
    // OK's own writes come first, before the close writes them again.
    EXPECT_EQ(fake.settings.operations[0], "write ABOUT_Left=3000");
    EXPECT_EQ(fake.settings.operations[1], "write ABOUT_Top=1500");
}

}  // namespace
}  // namespace rzv
