#include "syntax/node.h"
#include "syntax/nodearena.h"
#include "syntax/syntaxanalyzer.h"

#include <QMap>
#include <QtTest>

using Values = QMap<QString, QStringList>;

namespace {

void fill(Node *node, const Values &values)
{
    if (values.contains(node->name()) && node->type() != QLatin1String("section"))
        node->values = values.value(node->name());
    for (Node *child : node->children)
        fill(child, values);
}

QString printed(const QString &definition, const Values &values, bool indent = false)
{
    SyntaxAnalyzer analyzer(definition);
    fill(analyzer.getRoot(), values);
    return analyzer.printTree(indent);
}

const QString sample = QStringLiteral("test_print_sample.xml");
const QString version70 = QStringLiteral("ZEL_Syntax_7-0.xml");

QStringList fileLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
}

// Analyses the lines with the 7.0 grammar and prints them back; empty when they do not fit.
QString reprinted(QStringList lines)
{
    SyntaxAnalyzer analyzer(version70);
    int line = 0;
    Node *failed = nullptr;
    if (!analyzer.analyze(&lines, line, failed))
        return QString();
    return analyzer.printTree(false);
}

} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void sampleTree_data();
    void sampleTree();
    void indentedVariant();
    void printNode_data();
    void printNode();
    void deliveredWorkedExample();
    void deliveredHeadingsWithoutValues();
    void deliveredRoundTrip();
    void deliveredRoundTripOfEquals();
    void examplesRoundTrip();
    void treeInBlocksOfAGoneTree();
};

void TestPrinting::initTestCase()
{
    Q_INIT_RESOURCE(MyRes);
    Q_INIT_RESOURCE(printing);
}

void TestPrinting::sampleTree_data()
{
    QTest::addColumn<Values>("values");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no values: headings of major and minor sections only")
        << Values{}
        << QStringLiteral("\n\n# Alpha Section\n# =============\n\n\n# Beta\n# ----\n\n");

    const Values full{
        {QStringLiteral("AlphaWord"), {QStringLiteral("first")}},
        {QStringLiteral("AlphaTail"), {QStringLiteral("x"), QStringLiteral("y")}},
        {QStringLiteral("AlphaLook"), {QStringLiteral("peek")}},
        {QStringLiteral("AlphaNumbers"), {QStringLiteral("1.5"), QStringLiteral("2.5")}},
        {QStringLiteral("AlphaAfterMissing"), {QStringLiteral("7")}},
        {QStringLiteral("BetaPIEnabled"), {QStringLiteral("on")}},
        {QStringLiteral("BetaLevel"), {QStringLiteral("3")}},
        {QStringLiteral("DDType"), {QStringLiteral("tracer")}},
        {QStringLiteral("DDValue"), {QStringLiteral("0.1")}},
        {QStringLiteral("SeedPosition"), {QStringLiteral("interface")}},
        {QStringLiteral("SeedNucleationModel"), {QStringLiteral("seed_density")}},
        {QStringLiteral("SeedNucleationModelPlain"), {QStringLiteral("plain")}},
        {QStringLiteral("SeedPosition_1"), {QStringLiteral("bulk")}},
        {QStringLiteral("SeedNucleationModel_1"), {QStringLiteral("seed_undercooling")}}};
    // The reread value is left out; a line value continues the pending line even when the
    // optional value before it is missing; the entry-opening line values start new lines;
    // the defaulted seed model disappears after an interface seed and returns after a bulk one.
    QTest::newRow("every rule") << full
                                << QStringLiteral("\n\n# Alpha Section\n# =============\n\n"
                                                  "first x y\n1.5 2.5 7\n\n# Beta\n# ----\n\n"
                                                  "on 3\ntracer 0.1\ninterface\nplain\nbulk\n"
                                                  "seed_undercooling\n");

    Values continued = full;
    continued.insert(QStringLiteral("BetaPhase"), {QStringLiteral("alpha")});
    continued.insert(QStringLiteral("SeedPosition"), {QStringLiteral("triple")});
    QTest::newRow("PIEnabled continues a line whose first value is given")
        << continued
        << QStringLiteral("\n\n# Alpha Section\n# =============\n\nfirst x y\n1.5 2.5 7\n\n"
                          "# Beta\n# ----\n\nalpha on 3\ntracer 0.1\ntriple\nplain\nbulk\n"
                          "seed_undercooling\n");

    // A reader drops a line up to its first "=", so such lines are led by "= ", once per line,
    // whether the "=" is in the line's first value or in one continuing it.
    const Values equals{{QStringLiteral("AlphaWord"), {QStringLiteral("a=b")}},
                        {QStringLiteral("AlphaTail"), {QStringLiteral("x=")}},
                        {QStringLiteral("AlphaNumbers"), {QStringLiteral("1.5")}},
                        {QStringLiteral("AlphaAfterMissing"), {QStringLiteral("k=7")}}};
    QTest::newRow("values holding an equals sign")
        << equals
        << QStringLiteral("\n\n# Alpha Section\n# =============\n\n= a=b x=\n= 1.5 k=7\n\n"
                          "# Beta\n# ----\n\n");

    Values bulkOnly{{QStringLiteral("SeedPosition"), {QStringLiteral("Interface")}},
                    {QStringLiteral("SeedNucleationModel"), {QStringLiteral("seed_density")}}};
    QTest::newRow("seed position compared case-sensitively")
        << bulkOnly
        << QStringLiteral("\n\n# Alpha Section\n# =============\n\n\n# Beta\n# ----\n\n"
                          "Interface\nseed_density\n");
}

