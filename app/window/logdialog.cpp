#include "app/window/logdialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

LogDialog::LogDialog(QString title, QFont font, QWidget *parent)
    : QDialog(parent, Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
{
    setWindowTitle(title);
    setFont(font);
    label = new QLabel(log, this);
    okButton = new QPushButton(tr("OK"), this);
    connect(okButton, &QPushButton::clicked, this, &QDialog::close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(okButton);
}

bool LogDialog::checkWarnings() const
{
    return label->text().contains(QLatin1String("Warning"));
}

void LogDialog::addMessage(QString message)
{
    log += message + QLatin1Char('\n');
    label->setText(log);
    label->adjustSize();
}
