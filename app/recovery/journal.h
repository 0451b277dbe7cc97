#ifndef VORPEN_JOURNAL_H
#define VORPEN_JOURNAL_H

#include "app/recovery/filebase.h"

#include <QDateTime>
#include <QString>

// The unsaved text of one page as kept for recovery after a crash.
struct Journal
{
    QString path;  // empty for an "Untitled" page
    FileBase base; // the file as the page loaded or last saved it
    QString grammar;
    QDateTime written;
    QString text;
};

// Replaces the journal file by journal, so that a crash at any moment leaves either the former
// journal or the new one complete; the file is readable by its owner only.
bool writeJournal(const QString &file, const Journal &journal);

// False for a file that is missing, damaged or torn.
bool readJournal(const QString &file, Journal &journal);

#endif
