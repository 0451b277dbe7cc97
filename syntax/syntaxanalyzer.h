#ifndef VORPEN_SYNTAXANALYZER_H
#define VORPEN_SYNTAXANALYZER_H

#include "syntax/conditiongroups.h"
#include "syntax/nameindex.h"
#include "syntax/node.h"
#include "syntax/nodearena.h"
#include "syntax/walk.h"

#include <QSet>
#include <QStack>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <deque>
#include <functional>

class QIODevice;

// The SAX reader is deprecated since Qt 5.15 but still the loader of our syntax definitions.
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
#include <QXmlDefaultHandler>

// Holds one syntax definition as a tree, matches one driving file against it and answers
// questions about the values it found.
class SyntaxAnalyzer : public QXmlDefaultHandler
{
public:
    // Loads ":/syntax/" + fileName.
    explicit SyntaxAnalyzer(QString fileName);
    // Loads a definition given as XML text; name only labels its faults in the log.
    SyntaxAnalyzer(QString name, const QByteArray &definition);
    ~SyntaxAnalyzer() override;
    SyntaxAnalyzer(const SyntaxAnalyzer &) = delete;
    SyntaxAnalyzer &operator=(const SyntaxAnalyzer &) = delete;

    // Loading and walking the tree.
    Node *getRoot();
    void reset();
    Node *getNext();
    Node *copyNode(Node *node);

    bool startElement(const QString &namespaceURI, const QString &localName, const QString &qName,
                      const QXmlAttributes &atts) override;
    bool endElement(const QString &namespaceURI, const QString &localName,
                    const QString &qName) override;
    bool characters(const QString &text) override;
    bool fatalError(const QXmlParseException &exception) override;

    // Look-ups by parameter name and structural edits.
    QStringList getValues(QString name, bool options, Node *&found);
    void setValues(QString name, QStringList values);
    bool find(QStringList names, QString value);
    Node *leaveSection(Node *section);
    void copySection(Node *section, int count, QString suffix);
    void copySubtree(Node *from, Node *to, QString suffix, QString outerSuffix);
    void cleanSection(Node *section, int depth, QString suffix);

    // The conditional walk: next parameter the driving file must or may give here.
    Node *getDependableNext(bool lineStart, int position);

    // Matching a driving file.
    bool analyze(QStringList *lines, int &line, Node *&failed);
    bool validate(QString token, Node *parameter);

    // Printing a filled tree back as driving-file text.
    QString printTree(bool indent);
    QString printNode(Node *node);

    // Fills this (7.0) tree from the analysed 6.4 tree of source; true when the user must act
    // on a warning.
    bool convert(SyntaxAnalyzer *source);
    // Receives the conversion's warnings for the user; unset means they are dropped.
    std::function<void(const QString &)> conversionLog;

    // Counters of the conditional walk that conversion also sets.
    int countValue = 0;
    bool countPending = false;
    int expectedPhaseCount = 0; // the phase limit: how many phases the walk expects

    // An analysis never creates more nodes than this by copying sections.
    static const int maxCopiedNodes = 2000000;

private:
    enum class TokenOutcome
    {
        Next,
        DropLine,
        Reread,
        RolledBack,
        Failed
    };
    enum class CopyStep
    {
        Entry,
        Refused,
        Trial
    };
    // One copy of a collection entry made for one token by one step.
    struct CopyKey
    {
        int line;
        int token;
        Node *place;
        CopyStep step;
        bool operator==(const CopyKey &other) const
        {
            return line == other.line && token == other.token && place == other.place &&
                   step == other.step;
        }
        friend uint qHash(const CopyKey &key, uint seed = 0)
        {
            return ::qHash(key.place, seed) ^ uint(key.line * 31 + key.token * 7 + int(key.step));
        }
    };

    void load(QIODevice *definition);
    static const Node *loadedDefinition(const QString &fileName);
    Node *copyDefinition(const Node *node, Node *parent);
    Node *copyInto(Node *original, Node *parent, const QString &suffix, const QString &outerSuffix);
    const CopySuffix *suffixOfCopy(const Node *original, const QString &suffix,
                                   const QString &outerSuffix);
    void discard(Node *node);
    NameIndex &nameIndex();
    static qint64 copiedSize(Node *node);

    bool conditionKeeps(Node *node);
    bool nameMatches(const QString &name, const QStringList &alternatives);
    void updatePhaseCounters();
    bool repeatSection(Node *section);
    qint64 firstCount(const QString &name, bool twoNames, bool &skip);
    qint64 secondCount(const QString &name, qint64 start);
    qint64 activePhaseInteractions();
    qint64 dimensionCount();
    qint64 valuedInstances(Node *parameter, const QString &name);

    TokenOutcome matchToken(const QString &token, int tokenIndex, const QStringList &tokens,
                            const QString &rawLine, int &i, int &line, Node *&failed);
    bool closeCollection(const QString &token);
    TokenOutcome accept(const QString &token, int tokenIndex, const QStringList &tokens, int i,
                        int &line, Node *&failed);
    bool copyEntry(CopyStep step, int i, int tokenIndex);
    TokenOutcome refuse(int tokenIndex, int &i, int &line, Node *&failed, bool &offerNext);
    TokenOutcome fail(Node *at, int &line, Node *&failed);
    TokenOutcome rollBack(int &i, int &line, Node *&failed);
    bool finishInput(int &line, Node *&failed);

    NodeArena nodes; // every node of the tree
    Node *root = nullptr;
    Node *currentNode = nullptr;
    // The definitions of a tree read from XML, and the one being read.
    std::deque<NodeDefinition> ownDefinitions;
    QStack<NodeDefinition *> readDefinitions;
    // The suffixes of the copies this analysis made, and the one made last with the texts it
    // was made of, which the nodes of one copy share.
    std::deque<CopySuffix> copySuffixes;
    struct
    {
        const CopySuffix *base = nullptr;
        QString suffix;
        QString outerSuffix;
        const CopySuffix *made = nullptr;
    } lastSuffix;
    QString textBuffer;
    QString definitionName;
    Walk walk;
    NameIndex index;
    ConditionGroups conditionGroups;
    QStringList lines;
    int linePosition = 0;
    int lineCounter = -1;
    QStack<int> savedLines;
    QStack<int> savedPositions;
    qint64 copiedNodes = 0;
    Node *oversizedSection = nullptr;

    // State of the analysis that lasts from one token to the next.
    Node *parameter = nullptr;
    bool keepParameter = false;
    bool repeatParameter = false;
    bool firstToken = false;
    bool plusFlag = false;
    bool starFlag = false;
    bool rereadFlag = false;
    bool closingFlag = false;
    bool previousTokenRepeated = false;
    bool trial = false;
    QString restartKey;
    Node *trialSection = nullptr;
    // Copies made since the analysis last moved on to a new line.
    QSet<CopyKey> copiesForToken;
};
QT_WARNING_POP

#endif
