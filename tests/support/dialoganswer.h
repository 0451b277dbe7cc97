#ifndef VORPEN_TESTS_DIALOGANSWER_H
#define VORPEN_TESTS_DIALOGANSWER_H

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>

#include <functional>

// What a test saw of a modal dialog it answered.
struct SeenDialog
{
    bool shown = false;
    QString title;
    QString text; // all label texts, joined by "|"
};

// Waits for the next modal dialog and hands it to answer; gives up after five seconds so that a
// missing dialog fails the test instead of answering a later one.
inline void onNextDialog(SeenDialog *seen, std::function<void(QDialog *)> answer)
{
    auto *poll = new QTimer;
    auto *waited = new int(0);
    QObject::connect(poll, &QTimer::timeout, [=] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog && ++*waited < 500)
            return;
        poll->stop();
        poll->deleteLater();
        delete waited;
        if (!dialog)
            return;
        seen->shown = true;
        seen->title = dialog->windowTitle();
        QStringList texts;
        const QList<QLabel *> labels = dialog->findChildren<QLabel *>();
        for (const QLabel *label : labels) {
            if (!label->text().isEmpty())
                texts << label->text();
        }
        seen->text = texts.join(QLatin1Char('|'));
        answer(dialog);
    });
    poll->start(10);
}

// Clicks the button of the next modal dialog whose text (mnemonics removed) is buttonText.
inline void clickInNextDialog(SeenDialog *seen, const QString &buttonText)
{
    onNextDialog(seen, [buttonText](QDialog *dialog) {
        const QList<QAbstractButton *> buttons = dialog->findChildren<QAbstractButton *>();
        for (QAbstractButton *button : buttons) {
            if (button->text().remove(QLatin1Char('&')) == buttonText) {
                button->click();
                return;
            }
        }
        dialog->reject();
    });
}

#endif
