#include "app/commandline/batchconversion.h"

#include "app/page/textfile.h"
#include "convert/conversionresult.h"
#include "syntax/checkverdict.h"

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
    // As an opened page decides: 7.0, unless 6.4 gets further.
    const CheckVerdict read = checkLines(editorLines(text), QStringLiteral("auto"));
    if (read.version != QLatin1String("6.4")) {
        return read.valid ? QStringLiteral(" ... ok (already valid 7.0, left as it is)")
                          : failed + QStringLiteral(" (reads as 7.0, not converted)");
    }

    const ConvertedText converted = convertAndVerify(read.analysis.get(), nullptr);
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
