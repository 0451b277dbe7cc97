#include "syntax/syntaxanalyzer.h"

#include <QtTest>

// Look-ups by name and the edits that multiply and prune sections.
class TestSyntaxQueries : public QObject
{
    Q_OBJECT

private slots:
    void searchOrder();
    void getValuesReportsPresenceApartFromValues();
    void setValuesReplacesFirstMatch();
    void findMatchesNamePartAndExactValue();
    void leaveSectionStopsAtOtherParent();
    void copySectionAppendsNumberedCopies();
    void copySectionOfCollectionWalksOnlyNewEntries();
    void copySubtreeCopiesDefinedChildrenOnly();
    void copiedConditionsFollowTheCopy_data();
    void copiedConditionsFollowTheCopy();
    void cleanSectionRemovesTrailingEntry();
    void cleanedNodesLeaveTheWholeWalk();
    void copyAfterCleaningStaysWithinChildren();
};

static Node *child(Node *section, const QString &name)
{
    for (Node *node : qAsConst(section->children)) {
        if (node->name() == name)
            return node;
    }
    return nullptr;
}

static Node *section(SyntaxAnalyzer &engine, const QString &name)
{
    return child(engine.getRoot(), name);
}

static QStringList names(const QVector<Node *> &nodes)
{
    QStringList result;
    for (Node *node : nodes)
        result << node->name();
    return result;
}

// Takes nodes from the walk until the given one has been taken.
static void walkTo(SyntaxAnalyzer &engine, Node *target)
{
    engine.reset();
    while (Node *node = engine.getNext()) {
        if (node == target)
            return;
    }
    QFAIL("node not on the walk");
}

static QStringList rest(SyntaxAnalyzer &engine)
{
    QStringList result;
    while (Node *node = engine.getNext())
        result << node->name();
    return result;
}

void TestSyntaxQueries::searchOrder()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_queries.xml"));
    Node *plain = section(engine, QStringLiteral("Plain"));
    Node *collection = section(engine, QStringLiteral("Collection"));
    plain->children.at(0)->values = QStringList{QStringLiteral("first")};
    plain->children.at(1)->values = QStringList{QStringLiteral("second")};
    collection->children.at(0)->values = QStringList{QStringLiteral("early")};
    collection->children.at(2)->values = QStringList{QStringLiteral("late")};
    Node *nested = collection->children.at(1);
    nested->children.at(0)->values = QStringList{QStringLiteral("in1")};
    nested->children.at(1)->values = QStringList{QStringLiteral("in2")};

    Node *found = nullptr;
    // A plain section is searched in document order ...
    QCOMPARE(engine.getValues(QStringLiteral("Twin"), false, found), QStringList{"first"});
    QCOMPARE(found, plain->children.at(0));
    // ... the entries of a "terse" collection from the last to the first ...
    QCOMPARE(engine.getValues(QStringLiteral("Dup"), false, found), QStringList{"late"});
    QCOMPARE(found, collection->children.at(2));
    // ... but only its own entries: a section inside it is searched in document order.
    QCOMPARE(engine.getValues(QStringLiteral("Inside"), false, found), QStringList{"in1"});
}

void TestSyntaxQueries::getValuesReportsPresenceApartFromValues()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_queries.xml"));
    Node *found = reinterpret_cast<Node *>(1);
    QVERIFY(engine.getValues(QStringLiteral("Nowhere"), false, found).isEmpty());
    QCOMPARE(found, nullptr);

    // Present without a value: found, empty list.
    QVERIFY(engine.getValues(QStringLiteral("Leaf"), false, found).isEmpty());
    QVERIFY(found);
    QCOMPARE(found->name(), QStringLiteral("Leaf"));

    // Options instead of values.
    QCOMPARE(engine.getValues(QStringLiteral("Twin"), true, found), QStringList{"keyword"});

    // A name held by a section and a parameter finds the parameter only.
    engine.getValues(QStringLiteral("Components"), false, found);
    QCOMPARE(found->type(), QStringLiteral("optstring"));
    engine.getValues(QStringLiteral("Deep"), false, found);
    QCOMPARE(found, nullptr);
    // Names compare exactly.
    engine.getValues(QStringLiteral("twin"), false, found);
    QCOMPARE(found, nullptr);
}

