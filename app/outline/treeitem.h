#ifndef VORPEN_TREEITEM_H
#define VORPEN_TREEITEM_H

#include <QList>
#include <QVariant>
#include <QVector>

// One node of a TreeModel: a row of values that owns its child rows.
class TreeItem
{
public:
    explicit TreeItem(const QVector<QVariant> &data, TreeItem *parent = nullptr);
    ~TreeItem();
    TreeItem(const TreeItem &) = delete;
    TreeItem &operator=(const TreeItem &) = delete;

    TreeItem *child(int number) const;
    int childCount() const;
    int columnCount() const;
    QVariant data(int column) const;
    bool insertChildren(int position, int count, int columns);
    bool insertColumns(int position, int columns);
    TreeItem *parent() const;
    bool removeChildren(int position, int count);
    bool removeColumns(int position, int columns);
    int childNumber() const;
    bool setData(int column, const QVariant &value);

private:
    QVector<QVariant> itemData;
    QList<TreeItem *> childItems;
    TreeItem *parentItem;
};

#endif
