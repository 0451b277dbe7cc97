#include "app/commandline/batchconversion.h"

#include "app/page/editortabs.h"
#include "app/page/editortabwidget.h"
#include "app/text/customtextedit.h"
#include "app/window/editor.h"
#include "convert/conversionresult.h"

#include <QTextStream>

void convertLoadedFile(Editor &editor, const QString &inputPath, const QString &directory,
                       QTextStream &out)
{
    EditorTabs *source = editor.currentTab;
    if (!source || !source->analyzer) {
        out << " ... failed" << Qt::endl;
        return;
    }
    EditorTabs *target = editor.getNewTab();
    // Nobody reads the log unattended; the outcome word tells of warnings.
    const ConvertedText converted = convertAndVerify(source->analysisToConvert(), nullptr);
    target->textEdit->setPlainText(converted.text);

    if (!converted.accepted())
        out << " ... failed";
    else if (converted.warnings)
        out << " ... warnings";
    else
        out << " ... ok";
    out << Qt::endl;

    editor.tabWidget->setCurrentWidget(target);
    editor.currentTab = target;
    QString path = directory + QStringLiteral("/") + inputPath.section(QLatin1Char('/'), -1);
    editor.saveFile(path);
}
