#include "app/outline/bookmarks.h"

#include "app/outline/treemodel.h"
#include "syntax/sectionoutline.h"

#include <QVector>

Bookmarks::Bookmarks() : model(new TreeModel) {}

Bookmarks::~Bookmarks()
{
    delete model;
}

TreeModel *Bookmarks::getModel() const
{
    return model;
}

void Bookmarks::appendEntry(const QModelIndex &parent, const QString &title, int position,
                            const QString &separator)
{
    const int row = model->rowCount(parent);
    model->insertRows(row, 1, parent);
    model->setData(model->index(row, 0, parent), title);
    model->setData(model->index(row, 1, parent), position);
    model->setData(model->index(row, 2, parent), separator);
}

void Bookmarks::updateModel(const QStringList *lines)
{
    if (!lines || lines->size() <= 1)
        return;
    model->removeRows(0, model->rowCount());
    QModelIndex section;
    for (const OutlineEntry &entry : sectionOutline(*lines)) {
        if (entry.level == 0)
            section = QModelIndex();
        else if (!section.isValid())
            section = model->index(model->rowCount() - 1, 0);
        appendEntry(section, entry.title, entry.position, entry.separator);
    }
}
