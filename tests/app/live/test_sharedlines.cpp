// Splitting a text into lines that share the unchanged ones with an earlier split.
#include "app/live/sharedlines.h"

#include <QtTest>

class TestSharedLines : public QObject
{
    Q_OBJECT
private slots:
    void splitsAndSharesUnchangedLines_data();
    void splitsAndSharesUnchangedLines();
};

void TestSharedLines::splitsAndSharesUnchangedLines_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("shared");

    QTest::newRow("unchanged") << "a\nb\nc"
                               << "a\nb\nc" << 3;
    QTest::newRow("a digit typed into a line") << "a\nb\nc"
                                               << "a\nb1\nc" << 2;
    QTest::newRow("a line inserted keeps the lines below") << "a\nb\nc\nd"
                                                           << "a\nx\nb\nc\nd" << 4;
    QTest::newRow("a line removed keeps the lines below") << "a\nb\nc\nd"
                                                          << "a\nc\nd" << 3;
    QTest::newRow("a final line break adds an empty line") << "a\nb"
                                                           << "a\nb\n"
                                                           << 2;
    QTest::newRow("nothing earlier") << ""
                                     << "a\n\nb" << 0;
    QTest::newRow("empty text") << "a\nb"
                                << "" << 0;
}

void TestSharedLines::splitsAndSharesUnchangedLines()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(int, shared);

    const QStringList earlier = before.isEmpty() ? QStringList() : before.split('\n');
    const QStringList lines = linesSharing(after, earlier);
    QCOMPARE(lines, after.split('\n'));
    int sharing = 0;
    for (const QString &line : lines) {
        for (const QString &old : earlier)
            sharing += !line.isEmpty() && line.constData() == old.constData();
    }
    QCOMPARE(sharing, shared);
}

QTEST_GUILESS_MAIN(TestSharedLines)
#include "test_sharedlines.moc"
