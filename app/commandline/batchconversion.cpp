#include "app/commandline/batchconversion.h"

#include "app/main.h"
#include "app/page/textfile.h"
#include "convert/conversionresult.h"
#include "syntax/syntaxanalyzer.h"

#include <QFileInfo>
#include <QTextStream>

#include <cstring>

namespace {

// The lines the editor would hold: its document knows no carriage returns or paragraph marks.
QStringList editorLines(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::Nbsp, QLatin1Char(' '));
    return text.split(QLatin1Char('\n'));
}

// The 6.4 analysis of lines, or none when the lines read as 7.0 (valid or not), as an opened
// page decides: 7.0 wins unless 6.4 gets further.
std::unique_ptr<SyntaxAnalyzer> analysis64(QStringList lines, bool &valid70)
{
    SyntaxAnalyzer analyzer70(defaultSyntax);
    int line70 = -1;
    Node *failed = nullptr;
    valid70 = analyzer70.analyze(&lines, line70, failed);
    if (valid70)
        return nullptr;
    auto analyzer = std::make_unique<SyntaxAnalyzer>(syntax64);
    int line64 = -1;
    const bool valid64 = analyzer->analyze(&lines, line64, failed);
    return valid64 || line64 > line70 ? std::move(analyzer) : nullptr;
}

bool sameFile(const QString &a, const QString &b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

// The outcome text of one file, after its path.
QString convertFile(const QString &path, const QString &directory)
{
    static const QString failed = QStringLiteral(" ... failed");
    QString text;
    // Unattended, a file the editor would ask about is not converted.
    if (!readPlainTextFile(path, text))
        return failed;
    bool valid70 = false;
    const std::unique_ptr<SyntaxAnalyzer> source = analysis64(editorLines(text), valid70);
    if (valid70)
        return QStringLiteral(" ... ok (already valid 7.0, left as it is)");
    if (!source)
        return failed + QStringLiteral(" (reads as 7.0, not converted)");

    const ConvertedText converted = convertAndVerify(source.get(), nullptr);
    const QString target = directory + QStringLiteral("/") + path.section(QLatin1Char('/'), -1);
    if (!converted.accepted() && sameFile(target, path))
        return failed + QStringLiteral(" (input left as it is)");
    if (!writeTextFile(target, converted.text))
        return failed + QStringLiteral(" (cannot write ") + target + QStringLiteral(")");
    if (!converted.accepted())
        return failed;
    return converted.warnings ? QStringLiteral(" ... warnings") : QStringLiteral(" ... ok");
}

} // namespace

bool asksForConversion(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-convert") == 0)
            return true;
    }
    return false;
}

BatchOutcome convertArguments(const QStringList &arguments, QTextStream &out)
{
    QString directory;
    bool converting = false;
    int index = 0;
    while (index < arguments.size()) {
        const QString &argument = arguments.at(index);
        if (argument == QLatin1String("-convert")) {
            if (index + 1 < arguments.size()) {
                directory = arguments.at(index + 1);
                converting = QFileInfo(directory).isDir();
            }
            if (!converting) {
                out << "Please specify an existing convert directory" << Qt::endl;
                return BatchOutcome::MissingConvertDirectory;
            }
            index += 2;
            continue;
        }
        const QString path = QFileInfo(argument).absoluteFilePath();
        out << path << Qt::flush;
        if (converting)
            out << convertFile(path, directory) << Qt::endl;
        ++index;
    }
    return BatchOutcome::Converted;
}
