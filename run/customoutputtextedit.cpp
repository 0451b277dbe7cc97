#include "run/customoutputtextedit.h"

#include <QScrollBar>

CustomOutputTextEdit::CustomOutputTextEdit(const QFont &font, QWidget *parent) : QTextEdit(parent)
{
    setFont(font);
    setReadOnly(true);
    setLineWrapMode(QTextEdit::NoWrap);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
            &CustomOutputTextEdit::slotVerticalSliderReleased);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &CustomOutputTextEdit::slotHorizontalSliderReleased);
}

void CustomOutputTextEdit::loadText(const QString &text)
{
    setPlainText(text);
    ignoreNextVertical = true;
    ignoreNextHorizontal = true;
    if (followTail)
        moveCursor(QTextCursor::End);
    else
        verticalScrollBar()->setValue(savedVertical);
    horizontalScrollBar()->setValue(savedHorizontal);
}

void CustomOutputTextEdit::reset()
{
    followTail = true;
    savedVertical = 0;
    ignoreNextVertical = true;
    ignoreNextHorizontal = true;
}

void CustomOutputTextEdit::slotVerticalSliderReleased()
{
    const QScrollBar *bar = verticalScrollBar();
    const int pos = bar->sliderPosition();
    const int max = bar->maximum();
    if (pos == 0 && max == 0)
        return;
    if (ignoreNextVertical) {
        ignoreNextVertical = false;
        return;
    }
    followTail = pos == max;
    if (!followTail)
        savedVertical = pos;
}

void CustomOutputTextEdit::slotHorizontalSliderReleased()
{
    if (ignoreNextHorizontal) {
        ignoreNextHorizontal = false;
        return;
    }
    const int value = horizontalScrollBar()->value();
    if (value != 0)
        savedHorizontal = value;
}
