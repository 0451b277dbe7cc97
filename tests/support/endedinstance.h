#ifndef VORPEN_TESTS_ENDEDINSTANCE_H
#define VORPEN_TESTS_ENDEDINSTANCE_H

#include "app/recovery/journal.h"
#include "app/recovery/recoveryfolder.h"

#include <sys/wait.h>
#include <unistd.h>

// Leaves a journal in folder as an instance does that ends without tidying up; its lock ends
// with its process. False when the journal could not be written.
inline bool leaveJournalOfEndedInstance(const QString &folder, const Journal &journal)
{
    const pid_t child = fork();
    if (child == 0) {
        auto *ended = new RecoveryFolder(folder);
        _exit(writeJournal(ended->journalFile(1), journal) ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

#endif
