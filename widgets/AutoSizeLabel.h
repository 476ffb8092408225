#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

namespace rotenu {

// A label that sizes itself to its text: the width of its widest line and the height of all its
// lines, each line drawn aligned in the label's box (left-aligned or centred). Lines end at CR LF
// (a lone CR or LF ends a line too). An empty label measures as a single space, one line high.
class AutoSizeLabel final : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(Qt::Alignment alignment READ alignment WRITE setAlignment)
public:
    explicit AutoSizeLabel(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    // Sets the text and resizes the label to it, keeping its top-left corner.
    void setText(const QString& text);
    // Only the horizontal part counts: where each line stands in the label's width.
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);

    // The size that the text needs in the label's font.
    QSize textSize() const;
    QSize sizeHint() const override { return textSize(); }
    QSize minimumSizeHint() const override { return textSize(); }
    // The text's lines, without their line ends.
    QStringList lines() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString m_text;
    Qt::Alignment m_alignment = Qt::AlignLeft;
};

} // namespace rotenu
