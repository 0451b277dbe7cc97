#include "app/text/customtextedit.h"
#include "app/text/highlighter.h"
#include "app/text/linelayout.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QtTest>

#include <functional>

// One edit, applied through a cursor to each document of a pair.
using Change = std::function<void(QTextCursor &)>;
Q_DECLARE_METATYPE(Change)

namespace {

QString exampleText()
{
    QFile file(QStringLiteral(VORPEN_SOURCE_DIR "/examples/grain_growth_2d_dri.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll()) +
           QStringLiteral("\n\ta\tb\t\tc\n\nGr\u00f6\u00dfe 5 \u00b5m # \u00c4nderung\n") +
           QString(300, QLatin1Char('x'));
}

// An editor of the application beside a text edit with the stock layout, fed the same text
// and edits: the two must place every line, caret and click alike.
struct EditorPair
{
    CustomTextEdit lined;
    QTextEdit stock;

    EditorPair()
    {
        stock.setFont(lined.font());
        stock.setLineWrapMode(QTextEdit::NoWrap);
        for (QTextEdit *edit : {static_cast<QTextEdit *>(&lined), &stock}) {
            edit->resize(500, 300);
            new Highlighter(edit->document());
            edit->setPlainText(exampleText());
        }
        // The stock layout works lazily, and an edit would meet lines it never laid out.
        stock.document()->documentLayout()->documentSize();
    }

    void edit(const Change &change)
    {
        for (QTextEdit *edit : {static_cast<QTextEdit *>(&lined), &stock}) {
            QTextCursor cursor(edit->document());
            change(cursor);
        }
    }
};

QRect caretAt(QTextEdit *edit, int position)
{
    QTextCursor cursor(edit->document());
    cursor.setPosition(position);
    return edit->cursorRect(cursor);
}

void compareGeometry(EditorPair &pair)
{
    QTextDocument *lined = pair.lined.document();
    QTextDocument *stock = pair.stock.document();
    QCOMPARE(lined->toPlainText(), stock->toPlainText());
    QAbstractTextDocumentLayout *ours = lined->documentLayout();
    QAbstractTextDocumentLayout *theirs = stock->documentLayout();
    QCOMPARE(ours->documentSize().height(), theirs->documentSize().height());
    for (QTextBlock a = lined->begin(), b = stock->begin(); a.isValid();
         a = a.next(), b = b.next()) {
        QCOMPARE(ours->blockBoundingRect(a).topLeft(), theirs->blockBoundingRect(b).topLeft());
        for (int position : {a.position(), a.position() + a.length() - 1})
            QCOMPARE(caretAt(&pair.lined, position), caretAt(&pair.stock, position));
    }
    const qreal height = ours->documentSize().height();
    for (qreal y = -10; y < height + 20; y += 7) {
        for (qreal x : {-5.0, 0.0, 13.0, 61.0, 250.0, 5000.0}) {
            const QPointF point(x, y);
            QCOMPARE(ours->hitTest(point, Qt::FuzzyHit), theirs->hitTest(point, Qt::FuzzyHit));
        }
    }
}

bool isGreenish(QRgb pixel)
{
    return qGreen(pixel) > qRed(pixel) + 40 && qGreen(pixel) > qBlue(pixel) + 40;
}

// Counts the pixels of the line's band in the painted viewport that pass the test.
int pixelsOfLine(QTextEdit *edit, int blockNumber, const std::function<bool(QRgb)> &test)
{
    const QImage image = edit->viewport()->grab().toImage();
    const QTextBlock block = edit->document()->findBlockByNumber(blockNumber);
    const QRect band = edit->document()->documentLayout()->blockBoundingRect(block).toRect();
    int count = 0;
    for (int y = band.top(); y < band.bottom() && y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += test(image.pixel(x, y));
    }
    return count;
}

} // namespace

class TestLineLayout : public QObject
{
    Q_OBJECT
private slots:
    void placesLinesAsTheStockLayout();
    void followsEditsAsTheStockLayout_data();
    void followsEditsAsTheStockLayout();
    void followsFontAndTabChanges();
    void scrollRangeCoversTheWidestLine();
    void paintsHighlightingAfterEdits();
    void paintsFullWidthMarker();
    void pastesFormattedTextAsPlainText();
};

void TestLineLayout::placesLinesAsTheStockLayout()
{
    EditorPair pair;
    QVERIFY(qobject_cast<LineLayout *>(pair.lined.document()->documentLayout()));
    compareGeometry(pair);
}

void TestLineLayout::followsEditsAsTheStockLayout_data()
{
    QTest::addColumn<Change>("change");
    QTest::newRow("characters typed inside a line") << Change([](QTextCursor &c) {
        c.setPosition(40);
        c.insertText(QStringLiteral("12 # more"));
    });
    QTest::newRow("a line split in two") << Change([](QTextCursor &c) {
        c.setPosition(60);
        c.insertBlock();
    });
    QTest::newRow("two lines joined") << Change([](QTextCursor &c) {
        c.movePosition(QTextCursor::NextBlock, QTextCursor::MoveAnchor, 5);
        c.deletePreviousChar();
    });
    QTest::newRow("several lines removed") << Change([](QTextCursor &c) {
        c.movePosition(QTextCursor::NextBlock, QTextCursor::MoveAnchor, 3);
        c.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, 7);
        c.removeSelectedText();
    });
    QTest::newRow("several lines pasted") << Change([](QTextCursor &c) {
        c.movePosition(QTextCursor::NextBlock, QTextCursor::MoveAnchor, 10);
        c.insertText(QStringLiteral("a\nb # c\n\nd [K]\n"));
    });
    QTest::newRow("a line separator makes a line of two") << Change([](QTextCursor &c) {
        c.movePosition(QTextCursor::NextBlock, QTextCursor::MoveAnchor, 2);
        c.insertText(QStringLiteral("left") + QChar(QChar::LineSeparator) +
                     QStringLiteral("right"));
    });
    QTest::newRow("the last line emptied") << Change([](QTextCursor &c) {
        c.movePosition(QTextCursor::End);
        c.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
        c.removeSelectedText();
    });
    QTest::newRow("everything removed") << Change([](QTextCursor &c) {
        c.select(QTextCursor::Document);
        c.removeSelectedText();
    });
}

void TestLineLayout::followsEditsAsTheStockLayout()
{
    QFETCH(Change, change);
    EditorPair pair;
    pair.edit(change);
    compareGeometry(pair);
    // Undo runs the edit backwards through the same notifications.
    pair.lined.document()->undo();
    pair.stock.document()->undo();
    compareGeometry(pair);
}

void TestLineLayout::followsFontAndTabChanges()
{
    EditorPair pair;
    QFont larger = pair.lined.font();
    larger.setPixelSize(19);
    for (QTextEdit *edit : {static_cast<QTextEdit *>(&pair.lined), &pair.stock}) {
        edit->setFont(larger);
        edit->setTabStopDistance(33);
    }
    pair.stock.document()->documentLayout()->documentSize();
    compareGeometry(pair);
}

void TestLineLayout::scrollRangeCoversTheWidestLine()
{
    EditorPair pair;
    pair.lined.show();
    pair.stock.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pair.lined));
    QVERIFY(QTest::qWaitForWindowExposed(&pair.stock));
    const int range = pair.stock.horizontalScrollBar()->maximum();
    QVERIFY(range > 0);
    QVERIFY(qAbs(pair.lined.horizontalScrollBar()->maximum() - range) <= 2);

    // Removing the widest line gives its width back.
    pair.edit([](QTextCursor &c) {
        c.movePosition(QTextCursor::End);
        c.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
        c.removeSelectedText();
    });
    QApplication::processEvents();
    QVERIFY(pair.lined.horizontalScrollBar()->maximum() < range);
    QVERIFY(qAbs(pair.lined.horizontalScrollBar()->maximum() -
                 pair.stock.horizontalScrollBar()->maximum()) <= 2);
}

