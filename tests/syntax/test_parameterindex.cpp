// Naming the parameter behind each line of an analysed file, and what completion expects next.
#include "syntax/expectedparameter.h"
#include "syntax/linetokens.h"
#include "syntax/node.h"
#include "syntax/parameterdescription.h"
#include "syntax/parameterindex.h"
#include "syntax/syntaxanalyzer.h"

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <QtTest>

namespace {

const QString examplesDir = QStringLiteral(VORPEN_SOURCE_DIR "/examples");

QStringList exampleLines(const QString &name)
{
    QFile file(examplesDir + '/' + name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QTextStream(&file).readAll().split('\n');
}

QString grammarOf(const QStringList &lines)
{
    return lines.value(0).section(' ', 2, 2) == QLatin1String("6.4")
               ? QStringLiteral("ZEL_Syntax_6-4.xml")
               : QStringLiteral("ZEL_Syntax_7-0.xml");
}

QStringList names(const QVector<Node *> &nodes)
{
    QStringList result;
    for (const Node *node : nodes)
        result << node->name();
    return result;
}

// Position of each node in depth-first document order.
QHash<const Node *, int> documentOrder(Node *root)
{
    QHash<const Node *, int> order;
    QVector<Node *> stack{root};
    while (!stack.isEmpty()) {
        Node *node = stack.takeLast();
        order.insert(node, order.size());
        for (int i = node->children.size() - 1; i >= 0; --i)
            stack.append(node->children.at(i));
    }
    return order;
}

} // namespace

class TestParameterIndex : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(MyRes); }
    void tokensAsTheAnalysisReadsThem_data();
    void tokensAsTheAnalysisReadsThem();
    void namesParametersOfChosenLines_data();
    void namesParametersOfChosenLines();
    void everyExampleTokenHasItsParameter_data();
    void everyExampleTokenHasItsParameter();
    void describesParameterAndSuggestsOption();
    void expectsNextParameterAfterText();
};

void TestParameterIndex::tokensAsTheAnalysisReadsThem_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("tokens");
    QTest::addColumn<QList<int>>("columns");
    QTest::newRow("blanks around")
        << "  overwrite  vtk " << QStringList{"overwrite", "vtk"} << QList<int>{2, 13};
    QTest::newRow("key before equals")
        << "NameOfResults = run1" << QStringList{"run1"} << QList<int>{16};
    QTest::newRow("trailing comment") << "1.5 # cells" << QStringList{"1.5"} << QList<int>{0};
    QTest::newRow("end marker") << "7 __end__ 8" << QStringList{"7"} << QList<int>{0};
    QTest::newRow("comment line") << "# 1 2" << QStringList{} << QList<int>{};
    QTest::newRow("key without value") << "Key =" << QStringList{} << QList<int>{};
}

void TestParameterIndex::tokensAsTheAnalysisReadsThem()
{
    QFETCH(QString, line);
    QFETCH(QStringList, tokens);
    QFETCH(QList<int>, columns);
    QStringList texts;
    QList<int> starts;
    for (const LineToken &token : dataTokens(line)) {
        texts << token.text;
        starts << token.column;
        QCOMPARE(line.mid(token.column, token.text.size()), token.text);
    }
    QCOMPARE(texts, tokens);
    QCOMPARE(starts, columns);
}

void TestParameterIndex::namesParametersOfChosenLines_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("line");
    QTest::addColumn<QStringList>("parameters");
    const QString grains = QStringLiteral("grain_growth_2d_dri.txt");
    QTest::newRow("language") << grains << 6 << QStringList{"Language"};
    QTest::newRow("write mode and its options")
        << grains << 13 << QStringList{"Write Mode", "WriteModeOptions"};
    QTest::newRow("vtk mode brought in by its condition") << grains << 15 << QStringList{"VtkMode"};
    QTest::newRow("cells in z") << grains << 26 << QStringList{"CellsZ"};
    QTest::newRow("coupling") << grains << 33 << QStringList{"TypeOfCoupling"};
    QTest::newRow("comment line") << grains << 32 << QStringList{};
    const QString ternary = QStringLiteral("ternary_linear_tq_v64_dri.txt");
    QTest::newRow("6.4 coupling of two fields") << ternary << 17 << QStringList{"TypeOfCoupling"};
    QTest::newRow("6.4 result name") << ternary << 30 << QStringList{"NameOfResults"};
}

