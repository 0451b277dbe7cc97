#include "app/commandline/commandline.h"

#include "app/window/editor.h"

#include <QFileInfo>
#include <QTextStream>

void openArguments(Editor &editor, const QStringList &arguments, QTextStream &out)
{
    for (const QString &argument : arguments) {
        const QString path = QFileInfo(argument).absoluteFilePath();
        // Shown while it is analysed.
        editor.loadFile(path, false, true);
        out << path << Qt::flush;
    }
}
