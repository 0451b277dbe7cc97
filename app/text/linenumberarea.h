#ifndef VORPEN_LINENUMBERAREA_H
#define VORPEN_LINENUMBERAREA_H

#include <QPair>
#include <QVector>
#include <QWidget>

class CustomTextEdit;

// The numbers of the visible lines in a margin left of the editor, in the editor's font.
class LineNumberArea : public QWidget
{
    Q_OBJECT
public:
    explicit LineNumberArea(CustomTextEdit *edit);

    // Line number (from 1) and top of each visible line, in the area's coordinates.
    QVector<QPair<int, int>> visibleNumbers() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateWidth();
    void followEditor();

    CustomTextEdit *edit;
    int boldNumber = 0; // the cursor's line when last painted
};

#endif
