// What a Windows screen reader learns from the child windows' z order: a text box or a value
// label is named by the static text right before it, Tab follows the designed focus order, and
// only controls in view are Tab stops.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/caption_links.h"
#include "fakes/fake_platform.h"
#include "gui/win32/about_dialog.h"
#include "gui/win32/dpi.h"
#include "gui/win32/main_window_view.h"
#include "gui/win32/window_text.h"
#include "os/win32/wide_text.h"
#include "wiring/reactions.h"

namespace rzv {
namespace {

std::size_t rowOf(const ControlLayout& c) {
    return static_cast<std::size_t>(&c - kMainWindowControls.data());
}

std::string classOf(HWND w) {
    wchar_t name[32] = {};
    GetClassNameW(w, name, 32);
    return narrow(name);
}

LONG_PTR styleOf(HWND w) {
    return GetWindowLongPtrW(w, GWL_STYLE);
}

class ReaderOrderTest : public ::testing::Test {
  protected:
    ReaderOrderTest() {
        reactions.load();  // the default place and size
        view.show(SW_SHOWNOACTIVATE);
    }
    HWND childOf(const ControlLayout& c) const {
        return GetDlgItem(view.handle(), ChildControls::idOf(rowOf(c)));
    }
    static const ControlLayout& controlOf(HWND child) {
        return kMainWindowControls.at(
            static_cast<std::size_t>(GetDlgCtrlID(child) - ChildControls::kFirstId));
    }
    void resizeClient(int widthTwips, int heightTwips) {
        RECT outer, client;
        GetWindowRect(view.handle(), &outer);
        GetClientRect(view.handle(), &client);
        const UINT dpi = dpiOf(view.handle());
        const int width = pixelsOf(widthTwips, dpi), height = pixelsOf(heightTwips, dpi);
        SetWindowPos(view.handle(), nullptr, 0, 0,
                     width + (outer.right - outer.left) - client.right,
                     height + (outer.bottom - outer.top) - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        GetClientRect(view.handle(), &client);
        ASSERT_EQ(client.right, width);
        ASSERT_EQ(client.bottom, height);
    }

    test::FakePlatform fake;
    Win32Waker waker;
    test::FakeAboutHost about;
    MainWindow model{fake.timers};
    MainWindowReactions reactions{model, fake.platform, about};
    Win32MainWindowView view{model, waker, {}};
};

TEST_F(ReaderOrderTest, eachTextBoxAndValueLabelIsNamedByTheStaticBeforeIt) {
    for (const CaptionLink& link : kCaptionLinks) {
        const ControlLayout& named = link.kind == ControlKind::Field
                                         ? layoutOf(static_cast<Field>(link.id))
                                         : layoutOf(static_cast<Label>(link.id));
        EXPECT_EQ(GetWindow(childOf(named), GW_HWNDPREV), childOf(layoutOf(link.caption)))
            << named.name;
    }
    for (const ControlLayout& control : kMainWindowControls) {
        if (control.kind != ControlKind::Field) continue;
        const HWND before = GetWindow(childOf(control), GW_HWNDPREV);
        EXPECT_EQ(classOf(before), "Static") << control.name;
        EXPECT_FALSE(textOf(before).empty()) << control.name;
    }
    // Without a caption beside it, a text box is named by a static nobody sees.
    const std::pair<Field, const wchar_t*> handNamed[] = {
        {Field::SECS_TB, L"SECS_TB"}, {Field::OUTPUT_REPORT_TEXTBOX, L"Output Log"}};
    for (const auto& [field, name] : handNamed) {
        const HWND before = GetWindow(childOf(layoutOf(field)), GW_HWNDPREV);
        EXPECT_EQ(textOf(before), name);
        EXPECT_FALSE(styleOf(before) & WS_VISIBLE);
    }
}

// Out of view a control is hidden and no Tab stop; enlarging the window to its designed client
// area brings every control back, in the designed focus order, and shrinking it takes them away.
TEST_F(ReaderOrderTest, onlyControlsInViewAreShownAndTabStops) {
    const std::pair<int, int> sizes[] = {
        {0, 0}, {kDesignClientWidth, kDesignClientHeight}, {4290, 1950}};  // client twips
    for (const auto& [width, height] : sizes) {
        if (width) resizeClient(width, height);
        const bool designed = width == kDesignClientWidth;
        for (const ControlLayout& control : kMainWindowControls) {
            const bool seen = designed || (control.rect.left < 4320 && control.rect.top < 3600);
            const std::string where =
                std::string(control.name) + " at width " + std::to_string(width);
            EXPECT_EQ(IsWindowVisible(childOf(control)) != 0, seen) << where;
            EXPECT_EQ((styleOf(childOf(control)) & WS_TABSTOP) != 0,
                      seen && control.focus != kNoFocus)
                << where;
        }
        // Value fields in view pace the uptime timers to the screen's frames.
        EXPECT_EQ(model.valueFieldsInView(), designed) << "at width " << width;
        if (!designed) continue;
        // The statics in between take no focus: Tab meets the controls in the designed order.
        std::vector<int> focus;
        for (HWND c = GetWindow(view.handle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            if (styleOf(c) & WS_TABSTOP) focus.push_back(controlOf(c).focus);
        EXPECT_TRUE(std::is_sorted(focus.begin(), focus.end()));
        EXPECT_EQ(focus.size(),
                  std::count_if(kMainWindowControls.begin(), kMainWindowControls.end(),
                                [](auto& c) { return c.focus != kNoFocus; }));
    }
}

TEST_F(ReaderOrderTest, theAboutWindowsCaptionNamesTheLogCopyAfterOk) {
    AboutWindow aboutModel;
    AboutReactions aboutReactions(aboutModel, model, fake.platform);
    Win32AboutDialog window(view.handle(), aboutModel, aboutReactions, waker);
    auto child = [&](ControlKind kind, std::size_t id) {
        const std::size_t row = rowIn(kAboutControls.data(), kAboutControls.size(), kind, id);
        return GetDlgItem(window.handle(), ChildControls::idOf(row));
    };
    const HWND log = child(ControlKind::Field, indexOf(AboutField::OUTPUT_REPORT_TEXTBOX));
    const HWND ok = child(ControlKind::Button, indexOf(AboutButton::OK_BUTTON));
    EXPECT_EQ(GetWindow(log, GW_HWNDPREV),
              child(ControlKind::Label, indexOf(AboutLabel::OUTPUT_LOG_LABEL)));
    EXPECT_EQ(textOf(GetWindow(log, GW_HWNDPREV)), L"Output Log");
    EXPECT_EQ(GetNextDlgTabItem(window.handle(), ok, FALSE), log);
}

}  // namespace
}  // namespace rzv
