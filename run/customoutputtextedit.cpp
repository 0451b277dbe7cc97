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
    // Replacing the text may itself move the scroll bars; that is not the user either.
    ignoreNextVertical = true;
    ignoreNextHorizontal = true;
    setPlainText(text);
    ignoreNextVertical = true;
    ignoreNextHorizontal = true;
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
