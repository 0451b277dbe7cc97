#include "syntax/syntaxanalyzer.h"

#include <QtTest>

// The conditional walk: which parameters a file must give, and how often counted sections repeat.
class TestSyntaxConditions : public QObject
{
    Q_OBJECT

private slots:
    void conditionForms_data();
    void conditionForms();
    void skippedByConditionRecordsDefault();
    void lineStartPassesLineOptional();
    void matrixSkipWhilePhasesPending();
    void molarVolumesSetsPhaseCounters_data();
    void molarVolumesSetsPhaseCounters();
    void repetitionCounts_data();
    void repetitionCounts();
    void copiesFollowTheSection();
    void pendingPhaseCountReplacesNumber();
};

// Values as "Name=v1 v2;Other=v" are given before the walk.
static void give(SyntaxAnalyzer &engine, const QString &values)
{
    const QStringList entries = values.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &entry : entries) {
        const QString name = entry.section(QLatin1Char('='), 0, 0);
        const QStringList list =
            entry.section(QLatin1Char('='), 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        Node *found = nullptr;
        engine.getValues(name, false, found);
        QVERIFY2(found, qPrintable(name));
        found->values = list;
    }
}

static QStringList walk(SyntaxAnalyzer &engine, bool lineStart = false, int position = 0)
{
    QStringList names;
    engine.reset();
    while (Node *node = engine.getDependableNext(lineStart, position))
        names << node->name();
    return names;
}

static Node *parameter(SyntaxAnalyzer &engine, const QString &name)
{
    Node *found = nullptr;
    engine.getValues(name, false, found);
    return found;
}

void TestSyntaxConditions::conditionForms_data()
{
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<bool>("kept");

    QTest::newRow("and: equal ignoring case") << "Mode=ALPHA"
                                              << "AndMode" << true;
    QTest::newRow("and: other value") << "Mode=beta"
                                      << "AndMode" << false;
    QTest::newRow("and: no value") << ""
                                   << "AndMode" << false;
    QTest::newRow("and: any of several values") << "Mode=beta alpha"
                                                << "AndMode" << true;
    QTest::newRow("not: met") << "Mode=alpha"
                              << "NotMode" << false;
    QTest::newRow("not: unmet") << "Mode=beta"
                                << "NotMode" << true;
    QTest::newRow("or: first name") << "Mode=beta"
                                    << "OrPair" << true;
    QTest::newRow("or: second name") << "Mode=alpha;Extra=y x"
                                     << "OrPair" << true;
    QTest::newRow("or: none") << "Mode=alpha;Extra=y"
                              << "OrPair" << false;
    QTest::newRow("and of two: both, trimmed alternatives") << "Mode=beta;Extra=x"
                                                            << "AndPair" << true;
    QTest::newRow("and of two: one") << "Mode=beta"
                                     << "AndPair" << false;
    QTest::newRow("isEmpty: no value") << ""
                                       << "EmptyExtra" << true;
    QTest::newRow("isEmpty: a value") << "Extra=x"
                                      << "EmptyExtra" << false;
    QTest::newRow("isEmpty: no such parameter") << ""
                                                << "MissingName" << true;
    QTest::newRow("contains: lower-cased value") << "Word=XABY"
                                                 << "ContainsWord" << true;
    QTest::newRow("contains: absent") << "Word=a-b"
                                      << "ContainsWord" << false;
    QTest::newRow("E: drops prefix and suffix") << "Mode=Gamma"
                                                << "ByDefinition" << true;
    QTest::newRow("E: other value") << "Mode=beta"
                                    << "ByDefinition" << false;
    QTest::newRow("find: name part, exact value") << "Word=hello"
                                                  << "FindAnd" << true;
    QTest::newRow("find: value differs in case") << "Word=Hello"
                                                 << "FindAnd" << false;
    QTest::newRow("find with not: found") << "Word=hello"
                                          << "FindNot" << false;
    QTest::newRow("find with not: missing") << "Word=other"
                                            << "FindNot" << true;
    QTest::newRow("find with or: always skipped") << "Word=hello"
                                                  << "FindOr" << false;
    QTest::newRow("or without condition") << ""
                                          << "NoConditionOr" << false;
    QTest::newRow("not without condition") << ""
                                           << "NoConditionNot" << false;
    QTest::newRow("reread: met") << "Mode=alpha"
                                 << "RereadMode" << true;
    QTest::newRow("reread: unmet") << "Mode=beta"
                                   << "RereadMode" << false;
    QTest::newRow("matrixskip: condition when nothing pending") << "Mode=alpha"
                                                                << "MatrixRule" << true;
    QTest::newRow("matrixskip: unmet") << "Mode=beta"
                                       << "MatrixRule" << false;
    QTest::newRow("skipped section hides contents") << "Mode=alpha"
                                                    << "Hidden" << false;
}

