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
    root = new Node;
    root->name = QStringLiteral("root");
    root->type = QStringLiteral("section");
    currentNode = root;

    if (definition) {
        QXmlInputSource source(definition);
        QXmlSimpleReader reader;
        reader.setContentHandler(this);
        reader.setErrorHandler(this);
        reader.parse(&source);
    }
    walk.clear();
    countPending = false;
    countValue = 0;
}

SyntaxAnalyzer::~SyntaxAnalyzer()
{
    delete root;
}

bool SyntaxAnalyzer::startElement(const QString &, const QString &, const QString &qName,
                                  const QXmlAttributes &)
{
    if (qName == QLatin1String("section") || qName == QLatin1String("parameter")) {
        Node *node = new Node;
        node->parent = currentNode;
        node->type = qName;
        currentNode->children.append(node);
        currentNode = node;
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
        if (currentNode->parent)
            currentNode = currentNode->parent;
        return true;
    }
    const QString text = textBuffer.trimmed();
    Node *node = currentNode;
    if (qName == QLatin1String("name")) {
        node->name = text;
    } else if (qName == QLatin1String("type")) {
        node->type = text;
    } else if (qName == QLatin1String("options")) {
        node->options = text.split(QLatin1Char('|'), Qt::KeepEmptyParts);
        for (QString &option : node->options)
            option = option.trimmed();
    } else if (qName == QLatin1String("cname")) {
        node->cname = text;
    } else if (qName == QLatin1String("cvalues")) {
        node->cvalues = text;
    } else if (qName == QLatin1String("cmode")) {
        node->cmode = cmodeOf(text);
    } else if (qName == QLatin1String("default")) {
        node->defaultValue = text;
    } else if (qName == QLatin1String("first")) {
        node->first = text == QLatin1String("true");
    } else if (qName == QLatin1String("show")) {
        node->show = text;
    } else if (qName == QLatin1String("terse")) {
        node->terse = terseOf(text);
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
    Node *copy = new Node;
    copy->copyDefinitionOf(*node);
    copy->parent = node->parent;
    ++copiedNodes;
    return copy;
}
