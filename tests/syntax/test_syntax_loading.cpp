#include "syntax/syntaxanalyzer.h"

#include <QtTest>

// Loading a syntax definition into the grammar tree, and the walk over it.
class TestSyntaxLoading : public QObject
{
    Q_OBJECT

private slots:
    void propertiesOfEveryElement();
    void walkVisitsDocumentOrder();
    void copyNodeKeepsDefinitionOnly();
    void brokenDefinitionKeepsPartialTree();
    void missingDefinitionHoldsOnlyRoot();
    void everyEngineGetsItsOwnTree();
};

static QStringList walkNames(SyntaxAnalyzer &engine)
{
    QStringList names;
    engine.reset();
    while (Node *node = engine.getNext())
        names << node->name();
    return names;
}

void TestSyntaxLoading::propertiesOfEveryElement()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_loading.xml"));
    Node *root = engine.getRoot();
    QCOMPARE(root->name(), QStringLiteral("root"));
    QCOMPARE(root->type(), QStringLiteral("section"));
    QCOMPARE(root->defaultValue(), QStringLiteral("9.9"));
    QCOMPARE(root->show(), QStringLiteral("minor")); // any property directly under "set"
    QCOMPARE(root->parent, nullptr);
    QCOMPARE(root->children.size(), 2);

    Node *outer = root->children.at(0);
    QCOMPARE(outer->name(), QStringLiteral("Outer Section"));
    QCOMPARE(outer->type(), QStringLiteral("section"));
    QCOMPARE(outer->show(), QStringLiteral("major"));
    QCOMPARE(outer->terse(), 0); // "Terse" is not "terse"
    QCOMPARE(outer->options(), QStringList({"stop", "halt"}));
    QCOMPARE(outer->parent, root);
    QCOMPARE(outer->children.size(), 3);

    Node *alpha = outer->children.at(0);
    QCOMPARE(alpha->type(), QStringLiteral("optstring"));
    QCOMPARE(alpha->options(), QStringList({"a", "b", "c"}));
    QCOMPARE(alpha->cmode(), 3);
    QVERIFY(alpha->first());
    QCOMPARE(alpha->defaultValue(), QStringLiteral("a"));
    QCOMPARE(alpha->show(), QString(QChar(1)));
    QCOMPARE(alpha->terse(), 0);
    QCOMPARE(alpha->position, -1);
    QCOMPARE(alpha->definedChildren(), 0);
    QVERIFY(alpha->values.isEmpty());

    Node *beta = outer->children.at(1);
    QCOMPARE(beta->options(), QStringList({"x", "", "y"}));
    QCOMPARE(beta->cname(), QStringLiteral("Alpha,E:Gamma_1"));
    QCOMPARE(beta->cvalues(), QStringLiteral("a|b,isEmpty"));
    QCOMPARE(beta->cmode(), 1); // "Or" is no mode
    QVERIFY(!beta->first());
    QCOMPARE(beta->terse(), 4);

    Node *inner = outer->children.at(2);
    QCOMPARE(inner->terse(), 3);
    QCOMPARE(inner->cmode(), 4);
    QVERIFY(inner->options().isEmpty());
    Node *gamma = inner->children.at(0);
    QCOMPARE(gamma->name(), QStringLiteral("Delta")); // a repeated element overwrites
    QCOMPARE(gamma->type(), QStringLiteral("parameter"));
    QCOMPARE(gamma->cmode(), 0);

    Node *loose = root->children.at(1);
    QCOMPARE(loose->type(), QStringLiteral("float"));
    QCOMPARE(loose->show(), QStringLiteral("minor"));
    QCOMPARE(loose->parent, root);
}

void TestSyntaxLoading::walkVisitsDocumentOrder()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_loading.xml"));
    QCOMPARE(engine.getNext(), nullptr); // the walk starts empty
    QCOMPARE(walkNames(engine),
             QStringList({"root", "Outer Section", "Alpha", "Beta", "Inner", "Delta", "Loose"}));
    QCOMPARE(engine.getNext(), nullptr);
    QCOMPARE(engine.countValue, 0);
    QVERIFY(!engine.countPending);
    QCOMPARE(engine.expectedPhaseCount, 0);
}