void TestSyntaxConditions::conditionForms()
{
    QFETCH(QString, values);
    QFETCH(QString, rule);
    QFETCH(bool, kept);
    SyntaxAnalyzer engine(QStringLiteral("engine_conditions.xml"));
    give(engine, values);
    QCOMPARE(walk(engine).contains(rule), kept);
}

void TestSyntaxConditions::skippedByConditionRecordsDefault()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_conditions.xml"));
    give(engine, QStringLiteral("Mode=alpha;Extra=x"));
    walk(engine, true);
    QCOMPARE(parameter(engine, QStringLiteral("NotMode"))->values, QStringList{"d_not"});
    QCOMPARE(parameter(engine, QStringLiteral("EmptyExtra"))->values, QStringList{"d_empty"});
    QCOMPARE(parameter(engine, QStringLiteral("NoConditionNot"))->values, QStringList{"d_none"});
    // Passed over at a line start, not by a condition: no default.
    QVERIFY(parameter(engine, QStringLiteral("LineOpt"))->values.isEmpty());
    // A kept parameter is returned, not filled.
    QVERIFY(parameter(engine, QStringLiteral("AndMode"))->values.isEmpty());

    // Skipped again, the default is appended again.
    walk(engine);
    QCOMPARE(parameter(engine, QStringLiteral("NotMode"))->values, QStringList({"d_not", "d_not"}));
}

void TestSyntaxConditions::lineStartPassesLineOptional()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_conditions.xml"));
    QVERIFY(!walk(engine, true, 17).contains(QStringLiteral("LineOpt")));
    // Every node the walk took, skipped ones included, carries the position.
    QCOMPARE(parameter(engine, QStringLiteral("LineOpt"))->position, 17);
    QCOMPARE(parameter(engine, QStringLiteral("NotMode"))->position, 17);
    QCOMPARE(engine.getRoot()->position, 17);
    // Hidden lies in a skipped section: never taken.
    QCOMPARE(parameter(engine, QStringLiteral("Hidden"))->position, -1);

    QVERIFY(walk(engine, false, 3).contains(QStringLiteral("LineOpt")));
    QCOMPARE(parameter(engine, QStringLiteral("LineOpt"))->position, 3);
}

void TestSyntaxConditions::matrixSkipWhilePhasesPending()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_conditions.xml"));
    give(engine, QStringLiteral("Mode=alpha"));
    engine.countValue = 1;
    engine.expectedPhaseCount = 3;
    const QStringList names = walk(engine);
    QVERIFY(engine.countPending);
    QVERIFY(!names.contains(QStringLiteral("MatrixRule")));
    QVERIFY(!names.contains(QStringLiteral("InMatrix")));
    QVERIFY(names.contains(QStringLiteral("AndMode")));

    engine.countValue = 3;
    const QStringList complete = walk(engine);
    QVERIFY(!engine.countPending);
    QVERIFY(complete.contains(QStringLiteral("MatrixRule")));
    QVERIFY(complete.contains(QStringLiteral("InMatrix")));
}

void TestSyntaxConditions::molarVolumesSetsPhaseCounters_data()
{
    QTest::addColumn<QString>("values");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("count");
    QTest::newRow("phases and indices") << "NumberOfPhases=2;Phase=0;PhaseB=3" << 3 << 3;
    QTest::newRow("odd positions do not count")
        << "NumberOfPhases=4;PhaseName=x;PhaseNameB=y" << 5 << 1;
    QTest::newRow("last even position counts") << "PhaseC=z" << 0 << 2;
    QTest::newRow("two phase counts give no limit") << "NumberOfPhases=2 3" << 0 << 1;
}

void TestSyntaxConditions::molarVolumesSetsPhaseCounters()
{
    QFETCH(QString, values);
    QFETCH(int, expected);
    QFETCH(int, count);
    SyntaxAnalyzer engine(QStringLiteral("engine_conditions.xml"));
    give(engine, values);
    engine.expectedPhaseCount = 99;
    // The section is skipped by its condition, yet it sets the counters when reached.
    QVERIFY(!walk(engine).contains(QStringLiteral("Volume")));
    QCOMPARE(engine.expectedPhaseCount, expected);
    QCOMPARE(engine.countValue, count);
}

