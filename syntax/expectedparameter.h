#ifndef VORPEN_EXPECTEDPARAMETER_H
#define VORPEN_EXPECTEDPARAMETER_H

#include <QString>
#include <QStringList>

// What the grammar wants after a given text.
struct ExpectedParameter
{
    enum class Kind
    {
        Parameter, // the next parameter the file must give
        Complete,  // the text already satisfies the grammar
        Fault      // the text breaks the grammar before its end
    };
    Kind kind = Kind::Complete;
    QString name;
    QString type;
    QString section; // the sections above the parameter, joined with " / "
    QStringList options;
    int faultLine = -1;
};

// Analyses lines with the syntax definition and asks the conditional walk what must follow them.
ExpectedParameter expectedParameter(const QString &syntaxFile, QStringList lines);

#endif
