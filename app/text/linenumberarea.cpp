#include "app/text/linenumberarea.h"

#include "app/text/customtextedit.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>

namespace {

const int padding = 4;

} // namespace

LineNumberArea::LineNumberArea(CustomTextEdit *edit) : QWidget(edit), edit(edit)
{
    // It fills itself, so a key stroke repaints none of the widgets behind it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(edit->document(), &QTextDocument::blockCountChanged, this,
            &LineNumberArea::updateWidth);
    connect(edit->verticalScrollBar(), &QScrollBar::valueChanged, this,
            QOverload<>::of(&QWidget::update));
    // Lines do not wrap: numbers move only when the text's height changes, not at every edit.
    connect(edit->document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged,
            this, QOverload<>::of(&QWidget::update));
    connect(edit, &QTextEdit::cursorPositionChanged, this, [this] {
        if (this->edit->textCursor().blockNumber() + 1 != boldNumber)
            update();
    });
    edit->installEventFilter(this);
    updateWidth();
}

QSize LineNumberArea::sizeHint() const
{
    const int digits = QString::number(qMax(1, edit->document()->blockCount())).size();
    const QFontMetrics metrics(edit->font());
    return QSize(2 * padding + digits * metrics.horizontalAdvance(QLatin1Char('9')), 0);
}

QVector<QPair<int, int>> LineNumberArea::visibleNumbers() const
{
    QVector<QPair<int, int>> numbers;
    const QWidget *viewport = edit->viewport();
    const int scroll = edit->verticalScrollBar()->value();
    const int offset = viewport->geometry().top() - geometry().top();
    const QAbstractTextDocumentLayout *layout = edit->document()->documentLayout();
    for (QTextBlock block = edit->cursorForPosition(QPoint(0, 0)).block(); block.isValid();
         block = block.next()) {
        const int top = int(layout->blockBoundingRect(block).top()) - scroll;
        if (top > viewport->height())
            break;
        numbers.append({block.blockNumber() + 1, top + offset});
    }
    return numbers;
}

void LineNumberArea::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());
    QFont font = edit->font();
    painter.setFont(font);
    const int current = edit->textCursor().blockNumber() + 1;
    boldNumber = current;
    const int lineHeight = QFontMetrics(font).height();
    for (const QPair<int, int> &number : visibleNumbers()) {
        font.setBold(number.first == current);
        painter.setFont(font);
        painter.setPen(number.first == current ? palette().windowText().color()
                                               : palette().placeholderText().color());
        painter.drawText(0, number.second, width() - padding, lineHeight,
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(number.first));
    }
}

bool LineNumberArea::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edit) {
        if (event->type() == QEvent::FontChange)
            updateWidth();
        else if (event->type() == QEvent::Resize)
            followEditor();
    }
    return QWidget::eventFilter(watched, event);
}

void LineNumberArea::updateWidth()
{
    edit->setLineNumberMargin(sizeHint().width());
    followEditor();
}

void LineNumberArea::followEditor()
{
    const QRect frame = edit->contentsRect();
    setGeometry(frame.left(), frame.top(), sizeHint().width(), frame.height());
    update();
}
