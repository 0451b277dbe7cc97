#ifndef VORPEN_TEXTDOCUMENT_H
#define VORPEN_TEXTDOCUMENT_H

#include <QJsonObject>
#include <QString>

// The text of one open document as the client sent it. Lines end at "\n", as the analysis
// splits them; columns count UTF-16 code units, as QString does.
class TextDocument
{
public:
    TextDocument() = default;
    TextDocument(QString text, int version) : content(std::move(text)), number(version) {}

    const QString &text() const { return content; }
    int version() const { return number; }

    // Applies one entry of "contentChanges": a whole new text, or a range and its new text.
    // False, leaving the text as it was, when the entry is malformed.
    bool applyChange(const QJsonObject &change);
    void setVersion(int version) { number = version; }

    // The offset of an LSP position; positions past a line's end or past the text are clamped.
    int offsetAt(int line, int character) const;

private:
    QString content;
    int number = 0;
};

#endif
