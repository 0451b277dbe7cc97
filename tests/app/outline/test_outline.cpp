#include "app/outline/bookmarks.h"
#include "app/outline/treeitem.h"
#include "app/outline/treemodel.h"
#include "syntax/syntaxanalyzer.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

// Flattens the outline into "title@position" entries, children in parentheses.
static QString outline(const QAbstractItemModel *model, const QModelIndex &parent = QModelIndex())
{
    QStringList entries;
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex title = model->index(row, 0, parent);
        QString entry = title.data().toString() + QLatin1Char('@') +
                        model->index(row, 1, parent).data().toString();
        if (model->rowCount(title) > 0)
            entry += QLatin1Char('(') + outline(model, title) + QLatin1Char(')');
        entries << entry;
    }
    return entries.join(QLatin1Char(' '));
}

class TestOutline : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void treeItemBounds();
    void treeItemColumnsReachDescendants();
    void modelPassesTester();
    void modelEditingNotifies();
    void updateModel_data();
    void updateModel();
    void positionsPointAfterTheHash();
    void separatorKeptTrimmed();
    void singleLineKeepsOutline();
    void rebuildPassesTester();
    void printedDefinitionOutline();
};

void TestOutline::initTestCase()
{
    Q_INIT_RESOURCE(MyRes);
}

void TestOutline::treeItemBounds()
{
    TreeItem root({1, 2});
    QVERIFY(!root.insertChildren(-1, 1, 2));
    QVERIFY(!root.insertChildren(1, 1, 2));
    QVERIFY(root.insertChildren(0, 3, 2));
    QCOMPARE(root.childCount(), 3);
    QCOMPARE(root.child(2)->childNumber(), 2);
    QCOMPARE(root.child(0)->parent(), &root);
    QCOMPARE(root.childNumber(), 0);
    QVERIFY(!root.child(3));
    QVERIFY(!root.child(-1));
    QVERIFY(!root.child(0)->data(0).isValid());
    QVERIFY(!root.data(2).isValid());
    QVERIFY(!root.setData(2, 5));
    QVERIFY(root.setData(1, 5));
    QCOMPARE(root.data(1), QVariant(5));
    QVERIFY(!root.removeChildren(2, 2));
    QVERIFY(!root.removeChildren(-1, 1));
    QVERIFY(root.removeChildren(1, 2));
    QCOMPARE(root.childCount(), 1);
}

void TestOutline::treeItemColumnsReachDescendants()
{
    TreeItem root({QStringLiteral("a"), QStringLiteral("b")});
    root.insertChildren(0, 1, 2);
    root.child(0)->insertChildren(0, 1, 2);
    TreeItem *grandChild = root.child(0)->child(0);
    grandChild->setData(1, QStringLiteral("x"));

    QVERIFY(root.insertColumns(1, 2));
    QCOMPARE(grandChild->columnCount(), 4);
    QCOMPARE(grandChild->data(3), QVariant(QStringLiteral("x")));
    QCOMPARE(root.data(3), QVariant(QStringLiteral("b")));

    QVERIFY(!root.removeColumns(3, 2));
    QVERIFY(root.removeColumns(0, 3));
    QCOMPARE(grandChild->columnCount(), 1);
    QCOMPARE(grandChild->data(0), QVariant(QStringLiteral("x")));
}

void TestOutline::modelPassesTester()
{
    TreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(model.headerData(1, Qt::Horizontal), QVariant(-1));
    QVERIFY(model.insertRows(0, 2));
    QVERIFY(model.insertRows(0, 3, model.index(1, 0)));
    QVERIFY(model.insertRows(0, 1, model.index(2, 0, model.index(1, 0))));
    QVERIFY(model.setData(model.index(0, 0, model.index(1, 0)), QStringLiteral("child")));
    QVERIFY(model.insertColumns(1, 2));
    QCOMPARE(model.columnCount(model.index(1, 0)), 5);
    QVERIFY(model.removeColumns(0, 2));
    QVERIFY(model.removeRows(0, 2, model.index(1, 0)));
    QVERIFY(model.removeRows(0, 1));
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.rowCount(model.index(0, 0)), 1);
    QVERIFY(!model.insertRows(3, 1));
    QVERIFY(!model.removeRows(0, 2));
    QVERIFY(!model.insertRows(0, 1, model.index(0, 1)));
}

