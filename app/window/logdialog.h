#ifndef VORPEN_LOGDIALOG_H
#define VORPEN_LOGDIALOG_H

#include <QDialog>
#include <QFont>
#include <QString>

class QLabel;
class QPushButton;

// The log of one conversion: messages pile up in a label above an "OK" button.
class LogDialog : public QDialog
{
    Q_OBJECT
public:
    LogDialog(QString title, QFont font, QWidget *parent);

    // True when the log holds a warning.
    bool checkWarnings() const;
    QString text() const { return log; }

public slots:
    void addMessage(QString message);

private:
    QString log = QStringLiteral("\n");
    QLabel *label = nullptr;
    QPushButton *okButton = nullptr;
};

#endif
