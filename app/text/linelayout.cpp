#include "app/text/linelayout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Unwrapped lines get a width no text reaches.
const qreal unbounded = 1e7;

bool isPlainAscii(const QStringRef &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return c == QLatin1Char('\t') || (c.unicode() >= 0x20 && c.unicode() < 0x7f);
    });
}

} // namespace

LineLayout::LineLayout(QTextDocument *document, QPaintDevice *paintDevice)
    : QAbstractTextDocumentLayout(document), pageSize(document->pageSize())
{
    setPaintDevice(paintDevice);
}

void LineLayout::refreshMetrics()
{
    const QFont font = document()->defaultFont();
    QTextLayout probe(QStringLiteral(" "), font, paintDevice());
    probe.beginLayout();
    QTextLine line = probe.createLine();
    line.setLeadingIncluded(true);
    line.setLineWidth(unbounded);
    probe.endLayout();
    lineHeight = line.height();
    // Lines after a line separator follow at their height without a positive leading.
    lineStep = std::ceil(line.ascent() + line.descent() + line.leading());
    metrics = QFontMetricsF(font, paintDevice());
    // Font databases do not always know a fixed-pitch font for one, so the glyphs decide.
    advance = metrics.horizontalAdvance(QLatin1Char('0'));
    for (QChar c : QStringLiteral("iW .#[M"))
        advance = metrics.horizontalAdvance(c) == advance ? advance : 0;
    tabStop = document()->defaultTextOption().tabStopDistance();
}

qreal LineLayout::textWidth(const QStringRef &text) const
{
    // Shaping every line of a large file would cost more than the whole load.
    if (advance <= 0 || !isPlainAscii(text))
        return metrics.horizontalAdvance(text.toString());
    qreal x = 0;
    for (QChar c : text)
        x = c == QLatin1Char('\t') && tabStop > 0 ? (std::floor(x / tabStop) + 1) * tabStop
                                                  : x + advance;
    return x;
}

LineLayout::Extent LineLayout::measure(const QString &text) const
{
    Extent extent;
    if (!text.contains(QChar::LineSeparator)) {
        extent.width = textWidth(QStringRef(&text));
        return extent;
    }
    const QVector<QStringRef> pieces = text.splitRef(QChar::LineSeparator);
    extent.lines = pieces.size();
    for (const QStringRef &piece : pieces)
        extent.width = qMax(extent.width, textWidth(piece));
    return extent;
}

void LineLayout::measureAll()
{
    refreshMetrics();
    extents.clear();
    extents.reserve(document()->blockCount());
    separatedBlocks = 0;
    widest = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        block.clearLayout();
        extents.append(measure(block.text()));
        separatedBlocks += extents.last().lines > 1;
        widest = qMax(widest, extents.last().width);
    }
}

bool LineLayout::remeasure(const QTextBlock &first, int replaced, int count)
{
    const int number = first.blockNumber();
    int linesBefore = 0;
    bool widestGone = false;
    for (int i = number; i < number + replaced; ++i) {
        linesBefore += extents.at(i).lines;
        separatedBlocks -= extents.at(i).lines > 1;
        widestGone = widestGone || extents.at(i).width >= widest;
    }
    extents.remove(number, replaced);
    extents.insert(number, count, Extent());
    int linesAfter = 0;
    QTextBlock block = first;
    for (int i = number; i < number + count; ++i, block = block.next()) {
        block.clearLayout();
        extents[i] = measure(block.text());
        linesAfter += extents.at(i).lines;
        separatedBlocks += extents.at(i).lines > 1;
        widest = qMax(widest, extents.at(i).width);
    }
    if (widestGone) {
        widest = 0;
        for (const Extent &extent : qAsConst(extents))
            widest = qMax(widest, extent.width);
    }
    return linesBefore == linesAfter;
}

void LineLayout::documentChanged(int from, int charsRemoved, int charsAdded)
{
    Q_UNUSED(charsRemoved)
    QTextDocument *doc = document();
    // A new page size comes alone as a change of the whole text, but unwrapped lines keep
    // their place; the text edit sets one whenever its size first settles.
    if (doc->pageSize() != pageSize) {
        pageSize = doc->pageSize();
        emit update(QRectF(0, 0, INT_MAX, INT_MAX));
        return;
    }
    const QSizeF oldSize = documentSize();
    const QTextBlock first = doc->findBlock(from);
    QTextBlock last = doc->findBlock(from + charsAdded);
    if (!last.isValid())
        last = doc->lastBlock();
    const int count = last.blockNumber() - first.blockNumber() + 1;
    const int replaced = count - (doc->blockCount() - extents.size());
    // Font, margin and tab changes come as a change of the whole text.
    const bool whole = (from == 0 && from + charsAdded >= doc->characterCount()) ||
                       !first.isValid() || replaced < 1 ||
                       first.blockNumber() + replaced > extents.size();
    QRectF changed(0, 0, INT_MAX, INT_MAX);
    if (whole) {
        measureAll();
    } else {
        const bool sameHeight = remeasure(first, replaced, count);
        changed.setTop(top(first.blockNumber()));
        if (sameHeight)
            changed.setHeight(top(last.blockNumber() + 1) - changed.top());
    }
    if (documentSize() != oldSize)
        emit documentSizeChanged(documentSize());
    emit update(changed);
}

qreal LineLayout::height(int lines) const
{
    return lineHeight + (lines - 1) * lineStep;
}

