#ifndef VORPEN_INTERFACETABWIDGET_H
#define VORPEN_INTERFACETABWIDGET_H

#include <QTabWidget>

// The views of one driving file ("Driving File", "Run Configuration"); a view that shows values
// of the file analyses the current text before it appears.
class InterfaceTabWidget : public QTabWidget
{
    Q_OBJECT
public:
    explicit InterfaceTabWidget(QWidget *parent = nullptr);

public slots:
    // Pages are told apart by their text, so moving them keeps their behaviour.
    void slotInterfaceChange(int index);
};

#endif
