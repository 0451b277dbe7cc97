#include "syntax/syntaxanalyzer.h"

static const QString noRestartKey = QStringLiteral("---");

static bool isEndMarker(const QString &token)
{
    const QString marker = token.trimmed().toLower();
    return marker == QLatin1String("__end__") || marker == QLatin1String("__end_of_file__") ||
           marker == QLatin1String("__sw__") || marker == QLatin1String("__switch__");
}

static bool isComment(const QString &text)
{
    return text.startsWith(QLatin1Char('#')) || text.startsWith(QLatin1Char('!'));
}

// The text after the last "_" of a name, the whole name when it has none.
static QString entrySuffix(const QString &name)
{
    return name.mid(name.lastIndexOf(QLatin1Char('_')) + 1);
}

// The same of a node's name; of a numbered copy, without putting its name together.
static QString entrySuffixOf(const Node *node)
{
    if (node->copy && node->copy->suffix.contains(QLatin1Char('_')))
        return entrySuffix(node->copy->suffix);
    return entrySuffix(node->name());
}

bool SyntaxAnalyzer::validate(QString token, Node *parameter)
{
    bool fits = true;
    if (parameter->typeSays(NodeDefinition::String) && !parameter->options().isEmpty())
        fits = parameter->options().contains(token.trimmed().toLower());
    if (parameter->typeSays(NodeDefinition::Integer)) {
        bool number = false;
        token.toInt(&number, 10);
        fits = fits && number;
    }
    if (parameter->typeSays(NodeDefinition::Float)) {
        bool number = false;
        token.toFloat(&number);
        if (!number) {
            QString exponent = token;
            const int d = exponent.indexOf(QLatin1Char('D'));
            if (d >= 0)
                exponent[d] = QLatin1Char('E');
            exponent.toFloat(&number);
        }
        fits = fits && number;
    }
    if (fits) {
        // Most parameters take one token; room for exactly one is half that of the first growth.
        if (parameter->values.isEmpty())
            parameter->values.reserve(1);
        parameter->values.append(token);
    }
    return fits;
}

bool SyntaxAnalyzer::analyze(QStringList *input, int &line, Node *&failed)
{
    lines = input ? *input : QStringList();
    linePosition = 0;
    lineCounter = -1;
    failed = nullptr;
    reset();
    savedLines.clear();
    savedPositions.clear();
    restartKey = noRestartKey;
    parameter = nullptr;
    trialSection = nullptr;
    keepParameter = repeatParameter = firstToken = false;
    plusFlag = starFlag = rereadFlag = closingFlag = false;
    previousTokenRepeated = trial = false;
    oversizedSection = nullptr;
    copiesForToken.clear();

    int i = 0;
    while (i < lines.size()) {
        const QString rawLine = lines.at(i);
        ++lineCounter;
        const int nextPosition = linePosition + rawLine.length() + 1;
        QString text = rawLine.trimmed();
        if (!text.isEmpty() && !isComment(text) && text.contains(QLatin1Char('=')))
            text = text.mid(text.indexOf(QLatin1Char('=')) + 1).trimmed();

        TokenOutcome outcome = TokenOutcome::Next;
        if (!text.isEmpty() && !isComment(text)) {
            const QStringList tokens = text.split(QLatin1Char(' '), Qt::KeepEmptyParts);
            firstToken = true;
            for (int t = 0; t < tokens.size() && outcome == TokenOutcome::Next; ++t) {
                const QString &token = tokens.at(t);
                if (token.isEmpty())
                    continue;
                if (isComment(token) || isEndMarker(token))
                    break;
                outcome = matchToken(token, t, tokens, rawLine, i, line, failed);
                firstToken = false;
            }
            repeatParameter = false;
        }

        if (outcome == TokenOutcome::Failed) {
            lines.clear();
            return false;
        }
        if (outcome == TokenOutcome::Reread) {
            --lineCounter;
            continue;
        }
        copiesForToken.clear();
        if (outcome == TokenOutcome::RolledBack)
            continue;
        ++i;
        linePosition = nextPosition;
    }
    // The caller holds the lines; a copy kept here would outlive its list as long as the tree.
    lines.clear();
    return finishInput(line, failed);
}

