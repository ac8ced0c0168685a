// The About window: titles, the credit line, the version, and a copy of the latest log record
// taken when it opens. It remembers where the user left it.
#pragma once

#include <array>
#include <string>

#include "about/about_window_host.h"
#include "core/layout.h"
#include "core/main_window.h"
#include "platform/platform.h"

namespace rzv {

enum class AboutLabel {
    QV_TITLE_1,
    QV_TITLE_2,
    QV_TITLE_3,
    CREATOR_TEXTBOX,
    FREEWARE_TEXTBOX,
    VERSION_TEXTBOX,
    OUTPUT_LOG_LABEL,
};
constexpr std::size_t kAboutLabelCount = static_cast<std::size_t>(AboutLabel::OUTPUT_LOG_LABEL) + 1;
enum class AboutField { OUTPUT_REPORT_TEXTBOX };
constexpr std::size_t kAboutFieldCount =
    static_cast<std::size_t>(AboutField::OUTPUT_REPORT_TEXTBOX) + 1;
enum class AboutButton { OK_BUTTON };
constexpr std::size_t kAboutButtonCount = static_cast<std::size_t>(AboutButton::OK_BUTTON) + 1;
constexpr std::size_t kAboutControlCount = kAboutLabelCount + kAboutFieldCount + kAboutButtonCount;

inline constexpr const char* kAboutWindowName = "QV_ZIV_ABOUT";
inline constexpr const char* kAboutCaption = "RI-ZUZERU-VAVUZA - ABOUT";
// What the credit line shows when double-clicked.
inline constexpr const char* kCreatorContact = "uptime-tool@example.org";

extern const std::array<ControlLayout, kAboutControlCount> kAboutControls;

class AboutWindowObserver {
  public:
    virtual ~AboutWindowObserver() = default;
    virtual void labelChanged(AboutLabel) {}
    virtual void reportChanged() {}
    virtual void placementChanged() {}
    virtual void closeRequested() {}
};

// The window as data, in its designed state when made: each opening starts afresh.
class AboutWindow {
  public:
    AboutWindow();
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    void setObserver(AboutWindowObserver* observer) { observer_ = observer ? observer : &silent_; }

    const std::string& caption(AboutLabel l) const { return labels_[indexOf(l)]; }
    void setCaption(AboutLabel l, const std::string& caption);
    const std::string& report() const { return report_; }
    void setReport(const std::string& text);

    Placement placement() const { return placement_; }
    void setPlacement(Placement placement);
    void notePlacement(Placement placement) { placement_ = placement; }

    void requestClose() { observer_->closeRequested(); }

  private:
    AboutWindowObserver silent_;
    AboutWindowObserver* observer_ = &silent_;
    std::array<std::string, kAboutLabelCount> labels_;
    std::string report_;
    Placement placement_{};
};

// The About window's reactions. They read the main window's report box and nothing else of it.
class AboutReactions {
  public:
    AboutReactions(AboutWindow& about, const MainWindow& main, Platform& platform)
        : about_(about), main_(main), platform_(platform) {}

    // Place and size from the store, then the one copy of the latest record.
    void load();
    void okClick();
    // However the window closes: its position is kept for the next opening.
    void unload();
    void creatorDoubleClick();

  private:
    void savePosition();

    AboutWindow& about_;
    const MainWindow& main_;
    Platform& platform_;
};

// ABOUT_BUTTON: opens the About window modally and returns when it has closed.
void onAboutClick(const MainWindow& main, Platform& platform, AboutWindowHost& host);

}  // namespace rzv
