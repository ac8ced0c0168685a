// The read-only text box repaints only what a text change touches: what the window then holds
// must be what a whole repaint would give, whatever the change.
#include "gui/qt/read_only_text_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QScreen>
#include <QTest>
#include <vector>

namespace rzv {
namespace {

class ReadOnlyTextBoxTest : public ::testing::Test {
  protected:
    ReadOnlyTextBoxTest() {
        window.resize(200, 60);
        box.setGeometry(10, 10, 129, 25);  // a value field's size
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    // What the window holds where the box is, as last painted.
    QImage shown() const {
        return window.screen()->grabWindow(window.winId(), box.x(), box.y(), box.width(),
                                           box.height()).toImage();
    }
    // Paints what the change touched, as the event loop would.
    void showText(const char* text) {
        box.setText(QString::fromUtf8(text));
        QCoreApplication::sendPostedEvents();
    }

    QWidget window;
    ReadOnlyTextBox box{&window};
};

TEST_F(ReadOnlyTextBoxTest, aRunOfChangesLeavesWhatAWholeRepaintShows) {
    struct Case {
        const char* name;
        Qt::Alignment alignment;
        std::vector<const char*> texts;
    };
    const Case cases[] = {
        {"digits changing from the right, longer and shorter",
         Qt::AlignLeft | Qt::AlignVCenter,
         {"45.2549537037037", "45.2549652777778", "45.25497", "1000", "99999999999", "7"}},
        {"a text too long for the box, then a short one",
         Qt::AlignLeft | Qt::AlignVCenter,
         {"MINUTES_DIFFERENCE_ROUNDED_TB", "MINUTES_DIFFERENCE_LEFT_TB", "60"}},
        {"letters that kern with their changed neighbour",
         Qt::AlignLeft | Qt::AlignVCenter,
         {"AVAVAV", "AVAWAW", "AVTAYA", "AV"}},
        {"a centred text that changes width",
         Qt::AlignCenter,
         {"0d, 0h, 0m, 9s", "0d, 0h, 0m, 10s", "0d, 0h, 0m, 11s", "TIMERS DISABLED",
          "0d, 0h, 0m, 1s"}},
    };
    for (const Case& c : cases) {
        box.setAlignment(c.alignment);
        for (const char* text : c.texts) showText(text);
        const QImage afterChanges = shown();
        box.repaint();
        EXPECT_EQ(afterChanges, shown()) << c.name;
    }
}

TEST_F(ReadOnlyTextBoxTest, copyTakesTheWholeText) {
    box.setText(QStringLiteral("86400000"));
    box.setFocus();
    QTest::keySequence(&box, QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(), "86400000");
}

}  // namespace
}  // namespace rzv
