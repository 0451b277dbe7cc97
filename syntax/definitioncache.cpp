#include "syntax/syntaxanalyzer.h"

#include <QFile>
#include <QMutex>

#include <map>
#include <memory>

// Each analysis starts from a fresh tree of its definition. Copying a tree read once per
// process is many times quicker than reading the XML again; analyses run on several threads.
const Node *SyntaxAnalyzer::loadedDefinition(const QString &fileName)
{
    static QMutex mutex;
    static std::map<QString, std::unique_ptr<SyntaxAnalyzer>> loaded;
    QMutexLocker lock(&mutex);
    auto found = loaded.find(fileName);
    if (found == loaded.end()) {
        QFile file(QStringLiteral(":/syntax/") + fileName);
        if (!file.open(QIODevice::ReadOnly))
            return nullptr;
        auto definition = std::make_unique<SyntaxAnalyzer>(fileName, file.readAll());
        found = loaded.emplace(fileName, std::move(definition)).first;
    }
    return found->second->root;
}

Node *SyntaxAnalyzer::copyDefinition(const Node *node, Node *parent)
{
    Node *copy = nodes.make(node->definition, node->copy);
    copy->parent = parent;
    copy->values = node->values;
    copy->position = node->position;
    copy->children.reserve(node->children.size());
    for (const Node *child : node->children)
        copy->children.append(copyDefinition(child, copy));
    return copy;
}
