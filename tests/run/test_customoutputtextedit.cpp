#include "run/customoutputtextedit.h"

#include <QScrollBar>
#include <QtTest>

class TestCustomOutputTextEdit : public QObject
{
    Q_OBJECT

private:
    static QString lines(int count)
    {
        QStringList text;
        for (int i = 0; i < count; ++i)
            text << QStringLiteral("step %1 ").arg(i) + QString(150, QLatin1Char('x'));
        return text.join(QLatin1Char('\n'));
    }

private slots:
    void followsTheEndOfGrowingText();
    void keepsTheUsersPositionAcrossReloads();
    void scrollingBackToTheEndFollowsAgain();
    void resetFollowsAgainButKeepsHorizontal();
};

void TestCustomOutputTextEdit::followsTheEndOfGrowingText()
{
    CustomOutputTextEdit view(QFont(QStringLiteral("Courier New")));
    view.resize(300, 200);
    view.show();
    QVERIFY(view.isReadOnly());
    QCOMPARE(view.lineWrapMode(), QTextEdit::NoWrap);
    for (int count : {100, 200, 300}) {
        view.loadText(lines(count));
        QScrollBar *bar = view.verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(view.followTail);
    }
}

void TestCustomOutputTextEdit::keepsTheUsersPositionAcrossReloads()
{
    CustomOutputTextEdit view(QFont(QStringLiteral("Courier New")));
    view.resize(300, 200);
    view.show();
    view.loadText(lines(100));
    view.verticalScrollBar()->setValue(30);
    view.horizontalScrollBar()->setValue(40);
    QVERIFY(!view.followTail);
    QCOMPARE(view.savedVertical, 30);
    QCOMPARE(view.savedHorizontal, 40);

    for (int count : {200, 300}) {
        view.loadText(lines(count));
        QCOMPARE(view.verticalScrollBar()->value(), 30);
        QCOMPARE(view.horizontalScrollBar()->value(), 40);
        QVERIFY(!view.followTail);
    }
}

void TestCustomOutputTextEdit::scrollingBackToTheEndFollowsAgain()
{
    CustomOutputTextEdit view(QFont(QStringLiteral("Courier New")));
    view.resize(300, 200);
    view.show();
    view.loadText(lines(100));
    QScrollBar *bar = view.verticalScrollBar();
    bar->setValue(10);
    QVERIFY(!view.followTail);
    bar->setValue(bar->maximum());
    QVERIFY(view.followTail);
    view.loadText(lines(250));
    QCOMPARE(bar->value(), bar->maximum());
}

void TestCustomOutputTextEdit::resetFollowsAgainButKeepsHorizontal()
{
    CustomOutputTextEdit view(QFont(QStringLiteral("Courier New")));
    view.resize(300, 200);
    view.show();
    view.loadText(lines(100));
    view.verticalScrollBar()->setValue(5);
    view.horizontalScrollBar()->setValue(25);
    view.reset();
    QVERIFY(view.followTail);
    QCOMPARE(view.savedVertical, 0);
    QCOMPARE(view.savedHorizontal, 25);
    view.loadText(lines(150));
    QCOMPARE(view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum());
    QCOMPARE(view.horizontalScrollBar()->value(), 25);
}

QTEST_MAIN(TestCustomOutputTextEdit)
#include "test_customoutputtextedit.moc"
