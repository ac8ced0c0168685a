#include "core/view_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "core/line_ends.h"
#include "core/unload_once.h"

namespace rzv {
namespace {

// A 300 x 200 client area: a control is in view once more than its edge lies inside it.
TEST(ViewRules, aControlIsInViewOnceAUsefulPartOfItIsIn) {
    struct Case {
        PixelRect control;
        bool inView;
    };
    for (const Case& c : {
             Case{{10, 10, 50, 30}, true},
             Case{{291, 10, 400, 30}, true},   // 1 px past the useful edge
             Case{{292, 10, 400, 30}, false},  // its edge peeks into the last 8 px
             Case{{10, 192, 50, 260}, false},
             Case{{10, 191, 50, 260}, true},
             Case{{-50, -50, 0, 0}, false},  // left of and above the client area
             Case{{-50, -50, 1, 1}, true},
             Case{{20, 20, 20, 40}, false},  // no width
             Case{{400, 300, 500, 400}, false},
         })
        EXPECT_EQ(isInView(c.control, 300, 200), c.inView)
            << c.control.left << "," << c.control.top << " " << c.control.right << ","
            << c.control.bottom;
    EXPECT_FALSE(isInView({0, 0, 5, 5}, 8, 8));  // a window shrunk to its edge shows nothing
}

TEST(ViewRules, aFieldWrittenOutOfViewIsShownWhenItComesIntoView) {
    DeferredFields deferred;
    std::vector<Field> inView{Field::QV_UPTIME_DISPLAY_TEXTBOX}, shown;
    auto isIn = [&](Field f) { return std::find(inView.begin(), inView.end(), f) != inView.end(); };
    auto show = [&](Field f) { shown.push_back(f); };

    EXPECT_TRUE(deferred.showNow(Field::QV_UPTIME_DISPLAY_TEXTBOX, true));
    EXPECT_FALSE(deferred.showNow(Field::DAYS_TB, false));
    EXPECT_FALSE(deferred.showNow(Field::OUTPUT_REPORT_TEXTBOX, false));
    deferred.catchUp(isIn, show);
    EXPECT_TRUE(shown.empty());  // still out of view

    inView.push_back(Field::DAYS_TB);
    deferred.catchUp(isIn, show);
    deferred.catchUp(isIn, show);  // once only
    EXPECT_EQ(shown, std::vector<Field>{Field::DAYS_TB});

    // A field shown by other means, or written again in view, no longer waits.
    deferred.shown(Field::OUTPUT_REPORT_TEXTBOX);
    EXPECT_FALSE(deferred.showNow(Field::HOURS_TB, false));
    EXPECT_TRUE(deferred.showNow(Field::HOURS_TB, true));
    inView = {Field::OUTPUT_REPORT_TEXTBOX, Field::HOURS_TB};
    shown.clear();
    deferred.catchUp(isIn, show);
    EXPECT_TRUE(shown.empty());
}

TEST(ViewRules, onlyFieldsBeyondTheDisplayCountAsValueFieldsInView) {
    EXPECT_FALSE(valueFieldsInView([](Field) { return false; }));
    EXPECT_FALSE(valueFieldsInView([](Field f) { return f == Field::QV_UPTIME_DISPLAY_TEXTBOX; }));
    EXPECT_TRUE(valueFieldsInView([](Field f) { return f == Field::START_TB; }));
}

TEST(ViewRules, theFramePeriodIsTheRoundedRefreshPeriodOrUnknown) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double hertz;
        int ms;
    };
    for (const Case& c : {Case{60, 17}, Case{59.94, 17}, Case{75, 13}, Case{144, 7}, Case{240, 4},
                          Case{30, 33}, Case{2, 500}, Case{1, 0}, Case{0.5, 0}, Case{0, 0},
                          Case{-60, 0}, Case{nan, 0}, Case{inf, 0}})
        EXPECT_EQ(framePeriodMsAt(c.hertz), c.ms) << c.hertz;
}

TEST(LineEnds, eachBoxGetsTheLineEndsItShows) {
    struct Case {
        const char* text;
        const char* lineFeeds;
        const char* crLf;
    };
    for (const Case& c : {Case{"", "", ""}, Case{"a\r\nb\r\n", "a\nb\n", "a\r\nb\r\n"},
                          Case{"a\nb", "a\nb", "a\r\nb"}, Case{"\n\n", "\n\n", "\r\n\r\n"},
                          Case{"a\rb\r", "a\rb\r", "a\rb\r"},  // a lone CR stays as it is
                          Case{"a\r\r\nb", "a\r\nb", "a\r\r\nb"}}) {
        EXPECT_EQ(withLineFeeds(c.text), c.lineFeeds) << c.text;
        EXPECT_EQ(withCrLf(c.text), c.crLf) << c.text;
    }
}

TEST(UnloadOnce, theUnloadRunsOnceHoweverManyWaysTheWindowCloses) {
    UnloadOnce unload;
    int runs = 0;
    for (int close = 0; close < 3; ++close) unload([&] { ++runs; });
    EXPECT_EQ(runs, 1);
    UnloadOnce nothing;
    nothing(nullptr);  // a window without an unload closes as well
    nothing([&] { ++runs; });
    EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace rzv