void TestSyntaxLoading::copyNodeKeepsDefinitionOnly()
{
    SyntaxAnalyzer engine(QStringLiteral("engine_loading.xml"));
    Node *outer = engine.getRoot()->children.at(0);
    Node *alpha = outer->children.at(0);
    alpha->values << QStringLiteral("b");
    alpha->position = 12;
    Node *copy = engine.copyNode(alpha);
    QCOMPARE(copy->name(), alpha->name());
    QCOMPARE(copy->type(), alpha->type());
    QCOMPARE(copy->options(), alpha->options());
    QCOMPARE(copy->cmode(), alpha->cmode());
    QCOMPARE(copy->defaultValue(), alpha->defaultValue());
    QCOMPARE(copy->parent, outer);
    QCOMPARE(copy->first(), true);
    QVERIFY(copy->values.isEmpty());
    QCOMPARE(copy->position, -1);
    QCOMPARE(copy->show(), QString(QChar(1)));
    QCOMPARE(outer->children.size(), 3); // not linked into the tree

    Node *beta = engine.copyNode(outer->children.at(1));
    QCOMPARE(beta->cname(), QStringLiteral("Alpha,E:Gamma_1"));
    QCOMPARE(beta->cvalues(), QStringLiteral("a|b,isEmpty"));
    QCOMPARE(beta->terse(), 4);

    Node *inner = engine.copyNode(outer->children.at(2));
    QVERIFY(inner->children.isEmpty());
}

void TestSyntaxLoading::brokenDefinitionKeepsPartialTree()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("engine_broken.xml, line 15"));
    SyntaxAnalyzer engine(QStringLiteral("engine_broken.xml"));
    QCOMPARE(walkNames(engine), QStringList({"root", "Kept", "Before", "Cut", "Broken"}));
    QCOMPARE(engine.getRoot()->defaultValue(), QStringLiteral("1.0"));
}

void TestSyntaxLoading::missingDefinitionHoldsOnlyRoot()
{
    SyntaxAnalyzer engine(QStringLiteral("no_such_definition.xml"));
    QCOMPARE(walkNames(engine), QStringList({"root"}));
    QStringList lines = {QStringLiteral("# only a comment"), QStringLiteral("value")};
    int line = -1;
    Node *failed = nullptr;
    QVERIFY(!engine.analyze(&lines, line, failed));
    QCOMPARE(failed, nullptr);
    QCOMPARE(line, 1);
}

// Every field of every node, in document order.
static QString treeText(const Node *node)
{
    QString text = QStringLiteral("(%1|%2|%3|%4|%5|%6|%7|%8|%9")
                       .arg(node->name(), node->type(), node->options().join(QLatin1Char('/')),
                            node->cname(), node->cvalues())
                       .arg(node->cmode())
                       .arg(node->defaultValue(), node->values.join(QLatin1Char('/')))
                       .arg(node->terse());
    text += QStringLiteral("|%1|%2|%3|%4")
                .arg(node->position)
                .arg(node->show())
                .arg(node->first())
                .arg(node->definedChildren());
    for (const Node *child : node->children) {
        if (child->parent != node)
            return QStringLiteral("wrong parent of ") + child->name();
        text += treeText(child);
    }
    return text + QLatin1Char(')');
}

void TestSyntaxLoading::everyEngineGetsItsOwnTree()
{
    const QString name = QStringLiteral("engine_loading.xml");
    QFile file(QStringLiteral(":/syntax/") + name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    SyntaxAnalyzer parsed(name, file.readAll());
    const QString expected = treeText(parsed.getRoot());

    SyntaxAnalyzer first(name);
    QCOMPARE(treeText(first.getRoot()), expected);

    // What one engine does to its tree, another never sees.
    Node *section = first.getRoot()->children.first();
    first.copySection(section, 2, QString());
    section->children.first()->values << QStringLiteral("changed");
    SyntaxAnalyzer second(name);
    QCOMPARE(treeText(second.getRoot()), expected);
    QVERIFY(treeText(first.getRoot()) != expected);
}

QTEST_GUILESS_MAIN(TestSyntaxLoading)
#include "test_syntax_loading.moc"
