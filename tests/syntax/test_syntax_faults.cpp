#include "analysisrun.h"

#include <QRandomGenerator>
#include <QtTest>

// Inputs on which a literal reading of the analysis would copy, loop or read freed nodes for
// ever: each must end with a verdict.
class TestSyntaxFaults : public QObject
{
    Q_OBJECT

private slots:
    void endlessCopyingFails_data();
    void endlessCopyingFails();
    void countsStayBounded_data();
    void countsStayBounded();
    void emptyWalkAndLists_data();
    void emptyWalkAndLists();
    void deletedTrialSectionIsForgotten();
    void anyInputEnds_data();
    void anyInputEnds();
};

static void addRows(const QList<QPair<const char *, QPair<QString, AnalysisRun>>> &rows)
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<AnalysisRun>("expected");
    for (const auto &row : rows)
        QTest::newRow(row.first) << row.second.first << row.second.second;
}

static void checkRow()
{
    QFETCH(QString, text);
    QFETCH(AnalysisRun, expected);
    SyntaxAnalyzer engine(QStringLiteral("engine_loops.xml"));
    QCOMPARE(analyzeText(engine, text), expected);
}

void TestSyntaxFaults::endlessCopyingFails_data()
{
    addRows({
        {"reread parameter in a terse collection", {"reread\nx", invalid(1, "LoopDecision_1")}},
        {"every parameter of the new entry passes on",
         {"outputs\nphases\njunk", invalid(2, "EndOfOutputs_2")}},
        {"opening parameter skipped at a line start",
         {"lineopt\n1 phase_interaction\ndone", invalid(2, "EndOfPI_1")}},
        {"sound entries still copy", {"outputs\nphases fractions\nend_of_outputs", valid()}},
    });
}

void TestSyntaxFaults::endlessCopyingFails()
{
    checkRow();
}

void TestSyntaxFaults::countsStayBounded_data()
{
    addRows({
        {"count from the file", {"grains\n99999999\nbox", invalid(2, "GrainCollection")}},
        {"copies beyond the node limit", {"grains\n1500000\nbox", invalid(2, "GrainCollection")}},
        {"product beyond an int", {"product\n2147483647\n2147483647\n1.0", invalid(3, "Cells")}},
        {"product beyond the node limit", {"product\n2000\n2000\n1.0", invalid(3, "Cells")}},
        {"count at the end of input", {"grains\n99999999", invalid(1, "GrainCollection")}},
        {"sound count", {"grains\n2\nbox\n1\nround\n2", valid()}},
    });
}

void TestSyntaxFaults::countsStayBounded()
{
    checkRow();
}

void TestSyntaxFaults::emptyWalkAndLists_data()
{
    addRows({
        {"second closing keyword",
         {"closing\nFe\nend_of_components\nend_of_components", invalid(3)}},
        {"collection without options", {"bare\na\nzzz", invalid(2, "EndOfBare_1")}},
        {"roll-back without saved lines", {"stacks\n3\ndone", invalid(2, "Opener_1")}},
        {"roll-back with saved lines", {"stacks\n2\ndone", valid()}},
    });
}

void TestSyntaxFaults::emptyWalkAndLists()
{
    checkRow();
}

void TestSyntaxFaults::deletedTrialSectionIsForgotten()
{
    // The trial section opened inside the entry that "zzz" removes; the roll-back that follows
    // must not touch it.
    SyntaxAnalyzer engine(QStringLiteral("engine_loops.xml"));
    QCOMPARE(analyzeText(engine, "dangling\ne\ne\nend_e\nitem\nx\nzzz"), invalid(5));
    QCOMPARE(valuesOf(engine, "EOpen_1"), QStringList{"e"});
    Node *found = nullptr;
    engine.getValues(QStringLiteral("Item_1"), false, found);
    QCOMPARE(found, nullptr);
    engine.getValues(QStringLiteral("KeyA_1"), false, found);
    QCOMPARE(found, nullptr);
}

void TestSyntaxFaults::anyInputEnds_data()
{
    QTest::addColumn<QString>("definition");
    const QStringList definitions = {"engine_loops.xml",       "engine_components.xml",
                                     "engine_trials.xml",      "engine_reread.xml",
                                     "engine_walkthrough.xml", "engine_lines.xml",
                                     "engine_conditions.xml",  "engine_counts.xml"};
    for (const QString &definition : definitions)
        QTest::newRow(qPrintable(definition)) << definition;
}

// Every keyword of the definition, numbers and noise.
static QStringList vocabulary(SyntaxAnalyzer &engine)
{
    QStringList words = {"1",  "2",       "3",  "0",      "-1",        "2.5",         "1D3",
                         "x",  "e",       "#",  "= item", "__end__",   "phase_inter", "",
                         "  ", "closing", "on", "stacks", "2147483647"};
    engine.reset();
    while (Node *node = engine.getNext())
        words += node->options();
    const QStringList scenarios = {"reread",  "outputs", "lineopt", "grains",
                                   "product", "bare",    "dangling"};
    return words + scenarios;
}

void TestSyntaxFaults::anyInputEnds()
{
    QFETCH(QString, definition);
    QRandomGenerator random(20261208);
    for (int file = 0; file < 300; ++file) {
        SyntaxAnalyzer engine(definition);
        const QStringList words = vocabulary(engine);
        QStringList lines;
        const int lineCount = random.bounded(1, 12);
        for (int l = 0; l < lineCount; ++l) {
            QStringList tokens;
            const int tokenCount = random.bounded(0, 4);
            for (int t = 0; t < tokenCount; ++t)
                tokens << words.at(random.bounded(words.size()));
            lines << tokens.join(QLatin1Char(' '));
        }
        int line = -1;
        Node *failed = nullptr;
        const bool valid = engine.analyze(&lines, line, failed);
        if (!valid && !failed)
            QVERIFY(line >= 0 && line < lines.size());
    }
}

QTEST_GUILESS_MAIN(TestSyntaxFaults)
#include "test_syntax_faults.moc"
