#ifndef VORPEN_CHECKELEMENT_H
#define VORPEN_CHECKELEMENT_H

#include <QCheckBox>
#include <QDateTime>
#include <QPointer>
#include <QString>

// One result file of a page with its check box and the state of its output page.
struct CheckElement
{
    CheckElement(const QString &resultFile, const QString &label, bool displayable);
    ~CheckElement();
    CheckElement(const CheckElement &) = delete;
    CheckElement &operator=(const CheckElement &) = delete;

    bool ticked = false;
    bool hasPage = false;
    bool inLayout = false;
    bool displayable;
    bool present = true;
    qint64 readSize = 0;
    QString resultFile; // relative to the result directory; a pattern for VTK fields
    QString label;
    int pageIndex = -1;
    // The result box may be destroyed with its page before the entry.
    QPointer<QCheckBox> checkBox;
    QDateTime readTime;
};

#endif
