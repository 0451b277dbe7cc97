// vorpen-check: analyses ZELMORA driving files as "Check 6.4" and "Check 7.0" do and prints
// one verdict per file in the form compilers use, so that editors and scripts can read it.
#include "app/page/textfile.h"
#include "syntax/checkverdict.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

const char usage[] = "usage: vorpen-check [--syntax 6.4|7.0|auto] FILE...\n";

enum ExitStatus
{
    AllValid = 0,
    SomeInvalid = 1,
    UsageOrReadError = 2
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Q_INIT_RESOURCE(MyRes);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QStringList arguments = app.arguments().mid(1);
    QString syntax = QStringLiteral("auto");
    QStringList files;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            out << usage;
            return AllValid;
        }
        if (argument == QLatin1String("--syntax") || argument.startsWith("--syntax=")) {
            syntax = argument == QLatin1String("--syntax") ? arguments.value(++i) : argument.mid(9);
            if (syntax != QLatin1String("6.4") && syntax != QLatin1String("7.0") &&
                syntax != QLatin1String("auto")) {
                err << "vorpen-check: unknown syntax '" << syntax
                    << "' (expected 6.4, 7.0 or auto)\n"
                    << usage;
                return UsageOrReadError;
            }
        } else if (argument.startsWith(QLatin1String("--"))) {
            err << "vorpen-check: unknown option '" << argument << "'\n" << usage;
            return UsageOrReadError;
        } else {
            files << argument;
        }
    }
    if (files.isEmpty()) {
        err << "vorpen-check: no driving file given\n" << usage;
        return UsageOrReadError;
    }

    int status = AllValid;
    for (const QString &path : files) {
        QString text;
        if (!readTextFile(path, text)) {
            const QString refusal = textFileRefusal(path);
            err << path << ": error: "
                << (refusal.isEmpty() ? QStringLiteral("cannot read the file") : refusal) << "\n";
            err.flush();
            status = UsageOrReadError;
            continue;
        }
        // Line ends as a text-mode read gives them.
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        const QStringList lines = text.split(QLatin1Char('\n'));
        const CheckVerdict verdict = checkLines(lines, syntax);
        out << formatVerdict(path, lines, verdict);
        out.flush();
        if (!verdict.valid && status == AllValid)
            status = SomeInvalid;
    }
    return status;
}
