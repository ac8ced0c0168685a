// The About window on screen: a modal dialog owned by the main window, kept in step with its
// model.
#pragma once

#include <QDialog>
#include <array>

#include "about/about_reactions.h"
#include "about/about_window_host.h"
#include "core/unload_once.h"
#include "gui/qt/outer_placement.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace rzv {

class AboutDialog : public QDialog, public AboutWindowObserver {
  public:
    AboutDialog(QWidget* owner, AboutWindow& model, AboutReactions& reactions);
    ~AboutDialog() override;

    QWidget* widgetFor(const ControlLayout& control) const;

    void labelChanged(AboutLabel l) override;
    void reportChanged() override;
    void placementChanged() override;
    void closeRequested() override { accept(); }

  protected:
    // Every way of closing ends here: OK, Esc, the title bar, a close from code.
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildControls();

    AboutWindow& model_;
    AboutReactions& reactions_;
    OuterPlacement placement_;
    std::array<QLabel*, kAboutLabelCount> labels_{};
    QPlainTextEdit* report_ = nullptr;
    QPushButton* ok_ = nullptr;
    UnloadOnce unload_;
};

class QtAboutHost : public AboutWindowHost {
  public:
    void setOwner(QWidget* owner) { owner_ = owner; }
    void showModal(AboutWindow& window, AboutReactions& reactions) override;

  private:
    QWidget* owner_ = nullptr;
};

}  // namespace rzv
