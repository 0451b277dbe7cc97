#include "app/commandline/commandline.h"

#include "app/commandline/batchconversion.h"
#include "app/page/textfile.h"
#include "app/window/editor.h"

#include <QFileInfo>
#include <QTextStream>

CommandLineOutcome processArguments(Editor &editor, const QStringList &arguments, QTextStream &out)
{
    QString convertDirectory;
    bool converting = false;
    int index = 0;
    while (index < arguments.size()) {
        const QString &argument = arguments.at(index);
        if (argument == QLatin1String("-convert")) {
            if (index + 1 < arguments.size()) {
                convertDirectory = arguments.at(index + 1);
                converting = QFileInfo(convertDirectory).isDir();
            }
            if (!converting) {
                out << "Please specify an existing convert directory" << Qt::endl;
                return CommandLineOutcome::MissingConvertDirectory;
            }
            index += 2;
            continue;
        }
        const QString path = QFileInfo(argument).absoluteFilePath();
        // Unattended, a file the load would ask about or refuse with a box must not stop the run.
        const bool loaded = (!converting || isPlainTextFile(path)) && editor.loadFile(path, false);
        out << path << Qt::flush;
        if (converting) {
            if (loaded)
                convertLoadedFile(editor, path, convertDirectory, out);
            else
                out << " ... failed" << Qt::endl;
        }
        ++index;
    }
    return converting ? CommandLineOutcome::Converted : CommandLineOutcome::Interactive;
}