void TestSyntaxQueries::setValuesReplacesFirstMatch()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_queries.xml"));
    Node *plain = section(engine, QStringLiteral("Plain"));
    plain->children.at(0)->values = QStringList{QStringLiteral("old")};
    engine.setValues(QStringLiteral("Twin"), QStringList{QStringLiteral("a"), QStringLiteral("b")});
    QCOMPARE(plain->children.at(0)->values, QStringList({"a", "b"}));
    QVERIFY(plain->children.at(1)->values.isEmpty());
    QVERIFY(child(section(engine, QStringLiteral("Components")), QStringLiteral("Twin"))
                ->values.isEmpty());

    engine.setValues(QStringLiteral("Deep"), QStringList{QStringLiteral("x")});
    QVERIFY(section(engine, QStringLiteral("Block"))->children.at(1)->values.isEmpty());
}

void TestSyntaxQueries::findMatchesNamePartAndExactValue()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_queries.xml"));
    Node *leaf = section(engine, QStringLiteral("Block"))->children.at(1)->children.at(0);
    leaf->values = QStringList{QStringLiteral("1.5"), QStringLiteral("nucleation_noise")};
    QVERIFY(engine.find(QStringList{QStringLiteral("Lea")}, QStringLiteral("nucleation_noise")));
    QVERIFY(engine.find(QStringList{QStringLiteral("None"), QStringLiteral("eaf")},
                        QStringLiteral("1.5")));
    QVERIFY(!engine.find(QStringList{QStringLiteral("Lea")}, QStringLiteral("nucleation")));
    QVERIFY(!engine.find(QStringList{QStringLiteral("leaf")}, QStringLiteral("1.5")));
    // Sections never match, whatever they hold.
    section(engine, QStringLiteral("Block"))->values = QStringList{QStringLiteral("text")};
    QVERIFY(!engine.find(QStringList{QStringLiteral("Block")}, QStringLiteral("text")));
}

void TestSyntaxQueries::leaveSectionStopsAtOtherParent()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_queries.xml"));
    QCOMPARE(engine.leaveSection(engine.getRoot()), nullptr); // empty walk

    Node *plain = section(engine, QStringLiteral("Plain"));
    walkTo(engine, plain);
    Node *next = engine.leaveSection(plain);
    QCOMPARE(next, section(engine, QStringLiteral("Collection")));
    QCOMPARE(engine.getNext(), next);

    // Leaving the last section empties the walk and returns the last node taken off it.
    Node *root = engine.getRoot();
    engine.reset();
    engine.getNext();
    Node *last = engine.leaveSection(root);
    QCOMPARE(last, root->children.last());
    QCOMPARE(engine.getNext(), nullptr);
}

void TestSyntaxQueries::copySectionAppendsNumberedCopies()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_queries.xml"));
    Node *block = section(engine, QStringLiteral("Block"));
    walkTo(engine, block);
    engine.copySection(block, 3, QString());
    QCOMPARE(
        names(block->children),
        QStringList({"MatrixMolarVolumeType", "Deep", "MatrixMolarVolumeType_0", "Deep_0",
                     "MatrixMolarVolumeType_1", "Deep_1", "MatrixMolarVolumeType_2", "Deep_2"}));
    QCOMPARE(block->definedChildren(), 2);
    for (Node *node : qAsConst(block->children))
        QCOMPARE(node->parent, block);
    // The section's own contents come first on the walk, then every copy.
    QCOMPARE(rest(engine),
             QStringList({"MatrixMolarVolumeType", "Deep", "Leaf", "MatrixMolarVolumeType_0",
                          "Deep_0", "Leaf_0", "MatrixMolarVolumeType_1", "Deep_1", "Leaf_1",
                          "MatrixMolarVolumeType_2", "Deep_2", "Leaf_2", "Entries", "Opener",
                          "EndOfEntries1", "After"}));

    // Copies are never copied again: a second call copies the two defined children only.
    engine.reset();
    engine.copySection(block, 1, QStringLiteral("_7"));
    QCOMPARE(block->children.size(), 10);
    QCOMPARE(names(block->children.mid(8)), QStringList({"MatrixMolarVolumeType_7", "Deep_7"}));
}

void TestSyntaxQueries::copySectionOfCollectionWalksOnlyNewEntries()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_queries.xml"));
    Node *entries = section(engine, QStringLiteral("Entries"));
    walkTo(engine, entries);
    QCOMPARE(engine.getNext()->name(), QStringLiteral("Opener"));
    engine.copySection(entries, 1, QStringLiteral("_1"));
    // The pending "EndOfEntries1" was taken off; only the new entry follows.
    QCOMPARE(rest(engine), QStringList({"Opener_1", "EndOfEntries1_1", "After"}));
}

