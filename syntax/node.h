#ifndef VORPEN_NODE_H
#define VORPEN_NODE_H

#include <QString>
#include <QStringList>
#include <QVector>

// What a syntax definition says of one section or parameter. Every copy analysis makes of it
// shares this, so that a copy costs only its place in the tree and its values.
struct NodeDefinition
{
    // One shared text, matching no keyword.
    static const QString &noShow()
    {
        static const QString text(QChar(1));
        return text;
    }

    // What a type text says; analysis asks for every token, so it is read once.
    enum Trait
    {
        String = 1,
        Integer = 2,
        Float = 4,
        Repeated = 8,            // "+": one token or more
        OptionallyRepeated = 16, // "*"
        Optional = 32,           // "opt"
        LineOptional = 64,       // "lineopt"
        Section = 128,
    };
    void setType(const QString &text)
    {
        type = text;
        traits = (text.contains(QLatin1String("string")) ? String : 0) |
                 (text.contains(QLatin1String("integer")) ? Integer : 0) |
                 (text.contains(QLatin1String("float")) ? Float : 0) |
                 (text.contains(QLatin1Char('+')) ? Repeated : 0) |
                 (text.contains(QLatin1Char('*')) ? OptionallyRepeated : 0) |
                 (text.contains(QLatin1String("opt")) ? Optional : 0) |
                 (text.contains(QLatin1String("lineopt")) ? LineOptional : 0) |
                 (text == QLatin1String("section") ? Section : 0);
    }

    QString name;
    QString type;
    int traits = 0;
    QStringList options;
    QString cname;
    QString cvalues;
    QString defaultValue;
    QString show = noShow();
    int cmode = 1; // 0 not, 1 and, 2 or, 3 matrixskip, 4 reread
    int terse = 0; // 0 plain, 3 "terse" collection, 4 "invalidTerse" collection
    bool first = false;
    int childCount = 0; // sections and parameters directly inside
};

// The numbers a copy appends to the names of its definition: suffix to its own and its
// siblings' names, outerSuffix to the "E:" names of its conditions. One copy of a section
// shares one for all its nodes.
struct CopySuffix
{
    QString suffix;
    QString outerSuffix;
};

// One section or parameter of the syntax tree: its definition, its place in the tree and the
// values a driving file gave it. Names and conditions of copies are put together when asked
// for, because analysis makes hundreds of thousands of copies and reads few of their names.
struct Node
{
    explicit Node(const NodeDefinition *definition, const CopySuffix *copy = nullptr)
        : definition(definition), copy(copy)
    {
    }
    // Children belong to the tree's arena, not to their parent.
    ~Node() = default;
    Node(const Node &) = delete;
    Node &operator=(const Node &) = delete;

    QString name() const { return copy ? definition->name + copy->suffix : definition->name; }
    // Questions about name() answered without putting the name together; text is a QString
    // or a QLatin1String.
    bool hasName(QStringView text) const;
    template <typename Text> bool nameStartsWith(const Text &text) const
    {
        const QString &head = definition->name;
        if (!copy || text.size() <= head.size())
            return head.startsWith(text);
        return head == text.left(head.size()) && copy->suffix.startsWith(text.mid(head.size()));
    }
    template <typename Text> bool nameEndsWith(const Text &text) const
    {
        if (!copy)
            return definition->name.endsWith(text);
        const QString &tail = copy->suffix;
        if (text.size() <= tail.size())
            return tail.endsWith(text);
        const int inHead = text.size() - tail.size();
        return tail == text.mid(inHead) && definition->name.endsWith(text.left(inHead));
    }
    template <typename Text> bool nameContains(const Text &text) const
    {
        const QString &head = definition->name;
        if (head.contains(text))
            return true;
        if (!copy)
            return false;
        const QString &tail = copy->suffix;
        if (tail.contains(text))
            return true;
        for (int k = 1; k < text.size(); ++k) {
            if (head.endsWith(text.left(k)) && tail.startsWith(text.mid(k)))
                return true;
        }
        return false;
    }
    // Writes name() into text, reusing its room.
    void writeName(QString &text) const;
    const QString &type() const { return definition->type; }
    bool typeSays(NodeDefinition::Trait trait) const { return definition->traits & trait; }
    const QStringList &options() const { return definition->options; }
    QString cname() const;
    const QString &cvalues() const { return definition->cvalues; }
    const QString &defaultValue() const { return definition->defaultValue; }
    const QString &show() const { return copy ? NodeDefinition::noShow() : definition->show; }
    int cmode() const { return definition->cmode; }
    int terse() const { return definition->terse; }
    bool first() const { return definition->first; }
    bool isSection() const { return typeSays(NodeDefinition::Section); }
    // The children the definition gives, which copies of the node copy; they come first, the
    // entries and counted copies analysis adds after them.
    int definedChildren() const { return qMin(definition->childCount, int(children.size())); }

    const NodeDefinition *definition; // owned by the definition the tree was made from
    const CopySuffix *copy;           // null outside copies; owned by the tree's analyzer
    Node *parent = nullptr;
    QVector<Node *> children;
    QStringList values;
    int position = -1;
    // How often the node stands on its analyzer's walk.
    int walkEntries = 0;
};

#endif
