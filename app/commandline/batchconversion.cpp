#include "app/batchconversion.h"

#include "app/customtextedit.h"
#include "app/editor.h"
#include "app/editortabs.h"
#include "app/editortabwidget.h"
#include "syntax/conversionresult.h"

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
