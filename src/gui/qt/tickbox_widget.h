#pragma once

#include <QCheckBox>

#include "core/controls.h"

namespace rzv {

// A tickbox whose caption wraps inside its designed rectangle, as the narrow tickboxes of the
// main window need ("Always On Top" in 57 px). It shows the dimmed tick of a greyed box. A click
// leaves its state alone and is heard through clicked(): the model says what the box shows next.
class TickboxWidget : public QCheckBox {
  public:
    explicit TickboxWidget(const QString& caption, QWidget* parent = nullptr);

    static Qt::CheckState stateOf(TickState value);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    void nextCheckState() override;
};

}  // namespace rzv
