#ifndef VORPEN_JOURNALKEEPER_H
#define VORPEN_JOURNALKEEPER_H

#include "app/recovery/recoveryfolder.h"

#include <QHash>
#include <QObject>
#include <QThreadPool>

class EditorTabs;
class QTimer;
struct Journal;

// Keeps a recovery journal of every page with unsaved text: at most idleMs after typing stops
// and at least every longestMs while it goes on, written on a thread of its own so that typing
// never waits for the disk.
class JournalKeeper : public QObject
{
    Q_OBJECT
public:
    static const int idleMs = 2000;
    static const int longestMs = 10000;

    explicit JournalKeeper(const QString &folderPath = RecoveryFolder::defaultPath(),
                           QObject *parent = nullptr);
    // A normal end: the journals of this instance go, as every page was settled.
    ~JournalKeeper() override;

    // Journals the page whenever its text changes.
    void watch(EditorTabs *page);
    // The page's text is saved or given up: its journal goes.
    void dropJournal(EditorTabs *page);
    // Writes the page's journal before returning: a recovered text must not wait for typing.
    void journalNow(EditorTabs *page);
    // Writes the journal of every page with unsaved text before returning: the program ends.
    void journalAllNow();
    // Returns once every journal handed to the writer is on disk.
    void waitForWriter();

    RecoveryFolder &folder() { return recoveryFolder; }
    // Offers for recovery: off until the start-up offer, so that opening the files named on
    // the command line does not ask before the window is there.
    bool offersEnabled = false;

private:
    struct Watch
    {
        int serial = 0;
        QTimer *idle = nullptr;
        QTimer *longest = nullptr;
    };

    void textChanged(EditorTabs *page);
    void journalSoon(EditorTabs *page);
    // The page's journal file, once no timer is left to write it; empty for a page not watched.
    QString stopTimers(EditorTabs *page);
    Journal snapshot(const EditorTabs *page) const;

    RecoveryFolder recoveryFolder;
    QThreadPool writer;
    QHash<EditorTabs *, Watch> watched;
    int nextSerial = 1;
};

#endif