SyntaxAnalyzer::TokenOutcome SyntaxAnalyzer::matchToken(const QString &token, int tokenIndex,
                                                        const QStringList &tokens,
                                                        const QString &rawLine, int &i, int &line,
                                                        Node *&failed)
{
    closingFlag = false;
    bool choose = !(keepParameter || repeatParameter) || !parameter;
    keepParameter = false;
    for (;;) {
        if (choose) {
            repeatParameter = false;
            closingFlag = closeCollection(token) || closingFlag;
            Node *next = getDependableNext(firstToken, linePosition);
            if (oversizedSection) {
                failed = oversizedSection;
                line = lineCounter;
                return TokenOutcome::Failed;
            }
            if (!next) {
                line = i;
                return TokenOutcome::Failed;
            }
            parameter = next;
            plusFlag = next->typeSays(NodeDefinition::Repeated);
            starFlag = next->typeSays(NodeDefinition::OptionallyRepeated);
            rereadFlag = next->cmode() == 4;
            if (next->first() && !firstToken) {
                keepParameter = true;
                return TokenOutcome::DropLine;
            }
        }

        bool accepted = validate(token, parameter);
        if (parameter->nameContains(QLatin1String("PendingFloat"))) {
            accepted = !rawLine.contains(QLatin1String("phase_inter"));
            parameter->values.clear();
        }
        if (accepted)
            return accept(token, tokenIndex, tokens, i, line, failed);

        bool offerNext = false;
        const TokenOutcome outcome = refuse(tokenIndex, i, line, failed, offerNext);
        if (!offerNext)
            return outcome;
        choose = true;
    }
}

// A closing keyword of the collection the last parameter belongs to leads to its "EndOf" entry.
bool SyntaxAnalyzer::closeCollection(const QString &token)
{
    if (!parameter || !parameter->parent || parameter->parent->terse() != 3)
        return false;
    for (const QString &option : qAsConst(parameter->parent->options())) {
        if (token.contains(option)) {
            while (!walk.isEmpty() && !walk.top()->nameContains(QLatin1String("EndOf")))
                walk.pop();
            return true;
        }
    }
    return false;
}

SyntaxAnalyzer::TokenOutcome SyntaxAnalyzer::accept(const QString &token, int tokenIndex,
                                                    const QStringList &tokens, int i, int &line,
                                                    Node *&failed)
{
    previousTokenRepeated = plusFlag || starFlag;
    if (plusFlag || starFlag) {
        repeatParameter = token != tokens.last();
        plusFlag = false;
        starFlag = true;
    }

    Node *collection = parameter->parent;
    if (collection && collection->terse() == 3 && !closingFlag) {
        if (parameter->nameContains(QLatin1String("EndOf"))) {
            closingFlag = true;
        } else if (!copyEntry(CopyStep::Entry, i, tokenIndex)) {
            failed = oversizedSection ? oversizedSection : parameter;
            line = lineCounter;
            return TokenOutcome::Failed;
        }
    }
    return rereadFlag ? TokenOutcome::Reread : TokenOutcome::Next;
}

// Appends the next numbered entry to the collection of the current parameter. A second copy
// for the same token, place and step could only repeat itself, so it is refused.
bool SyntaxAnalyzer::copyEntry(CopyStep step, int i, int tokenIndex)
{
    Node *collection = parameter->parent;
    const CopyKey key{i, tokenIndex, collection, step};
    if (copiesForToken.contains(key))
        return false;
    copiesForToken.insert(key);

    const qint64 number = parameter->nameContains(QLatin1String("_"))
                              ? qint64(entrySuffixOf(parameter).toInt()) + 1
                              : 1;
    if (!walk.isEmpty() && walk.top()->nameStartsWith(QLatin1String("EndOf")))
        walk.pop();
    copySection(collection, 1, QStringLiteral("_") + QString::number(number));
    return oversizedSection == nullptr;
}

