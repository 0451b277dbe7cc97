#ifndef VORPEN_CUSTOMOUTPUTTEXTEDIT_H
#define VORPEN_CUSTOMOUTPUTTEXTEDIT_H

#include <QTextEdit>

// Read-only page of a simulation's output that follows the end of its text unless the user
// scrolled away, in which case reloads keep the user's position.
class CustomOutputTextEdit : public QTextEdit
{
    Q_OBJECT
public:
    explicit CustomOutputTextEdit(const QFont &font, QWidget *parent = nullptr);

    // Replaces the text and scrolls to the end or back to the remembered position.
    void loadText(const QString &text);
    // Follows the end again, as after construction.
    void reset();

    bool followTail = true;
    int savedVertical = 0;
    int savedHorizontal = 0;

public slots:
    void slotVerticalSliderReleased();
    void slotHorizontalSliderReleased();

private:
    // Loading, layout and resizing move the scroll bars too; only a scroll bar action (drag,
    // wheel, click, key) is the user's.
    bool userVertical = false;
    bool userHorizontal = false;
};

#endif
