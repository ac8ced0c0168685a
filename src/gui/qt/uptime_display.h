// The uptime display: a read-only box whose text changes once a second. A line edit would move
// its caret and report itself editable on every write; this box has no caret, so a change
// reaches a screen reader as one replacement of the characters that changed, and nothing else.
#pragma once

#include <QFrame>
#include <QString>

namespace rzv {

// The part of a text that changed: at `position`, `removed` gave way to `inserted`.
struct TextChange {
    int position = 0;
    QString removed;
    QString inserted;
};
TextChange changeBetween(const QString& before, const QString& after);

class UptimeDisplay : public QFrame {
  public:
    explicit UptimeDisplay(QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    // Repaints and tells assistive technology only when the text differs.
    void setText(const QString& text);
    void setAlignment(Qt::Alignment alignment);
    // Where the text is drawn, in the widget's coordinates, and where one character of it is.
    QRect textRect() const;
    QRect characterRect(int offset) const;

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString text_;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
};

}  // namespace rzv
