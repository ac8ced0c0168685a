#include "about/about_window.h"

namespace rzv {

AboutWindow::AboutWindow() {
    for (const auto& control : kAboutControls)
        if (control.kind == ControlKind::Label) labels_[control.id] = control.designText;
}

void AboutWindow::setCaption(AboutLabel l, const std::string& caption) {
    labels_[indexOf(l)] = caption;
    observer_->labelChanged(l);
}

void AboutWindow::setReport(const std::string& text) {
    report_ = text;
    observer_->reportChanged();
}

void AboutWindow::setPlacement(Placement placement) {
    placement_ = placement;
    observer_->placementChanged();
}

}  // namespace rzv
