#ifndef VORPEN_BACKGROUNDRELEASE_H
#define VORPEN_BACKGROUNDRELEASE_H

#include <QThreadPool>

#include <memory>

// Freeing the tree of a large file takes long enough to hold up the window, so a pool thread
// does it. Nothing may refer to what is handed over.
template <typename Owned> void releaseInBackground(std::shared_ptr<Owned> owned)
{
    if (owned)
        QThreadPool::globalInstance()->start(
            [owned = std::move(owned)]() mutable { owned.reset(); });
}

#endif
