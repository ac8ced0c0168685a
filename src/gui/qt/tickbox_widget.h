#pragma once

#include <QCheckBox>

#include "core/controls.h"

namespace rzv {

// A tickbox whose caption wraps inside its designed rectangle, as the narrow tickboxes of the
// main window need ("Always On Top" in 57 px). It shows the dimmed tick of a greyed box; a click on
// a dimmed or clear box ticks it, a click on a ticked box clears it.
class TickboxWidget : public QCheckBox {
  public:
    explicit TickboxWidget(const QString& caption, QWidget* parent = nullptr);

    static TickState valueOf(Qt::CheckState state);
    static Qt::CheckState stateOf(TickState value);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    void nextCheckState() override;
};

}  // namespace rzv
