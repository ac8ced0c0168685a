// A read-only single-line text box: the uptime display and the value fields. A line edit would
// move its caret and report itself editable on every write, and ask the style for its whole
// panel on every repaint; this box has no caret, keeps its panel as a picture, and repaints only
// the band its text occupies. A change reaches a screen reader as one replacement of the
// characters that changed, and nothing else.
#pragma once

#include <QFrame>
#include <QPixmap>
#include <QString>

namespace rzv {

// The part of a text that changed: at `position`, `removed` gave way to `inserted`.
struct TextChange {
    int position = 0;
    QString removed;
    QString inserted;
};
TextChange changeBetween(const QString& before, const QString& after);

class ReadOnlyTextBox : public QFrame {
  public:
    explicit ReadOnlyTextBox(QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    // Repaints and tells assistive technology only when the text differs.
    void setText(const QString& text);
    void setAlignment(Qt::Alignment alignment);
    // The room the text may fill, in the widget's coordinates; the band of one line within it,
    // where a text change repaints; and where one character of the text is.
    QRect textRect() const;
    QRect lineRect() const;
    QRect characterRect(int offset) const;

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // What a change from `position` on repaints, given the old text's width.
    QRect changedRect(int position, int oldAdvance);
    // Inside the panel's frame.
    QRect panelContents() const;
    // How wide the text is, measured once for each text and font.
    int advance();
    // Where a text that wide starts: the left end of its baseline.
    QPoint textOrigin(int advance) const;
    // The style's panel, drawn once for each size, state and palette.
    const QPixmap& panel();

    QString text_;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
    int advance_ = -1;
    QPixmap panel_;
    int panelState_ = 0;
    qint64 panelColours_ = 0;
};

}  // namespace rzv
