// The read-only text box repaints only what a text change touches: what the window then holds
// must be what a whole repaint would give, whatever the change.
#include "gui/qt/read_only_text_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <vector>

namespace rzv {
namespace {

class ReadOnlyTextBoxTest : public ::testing::Test {
  protected:
    ReadOnlyTextBoxTest() {
        window.resize(200, 80);
        box.setGeometry(10, 10, 129, 25);  // a value field's size
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    // What the window holds where the box is, as last painted.
    QImage shown() const { return shownAt(box.geometry()); }
    QImage shownAt(const QRect& r) const {
        return window.screen()
            ->grabWindow(window.winId(), r.x(), r.y(), r.width(), r.height())
            .toImage();
    }
    // Paints what the change touched, as the event loop would.
    void showText(const char* text) {
        box.setText(QString::fromUtf8(text));
        QCoreApplication::sendPostedEvents();
    }

    QWidget window;
    ReadOnlyTextBox box{&window};
};

TEST_F(ReadOnlyTextBoxTest, eachChangeLeavesWhatAWholeRepaintShows) {
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
        {"a right-to-left run whose last character changes",
         Qt::AlignLeft | Qt::AlignVCenter,
         {"12 \u05d0\u05d1\u05d2", "12 \u05d0\u05d1\u05d3", "12 \u05d0\u05d1\u05d3\u05d4",
          "12 \u05d0"}},
        {"glyphs of other heights taking the changed places",
         Qt::AlignLeft | Qt::AlignVCenter,
         {"10.5", "10,5", "10,y", "10,Y|", "10,\u00c9", "10,e\u0302", "10,\u0177", "1"}},
        {"a ligature broken by a change",
         Qt::AlignLeft | Qt::AlignVCenter,
         {"office", "offset", "of", "ffi"}},
    };
    for (const Case& c : cases) {
        box.setAlignment(c.alignment);
        QCoreApplication::sendPostedEvents();
        // After each change: a later one may paint over what an earlier one left behind.
        for (const char* text : c.texts) {
            showText(text);
            const QImage afterChange = shown();
            box.repaint();
            EXPECT_EQ(afterChange, shown()) << c.name << ": " << text;
        }
    }
}

// The box paints every pixel of itself: its text as the painter draws a string at the box's first
// character, over its panel, over the window's background at the panel's corners, whatever was
// painted where the box now is.
TEST_F(ReadOnlyTextBoxTest, drawsItsTextAndBackdropOverWhatWasThere) {
    const char* const texts[] = {"0.452879464285714", "AVAWAY To", "\u00c4\u00dfe\u0301  ",
                                 "MINUTES_DIFFERENCE_ROUNDED_TB", "office 1/4"};
    QPixmap tile(2, 2);
    tile.fill(Qt::darkCyan);
    QPainter(&tile).fillRect(0, 0, 1, 1, Qt::yellow);
    QPalette tiled = window.palette();
    tiled.setBrush(QPalette::Window, QBrush(tile));
    window.setPalette(tiled);
    QWidget stale(&window);
    stale.setGeometry(box.geometry());
    stale.setAutoFillBackground(true);
    stale.setPalette(QPalette(Qt::red));
    ReadOnlyTextBox blank(&window);
    blank.setGeometry(box.geometry().translated(0, 30));  // the tiles fall as they do under box
    blank.show();
    box.clearFocus();  // the panel shows focus
    for (const char* text : texts) {
        stale.show();
        stale.raise();
        QCoreApplication::sendPostedEvents();
        stale.hide();
        showText(text);
        QImage expected = shownAt(blank.geometry());
        {
            QPainter painter(&expected);
            painter.setFont(box.font());
            painter.setPen(box.palette().color(QPalette::Text));
            painter.setClipRect(box.textRect().adjusted(-2, 0, 2, 0));
            const QRect first = box.characterRect(0);
            painter.drawText(first.x(), first.y() + box.fontMetrics().ascent(), box.text());
        }
        EXPECT_EQ(shown(), expected) << text;
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
