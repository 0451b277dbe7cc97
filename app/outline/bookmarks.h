#ifndef VORPEN_BOOKMARKS_H
#define VORPEN_BOOKMARKS_H

#include <QStringList>

class QModelIndex;
class TreeModel;

// Builds the two-level section outline of a driving file from its underlined comment headings.
class Bookmarks
{
public:
    Bookmarks();
    ~Bookmarks();
    Bookmarks(const Bookmarks &) = delete;
    Bookmarks &operator=(const Bookmarks &) = delete;

    TreeModel *getModel() const;
    // Rebuilds the outline; a text of at most one line keeps the previous one.
    void updateModel(const QStringList *lines);

private:
    void appendEntry(const QModelIndex &parent, const QString &title, int position,
                     const QString &separator);

    TreeModel *model;
};

#endif
