#ifndef VORPEN_HIGHLIGHTER_H
#define VORPEN_HIGHLIGHTER_H

#include <QRegExp>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <QVector>

// Colours comments, "#!" lines, option lines and bracketed texts of a driving file, line by line.
class Highlighter : public QSyntaxHighlighter
{
public:
    explicit Highlighter(QTextDocument *document);

protected:
    void highlightBlock(const QString &text) override;

private:
    struct HighlightingRule
    {
        QRegExp pattern;
        QTextCharFormat format;
        QString literal; // every match holds it, so lines without it are skipped
    };

    static bool isUnitText(const QString &match);

    QVector<HighlightingRule> highlightingRules;
    QTextCharFormat commentFormat;
    QTextCharFormat specialFormat;
    QTextCharFormat optionFormat;
    QTextCharFormat bracketFormat;
};

#endif
