#ifndef VORPEN_LIVESTATUS_H
#define VORPEN_LIVESTATUS_H

#include <QMetaObject>
#include <QObject>
#include <QVector>

class EditorTabs;
class QLabel;
class QStatusBar;
class QTabWidget;

// The status bar's view of the current page: the verdict of its live analysis and the
// parameters behind the line under the cursor.
class LiveStatus : public QObject
{
    Q_OBJECT
public:
    LiveStatus(QTabWidget *tabs, QStatusBar *bar);

    QString verdictText() const;
    QString parameterText() const;

private:
    void follow(int index);
    void refresh();

    QTabWidget *tabs;
    QLabel *parameterLabel;
    QLabel *verdictLabel;
    EditorTabs *page = nullptr;
    QVector<QMetaObject::Connection> pageConnections;
};

#endif
