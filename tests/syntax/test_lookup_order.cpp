// The name index must answer every look-up with exactly the node that the plain depth-first
// search from the root finds, at every stage of an analysis: after whole files, after files cut
// short (trial entries and copies left behind) and after files read against the wrong grammar.
#include "bench/drivingfilegenerator.h"
#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStack>
#include <QtTest>

#include <functional>

namespace {

const QString examplesDir = QStringLiteral(VORPEN_SOURCE_DIR "/examples");
const QStringList grammars = {QStringLiteral("ZEL_Syntax_7-0.xml"),
                              QStringLiteral("ZEL_Syntax_6-4.xml")};

// The search order written out as the reference: a popped node is examined, then its children
// are pushed, in document order for a "terse" collection and in reverse for everything else.
Node *plainSearch(Node *root, const std::function<bool(const Node *)> &matches)
{
    QStack<Node *> stack;
    stack.push(root);
    while (!stack.isEmpty()) {
        Node *node = stack.pop();
        if (matches(node))
            return node;
        if (node->terse() == 3) {
            for (Node *child : qAsConst(node->children))
                stack.push(child);
        } else {
            for (int i = node->children.size() - 1; i >= 0; --i)
                stack.push(node->children.at(i));
        }
    }
    return nullptr;
}

bool isParameter(const Node *node)
{
    return node->type() != QLatin1String("section");
}

void collect(const Node *node, QSet<QString> &names, QSet<QString> &values)
{
    names.insert(node->name());
    for (const QString &value : node->values)
        values.insert(value);
    for (const Node *child : node->children)
        collect(child, names, values);
}

// Compares every look-up the tree can be asked; returns the first difference.
QString differences(SyntaxAnalyzer &engine)
{
    QSet<QString> names;
    QSet<QString> values;
    collect(engine.getRoot(), names, values);
    names << QStringLiteral("NoSuchParameter") << QString();

    for (const QString &name : qAsConst(names)) {
        Node *found = nullptr;
        engine.getValues(name, false, found);
        Node *expected = plainSearch(engine.getRoot(), [&name](const Node *node) {
            return node->name() == name && isParameter(node);
        });
        if (found != expected)
            return QStringLiteral("getValues(%1)").arg(name);
    }

    // Name parts as "find:" conditions use them, against values the tree holds and one it
    // does not.
    const QStringList parts = {
        QStringLiteral("Recrystallisation"), QStringLiteral("NucleationNoise"),
        QStringLiteral("MolarVolumeType"), QStringLiteral("Phase"), QStringLiteral("_1"),
        QStringLiteral("Grain"),
        // Copied conditions ask for a stem with the copy's suffix.
        QStringLiteral("NucleationNoise_1"), QStringLiteral("NucleationNoise_"),
        QStringLiteral("Phase_1_"), QStringLiteral("MolarVolumeType_0"), QString()};
    values << QStringLiteral("no-such-value");
    for (const QString &part : parts) {
        for (const QString &value : qAsConst(values)) {
            const bool expected = plainSearch(engine.getRoot(), [&part, &value](const Node *node) {
                                      return isParameter(node) && node->name().contains(part) &&
                                             node->values.contains(value);
                                  }) != nullptr;
            if (engine.find(QStringList{part}, value) != expected)
                return QStringLiteral("find(%1, %2)").arg(part, value);
        }
    }
    return QString();
}

// Parameters of the name or its numbered copies that hold a value.
int valued(const Node *node, const QString &name)
{
    int count = isParameter(node) && !node->values.isEmpty() &&
                (node->name() == name || node->name().startsWith(name + QLatin1Char('_')));
    for (const Node *child : node->children)
        count += valued(child, name);
    return count;
}

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
}

// Analyses the first count lines under the grammar and compares the look-ups afterwards.
void checkPrefix(const QStringList &lines, int count, const QString &grammar)
{
    QStringList prefix = lines.mid(0, count);
    SyntaxAnalyzer engine(grammar);
    int line = -1;
    Node *failed = nullptr;
    engine.analyze(&prefix, line, failed);
    const QString difference = differences(engine);
    QVERIFY2(
        difference.isEmpty(),
        qPrintable(
            QStringLiteral("%1 after %2 lines under %3").arg(difference).arg(count).arg(grammar)));
}