qreal LineLayout::top(int blockNumber) const
{
    qreal y = document()->documentMargin() + blockNumber * lineHeight;
    if (separatedBlocks > 0) {
        for (int i = 0; i < qMin(blockNumber, extents.size()); ++i)
            y += (extents.at(i).lines - 1) * lineStep;
    }
    return y;
}

QTextBlock LineLayout::blockAt(qreal y) const
{
    const qreal below = y - document()->documentMargin();
    int number = lineHeight > 0 ? int(std::floor(below / lineHeight)) : 0;
    if (separatedBlocks > 0) {
        qreal bottom = 0;
        for (number = 0; number < extents.size(); ++number) {
            bottom += height(extents.at(number).lines);
            if (bottom > below)
                break;
        }
    }
    return document()->findBlockByNumber(qBound(0, number, document()->blockCount() - 1));
}

QTextLayout *LineLayout::laidOut(const QTextBlock &block) const
{
    QTextLayout *layout = block.layout();
    if (layout->lineCount() == 0) {
        QTextOption option = document()->defaultTextOption();
        option.setWrapMode(QTextOption::NoWrap);
        layout->setTextOption(option);
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(unbounded);
            line.setPosition(QPointF(0, line.lineNumber() * lineStep));
        }
        layout->endLayout();
    }
    layout->setPosition(QPointF(document()->documentMargin(), top(block.blockNumber())));
    return layout;
}

QSizeF LineLayout::documentSize() const
{
    const qreal margin = document()->documentMargin();
    return QSizeF(widest + 2 * margin, top(document()->blockCount()) + margin);
}

QRectF LineLayout::frameBoundingRect(QTextFrame *frame) const
{
    return frame == document()->rootFrame() ? QRectF(QPointF(), documentSize()) : QRectF();
}

QRectF LineLayout::blockBoundingRect(const QTextBlock &block) const
{
    if (!block.isValid())
        return QRectF();
    const QTextLayout *layout = laidOut(block);
    return QRectF(layout->position(),
                  QSizeF(qMax(widest, layout->maximumWidth()), height(layout->lineCount())));
}

int LineLayout::hitTest(const QPointF &point, Qt::HitTestAccuracy accuracy) const
{
    // Above the first line a point means the start of the text, below the last line its end,
    // and on the border between two lines the end of the upper one; an exact hit must fall on
    // the characters. So the stock layout has it.
    const QTextBlock block = blockAt(point.y());
    const QTextLayout *layout = laidOut(block);
    const QPointF inside = point - layout->position();
    const bool exact = accuracy == Qt::ExactHit;
    if (inside.y() < 0)
        return exact ? -1 : block.position();
    const QTextBlock above = block.previous();
    if (inside.y() == 0 && above.isValid())
        return exact ? -1 : above.position() + above.length() - 1;
    const int lineNumber = inside.y() < lineHeight || lineStep <= 0
                               ? 0
                               : int((inside.y() - lineHeight) / lineStep) + 1;
    if (lineNumber >= layout->lineCount())
        return exact ? -1
                     : qMin(block.position() + block.length(), document()->characterCount() - 1);
    const QTextLine line = layout->lineAt(lineNumber);
    if (!exact)
        return block.position() + line.xToCursor(inside.x());
    if (inside.x() < 0 || inside.x() > line.naturalTextWidth())
        return -1;
    return block.position() + line.xToCursor(inside.x(), QTextLine::CursorOnCharacter);
}

void LineLayout::draw(QPainter *painter, const PaintContext &context)
{
    const QRectF clip = context.clip.isValid() ? context.clip : QRectF(QPointF(), documentSize());
    const QPen pen = painter->pen();
    for (QTextBlock block = blockAt(clip.top()); block.isValid(); block = block.next()) {
        if (top(block.blockNumber()) > clip.bottom())
            break;
        drawBlock(painter, context, block, clip);
    }
    painter->setPen(pen);
}

void LineLayout::drawBlock(QPainter *painter, const PaintContext &context, const QTextBlock &block,
                           const QRectF &clip) const
{
    QTextLayout *layout = laidOut(block);
    const int start = block.position();
    const int length = block.length();
    QVector<QTextLayout::FormatRange> selections;
    for (const Selection &selection : context.selections) {
        const int from = selection.cursor.selectionStart() - start;
        const int to = selection.cursor.selectionEnd() - start;
        QTextLayout::FormatRange range;
        range.format = selection.format;
        if (from < length && to > 0 && to > from) {
            range.start = from;
            range.length = to - from;
            selections.append(range);
        } else if (!selection.cursor.hasSelection() &&
                   selection.format.hasProperty(QTextFormat::FullWidthSelection) &&
                   block.contains(selection.cursor.position())) {
            // A full-width selection marks the line of its cursor.
            const QTextLine line = layout->lineForTextPosition(selection.cursor.position() - start);
            range.start = line.textStart();
            range.length = line.textLength();
            if (range.start + range.length == length - 1)
                ++range.length;
            selections.append(range);
        }
    }
    painter->setPen(context.palette.color(QPalette::Text));
    layout->draw(painter, QPointF(), selections, clip);

    int caret = context.cursorPosition;
    const bool preediting = caret < -1 && !layout->preeditAreaText().isEmpty();
    if ((caret >= start && caret < start + length) || preediting) {
        caret = preediting ? layout->preeditAreaPosition() - (caret + 2) : caret - start;
        layout->drawCursor(painter, QPointF(), caret, caretWidth);
    }
}