void TestLineLayout::paintsHighlightingAfterEdits()
{
    CustomTextEdit edit;
    edit.resize(400, 200);
    new Highlighter(edit.document());
    edit.setPlainText(QStringLiteral("# comment\n12\n13\n14"));
    QVERIFY(pixelsOfLine(&edit, 0, isGreenish) > 0);
    QCOMPARE(pixelsOfLine(&edit, 2, isGreenish), 0);

    // Commenting a value out colours it; splitting the comment leaves its tail plain.
    QTextCursor cursor(edit.document()->findBlockByNumber(2));
    cursor.insertText(QStringLiteral("#"));
    QVERIFY(pixelsOfLine(&edit, 2, isGreenish) > 0);
    cursor.setPosition(edit.document()->findBlockByNumber(0).position() + 5);
    cursor.insertBlock();
    QVERIFY(pixelsOfLine(&edit, 0, isGreenish) > 0);
    QCOMPARE(pixelsOfLine(&edit, 1, isGreenish), 0);
    QCOMPARE(pixelsOfLine(&edit, 2, isGreenish), 0);
    QVERIFY(pixelsOfLine(&edit, 3, isGreenish) > 0);

    // Joining them again makes one green line, and the lines below move up with their colours.
    cursor.deletePreviousChar();
    QVERIFY(pixelsOfLine(&edit, 0, isGreenish) > 0);
    QCOMPARE(pixelsOfLine(&edit, 1, isGreenish), 0);
    QVERIFY(pixelsOfLine(&edit, 2, isGreenish) > 0);
    QCOMPARE(pixelsOfLine(&edit, 3, isGreenish), 0);
}

void TestLineLayout::paintsFullWidthMarker()
{
    CustomTextEdit edit;
    edit.resize(400, 200);
    edit.setPlainText(QStringLiteral("1\n2\n3"));
    QTextEdit::ExtraSelection marker;
    marker.cursor = QTextCursor(edit.document()->findBlockByNumber(1));
    marker.format.setBackground(QColor(255, 228, 228));
    marker.format.setProperty(QTextFormat::FullWidthSelection, true);
    edit.setExtraSelections({marker});
    const auto pink = [](QRgb pixel) { return QColor(pixel) == QColor(255, 228, 228); };
    // The band reaches the right edge of the viewport, far beyond the one character.
    const int width = edit.viewport()->width();
    QVERIFY(pixelsOfLine(&edit, 1, pink) > width / 2);
    QCOMPARE(pixelsOfLine(&edit, 0, pink), 0);
    QCOMPARE(pixelsOfLine(&edit, 2, pink), 0);
}

void TestLineLayout::pastesFormattedTextAsPlainText()
{
    CustomTextEdit edit;
    auto *clip = new QMimeData;
    clip->setHtml(QStringLiteral("<h1>Big</h1><table><tr><td>1</td><td>2</td></tr></table>"));
    clip->setText(QStringLiteral("Big\n1 2"));
    QApplication::clipboard()->setMimeData(clip);
    edit.paste();
    QCOMPARE(edit.toPlainText(), QStringLiteral("Big\n1 2"));
    QVERIFY(edit.document()->rootFrame()->childFrames().isEmpty());
}

QTEST_MAIN(TestLineLayout)
#include "test_linelayout.moc"
