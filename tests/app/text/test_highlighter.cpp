#include "app/text/highlighter.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>

// Renders the colour of each character of a highlighted line as one letter:
// g comment green, r red, b dark blue, . unformatted.
static QString colourMap(const QTextBlock &block)
{
    QString map(block.length() - 1, QLatin1Char('.'));
    const QVector<QTextLayout::FormatRange> ranges = block.layout()->formats();
    for (const QTextLayout::FormatRange &range : ranges) {
        const QColor colour = range.format.foreground().color();
        QChar letter = QLatin1Char('?');
        if (colour == QColor(0, 128, 0))
            letter = QLatin1Char('g');
        else if (colour == QColor(255, 0, 0))
            letter = QLatin1Char('r');
        else if (colour == QColor(0, 0, 128))
            letter = QLatin1Char('b');
        for (int i = range.start; i < range.start + range.length && i < map.size(); ++i)
            map[i] = letter;
    }
    return map;
}

class TestHighlighter : public QObject
{
    Q_OBJECT
private slots:
    void colours_data();
    void colours();
    void onlyForegroundIsSet();
    void followsEdits();
};

void TestHighlighter::colours_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");

    QTest::newRow("unit text stays inside the green comment") << "0.5 # grid spacing [micrometers]"
                                                              << "....gggggggggggggggggggggggggggg";
    QTest::newRow("other bracketed text stands out in the comment") << "20 # temperature [C]"
                                                                    << "...ggggggggggggggbbb";
    QTest::newRow("special line is red to its end") << "#! keep this"
                                                    << "rrrrrrrrrrrr";
    QTest::newRow("special marker after a value") << "1 #! x"
                                                  << "..rrrr";
    QTest::newRow("option word inside a comment") << "# Options: yes no"
                                                  << "ggbbbbbbbbbbbbbbb";
    QTest::newRow("option word without comment") << "Option a"
                                                 << "bbbbbbbb";
    QTest::newRow("two bracketed texts form one match") << "x [s] and [K]"
                                                        << "..bbbbbbbbbbb";
    QTest::newRow("single unit outside a comment is green") << "1 [K]"
                                                            << "..ggg";
    QTest::newRow("unit texts are compared exactly") << "1 [k]"
                                                     << "..bbb";
    QTest::newRow("plain value line") << "12 34"
                                      << ".....";
    QTest::newRow("empty line") << ""
                                << "";
}

void TestHighlighter::colours()
{
    QFETCH(QString, line);
    QFETCH(QString, expected);

    QTextDocument document;
    document.setPlainText(line);
    Highlighter highlighter(&document);
    highlighter.rehighlight();

    QCOMPARE(colourMap(document.firstBlock()), expected);
}

void TestHighlighter::onlyForegroundIsSet()
{
    QTextDocument document(QStringLiteral("#! a [b] # Option"));
    Highlighter highlighter(&document);
    highlighter.rehighlight();

    const QVector<QTextLayout::FormatRange> ranges = document.firstBlock().layout()->formats();
    QVERIFY(!ranges.isEmpty());
    for (const QTextLayout::FormatRange &range : ranges) {
        QCOMPARE(range.format.foreground().style(), Qt::SolidPattern);
        QVERIFY(!range.format.hasProperty(QTextFormat::FontWeight));
        QVERIFY(!range.format.hasProperty(QTextFormat::FontItalic));
        QVERIFY(!range.format.hasProperty(QTextFormat::BackgroundBrush));
    }
}

void TestHighlighter::followsEdits()
{
    QTextDocument document(QStringLiteral("value\nnext"));
    // Edits are only announced once the document is laid out, as it is inside an editor.
    document.documentLayout();
    Highlighter highlighter(&document);
    // The first full pass is queued until the event loop runs; later edits are followed at once.
    QCoreApplication::processEvents();
    QCOMPARE(colourMap(document.firstBlock()), QStringLiteral("....."));

    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("# "));

    QCOMPARE(colourMap(document.firstBlock()), QStringLiteral("ggggggg"));
    QCOMPARE(colourMap(document.lastBlock()), QStringLiteral("...."));
}

QTEST_MAIN(TestHighlighter)
#include "test_highlighter.moc"
