#include "plots/valuetree.h"

#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

QString firstValue(const Node *node)
{
    return node->values.value(0);
}

QStringList phaseNamesOfTree(SyntaxAnalyzer *analyzer)
{
    Node *alias = nullptr;
    analyzer->getValues(QStringLiteral("PhaseAlias"), false, alias);
    if (!alias || !alias->parent)
        return {};
    const QVector<Node *> &children = alias->parent->children;
    QStringList names;
    int i = 0;
    while (i < children.size() - 1) {
        const Node *child = children[i];
        const bool phase = child->name() == QLatin1String("Phase") ||
                           child->name().startsWith(QLatin1String("Phase_"));
        if (!phase || child->values.isEmpty()) {
            ++i;
            continue;
        }
        // Two places on stands the entry's end marker, which only the closing entry fills.
        const Node *later = children.value(i + 2);
        names.append(later && !later->values.isEmpty() ? firstValue(later) : firstValue(child));
        i += 2;
    }
    return names;
}

void InteractionPair::visit(const Node *child)
{
    const QString &name = child->name();
    if (name.startsWith(QLatin1String("PIPhaseOne"))) {
        enabled = false;
        if (!child->values.isEmpty()) {
            one = firstValue(child).toInt();
            counting = false;
        }
    } else if (name.startsWith(QLatin1String("PIPhaseTwo"))) {
        if (!child->values.isEmpty())
            two = firstValue(child).toInt();
    } else if (name.startsWith(QLatin1String("PIEnabled"))) {
        if (counting && ++two == phaseCount) {
            ++one;
            two = one;
        }
        enabled = firstValue(child) != QLatin1String("no_phase_interaction");
    }
}