SyntaxAnalyzer::TokenOutcome SyntaxAnalyzer::refuse(int tokenIndex, int &i, int &line,
                                                    Node *&failed, bool &offerNext)
{
    Node *refusing = parameter;
    Node *collection = refusing->parent;

    if (collection && collection->terse() == 3 && !collection->children.isEmpty() &&
        collection->children.last()->hasName(refusing->name())) {
        if (previousTokenRepeated && refusing->nameContains(QLatin1String("EndOf"))) {
            if (!copyEntry(CopyStep::Refused, i, tokenIndex))
                return fail(refusing, line, failed);
        } else {
            cleanSection(collection, 0, entrySuffixOf(refusing));
            parameter = nullptr;
        }
        offerNext = true;
        return TokenOutcome::Next;
    }

    if (trial || (collection && collection->terse() == 4)) {
        bool copied = false;
        if (refusing->nameContains(QLatin1String("EndOf")) && collection) {
            if (!copyEntry(CopyStep::Trial, i, tokenIndex))
                return fail(refusing, line, failed);
            savedLines.push(i);
            savedPositions.push(linePosition);
            if (!collection->options().isEmpty())
                restartKey = collection->options().first();
            trial = true;
            copied = true;
        }
        if (collection && collection->terse() == 4) {
            if (!collection->options().isEmpty())
                restartKey = collection->options().first();
            trialSection = collection;
        }
        if (refusing->nameStartsWith(restartKey))
            return rollBack(i, line, failed);
        if (copied) {
            offerNext = true;
            return TokenOutcome::Next;
        }
    }

    if (refusing->typeSays(NodeDefinition::Optional)) {
        // Tokens a repeating parameter already took stay; the default stands in for none.
        if (!refusing->defaultValue().isEmpty() && refusing->values.isEmpty())
            refusing->values = QStringList(refusing->defaultValue());
        offerNext = true;
        return TokenOutcome::Next;
    }
    if (starFlag && !plusFlag) {
        offerNext = true;
        return TokenOutcome::Next;
    }
    return fail(refusing, line, failed);
}

SyntaxAnalyzer::TokenOutcome SyntaxAnalyzer::fail(Node *at, int &line, Node *&failed)
{
    failed = oversizedSection ? oversizedSection : at;
    line = lineCounter;
    return TokenOutcome::Failed;
}

// The trial entry did not start: forget it and read its lines again against what follows.
SyntaxAnalyzer::TokenOutcome SyntaxAnalyzer::rollBack(int &i, int &line, Node *&failed)
{
    if (savedLines.isEmpty() || savedPositions.isEmpty())
        return fail(parameter, line, failed);

    const QString name = parameter->name();
    const int parts = name.split(QLatin1Char('_')).size();
    const auto undo = [this, &name, parts](Node *section) {
        if (parts != section->name().split(QLatin1Char('_')).size())
            cleanSection(section, 0, entrySuffix(name));
        else
            leaveSection(section);
    };
    Node *collection = parameter->parent;
    if (collection)
        undo(collection);
    if (trialSection && trialSection != collection)
        undo(trialSection);

    i = qBound(0, savedLines.pop(), lines.size());
    linePosition = savedPositions.pop();
    lineCounter = i - 1;
    restartKey = noRestartKey;
    trial = false;
    trialSection = nullptr;
    parameter = nullptr;
    return TokenOutcome::RolledBack;
}

bool SyntaxAnalyzer::finishInput(int &line, Node *&failed)
{
    line = lineCounter;
    // A parameter still waiting for the start of a line never got its value.
    if (keepParameter && parameter && !parameter->typeSays(NodeDefinition::Optional)) {
        failed = parameter;
        line = lineCounter + 1;
        return false;
    }
    for (;;) {
        Node *next = getDependableNext(false, 0);
        if (oversizedSection) {
            failed = oversizedSection;
            return false;
        }
        if (!next) {
            currentNode = nullptr;
            return true;
        }
        ++line;
        if (!next->typeSays(NodeDefinition::Optional)) {
            failed = next;
            return false;
        }
    }
}