void checkFile(const QStringList &lines, int stages)
{
    for (const QString &grammar : grammars) {
        for (int stage = 1; stage <= stages; ++stage) {
            checkPrefix(lines, lines.size() * stage / stages, grammar);
            if (QTest::currentTestFailed())
                return;
        }
    }
}

} // namespace

class TestLookupOrder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(MyRes); }
    void examples_data();
    void examples();
    void generatedFiles_data();
    void generatedFiles();
    void generatedFilesPassTheirGrammar_data();
    void generatedFilesPassTheirGrammar();
};

void TestLookupOrder::examples_data()
{
    QTest::addColumn<QString>("path");
    for (const QString &name : QDir(examplesDir).entryList(QDir::Files))
        QTest::newRow(qPrintable(name)) << examplesDir + QLatin1Char('/') + name;
}

void TestLookupOrder::examples()
{
    QFETCH(QString, path);
    const QStringList lines = readLines(path);
    QVERIFY(lines.size() > 100);
    checkFile(lines, 6);
}

void TestLookupOrder::generatedFiles_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<int>("grains");
    QTest::addColumn<int>("times");
    QTest::addColumn<int>("seeds");
    QTest::addColumn<int>("phases");
    for (const char *version : {"7.0", "6.4"}) {
        QTest::addRow("%s grains", version) << QString(version) << 25 << 4 << 1 << 3;
        QTest::addRow("%s output times", version) << QString(version) << 0 << 40 << 1 << 3;
        QTest::addRow("%s seed types", version) << QString(version) << 0 << 4 << 12 << 3;
        QTest::addRow("%s phases", version) << QString(version) << 2 << 4 << 2 << 6;
        QTest::addRow("%s no nucleation, two phases", version)
            << QString(version) << 3 << 2 << 0 << 2;
    }
}

void TestLookupOrder::generatedFiles()
{
    QFETCH(QString, version);
    QFETCH(int, grains);
    QFETCH(int, times);
    QFETCH(int, seeds);
    QFETCH(int, phases);
    const QStringList lines =
        generateDrivingFile(version, DrivingFileSize{grains, times, seeds, phases})
            .split(QLatin1Char('\n'));
    checkFile(lines, 5);
}

void TestLookupOrder::generatedFilesPassTheirGrammar_data()
{
    generatedFiles_data();
}

// Counts as the grammar reads them, so the benchmarks grow what they claim to grow.
void TestLookupOrder::generatedFilesPassTheirGrammar()
{
    QFETCH(QString, version);
    QFETCH(int, grains);
    QFETCH(int, times);
    QFETCH(int, seeds);
    QFETCH(int, phases);
    QStringList lines = generateDrivingFile(version, DrivingFileSize{grains, times, seeds, phases})
                            .split(QLatin1Char('\n'));
    for (const QString &grammar : grammars) {
        SyntaxAnalyzer engine(grammar);
        int line = -1;
        Node *failed = nullptr;
        const bool own = grammar == grammars.at(version == QLatin1String("6.4") ? 1 : 0);
        QCOMPARE(engine.analyze(&lines, line, failed), own);
        if (!own)
            continue;
        Node *found = nullptr;
        QCOMPARE(engine.getValues(QStringLiteral("NumberOfGrains"), false, found),
                 QStringList{QString::number(grains)});
        QCOMPARE(valued(engine.getRoot(), QStringLiteral("GrainPhase")), grains);
        QCOMPARE(valued(engine.getRoot(), QStringLiteral("OutputTimes")), times);
        QCOMPARE(valued(engine.getRoot(), QStringLiteral("SeedPosition")), seeds);
        const int pairs = (phases - 1) + phases * (phases - 1) / 2;
        QCOMPARE(valued(engine.getRoot(), QStringLiteral("PIEnabled")), pairs);
    }
}

QTEST_GUILESS_MAIN(TestLookupOrder)
#include "test_lookup_order.moc"
