#ifndef VORPEN_EDITORTABWIDGET_H
#define VORPEN_EDITORTABWIDGET_H

#include <QTabWidget>

// The main window's document tabs: closable, movable, and files dropped on it are opened.
class EditorTabWidget : public QTabWidget
{
public:
    explicit EditorTabWidget(QWidget *parent = nullptr);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};

#endif