void TestSyntaxConditions::repetitionCounts_data()
{
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("count");

    QTest::newRow("number 3") << "NumberOfItems=3"
                              << "Item" << 3;
    QTest::newRow("number 1 stays once") << "NumberOfItems=1"
                                         << "Item" << 1;
    QTest::newRow("number 0 skips") << "NumberOfItems=0"
                                    << "Item" << 0;
    QTest::newRow("no number skips") << ""
                                     << "Item" << 0;
    QTest::newRow("negative number skips") << "NumberOfItems=-4"
                                           << "Item" << 0;
    QTest::newRow("plus adds one") << "NumberOfItems=2"
                                   << "PlusItem" << 3;
    QTest::newRow("plus without value") << ""
                                        << "PlusItem" << 0;
    QTest::newRow("dimensions 2 when one cell row") << "CellsX=100;CellsY=1;CellsZ=50"
                                                    << "Coordinate" << 2;
    QTest::newRow("dimensions 3") << "CellsX=100;CellsY=20;CellsZ=50"
                                  << "Coordinate" << 3;
    QTest::newRow("dimensions without CellsZ") << "CellsX=100;CellsY=20"
                                               << "Coordinate" << 2;
    QTest::newRow("components but the first") << "Component=Fe;Component_1=C;Component_2=Mn"
                                              << "PerComponent" << 2;
    QTest::newRow("only own copies count") << "Component=Fe;ComponentX=C"
                                           << "PerComponent" << 0;
    QTest::newRow("valued instances") << "Phase=a;Phase_2=b"
                                      << "PerPhase" << 2;
    QTest::newRow("component times phase")
        << "Component=Fe;Component_1=C;Phase=a;Phase_1=b;Phase_2=c"
        << "PerPair" << 3;
    QTest::newRow("second count at least one") << "Component=Fe;Component_1=C"
                                               << "PerPair" << 1;
    QTest::newRow("phase number adds one") << "NumberOfItems=2;NumberOfPhases=2"
                                           << "PerItemPhase" << 6;
    QTest::newRow("phase number without value") << "NumberOfItems=2"
                                                << "PerItemPhase" << 2;
    QTest::newRow("None as second name") << "NumberOfItems=2"
                                         << "PerItemNone" << 2;
    QTest::newRow("one missing name skips") << "NumberOfItems=2"
                                            << "PerGhost" << 0;
    QTest::newRow("missing first of two counts 0") << "NumberOfItems=2"
                                                   << "PerGhostPair" << 0;
    QTest::newRow("interactions between different phases")
        << "NumberOfPhases=2;PIEnabled=phase_interaction;PIEnabled_1=phase_interaction;"
           "PIEnabled_2=phase_interaction"
        << "PerInteraction" << 2;
    QTest::newRow("interactions with given pairs")
        << "NumberOfPhases=2;PIEnabled=phase_interaction;PIEnabled_1=phase_interaction;"
           "PIPhaseOne_2=1;PIPhaseTwo_2=2;PIEnabled_2=phase_interaction"
        << "PerInteraction" << 3;
    QTest::newRow("disabled interactions") << "NumberOfPhases=2;PIEnabled=no_interaction;"
                                              "PIEnabled_1=phase_interaction"
                                           << "PerInteraction" << 1;
    QTest::newRow("interactions without phase number")
        << "PIEnabled=phase_interaction;PIEnabled_1=phase_interaction"
        << "PerInteraction" << 2;
}

void TestSyntaxConditions::repetitionCounts()
{
    QFETCH(QString, values);
    QFETCH(QString, entry);
    QFETCH(int, count);
    SyntaxAnalyzer engine(QStringLiteral("engine_counts.xml"));
    give(engine, values);
    const QStringList names = walk(engine);
    int seen = 0;
    for (const QString &name : names) {
        if (name == entry || name.startsWith(entry + QLatin1Char('_')))
            ++seen;
    }
    QCOMPARE(seen, count);
}

void TestSyntaxConditions::copiesFollowTheSection()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_counts.xml"));
    give(engine, QStringLiteral("NumberOfItems=3"));
    const QStringList names = walk(engine);
    const int item = names.indexOf(QStringLiteral("Item"));
    QCOMPARE(names.mid(item, 4), QStringList({"Item", "Item_0", "Item_1", "PlusItem"}));
    Node *section = parameter(engine, QStringLiteral("Item"))->parent;
    QCOMPARE(section->children.size(), 3);
    QCOMPARE(section->definedChildren(), 1);

    // A section once multiplied keeps its copies; reaching it again adds more.
    walk(engine);
    QCOMPARE(section->children.size(), 5);
}

void TestSyntaxConditions::pendingPhaseCountReplacesNumber()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_counts.xml"));
    give(engine, QStringLiteral("NumberOfPhases=5"));
    engine.countValue = 2;
    engine.expectedPhaseCount = 3;
    QCOMPARE(walk(engine).filter(QStringLiteral("PerPhaseCount")).size(), 2);
    QVERIFY(!engine.countPending);

    SyntaxAnalyzer settled(QStringLiteral("engine_counts.xml"));
    give(settled, QStringLiteral("NumberOfPhases=5"));
    QCOMPARE(walk(settled).filter(QStringLiteral("PerPhaseCount")).size(), 5);
}

QTEST_GUILESS_MAIN(TestSyntaxConditions)
#include "test_syntax_conditions.moc"
