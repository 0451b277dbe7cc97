#include "app/recovery/journalkeeper.h"

#include "app/page/editortabs.h"
#include "app/recovery/journal.h"
#include "app/text/customtextedit.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>

JournalKeeper::JournalKeeper(const QString &folderPath, QObject *parent)
    : QObject(parent), recoveryFolder(folderPath)
{
    // One thread, so that the journals of a page reach the disk in the order they were taken.
    writer.setMaxThreadCount(1);
}

JournalKeeper::~JournalKeeper()
{
    writer.waitForDone();
    for (auto it = watched.cbegin(); it != watched.cend(); ++it)
        QFile::remove(recoveryFolder.journalFile(it->serial));
}

void JournalKeeper::watch(EditorTabs *page)
{
    Watch entry;
    entry.serial = nextSerial++;
    entry.idle = new QTimer(this);
    entry.idle->setSingleShot(true);
    entry.idle->setInterval(idleMs);
    entry.longest = new QTimer(this);
    entry.longest->setSingleShot(true);
    entry.longest->setInterval(longestMs);
    connect(entry.idle, &QTimer::timeout, this, [this, page] { journalSoon(page); });
    connect(entry.longest, &QTimer::timeout, this, [this, page] { journalSoon(page); });
    connect(page->textEdit, &QTextEdit::textChanged, this, [this, page] { textChanged(page); });
    // The page's widgets are gone by then: only its entry is used.
    connect(page, &QObject::destroyed, this, [this, page] {
        dropJournal(page);
        const Watch entry = watched.take(page);
        delete entry.idle;
        delete entry.longest;
    });
    watched.insert(page, entry);
}

void JournalKeeper::textChanged(EditorTabs *page)
{
    const auto it = watched.constFind(page);
    if (it == watched.cend() || !recoveryFolder.isUsable())
        return;
    it->idle->start();
    if (!it->longest->isActive())
        it->longest->start();
}

Journal JournalKeeper::snapshot(const EditorTabs *page) const
{
    Journal journal;
    if (page->fileInfo)
        journal.path = page->fileInfo->absoluteFilePath();
    journal.base = page->diskBase;
    journal.grammar = page->syntaxFile;
    journal.written = QDateTime::currentDateTime();
    // Shares the document's text with the writer; copying it is the writer's work.
    journal.text = page->textEdit->toPlainText();
    return journal;
}

QString JournalKeeper::stopTimers(EditorTabs *page)
{
    const auto it = watched.constFind(page);
    if (it == watched.cend())
        return QString();
    it->idle->stop();
    it->longest->stop();
    return recoveryFolder.journalFile(it->serial);
}

void JournalKeeper::journalSoon(EditorTabs *page)
{
    const QString file = stopTimers(page);
    if (file.isEmpty())
        return;
    if (!page->hasUnsavedText()) {
        writer.start([file] { QFile::remove(file); });
        return;
    }
    const Journal journal = snapshot(page);
    writer.start([file, journal] { writeJournal(file, journal); });
}

void JournalKeeper::dropJournal(EditorTabs *page)
{
    const QString file = stopTimers(page);
    if (!file.isEmpty())
        writer.start([file] { QFile::remove(file); });
}

void JournalKeeper::journalNow(EditorTabs *page)
{
    const auto it = watched.constFind(page);
    if (it == watched.cend() || !recoveryFolder.isUsable())
        return;
    writer.waitForDone();
    writeJournal(recoveryFolder.journalFile(it->serial), snapshot(page));
}

void JournalKeeper::journalAllNow()
{
    writer.waitForDone();
    if (!recoveryFolder.isUsable())
        return;
    for (auto it = watched.cbegin(); it != watched.cend(); ++it) {
        if (it.key()->hasUnsavedText())
            writeJournal(recoveryFolder.journalFile(it->serial), snapshot(it.key()));
    }
}

void JournalKeeper::waitForWriter()
{
    writer.waitForDone();
}