void TestOutline::modelEditingNotifies()
{
    qRegisterMetaType<Qt::Orientation>();
    TreeModel model;
    model.insertRows(0, 1);
    const QModelIndex index = model.index(0, 2);
    QSignalSpy dataChanged(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy headerChanged(&model, &QAbstractItemModel::headerDataChanged);

    QVERIFY(!model.setData(index, QStringLiteral("x"), Qt::DisplayRole));
    QVERIFY(model.setData(index, QStringLiteral("x")));
    QCOMPARE(dataChanged.count(), 1);
    QCOMPARE(dataChanged.first().at(0).value<QModelIndex>(), index);
    QCOMPARE(model.data(index, Qt::DisplayRole), QVariant(QStringLiteral("x")));
    QCOMPARE(model.data(index, Qt::EditRole), QVariant(QStringLiteral("x")));
    QVERIFY(!model.data(index, Qt::DecorationRole).isValid());
    QVERIFY(!model.data(QModelIndex(), Qt::DisplayRole).isValid());

    QCOMPARE(model.flags(index), Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled);
    QCOMPARE(model.flags(QModelIndex()), Qt::NoItemFlags);

    QVERIFY(!model.setHeaderData(0, Qt::Vertical, QStringLiteral("v")));
    QVERIFY(!model.setHeaderData(0, Qt::Horizontal, QStringLiteral("v"), Qt::DisplayRole));
    QVERIFY(model.setHeaderData(0, Qt::Horizontal, QStringLiteral("Title")));
    QCOMPARE(headerChanged.count(), 1);
    QCOMPARE(model.headerData(0, Qt::Horizontal), QVariant(QStringLiteral("Title")));
    QVERIFY(!model.headerData(0, Qt::Vertical).isValid());
}

void TestOutline::updateModel_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("expected");

    QTest::newRow("two levels") << QStringList{"# A",  "# ====", "a", "# A1", "# ----",  "x",
                                               "# A2", "# ----", "y", "# B",  "# =====", "z"}
                                << "A@2(A1@15 A2@29) B@43";
    QTest::newRow("compact separators")
        << QStringList{"#A", "#====", "#A1", "#----"} << "A@2(A1@11)";
    QTest::newRow("short underlines are no separators")
        << QStringList{"# A", "# ===", "# B", "#---"} << "";
    QTest::newRow("subsection before any section ends the outline")
        << QStringList{"# Head", "# ----", "# A", "# ===="} << "";
    QTest::newRow("subsection after a section ends nothing")
        << QStringList{"# A", "# ====", "# S", "# ----", "# B", "# ===="} << "A@2(S@13) B@24";
    QTest::newRow("empty title line ends the outline")
        << QStringList{"# A", "# ====", "", "# ====", "# B", "# ===="} << "A@2";
    QTest::newRow("bare hash title ends the outline")
        << QStringList{"# A", "# ====", "  #  ", "# ----", "# B", "# ===="} << "A@2";
    QTest::newRow("separator on the first line adds no entry")
        << QStringList{"# ====", "# A", "# ===="} << "A@9";
    QTest::newRow("indented heading")
        << QStringList{"x", "   #   Title  ", "  # ====="} << "Title@4";
    QTest::newRow("no headings") << QStringList{"a", "b"} << "";
}

void TestOutline::updateModel()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, expected);

    Bookmarks bookmarks;
    bookmarks.updateModel(&lines);
    QCOMPARE(outline(bookmarks.getModel()), expected);
}

void TestOutline::positionsPointAfterTheHash()
{
    const QStringList lines = {"value 1", "", "# Grid", "# ====", "x", "  # Phases", "  # ------"};
    const QString text = lines.join(QLatin1Char('\n'));
    Bookmarks bookmarks;
    bookmarks.updateModel(&lines);
    TreeModel *model = bookmarks.getModel();

    const int grid = model->index(0, 1).data().toInt();
    QCOMPARE(text.mid(grid, 4), QStringLiteral("Grid"));
    const int phases = model->index(0, 1, model->index(0, 0)).data().toInt();
    QCOMPARE(text.mid(phases - 2, 4), QStringLiteral("  # "));
}

void TestOutline::separatorKeptTrimmed()
{
    const QStringList lines = {"# A", "  # ====   "};
    Bookmarks bookmarks;
    bookmarks.updateModel(&lines);
    QCOMPARE(bookmarks.getModel()->index(0, 2).data(), QVariant(QStringLiteral("# ====")));
}

void TestOutline::singleLineKeepsOutline()
{
    Bookmarks bookmarks;
    const QStringList lines = {"# A", "# ===="};
    bookmarks.updateModel(&lines);
    const QStringList single = {"# B ===="};
    bookmarks.updateModel(&single);
    QCOMPARE(outline(bookmarks.getModel()), QStringLiteral("A@2"));
    bookmarks.updateModel(nullptr);
    QCOMPARE(outline(bookmarks.getModel()), QStringLiteral("A@2"));
}

void TestOutline::rebuildPassesTester()
{
    Bookmarks bookmarks;
    QAbstractItemModelTester tester(bookmarks.getModel(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QStringList first = {"# A", "# ====", "# S", "# ----", "# T", "# ----"};
    bookmarks.updateModel(&first);
    const QStringList second = {"# B", "# ====", "# C", "# ===="};
    bookmarks.updateModel(&second);
    QCOMPARE(outline(bookmarks.getModel()), QStringLiteral("B@2 C@13"));
}

// The headings that the engine prints for the delivered grammar are what users see in the outline.
void TestOutline::printedDefinitionOutline()
{
    SyntaxAnalyzer analyzer(QStringLiteral("ZEL_Syntax_7-0.xml"));
    const QString text = analyzer.printTree(false);
    const QStringList lines = text.split(QLatin1Char('\n'));
    Bookmarks bookmarks;
    bookmarks.updateModel(&lines);
    TreeModel *model = bookmarks.getModel();

    QVERIFY(model->rowCount() > 20);
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("Language"));
    const QModelIndex phases = model
                                   ->match(model->index(0, 0), Qt::DisplayRole,
                                           QStringLiteral("Phases"), 1, Qt::MatchExactly)
                                   .value(0);
    QVERIFY(phases.isValid());
    QCOMPARE(outline(model, phases).count(QLatin1Char('@')), 2);
    QVERIFY(outline(model, phases).startsWith(QStringLiteral("Orientation@")));

    int entries = 0;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex section = model->index(row, 0);
        for (int sub = -1; sub < model->rowCount(section); ++sub, ++entries) {
            const QModelIndex entry = sub < 0 ? section : model->index(sub, 0, section);
            const QString title = entry.data().toString();
            const int position = entry.sibling(entry.row(), 1).data().toInt();
            QCOMPARE(text.mid(position - 2, title.size() + 3), "# " + title + '\n');
        }
    }
    QCOMPARE(entries, text.count(QStringLiteral("\n# ==")) + text.count(QStringLiteral("\n# --")));
}

QTEST_GUILESS_MAIN(TestOutline)
#include "test_outline.moc"
