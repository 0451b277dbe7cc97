#include "app/outline/bookmarks.h"

#include "app/outline/treemodel.h"

#include <QVector>

namespace {

enum class Separator
{
    None,
    Main,
    Sub
};

Separator separatorKind(const QString &trimmed)
{
    if (trimmed.contains(QLatin1String("# ====")) || trimmed.contains(QLatin1String("#====")))
        return Separator::Main;
    if (trimmed.contains(QLatin1String("# ----")) || trimmed.contains(QLatin1String("#----")))
        return Separator::Sub;
    return Separator::None;
}

QString titleOf(const QString &line)
{
    QString title = line.trimmed();
    if (title.startsWith(QLatin1Char('#')))
        title = title.mid(1).trimmed();
    return title;
}

} // namespace

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

    QVector<QModelIndex> parents = {QModelIndex()};
    bool insideSubsections = false;
    int position = 0;
    int previousStart = 0;
    for (int i = 0; i < lines->size(); ++i) {
        const QString &line = lines->at(i);
        const int lineStart = position;
        position += line.length() + 1;
        const QString trimmed = line.trimmed();
        const Separator kind = separatorKind(trimmed);
        const int titleStart = previousStart;
        previousStart = lineStart;
        if (kind == Separator::None || i == 0)
            continue;

        const QString title = titleOf(lines->at(i - 1));
        if (title.isEmpty())
            return;
        if (kind == Separator::Main && insideSubsections) {
            parents.removeLast();
            insideSubsections = false;
        } else if (kind == Separator::Sub && !insideSubsections) {
            const int entries = model->rowCount(parents.last());
            // A subsection needs a section to belong to; the outline ends before an orphan.
            if (entries == 0)
                return;
            parents.append(model->index(entries - 1, 0, parents.last()));
            insideSubsections = true;
        }
        appendEntry(parents.last(), title, titleStart + 2, trimmed);
    }
}
