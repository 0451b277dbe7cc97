#ifndef VORPEN_INPUTREADER_H
#define VORPEN_INPUTREADER_H

#include <QStringList>

#include <memory>

class SyntaxAnalyzer;

// Reads a driving file line by line as the simulation does, deciding with the 7.0 grammar
// which lines it takes.
class InputReader
{
public:
    enum class Verdict
    {
        Accepted,
        Refused,
        EndOfFile,
        TooMuchInput
    };

    InputReader();
    ~InputReader();

    // False when the file cannot be read; the verdict is then meaningless.
    bool read(const QString &path);

    Verdict verdict() const { return outcome; }
    const QStringList &lines() const { return fileLines; }
    // Index of the first line not taken: the refused line, or the line count.
    int firstUnreadLine() const { return unreadLine; }
    QString refusedName() const { return failedName; }
    QString refusedType() const { return failedType; }
    // Values the grammar took for a parameter; empty when it was not reached.
    QStringList values(const QString &name) const;

    // Lines the editor counts as input lines: neither blank nor a comment.
    static bool isDataLine(const QString &line);

private:
    std::unique_ptr<SyntaxAnalyzer> analyzer;
    QStringList fileLines;
    Verdict outcome = Verdict::EndOfFile;
    int unreadLine = 0;
    QString failedName;
    QString failedType;
};

#endif
