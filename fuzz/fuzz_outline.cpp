// Arbitrary text turned into the section outline; the model must stay consistent and every
// entry must point into the text.
#include "app/outline/bookmarks.h"
#include "app/outline/treemodel.h"
#include "fuzzcheck.h"
#include "fuzzsupport.h"

#include <QAbstractItemModelTester>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startGuiApplication();
    return 0;
}

static void checkPositions(const QAbstractItemModel *model, const QModelIndex &parent, int length)
{
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const int position = model->index(row, 1, parent).data().toInt();
        FUZZ_CHECK(position >= 2 && position <= length);
        checkPositions(model, model->index(row, 0, parent), length);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Bookmarks bookmarks;
    static QAbstractItemModelTester tester(bookmarks.getModel(),
                                           QAbstractItemModelTester::FailureReportingMode::Fatal);
    const QString text = fuzzText(data, size);
    const QStringList lines = text.split(QLatin1Char('\n'));
    bookmarks.updateModel(&lines);
    if (lines.size() > 1)
        checkPositions(bookmarks.getModel(), QModelIndex(), text.size());
    return 0;
}
