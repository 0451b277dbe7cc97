#ifndef VORPEN_LIVESTATUS_H
#define VORPEN_LIVESTATUS_H

#include <QMetaObject>
#include <QObject>
#include <QVector>

class EditorTabs;
class QLabel;
class QStatusBar;

// The status bar's view of the current page: the verdict of its live analysis and the
// parameters behind the line under the cursor.
class LiveStatus : public QObject
{
    Q_OBJECT
public:
    explicit LiveStatus(QStatusBar *bar);

    // Describes page from now on; null clears the status bar.
    void follow(EditorTabs *page);

private:
    void refresh();

    QLabel *parameterLabel;
    QLabel *verdictLabel;
    EditorTabs *page = nullptr;
    QVector<QMetaObject::Connection> pageConnections;
};

#endif
