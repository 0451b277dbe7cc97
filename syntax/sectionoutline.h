#ifndef VORPEN_SECTIONOUTLINE_H
#define VORPEN_SECTIONOUTLINE_H

#include <QString>
#include <QStringList>
#include <QVector>

// One heading of a driving file: a comment line underlined by "# ====" (a section) or
// "# ----" (a subsection of the section before it).
struct OutlineEntry
{
    QString title;
    int level = 0;     // 0 section, 1 subsection
    int titleLine = 0; // line of the title, from 0
    int position = 0;  // character offset in the text, two past the title line's start
    QString separator; // the underline, trimmed
};

// The headings in document order. The outline ends before an empty title and before a
// subsection that has no section to belong to.
QVector<OutlineEntry> sectionOutline(const QStringList &lines);

// The last line (from 0) that belongs to the entry at index: the line before the next heading
// of the same or an outer level, or the last line of the text.
int outlineEntryEnd(const QVector<OutlineEntry> &outline, int index, int lineCount);

#endif
