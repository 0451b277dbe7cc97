#include "run/customoutputtextedit.h"

#include <QScrollBar>

CustomOutputTextEdit::CustomOutputTextEdit(const QFont &font, QWidget *parent) : QTextEdit(parent)
{
    setFont(font);
    setReadOnly(true);
    setLineWrapMode(QTextEdit::NoWrap);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { userVertical = true; });
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { userHorizontal = true; });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
            &CustomOutputTextEdit::slotVerticalSliderReleased);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &CustomOutputTextEdit::slotHorizontalSliderReleased);
}

void CustomOutputTextEdit::loadText(const QString &text)
{
    setPlainText(text);
    if (followTail) {
        moveCursor(QTextCursor::End);
        // The cursor alone stops short of the document margin below the last line.
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    } else {
        verticalScrollBar()->setValue(savedVertical);
    }
    horizontalScrollBar()->setValue(savedHorizontal);
}

void CustomOutputTextEdit::reset()
{
    followTail = true;
    savedVertical = 0;
}

void CustomOutputTextEdit::slotVerticalSliderReleased()
{
    if (!userVertical)
        return;
    userVertical = false;
    const QScrollBar *bar = verticalScrollBar();
    const int pos = bar->sliderPosition();
    const int max = bar->maximum();
    if (pos == 0 && max == 0)
        return;
    followTail = pos == max;
    if (!followTail)
        savedVertical = pos;
}

void CustomOutputTextEdit::slotHorizontalSliderReleased()
{
    if (!userHorizontal)
        return;
    userHorizontal = false;
    const int value = horizontalScrollBar()->value();
    if (value != 0)
        savedHorizontal = value;
}
