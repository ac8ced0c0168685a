// The About window as data: titles, the credit line, the version, and a copy of the latest log
// record taken when it opens. It remembers where the user left it.
#pragma once

#include <array>
#include <string>

#include "about/about_layout.h"
#include "core/main_window.h"

namespace rzv {

class AboutWindowObserver {
  public:
    virtual ~AboutWindowObserver() = default;
    virtual void labelChanged(AboutLabel) {}
    virtual void reportChanged() {}
    virtual void placementChanged() {}
    virtual void closeRequested() {}
};

// In its designed state when made: each opening starts afresh.
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

}  // namespace rzv
