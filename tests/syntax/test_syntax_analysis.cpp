#include "analysisrun.h"

#include <QtTest>

// Matching driving-file lines against a grammar: the line loop, validation and the token steps.
class TestSyntaxAnalysis : public QObject
{
    Q_OBJECT

private slots:
    void validate_data();
    void validate();
    void walkthrough();
    void lineLoop_data();
    void lineLoop();
    void linePositionsOfReachedNodes();
    void firstWaitsForLineStart();
    void optionalPassesTokenOn();
    void repetitionEndsAtLineEnd();
    void terseEntriesAndClosingKeyword();
    void closingKeywordIsCaseSensitive();
    void refusedEndOfLastEntryRemovesIt();
    void everyAcceptedTokenStartsAnEntry();
    void rereadSelectsFollowingSection_data();
    void rereadSelectsFollowingSection();
    void trialEntryStandsOrRollsBack();
    void pendingFloatLooksAheadForInteractions();
};

static const QString walkthroughLines = QStringLiteral(
    "english\nrun1\noverwrite zipped vtk\nbinary_zip\nnew\n100\n1\n100\n0.5\nphase concentration");

void TestSyntaxAnalysis::validate_data()
{
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<QString>("token");
    QTest::addColumn<bool>("fits");

    QTest::newRow("option in other case") << "TypeOfCoupling"
                                          << "Phase" << true;
    QTest::newRow("option is whole word") << "TypeOfCoupling"
                                          << "phases" << false;
    QTest::newRow("string without options") << "NameOfResults"
                                            << "Any_Thing.1" << true;
    QTest::newRow("integer with sign") << "CellsX"
                                       << "-12" << true;
    QTest::newRow("integer plus sign") << "CellsX"
                                       << "+12" << true;
    QTest::newRow("integer hexadecimal") << "CellsX"
                                         << "0x1A" << false;
    QTest::newRow("integer fraction") << "CellsX"
                                      << "1.0" << false;
    QTest::newRow("integer 32-bit limit") << "CellsX"
                                          << "2147483647" << true;
    QTest::newRow("integer beyond 32 bits") << "CellsX"
                                            << "2147483648" << false;
    QTest::newRow("float") << "Spacing"
                           << "0.5" << true;
    QTest::newRow("float with D exponent") << "Spacing"
                                           << "1.5D-3" << true;
    QTest::newRow("float with small d") << "Spacing"
                                        << "1.5d-3" << false;
    QTest::newRow("float single-precision range") << "Spacing"
                                                  << "3.0e38" << true;
    QTest::newRow("float beyond single precision") << "Spacing"
                                                   << "1e39" << false;
    QTest::newRow("float that would become zero") << "Spacing"
                                                  << "1e-50" << false;
    QTest::newRow("float D beyond range") << "Spacing"
                                          << "1D40" << false;
    QTest::newRow("float word") << "Spacing"
                                << "half" << false;
}

void TestSyntaxAnalysis::validate()
{
    QFETCH(QString, parameter);
    QFETCH(QString, token);
    QFETCH(bool, fits);
    SyntaxAnalyzer engine(QStringLiteral("engine_walkthrough.xml"));
    Node *node = nullptr;
    engine.getValues(parameter, false, node);
    QVERIFY(node);
    QCOMPARE(engine.validate(token, node), fits);
    // A fitting token is stored as written.
    QCOMPARE(node->values, fits ? QStringList{token} : QStringList());
}

void TestSyntaxAnalysis::walkthrough()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_walkthrough.xml"));
    QCOMPARE(analyzeText(engine, walkthroughLines), valid());
    QCOMPARE(valuesOf(engine, "Language"), QStringList{"english"});
    QCOMPARE(valuesOf(engine, "NameOfResults"), QStringList{"run1"});
    QCOMPARE(valuesOf(engine, "Write Mode"), QStringList{"overwrite"});
    QCOMPARE(valuesOf(engine, "WriteModeOptions"), QStringList({"zipped", "vtk"}));
    QCOMPARE(valuesOf(engine, "VtkMode"), QStringList{"binary_zip"});
    QCOMPARE(valuesOf(engine, "RestartType"), QStringList{"new"});
    QVERIFY(valuesOf(engine, "RestartResetTime").isEmpty());
    QVERIFY(valuesOf(engine, "RestartFile").isEmpty());
    QCOMPARE(valuesOf(engine, "CellsX"), QStringList{"100"});
    QCOMPARE(valuesOf(engine, "CellsY"), QStringList{"1"});
    QCOMPARE(valuesOf(engine, "CellsZ"), QStringList{"100"});
    QCOMPARE(valuesOf(engine, "Spacing"), QStringList{"0.5"});
    QVERIFY(valuesOf(engine, "RescaleFactor").isEmpty());
    QCOMPARE(valuesOf(engine, "TypeOfCoupling"), QStringList({"phase", "concentration"}));
}

