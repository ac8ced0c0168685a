// A read-only single-line text box: the uptime display and the value fields. A line edit would
// move its caret and report itself editable on every write, and ask the style for its whole
// panel on every repaint; this box has no caret, keeps its panel as a picture, shapes each text
// once, and repaints only the band its text occupies, over nothing: it paints every pixel of
// itself, so the window's background and neighbours are not drawn beneath it. A change reaches a
// screen reader as one replacement of the characters that changed, and nothing else.
#pragma once

#include <QFrame>
#include <QPixmap>
#include <QString>
#include <QTextLayout>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

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
    // The room the text may fill, in the widget's coordinates, and where one character of the
    // text is.
    QRect textRect() const;
    QRect characterRect(int offset) const;

    QSize sizeHint() const override;

    // What the box tells when asked, as its tooltip and to a screen reader as its description;
    // made only then.
    void setDetails(std::function<QString()> details) { details_ = std::move(details); }
    QString details() const { return details_ ? details_() : QString(); }

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // Where things go inside the panel, worked out once for each size, font and style.
    struct Frame {
        QRect contents;  // inside the panel's frame
        QRect text;      // the room the text may fill
        QRect line;      // the band of one line, where a text change repaints
        int baseline = 0;
        QFont font;  // for this widget's screen
    };
    const Frame& frame() const;
    // The text laid out once: its width, where its characters are, and what paints it.
    const QTextLayout& shaped();
    std::unique_ptr<QTextLayout> shape(const QString& text) const;
    // What a change from `position` on repaints, given the text before it.
    QRect changedRect(int position, const QTextLayout& before);
    // The rows, from the baseline, that a text's characters from `from` on cover, united into
    // `rows`; false when that is not known from the characters alone.
    bool addInkRows(const QString& text, int from, std::pair<int, int>& rows);
    // Where a text that wide starts: the left end of its baseline.
    QPoint textOrigin(int advance) const;
    // The style's panel over the parent's background, drawn once for each size, state and
    // palette.
    const QPixmap& panel();
    void noteBackdrop();

    QString text_;
    std::function<QString()> details_;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
    std::unique_ptr<QTextLayout> layout_;
    // The rows each printable ASCII character covers in the font, measured when first needed.
    std::array<std::optional<std::pair<int, int>>, 95> inkRows_;
    mutable Frame frame_;
    mutable bool frameKnown_ = false;
    QPixmap panel_;
    int panelState_ = 0;
    qint64 panelColours_ = 0;
};

}  // namespace rzv
