#ifndef VORPEN_LINELAYOUT_H
#define VORPEN_LINELAYOUT_H

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QVector>

class QTextLayout;

// Lays out plain, unwrapped text as lines of one height, so that an edit costs the lines it
// touches and not every line below it, and a line is shaped only once it is shown.
class LineLayout : public QAbstractTextDocumentLayout
{
    Q_OBJECT
    Q_PROPERTY(int cursorWidth READ cursorWidth WRITE setCursorWidth)
    // Tells the text edit that resizing it changes nothing here.
    Q_PROPERTY(bool contentHasAlignment READ contentHasAlignment)
public:
    // Lays out document as its text would be shown on paintDevice.
    LineLayout(QTextDocument *document, QPaintDevice *paintDevice);

    void draw(QPainter *painter, const PaintContext &context) override;
    int hitTest(const QPointF &point, Qt::HitTestAccuracy accuracy) const override;
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame *frame) const override;
    QRectF blockBoundingRect(const QTextBlock &block) const override;

    int cursorWidth() const { return caretWidth; }
    void setCursorWidth(int width) { caretWidth = width; }
    bool contentHasAlignment() const { return false; }

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    // Width and count of the lines of one block: more than one only after line separators.
    struct Extent
    {
        qreal width = 0;
        int lines = 1;
    };

    void refreshMetrics();
    qreal textWidth(const QStringRef &text) const;
    Extent measure(const QString &text) const;
    void measureAll();
    // Replaces the extents of `replaced` blocks from first by those of `count` blocks; true when
    // the lines below keep their place.
    bool remeasure(const QTextBlock &first, int replaced, int count);
    qreal height(int lines) const;
    qreal top(int blockNumber) const;
    QTextBlock blockAt(qreal y) const;
    QTextLayout *laidOut(const QTextBlock &block) const;
    void drawBlock(QPainter *painter, const PaintContext &context, const QTextBlock &block,
                   const QRectF &clip) const;

    QSizeF pageSize;
    QVector<Extent> extents; // one per block
    int separatedBlocks = 0; // blocks of more than one line
    qreal widest = 0;
    qreal lineHeight = 0; // of a block of one line
    qreal lineStep = 0;   // from one line of a block to the next
    QFontMetricsF metrics = QFontMetricsF(QFont());
    qreal advance = 0; // of every printable ASCII character in a fixed-pitch font, else 0
    qreal tabStop = 0;
    int caretWidth = 1;
};

#endif