void TestSyntaxAnalysis::lineLoop_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<AnalysisRun>("expected");
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<QStringList>("values");

    const QString tail = QStringLiteral("new\n100\n1\n100\n0.5\nphase");
    QTest::newRow("comments, blanks and markers")
        << "# head\n\n  english  \n! note\nrun1 # trailing\n__END__\noverwrite\n__sw__ ignored\n" +
               tail + "\n__end_of_file__"
        << valid() << "NameOfResults" << QStringList{"run1"};
    QTest::newRow("text after the first equals sign")
        << "english\nNameOfResults = run1\nWrite Mode =\noverwrite\n" + tail << valid()
        << "NameOfResults" << QStringList{"run1"};
    QTest::newRow("empty pieces between blanks")
        << "english\nrun1\noverwrite   zipped  \tx\n" + tail << invalid(2, "RestartType")
        << "WriteModeOptions" << QStringList{"zipped"};
    QTest::newRow("own line for a line continuation")
        << "english\nrun1\noverwrite\nzipped\n" + tail << invalid(3, "RestartType")
        << "WriteModeOptions" << QStringList();
    QTest::newRow("keyword option in other case")
        << "english\nrun1\noverwrite\n" + tail.left(tail.size() - 5) + "Phase Temperature"
        << valid() << "TypeOfCoupling" << QStringList({"Phase", "Temperature"});
    QTest::newRow("D exponent kept as written")
        << "english\nrun1\noverwrite\nnew\n100\n1\n100\n1.5D-3\nphase" << valid() << "Spacing"
        << QStringList{"1.5D-3"};
    QTest::newRow("refused token") << "english\nrun1\noverwrite\nnew\n100\n1\n100\n1.5d-3\nphase"
                                   << invalid(7, "Spacing") << "Spacing" << QStringList();
    QTest::newRow("too much input") << "english\nrun1\noverwrite\n" + tail + "\n# done\n4\nmore"
                                    << invalid(11) << "Threads" << QStringList{"4"};
    QTest::newRow("end of file reached")
        << "english\nrun1\noverwrite\nnew\n100\n1\n100\n0.5" << invalid(9, "TypeOfCoupling")
        << "CellsZ" << QStringList{"100"};
    QTest::newRow("only comments")
        << "# nothing\n\n! here\nKey =" << invalid(4, "Language") << "Language" << QStringList();
    QTest::newRow("restart wanted") << "english\nrun1\noverwrite\nrestart reset_time\nold.res\n"
                                       "100\n1\n100\n0.5\nphase"
                                    << valid() << "RestartFile" << QStringList{"old.res"};
}

void TestSyntaxAnalysis::lineLoop()
{
    QFETCH(QString, text);
    QFETCH(AnalysisRun, expected);
    QFETCH(QString, parameter);
    QFETCH(QStringList, values);
    SyntaxAnalyzer engine(QStringLiteral("engine_walkthrough.xml"));
    QCOMPARE(analyzeText(engine, text), expected);
    QCOMPARE(valuesOf(engine, parameter), values);
}

void TestSyntaxAnalysis::linePositionsOfReachedNodes()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_walkthrough.xml"));
    analyzeText(engine, walkthroughLines);
    Node *node = nullptr;
    engine.getValues(QStringLiteral("Language"), false, node);
    QCOMPARE(node->position, 0);
    // "CellsX" is reached while line 5 is read: 8 + 5 + 21 + 11 + 4 characters and line ends
    // before.
    engine.getValues(QStringLiteral("CellsX"), false, node);
    QCOMPARE(node->position, 49);
    // "RestartResetTime" is passed over when the walk looks for the token of line 5 as well.
    engine.getValues(QStringLiteral("RestartResetTime"), false, node);
    QCOMPARE(node->position, 49);
    // Passed over at the end of input.
    engine.getValues(QStringLiteral("Threads"), false, node);
    QCOMPARE(node->position, 0);
}

void TestSyntaxAnalysis::firstWaitsForLineStart()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_lines.xml"));
    QCOMPARE(analyzeText(engine, "5 go dropped\ngo\nhigh\n1\na"), valid());
    QCOMPARE(valuesOf(engine, "Count"), QStringList{"5"});
    QCOMPARE(valuesOf(engine, "Starter"), QStringList{"go"});
    QCOMPARE(valuesOf(engine, "Level"), QStringList{"high"});

    SyntaxAnalyzer refusing(QStringLiteral("engine_lines.xml"));
    QCOMPARE(analyzeText(refusing, "5 go\nmaybe"), invalid(1, "Starter"));

    // A waiting parameter that the file never gives is missing.
    SyntaxAnalyzer ending(QStringLiteral("engine_lines.xml"));
    QCOMPARE(analyzeText(ending, "5 go"), invalid(1, "Starter"));
}

