#ifndef VORPEN_FILEDROP_H
#define VORPEN_FILEDROP_H

class QDropEvent;

// Opens every local file of a drop in its own page and shows the last tab; other URLs are ignored.
// Returns false when the drop carries no URLs.
bool openDroppedFiles(QDropEvent *event);

#endif
