// The name table files copies by their number and everything else by hash; whichever way a
// name went, a look-up must find exactly the nodes of that name.
#include "syntax/nametable.h"
#include "tests/support/handmadenode.h"

#include <QtTest>

#include <memory>
#include <vector>

namespace {

QStringList namesFound(const NameTable &table, const QString &name)
{
    QStringList found;
    table.forEach(name, [&found](Node *node) { found << node->name(); });
    return found;
}

QSet<Node *> nodesFound(const NameTable &table, const QString &name)
{
    QSet<Node *> found;
    table.forEach(name, [&found](Node *node) { found.insert(node); });
    return found;
}

} // namespace

class TestNameTable : public QObject
{
    Q_OBJECT

private slots:
    void namesThatLookNumbered_data();
    void namesThatLookNumbered();
    void sharedNamesAndRemoval();
    void manyCopiesAndTheirRemoval();
    void copyNamesAnswerAsTheirText_data();
    void copyNamesAnswerAsTheirText();
};

void TestNameTable::namesThatLookNumbered_data()
{
    QTest::addColumn<QStringList>("names");
    // Each name must find only itself, however close the others come.
    QTest::newRow("leading zero") << QStringList{"A_5", "A_05", "A_005"};
    QTest::newRow("no number") << QStringList{"A", "A_", "A__1", "_1", "_"};
    QTest::newRow("nested suffixes") << QStringList{"A_1_2", "A_12", "A_1", "A1_2"};
    QTest::newRow("number far beyond the run")
        << QStringList{"A_0", "A_1", "A_999999", "A_1000000000", "A_2147483648"};
    QTest::newRow("digits without underscore") << QStringList{"A5", "A_5", "5", "55"};
}

void TestNameTable::namesThatLookNumbered()
{
    QFETCH(QStringList, names);
    std::vector<std::unique_ptr<Node>> nodes;
    NameTable table;
    for (const QString &name : names) {
        nodes.push_back(std::make_unique<Node>(handmadeDefinition(name)));
        table.insert(nodes.back().get(), name);
    }
    for (const QString &name : names)
        QCOMPARE(namesFound(table, name), QStringList{name});
    QVERIFY(namesFound(table, QStringLiteral("A_7")).isEmpty());

    int all = 0;
    table.forAll([&all](Node *) { ++all; });
    QCOMPARE(all, names.size());

    for (const auto &node : nodes)
        table.remove(node.get(), node->name());
    for (const QString &name : names)
        QVERIFY(namesFound(table, name).isEmpty());
}

void TestNameTable::sharedNamesAndRemoval()
{
    // Copies of different collections may carry the same name.
    const QString name = QStringLiteral("GrainPar_0");
    Node first(handmadeDefinition(name));
    Node second(handmadeDefinition(name));
    Node third(handmadeDefinition(name));
    NameTable table;
    table.insert(&first, name);
    table.insert(&second, name);
    table.insert(&third, name);
    QCOMPARE(nodesFound(table, QStringLiteral("GrainPar_0")),
             (QSet<Node *>{&first, &second, &third}));

    // Dropping the one filed by number leaves the others findable, and the number free.
    table.remove(&first, name);
    QCOMPARE(nodesFound(table, QStringLiteral("GrainPar_0")), (QSet<Node *>{&second, &third}));
    table.insert(&first, name);
    table.remove(&third, name);
    QCOMPARE(nodesFound(table, QStringLiteral("GrainPar_0")), (QSet<Node *>{&first, &second}));
    table.remove(&second, name);
    table.remove(&first, name);
    QVERIFY(nodesFound(table, QStringLiteral("GrainPar_0")).isEmpty());

    // The emptied run is gone; the name is filed anew.
    table.insert(&second, name);
    QCOMPARE(nodesFound(table, QStringLiteral("GrainPar_0")), (QSet<Node *>{&second}));

    // A second number opens a run, which takes one of the waiting copies numbered 0.
    table.insert(&third, name);
    Node one(handmadeDefinition(QStringLiteral("GrainPar_1")));
    table.insert(&one, one.name());
    QCOMPARE(nodesFound(table, QStringLiteral("GrainPar_0")), (QSet<Node *>{&second, &third}));
    QCOMPARE(nodesFound(table, QStringLiteral("GrainPar_1")), (QSet<Node *>{&one}));
    table.remove(&second, name);
    QCOMPARE(nodesFound(table, QStringLiteral("GrainPar_0")), (QSet<Node *>{&third}));
    table.remove(&third, name);
    table.remove(&one, one.name());
    int left = 0;
    table.forAll([&left](Node *) { ++left; });
    QCOMPARE(left, 0);
}

void TestNameTable::manyCopiesAndTheirRemoval()
{
    // Enough entries to make the hash table grow several times, removed from the middle.
    const int count = 5000;
    std::vector<std::unique_ptr<Node>> nodes;
    NameTable table;
    for (int i = 0; i < count; ++i) {
        for (const char *head : {"Seed_", "Seed_x"}) {
            const QString name = QLatin1String(head) + QString::number(i);
            nodes.push_back(std::make_unique<Node>(handmadeDefinition(name)));
            table.insert(nodes.back().get(), name);
        }
    }
    for (std::size_t i = 0; i < nodes.size(); i += 3)
        table.remove(nodes.at(i).get(), nodes.at(i)->name());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const QSet<Node *> expected = i % 3 == 0 ? QSet<Node *>() : QSet<Node *>{nodes.at(i).get()};
        QCOMPARE(nodesFound(table, nodes.at(i)->name()), expected);
    }
}

void TestNameTable::copyNamesAnswerAsTheirText_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::newRow("definition") << QString();
    QTest::newRow("copy") << QStringLiteral("_7");
    QTest::newRow("copy of a copy") << QStringLiteral("_1_12");
}

// A copy's name is put together only when asked for; every question about it must get the
// answer its whole text gives, also where the text asked for spans head and suffix.
void TestNameTable::copyNamesAnswerAsTheirText()
{
    QFETCH(QString, suffix);
    const CopySuffix copy{suffix, QString()};
    const Node node(handmadeDefinition(QStringLiteral("EndOfGrains")),
                    suffix.isEmpty() ? nullptr : &copy);
    const QString name = node.name();
    QCOMPARE(name, QStringLiteral("EndOfGrains") + suffix);
    const QStringList texts = {QString(),
                               "EndOf",
                               "Grains",
                               "s_",
                               "s_1",
                               "_1",
                               "_12",
                               "2",
                               "1_1",
                               "EndOfGrains_7",
                               "EndOfGrains_1_12",
                               "EndOfGrains_1_123",
                               "Grain",
                               "x",
                               name,
                               name + "0"};
    for (const QString &text : texts) {
        QCOMPARE(node.hasName(text), name == text);
        QCOMPARE(node.nameStartsWith(text), name.startsWith(text));
        QCOMPARE(node.nameEndsWith(text), name.endsWith(text));
        QCOMPARE(node.nameContains(text), name.contains(text));
        QCOMPARE(node.nameContains(QLatin1String(text.toLatin1())), name.contains(text));
    }
    QString written = QStringLiteral("left over");
    node.writeName(written);
    QCOMPARE(written, name);
}

QTEST_GUILESS_MAIN(TestNameTable)
#include "test_nametable.moc"
