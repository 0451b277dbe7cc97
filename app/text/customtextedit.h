#ifndef VORPEN_CUSTOMTEXTEDIT_H
#define VORPEN_CUSTOMTEXTEDIT_H

#include <QTextEdit>

// The driving-file editor of a page: opens dropped files and carries the block and comment keys.
class CustomTextEdit : public QTextEdit
{
public:
    explicit CustomTextEdit(QWidget *parent = nullptr);

    // Leaves room for the line numbers left of the text.
    void setLineNumberMargin(int width) { setViewportMargins(width, 0, 0, 0); }

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

#endif
