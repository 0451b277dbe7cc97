#ifndef VORPEN_FILEWRITE_H
#define VORPEN_FILEWRITE_H

#include <QByteArray>
#include <QString>

// Makes bytes the content of the file at path, or leaves the file as it was when any part of
// the write fails. The file keeps its identity: a file with further hard links, of another
// owner or group, or in a folder this process may not write is written in place, once the
// new content is safely on disk beside it or in the user's state folder.
bool replaceFileContent(const QString &path, const QByteArray &bytes);

#endif