void TestSyntaxAnalysis::optionalPassesTokenOn()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_lines.xml"));
    QCOMPARE(analyzeText(engine, "5\ngo\n7 8 b\nlast"), valid());
    // Passed over: the default stands in for the missing value.
    QCOMPARE(valuesOf(engine, "Level"), QStringList{"low"});
    QCOMPARE(valuesOf(engine, "Numbers"), QStringList({"7", "8"}));
    QCOMPARE(valuesOf(engine, "Words"), QStringList{"b"});
    QCOMPARE(valuesOf(engine, "Last"), QStringList{"last"});

    // Tokens a repeating optional parameter took are kept when it passes a token on.
    SyntaxAnalyzer repeating(QStringLiteral("engine_lines.xml"));
    QCOMPARE(analyzeText(repeating, "5\ngo\nhigh\n1 2 x"), valid());
    QCOMPARE(valuesOf(repeating, "Numbers"), QStringList({"1", "2"}));
    QCOMPARE(valuesOf(repeating, "Last"), QStringList{"x"});
}

void TestSyntaxAnalysis::repetitionEndsAtLineEnd()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_lines.xml"));
    QCOMPARE(analyzeText(engine, "5\ngo\nhigh\n1 2\n3"), valid());
    QCOMPARE(valuesOf(engine, "Numbers"), QStringList({"1", "2"}));
    QCOMPARE(valuesOf(engine, "Last"), QStringList{"3"});

    // "+" needs one token: its first refusal fails.
    SyntaxAnalyzer plus(QStringLiteral("engine_walkthrough.xml"));
    QCOMPARE(analyzeText(plus, "english\nrun1\noverwrite\nnew\n100\n1\n100\n0.5\nbogus"),
             invalid(8, "TypeOfCoupling"));

    // Repetition also stops at a token equal to the line's last one.
    SyntaxAnalyzer same(QStringLiteral("engine_lines.xml"));
    QCOMPARE(analyzeText(same, "5\ngo\nhigh\n1 2 1"), invalid(3));
    QCOMPARE(valuesOf(same, "Numbers"), QStringList{"1"});

    // "*" passes a refused token on.
    SyntaxAnalyzer star(QStringLiteral("engine_lines.xml"));
    QCOMPARE(analyzeText(star, "5\ngo\nhigh\n1\na c d"), valid());
    QCOMPARE(valuesOf(star, "Words"), QStringList({"a", "c"}));
    QCOMPARE(valuesOf(star, "Last"), QStringList{"d"});
}

void TestSyntaxAnalysis::terseEntriesAndClosingKeyword()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_components.xml"));
    QCOMPARE(analyzeText(engine, "Fe\nC\nMn\nend_of_components\nphases\nend_of_outputs"), valid());
    QCOMPARE(valuesOf(engine, "Component"), QStringList{"Fe"});
    QCOMPARE(valuesOf(engine, "Component_1"), QStringList{"C"});
    QCOMPARE(valuesOf(engine, "Component_2"), QStringList{"Mn"});
    QVERIFY(valuesOf(engine, "Component_3").isEmpty());
    QCOMPARE(valuesOf(engine, "EndOfComponents_3"), QStringList{"end_of_components"});
    QVERIFY(valuesOf(engine, "EndOfComponents").isEmpty());
    QVERIFY(valuesOf(engine, "ConcentrationUnit").isEmpty());
}

void TestSyntaxAnalysis::closingKeywordIsCaseSensitive()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_loops.xml"));
    QCOMPARE(analyzeText(engine, "closing\nFe\nEnd_Of_Components\nend_of_components"), valid());
    QCOMPARE(valuesOf(engine, "Component_1"), QStringList{"End_Of_Components"});
    QCOMPARE(valuesOf(engine, "EndOfComponents_2"), QStringList{"end_of_components"});
}

void TestSyntaxAnalysis::refusedEndOfLastEntryRemovesIt()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_components.xml"));
    QCOMPARE(analyzeText(engine, "Fe\nC\nend_of_outputs\ndone"), valid());
    Node *found = nullptr;
    engine.getValues(QStringLiteral("Component"), false, found);
    QStringList names;
    for (Node *node : qAsConst(found->parent->children))
        names << node->name();
    QCOMPARE(names,
             QStringList({"Component", "EndOfComponents", "Component_1", "EndOfComponents_1"}));
    QCOMPARE(valuesOf(engine, "EndOfOutputs"), QStringList{"end_of_outputs"});
    QCOMPARE(valuesOf(engine, "Done"), QStringList{"done"});

    // Without a copy the whole name is the suffix: the defined "EndOfComponents" goes.
    SyntaxAnalyzer none(QStringLiteral("engine_components.xml"));
    QCOMPARE(analyzeText(none, "end_of_outputs"), valid());
    engine.getValues(QStringLiteral("EndOfComponents"), false, found);
    none.getValues(QStringLiteral("EndOfComponents"), false, found);
    QCOMPARE(found, nullptr);
}