void TestPrinting::sampleTree()
{
    QFETCH(Values, values);
    QFETCH(QString, expected);
    QCOMPARE(printed(sample, values), expected);
}

void TestPrinting::indentedVariant()
{
    const Values values{{QStringLiteral("AlphaWord"), {QStringLiteral("first")}},
                        {QStringLiteral("BetaPIEnabled"), {QStringLiteral("on")}},
                        {QStringLiteral("BetaLevel"), {QStringLiteral("3")}}};
    QCOMPARE(printed(sample, values, true),
             QStringLiteral("\n\n# Alpha Section\n# =============\n\nfirst\n\n# Beta\n# ----\n\n"
                            "  on 3\n"));
}

void TestPrinting::printNode_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("expected");

    QTest::newRow("section") << QStringLiteral("Seeds") << QStringList{QStringLiteral("x")}
                             << QString();
    QTest::newRow("no values") << QStringLiteral("AlphaWord") << QStringList{} << QString();
    QTest::newRow("own line") << QStringLiteral("AlphaNumbers")
                              << QStringList{QStringLiteral("1"), QStringLiteral("2")}
                              << QStringLiteral("\n1 2 ");
    QTest::newRow("continues line")
        << QStringLiteral("AlphaTail") << QStringList{QStringLiteral("zipped")}
        << QStringLiteral("zipped ");
}

void TestPrinting::printNode()
{
    QFETCH(QString, name);
    QFETCH(QStringList, values);
    QFETCH(QString, expected);
    SyntaxAnalyzer analyzer(sample);
    analyzer.reset();
    Node *node = analyzer.getNext();
    while (node && node->name() != name)
        node = analyzer.getNext();
    QVERIFY(node);
    node->values = values;
    QCOMPARE(analyzer.printNode(node), expected);
}

void TestPrinting::deliveredWorkedExample()
{
    const QString text =
        printed(version70, {{QStringLiteral("Language"), {QStringLiteral("english")}},
                            {QStringLiteral("NameOfResults"), {QStringLiteral("run1")}},
                            {QStringLiteral("Write Mode"), {QStringLiteral("overwrite")}},
                            {QStringLiteral("RestartType"), {QStringLiteral("new")}},
                            {QStringLiteral("RestartResetTime"), {QStringLiteral("keep_time")}},
                            {QStringLiteral("TypeOfCoupling"),
                             {QStringLiteral("phase"), QStringLiteral("concentration")}}});
    QVERIFY2(text.startsWith(QStringLiteral("\n\n# Language\n# ========\n\nenglish\n\n"
                                            "# SimulationName\n# ==============\n\nrun1\n"
                                            "overwrite\n\n# Restart\n# =======\n\n"
                                            "new keep_time\n\n")),
             qPrintable(text.left(200)));
    QVERIFY(text.contains(QLatin1String("\n\nphase concentration\n\n")));
}