void TestSyntaxQueries::copySubtreeCopiesDefinedChildrenOnly()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_queries.xml"));
    Node *block = section(engine, QStringLiteral("Block"));
    Node *deep = block->children.at(1);
    deep->children.at(0)->values = QStringList{QStringLiteral("2.0")};
    Node *target = engine.copyNode(block);
    engine.copySubtree(block, target, QStringLiteral("_4"), QString());
    QCOMPARE(block->definedChildren(), 2);
    QCOMPARE(names(target->children), QStringList({"MatrixMolarVolumeType_4", "Deep_4"}));
    Node *deepCopy = target->children.at(1);
    QCOMPARE(deepCopy->parent, target);
    QCOMPARE(names(deepCopy->children), QStringList{"Leaf_4"});
    QCOMPARE(deepCopy->children.at(0)->parent, deepCopy);
    QVERIFY(deepCopy->children.at(0)->values.isEmpty());
    QCOMPARE(deepCopy->definedChildren(), 1);
    QCOMPARE(deep->definedChildren(), 1);
}

void TestSyntaxQueries::copiedConditionsFollowTheCopy_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("cname");
    QTest::newRow("one level") << "_1"
                               << "Twin_1,E:Component";
    QTest::newRow("two digits") << "_12"
                                << "Twin_12,E:Component_";
    QTest::newRow("outer part") << "_3_456"
                                << "Twin_3_456,E:Component_3";
}

void TestSyntaxQueries::copiedConditionsFollowTheCopy()
{
    QFETCH(QString, suffix);
    QFETCH(QString, cname);
    SyntaxAnalyzer engine(QStringLiteral("engine_queries.xml"));
    Node *block = section(engine, QStringLiteral("Block"));
    engine.copySection(block, 1, suffix);
    Node *copy = block->children.at(2);
    QCOMPARE(copy->name(), QStringLiteral("MatrixMolarVolumeType") + suffix);
    QCOMPARE(copy->cname(), cname);
    QCOMPARE(copy->cvalues(), QStringLiteral("a,b"));
    QCOMPARE(block->children.at(0)->cname(), QStringLiteral("Twin,E:Component"));
}

void TestSyntaxQueries::cleanSectionRemovesTrailingEntry()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_queries.xml"));
    Node *block = section(engine, QStringLiteral("Block"));
    engine.copySection(block, 3, QString());
    engine.cleanSection(block, 0, QStringLiteral("_2"));
    QCOMPARE(names(block->children),
             QStringList({"MatrixMolarVolumeType", "Deep", "MatrixMolarVolumeType_0", "Deep_0",
                          "MatrixMolarVolumeType_1", "Deep_1"}));
    // Only trailing children go: "_0" is not at the end.
    engine.cleanSection(block, 0, QStringLiteral("_0"));
    QCOMPARE(block->children.size(), 6);
}

void TestSyntaxQueries::cleanedNodesLeaveTheWholeWalk()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_queries.xml"));
    Node *block = section(engine, QStringLiteral("Block"));
    walkTo(engine, block);
    engine.copySection(block, 2, QString());
    // Walk into the first copy so that its contents lie under other nodes on the walk.
    while (engine.getNext()->name() != QLatin1String("Deep_0")) {
    }
    engine.cleanSection(block, 0, QStringLiteral("_0"));
    engine.cleanSection(block, 0, QStringLiteral("_1"));
    engine.cleanSection(block, 0, QStringLiteral("_0"));
    QCOMPARE(names(block->children), QStringList({"MatrixMolarVolumeType", "Deep"}));
    QCOMPARE(rest(engine), QStringList({"Entries", "Opener", "EndOfEntries1", "After"}));
}

void TestSyntaxQueries::copyAfterCleaningStaysWithinChildren()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_queries.xml"));
    Node *entries = section(engine, QStringLiteral("Entries"));
    engine.copySection(entries, 1, QStringLiteral("_1"));
    // "1" also ends the defined "EndOfEntries1", which goes with the copies.
    engine.cleanSection(entries, 0, QStringLiteral("1"));
    QCOMPARE(names(entries->children), QStringList{"Opener"});
    QCOMPARE(entries->definedChildren(), 1);
    engine.copySection(entries, 2, QString());
    QCOMPARE(names(entries->children), QStringList({"Opener", "Opener_0", "Opener_1"}));
}

QTEST_GUILESS_MAIN(TestSyntaxQueries)
#include "test_syntax_queries.moc"
