#ifndef VORPEN_EDITOR_H
#define VORPEN_EDITOR_H

#include <QMainWindow>

// The main window: owns the configuration, the document tabs and every user command.
class Editor : public QMainWindow
{
    Q_OBJECT
public:
    explicit Editor(const QString &configurationPath, QWidget *parent = nullptr);
    ~Editor() override;

    static Editor *getInstance();

private:
    static Editor *instance;
    QString configurationPath;
};

#endif