void TestSyntaxAnalysis::everyAcceptedTokenStartsAnEntry()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_components.xml"));
    QCOMPARE(analyzeText(engine, "end_of_components\nphases fractions\ngrains\nend_of_outputs"),
             valid());
    QCOMPARE(valuesOf(engine, "OutputOption"), QStringList({"phases", "fractions"}));
    // The second token replaced the entry the first one opened; the last copy is found first.
    QCOMPARE(valuesOf(engine, "OutputOption_1"), QStringList{"grains"});
    QCOMPARE(valuesOf(engine, "EndOfOutputs_2"), QStringList{"end_of_outputs"});
    QCOMPARE(valuesOf(engine, "EndOfComponents"), QStringList{"end_of_components"});
}

void TestSyntaxAnalysis::rereadSelectsFollowingSection_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<AnalysisRun>("expected");
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("ordered") << "ordered 4\ndone" << valid() << "OrderedValue" << QStringList{"4"};
    QTest::newRow("terse") << "Terse 2.5 more\ndone" << invalid(0, "Done") << "TerseWord"
                           << QStringList{"Terse"};
    QTest::newRow("look-ahead kept")
        << "terse 2.5\ndone" << valid() << "DDModeDecision" << QStringList{"terse"};
}

void TestSyntaxAnalysis::rereadSelectsFollowingSection()
{
    QFETCH(QString, text);
    QFETCH(AnalysisRun, expected);
    QFETCH(QString, parameter);
    QFETCH(QStringList, values);
    SyntaxAnalyzer engine(QStringLiteral("engine_reread.xml"));
    QCOMPARE(analyzeText(engine, text), expected);
    QCOMPARE(valuesOf(engine, parameter), values);
}

void TestSyntaxAnalysis::trialEntryStandsOrRollsBack()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_trials.xml"));
    QCOMPARE(analyzeText(engine, "on\n1.5\noff\n2.5\nphase_inter\ndone"), valid());
    QCOMPARE(valuesOf(engine, "PairEnabled"), QStringList{"on"});
    QCOMPARE(valuesOf(engine, "PairValue_1"), QStringList{"2.5"});
    Node *found = nullptr;
    engine.getValues(QStringLiteral("PairEnabled"), false, found);
    // The entry that "other" opened on trial is gone again.
    QCOMPARE(found->parent->children.size(), 6);
    engine.getValues(QStringLiteral("PairEnabled_2"), false, found);
    QCOMPARE(found, nullptr);
    QCOMPARE(valuesOf(engine, "Interaction"), QStringList{"phase_inter"});

    // A first entry that does not start leaves the collection as defined.
    SyntaxAnalyzer empty(QStringLiteral("engine_trials.xml"));
    QCOMPARE(analyzeText(empty, "# none\nphase_inter\ndone"), valid());
    empty.getValues(QStringLiteral("PairEnabled"), false, found);
    QVERIFY(found->values.isEmpty());
    QCOMPARE(found->parent->children.size(), 3);
    QCOMPARE(valuesOf(empty, "Interaction"), QStringList{"phase_inter"});

    // The rolled-back lines are read again from their start against what follows.
    SyntaxAnalyzer again(QStringLiteral("engine_trials.xml"));
    QCOMPARE(analyzeText(again, "on\n1.5\nphase_inter done"), valid());
    QCOMPARE(valuesOf(again, "Done"), QStringList{"done"});
}

void TestSyntaxAnalysis::pendingFloatLooksAheadForInteractions()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_trials.xml"));
    QCOMPARE(analyzeText(engine, "off\n1\n1.0 2.0\n3.0\nphase_inter\ndone"), valid());
    QVERIFY(valuesOf(engine, "PendingFloat").isEmpty());
    QVERIFY(valuesOf(engine, "PendingFloat_1").isEmpty());
    Node *found = nullptr;
    engine.getValues(QStringLiteral("PendingFloat_2"), false, found);
    QCOMPARE(found, nullptr);
    QCOMPARE(valuesOf(engine, "Interaction"), QStringList{"phase_inter"});

    // A line naming an interaction is refused at once.
    SyntaxAnalyzer direct(QStringLiteral("engine_trials.xml"));
    QCOMPARE(analyzeText(direct, "phase_inter\ndone"), valid());
    QCOMPARE(valuesOf(direct, "Interaction"), QStringList{"phase_inter"});
}

QTEST_GUILESS_MAIN(TestSyntaxAnalysis)
#include "test_syntax_analysis.moc"
