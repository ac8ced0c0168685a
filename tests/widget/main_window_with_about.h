#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>

#include "fakes/fake_platform.h"
#include "gui/qt/about_dialog.h"
#include "gui/qt/main_window_view.h"
#include "wiring/reactions.h"

namespace rzv::test {

// The real main window and the real About host on fake platform parts, loaded and shown as the
// program does it.
struct MainWindowWithAbout {
    MainWindowWithAbout() {
        about.setOwner(&view);
        reactions.load();
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    FakePlatform fake;
    QtAboutHost about;
    MainWindow model{fake.timers};
    MainWindowReactions reactions{model, fake.platform, about};
    MainWindowView view{model,
                        {[this](Button b) { reactions.click(b); }, [this] { reactions.unload(); },
                         [this] { return reactions.uptimeDetails(); }}};
};

// The About dialog runs its own modal loop: called before what opens it, this runs `inside`
// with the dialog once it is up, from a queued call.
inline void whenAboutOpens(std::function<void(AboutDialog&)> inside) {
    QTimer::singleShot(0, [inside] {
        auto* dialog = dynamic_cast<AboutDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        inside(*dialog);
    });
}

}  // namespace rzv::test
