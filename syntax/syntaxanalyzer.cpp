#include "syntax/syntaxanalyzer.h"

#include <QBuffer>
#include <QFile>
#include <QtDebug>

QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
#include <QXmlInputSource>
#include <QXmlSimpleReader>

SyntaxAnalyzer::SyntaxAnalyzer(QString fileName) : definitionName(fileName)
{
    if (const Node *definition = loadedDefinition(fileName)) {
        root = copyDefinition(definition, nullptr);
        currentNode = root;
        return;
    }
    load(nullptr);
}

SyntaxAnalyzer::SyntaxAnalyzer(QString name, const QByteArray &definition) : definitionName(name)
{
    QBuffer buffer;
    buffer.setData(definition);
    buffer.open(QIODevice::ReadOnly);
    load(&buffer);
}

void SyntaxAnalyzer::load(QIODevice *definition)
{
    NodeDefinition &rootDefinition = ownDefinitions.emplace_back();
    rootDefinition.name = QStringLiteral("root");
    rootDefinition.setType(QStringLiteral("section"));
    root = nodes.make(&rootDefinition);
    currentNode = root;
    readDefinitions.push(&rootDefinition);

    if (definition) {
        QXmlInputSource source(definition);
        QXmlSimpleReader reader;
        reader.setContentHandler(this);
        reader.setErrorHandler(this);
        reader.parse(&source);
    }
    readDefinitions.clear();
    walk.clear();
    countPending = false;
    countValue = 0;
}

SyntaxAnalyzer::~SyntaxAnalyzer() = default;

bool SyntaxAnalyzer::startElement(const QString &, const QString &, const QString &qName,
                                  const QXmlAttributes &)
{
    if (qName == QLatin1String("section") || qName == QLatin1String("parameter")) {
        ++readDefinitions.top()->childCount;
        NodeDefinition &definition = ownDefinitions.emplace_back();
        definition.setType(qName);
        Node *node = nodes.make(&definition);
        node->parent = currentNode;
        currentNode->children.append(node);
        currentNode = node;
        readDefinitions.push(&definition);
    }
    textBuffer.clear();
    return true;
}

bool SyntaxAnalyzer::characters(const QString &text)
{
    textBuffer += text;
    return true;
}

static int cmodeOf(const QString &text)
{
    static const QStringList modes = {QStringLiteral("not"), QStringLiteral("and"),
                                      QStringLiteral("or"), QStringLiteral("matrixskip"),
                                      QStringLiteral("reread")};
    const int mode = modes.indexOf(text);
    return mode < 0 ? 1 : mode;
}

static int terseOf(const QString &text)
{
    if (text == QLatin1String("terse"))
        return 3;
    if (text == QLatin1String("invalidTerse"))
        return 4;
    return 0;
}

bool SyntaxAnalyzer::endElement(const QString &, const QString &, const QString &qName)
{
    if (qName == QLatin1String("section") || qName == QLatin1String("parameter")) {
        if (currentNode->parent) {
            currentNode = currentNode->parent;
            readDefinitions.pop();
        }
        return true;
    }
    const QString text = textBuffer.trimmed();
    NodeDefinition *definition = readDefinitions.top();
    if (qName == QLatin1String("name")) {
        definition->name = text;
    } else if (qName == QLatin1String("type")) {
        definition->setType(text);
    } else if (qName == QLatin1String("options")) {
        definition->options = text.split(QLatin1Char('|'), Qt::KeepEmptyParts);
        for (QString &option : definition->options)
            option = option.trimmed();
    } else if (qName == QLatin1String("cname")) {
        definition->cname = text;
    } else if (qName == QLatin1String("cvalues")) {
        definition->cvalues = text;
    } else if (qName == QLatin1String("cmode")) {
        definition->cmode = cmodeOf(text);
    } else if (qName == QLatin1String("default")) {
        definition->defaultValue = text;
    } else if (qName == QLatin1String("first")) {
        definition->first = text == QLatin1String("true");
    } else if (qName == QLatin1String("show")) {
        definition->show = text;
    } else if (qName == QLatin1String("terse")) {
        definition->terse = terseOf(text);
    }
    return true;
}

// A faulty definition keeps the tree read so far; the fault is only worth a note in the log.
bool SyntaxAnalyzer::fatalError(const QXmlParseException &exception)
{
    qWarning("Syntax definition %s, line %d, column %d: %s", qPrintable(definitionName),
             exception.lineNumber(), exception.columnNumber(), qPrintable(exception.message()));
    return false;
}
QT_WARNING_POP

Node *SyntaxAnalyzer::getRoot()
{
    return root;
}

void SyntaxAnalyzer::reset()
{
    walk.clear();
    walk.push(root);
}

Node *SyntaxAnalyzer::getNext()
{
    if (walk.isEmpty())
        return nullptr;
    Node *node = walk.pop();
    for (int i = node->children.size() - 1; i >= 0; --i)
        walk.push(node->children.at(i));
    return node;
}

Node *SyntaxAnalyzer::copyNode(Node *node)
{
    Node *copy = nodes.make(node->definition, suffixOfCopy(node, QString(), QString()));
    copy->parent = node->parent;
    ++copiedNodes;
    return copy;
}

// Copies of a copy carry both suffixes. The nodes of one copy ask with the same texts one after
// another, so the suffix made last is handed out again.
const CopySuffix *SyntaxAnalyzer::suffixOfCopy(const Node *original, const QString &suffix,
                                               const QString &outerSuffix)
{
    if (lastSuffix.made && lastSuffix.base == original->copy && lastSuffix.suffix == suffix &&
        lastSuffix.outerSuffix == outerSuffix)
        return lastSuffix.made;
    CopySuffix &made = copySuffixes.emplace_back();
    made.suffix = original->copy ? original->copy->suffix + suffix : suffix;
    made.outerSuffix = original->copy ? original->copy->outerSuffix + outerSuffix : outerSuffix;
    lastSuffix = {original->copy, suffix, outerSuffix, &made};
    return &made;
}
