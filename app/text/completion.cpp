#include "app/text/completion.h"

#include "syntax/expectedparameter.h"

#include <QMenu>
#include <QStyle>
#include <QTextBlock>
#include <QTextEdit>

namespace {

bool endsWord(QChar c)
{
    return c.isSpace() || c == QLatin1Char('=');
}

// Options beginning with what was typed, or all of them when none does.
QStringList fittingOptions(const QStringList &options, const QString &typed)
{
    QStringList fitting;
    for (const QString &option : options) {
        if (option.startsWith(typed, Qt::CaseInsensitive))
            fitting << option;
    }
    return fitting.isEmpty() ? options : fitting;
}

void addNote(QMenu *menu, const QString &text)
{
    menu->addAction(text)->setEnabled(false);
}

// Menus are as wide as their actions; a section's title would be cut short.
void addHeader(QMenu *menu, const QString &header)
{
    menu->addSection(header);
    QFont bold = menu->font();
    bold.setBold(true);
    const int frame = menu->style()->pixelMetric(QStyle::PM_MenuHMargin, nullptr, menu) +
                      menu->style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, menu);
    const int padding = menu->fontMetrics().height();
    menu->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(header) + 2 * (frame + padding));
}

} // namespace

QMenu *showKeywordCompletion(QTextEdit *edit, const QString &syntaxFile)
{
    const QTextCursor cursor = edit->textCursor();
    const QTextBlock block = cursor.block();
    const QString before = block.text().left(cursor.positionInBlock());
    int wordStart = before.size();
    while (wordStart > 0 && !endsWord(before.at(wordStart - 1)))
        --wordStart;

    // The grammar is asked about the text up to the word being typed.
    QStringList lines = edit->toPlainText().split(QLatin1Char('\n')).mid(0, block.blockNumber());
    lines << before.left(wordStart);
    const ExpectedParameter expected = expectedParameter(syntaxFile, lines);

    QTextCursor word(block);
    word.setPosition(block.position() + wordStart);
    word.setPosition(cursor.position(), QTextCursor::KeepAnchor);

    auto *menu = new QMenu(edit);
    menu->setObjectName(QStringLiteral("keywordCompletion"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    switch (expected.kind) {
    case ExpectedParameter::Kind::Parameter:
        addHeader(menu, expected.name + QStringLiteral(" (") + expected.type + QStringLiteral(")"));
        if (expected.options.isEmpty())
            addNote(menu, QMenu::tr("%1 expected, type %2").arg(expected.name, expected.type));
        for (const QString &option : fittingOptions(expected.options, word.selectedText())) {
            menu->addAction(option, edit, [edit, word, option]() mutable {
                word.insertText(option);
                edit->setTextCursor(word);
            });
        }
        break;
    case ExpectedParameter::Kind::Complete:
        addNote(menu, QMenu::tr("Nothing more expected: the text above is complete"));
        break;
    case ExpectedParameter::Kind::Fault:
        addNote(menu,
                QMenu::tr("The text above has an error in line %1").arg(expected.faultLine + 1));
        break;
    }
    menu->popup(edit->viewport()->mapToGlobal(edit->cursorRect().bottomLeft()));
    return menu;
}