void TestPrinting::deliveredHeadingsWithoutValues()
{
    const QStringList lines = printed(version70, {}).split(QLatin1Char('\n'));
    QStringList headings;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        QVERIFY2(lines[i].startsWith(QLatin1String("# ")), qPrintable(lines[i]));
        const QString name = lines[i].mid(2);
        QVERIFY(i + 1 < lines.size());
        const QString underline = lines[++i];
        QVERIFY(underline == QStringLiteral("# ") + QString(name.size(), QLatin1Char('=')) ||
                underline == QStringLiteral("# ") + QString(name.size(), QLatin1Char('-')));
        headings << name;
    }
    const QStringList expected{"Language",
                               "SimulationName",
                               "Restart",
                               "Geometry",
                               "ModelSpecification",
                               "Boundary Conditions",
                               "Database",
                               "Components",
                               "Phases",
                               "Orientation",
                               "Stress related",
                               "PhaseData",
                               "PhaseInteractions",
                               "DiffusionData",
                               "Grain Input",
                               "InitialConcentration",
                               "Process Conditions",
                               "Nucleation",
                               "Time",
                               "Output",
                               "Phase-Field Solver",
                               "Temperature Solver (concentration)",
                               "Temperature Solver (no concentration)",
                               "Concentration Solver",
                               "ExpansionSolver",
                               "Threads"};
    QCOMPARE(headings, expected);
    QVERIFY(lines.contains(QStringLiteral("# ") + QString(19, QLatin1Char('='))));
    QVERIFY(lines.contains(QStringLiteral("# ") + QString(14, QLatin1Char('-'))));
}

// A printed file must read back to the same values: printing its analysis again gives the
// same text.
void TestPrinting::deliveredRoundTrip()
{
    const QString text =
        reprinted(fileLines(QStringLiteral(VORPEN_TEST_DIR "/printing/grains_dri.txt")));
    QVERIFY(!text.isEmpty());
    QCOMPARE(reprinted(text.split(QLatin1Char('\n'))), text);
    QVERIFY(text.contains(QLatin1String("\nnew keep_time\n")));
    QVERIFY(text.contains(QLatin1String("\nliquid\nalpha\nbeta\nend_of_phases\n")));
    QVERIFY(text.contains(QLatin1String("\noverwrite zipped vtk\nbinary_zip\n")));
    QVERIFY(text.contains(QLatin1String("\n0 1 phase_interaction\n")));
    QVERIFY(text.contains(QLatin1String("\n1.0e6\nphase_interaction\nstandard\n")));
    QVERIFY(!text.contains(QLatin1String("# Two solid phases")));
}

// An input line "Name = a=b" holds the value a=b, which must survive printing and re-reading.
void TestPrinting::deliveredRoundTripOfEquals()
{
    QStringList lines = fileLines(QStringLiteral(VORPEN_TEST_DIR "/printing/grains_dri.txt"));
    const int name = lines.indexOf(QStringLiteral("overwrite zipped vtk")) - 1;
    QVERIFY(name > 0);
    lines[name] = QStringLiteral("NameOfResults = run=1");
    const QString text = reprinted(lines);
    QVERIFY(text.contains(QLatin1String("\n= run=1\n")));
    QCOMPARE(reprinted(text.split(QLatin1Char('\n'))), text);
}

void TestPrinting::examplesRoundTrip()
{
    const QDir examples(QStringLiteral(VORPEN_SOURCE_DIR "/examples"));
    const QStringList names = examples.entryList({QStringLiteral("*_dri.txt")}, QDir::Files);
    int printedExamples = 0;
    for (const QString &name : names) {
        const QString text = reprinted(fileLines(examples.filePath(name)));
        if (text.isEmpty())
            continue; // a 6.4 example
        QVERIFY2(reprinted(text.split(QLatin1Char('\n'))) == text, qPrintable(name));
        ++printedExamples;
    }
    QVERIFY(printedExamples > 0);
}

// Nodes are made in the blocks of trees that went: nothing of those may show in the new tree.
void TestPrinting::treeInBlocksOfAGoneTree()
{
    const QStringList grains =
        fileLines(QStringLiteral(VORPEN_TEST_DIR "/printing/grains_dri.txt"));
    NodeArena::releaseSpareBlocks();
    const QString fresh = reprinted(grains);
    QVERIFY(!fresh.isEmpty());
    QVERIFY(!reprinted(fileLines(QStringLiteral(VORPEN_SOURCE_DIR
                                                "/examples/grain_growth_3d_single_phase_dri.txt")))
                 .isEmpty());
    QCOMPARE(reprinted(grains), fresh);
}

QTEST_GUILESS_MAIN(TestPrinting)
#include "test_printing.moc"
