#ifndef VORPEN_RECOVERYOFFER_H
#define VORPEN_RECOVERYOFFER_H

#include <QString>

class Editor;

// Offers each journal that an ended instance left, one at a time: "Recover" puts its text into
// a page marked unsaved and bound to its file, "Show Differences" compares it with the file on
// disk, "Discard" deletes it; closing the question keeps it for the next start. With onlyPath,
// only journals of that file are offered. Journals that cannot be read are named and kept.
void offerRecovery(Editor *editor, const QString &onlyPath = QString());

#endif