void TestParameterIndex::namesParametersOfChosenLines()
{
    QFETCH(QString, file);
    QFETCH(int, line);
    QFETCH(QStringList, parameters);
    QStringList lines = exampleLines(file);
    SyntaxAnalyzer analyzer(grammarOf(lines));
    int failedLine = -1;
    Node *failed = nullptr;
    QVERIFY(analyzer.analyze(&lines, failedLine, failed));
    const ParameterIndex index(analyzer.getRoot(), lines);
    QCOMPARE(names(index.parametersOfLine(line - 1)), parameters);
}

void TestParameterIndex::everyExampleTokenHasItsParameter_data()
{
    QTest::addColumn<QString>("file");
    for (const QString &name : QDir(examplesDir).entryList({"*_dri.txt"}, QDir::Files))
        QTest::newRow(qPrintable(name)) << name;
}

// Every token of a valid file was consumed by some parameter; the parameters holding a line's
// tokens hold exactly those texts, accept them, and follow each other in document order.
void TestParameterIndex::everyExampleTokenHasItsParameter()
{
    QFETCH(QString, file);
    QStringList lines = exampleLines(file);
    SyntaxAnalyzer analyzer(grammarOf(lines));
    int failedLine = -1;
    Node *failed = nullptr;
    QVERIFY(analyzer.analyze(&lines, failedLine, failed));
    const ParameterIndex index(analyzer.getRoot(), lines);
    const QHash<const Node *, int> order = documentOrder(analyzer.getRoot());

    int lastOrder = -1;
    QHash<const Node *, int> taken;
    for (int line = 0; line < lines.size(); ++line) {
        const QVector<LineToken> tokens = dataTokens(lines.at(line));
        const QVector<Node *> owners = index.tokenOwners(line);
        QCOMPARE(owners.size(), tokens.size());
        for (int t = 0; t < tokens.size(); ++t) {
            const Node *owner = owners.at(t);
            const QString where = QString("line %1 token %2").arg(line + 1).arg(tokens[t].text);
            QVERIFY2(owner, qPrintable(where));
            QVERIFY2(order.value(owner) >= lastOrder, qPrintable(where));
            lastOrder = order.value(owner);
            const int k = taken[owner]++;
            QCOMPARE(owner->values.value(k), tokens.at(t).text);
            if (owner->type().contains("string") && !owner->options().isEmpty())
                QVERIFY2(owner->options().contains(tokens.at(t).text.toLower()), qPrintable(where));
        }
    }
}

void TestParameterIndex::describesParameterAndSuggestsOption()
{
    QStringList lines = exampleLines("grain_growth_2d_dri.txt");
    SyntaxAnalyzer analyzer(grammarOf(lines));
    int failedLine = -1;
    Node *failed = nullptr;
    QVERIFY(analyzer.analyze(&lines, failedLine, failed));
    Node *coupling = ParameterIndex(analyzer.getRoot(), lines).parametersOfLine(32).value(0);
    QVERIFY(coupling);
    const QString description = describeParameter(coupling);
    QVERIFY(description.startsWith("TypeOfCoupling (" + coupling->type() + ") in "));
    QVERIFY(description.contains(sectionPath(coupling)));
    QVERIFY(description.contains("concentration"));

    QCOMPARE(closestOption("Concentraton", coupling->options()), QString("concentration"));
    QCOMPARE(closestOption("PHASE", coupling->options()), QString("phase"));
    QCOMPARE(closestOption("x", {}), QString());
}

void TestParameterIndex::expectsNextParameterAfterText()
{
    const QStringList lines = exampleLines("grain_growth_2d_dri.txt");
    const QString grammar = grammarOf(lines);

    const ExpectedParameter coupling = expectedParameter(grammar, lines.mid(0, 32));
    QCOMPARE(int(coupling.kind), int(ExpectedParameter::Kind::Parameter));
    QCOMPARE(coupling.name, QString("TypeOfCoupling"));
    QVERIFY(coupling.options.contains("phase"));

    const ExpectedParameter cells = expectedParameter(grammar, lines.mid(0, 24));
    QCOMPARE(cells.name, QString("CellsY"));
    QVERIFY(cells.options.isEmpty());

    QStringList broken = lines.mid(0, 32);
    broken[5] = "englisch";
    const ExpectedParameter fault = expectedParameter(grammar, broken);
    QCOMPARE(int(fault.kind), int(ExpectedParameter::Kind::Fault));
    QCOMPARE(fault.faultLine, 5);

    QCOMPARE(int(expectedParameter(grammar, lines).kind), int(ExpectedParameter::Kind::Complete));
}

QTEST_GUILESS_MAIN(TestParameterIndex)
#include "test_parameterindex.moc"
