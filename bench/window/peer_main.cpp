// vorpen-peer: the plain editor the window benchmark measures Vorpen against. It shows a file
// in a QPlainTextEdit highlighted by Debian's KSyntaxHighlighting with its "INI Files"
// definition, the way a general-purpose editor would, and does nothing else. --size gives its
// window the size of the window it is compared with.
#include <KSyntaxHighlighting/Definition>
#include <KSyntaxHighlighting/Repository>
#include <KSyntaxHighlighting/SyntaxHighlighter>
#include <KSyntaxHighlighting/Theme>

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    QSize size(800, 700);
    if (arguments.size() == 3 && arguments.first() == QLatin1String("--size")) {
        const QStringList sides = arguments.at(1).split(QLatin1Char('x'));
        size = QSize(sides.value(0).toInt(), sides.value(1).toInt());
        arguments = arguments.mid(2);
    }
    if (arguments.size() != 1 || size.isEmpty()) {
        QTextStream(stderr) << "usage: vorpen-peer [--size WIDTHxHEIGHT] FILE\n";
        return 2;
    }
    QFile file(arguments.first());
    if (!file.open(QIODevice::ReadOnly)) {
        QTextStream(stderr) << "cannot read " << file.fileName() << "\n";
        return 2;
    }
    QTextStream in(&file);
    in.setCodec("UTF-8");

    KSyntaxHighlighting::Repository repository;
    QPlainTextEdit editor;
    editor.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto *highlighter = new KSyntaxHighlighting::SyntaxHighlighter(editor.document());
    highlighter->setTheme(repository.defaultTheme(KSyntaxHighlighting::Repository::LightTheme));
    highlighter->setDefinition(repository.definitionForName(QStringLiteral("INI Files")));
    editor.setPlainText(in.readAll());
    editor.resize(size);
    editor.show();
    return application.exec();
}
