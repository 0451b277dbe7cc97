#ifndef VORPEN_COMPLETION_H
#define VORPEN_COMPLETION_H

#include <QString>

class QMenu;
class QTextEdit;

// Pops up, at the editor's cursor, the keywords of the parameter that the grammar expects
// there; choosing one replaces the word being typed. Without keywords the pop-up names what is
// expected. Returns the pop-up, which deletes itself when closed.
QMenu *showKeywordCompletion(QTextEdit *edit, const QString &syntaxFile);

#endif
