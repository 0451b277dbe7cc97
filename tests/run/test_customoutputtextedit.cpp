#include "run/customoutputtextedit.h"

#include <QScrollBar>
#include <QWheelEvent>
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
    void layoutChangesDoNotStopFollowing();
    void wheelScrollIsTheUsers();
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
    view.verticalScrollBar()->setSliderPosition(30);
    view.horizontalScrollBar()->setSliderPosition(40);
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
    bar->setSliderPosition(10);
    QVERIFY(!view.followTail);
    bar->setSliderPosition(bar->maximum());
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
    view.verticalScrollBar()->setSliderPosition(5);
    view.horizontalScrollBar()->setSliderPosition(25);
    view.reset();
    QVERIFY(view.followTail);
    QCOMPARE(view.savedVertical, 0);
    QCOMPARE(view.savedHorizontal, 25);
    view.loadText(lines(150));
    QCOMPARE(view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum());
    QCOMPARE(view.horizontalScrollBar()->value(), 25);
}

void TestCustomOutputTextEdit::layoutChangesDoNotStopFollowing()
{
    // A page is filled before its panel is first laid out and shown.
    CustomOutputTextEdit view(QFont(QStringLiteral("Courier New")));
    view.loadText(lines(100));
    view.resize(300, 60);
    view.show();
    view.resize(300, 200);
    view.verticalScrollBar()->setValue(4);
    QVERIFY(view.followTail);
    view.loadText(lines(200));
    QCOMPARE(view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum());
}

void TestCustomOutputTextEdit::wheelScrollIsTheUsers()
{
    CustomOutputTextEdit view(QFont(QStringLiteral("Courier New")));
    view.resize(300, 200);
    view.show();
    view.loadText(lines(100));
    QWheelEvent wheel(QPointF(50, 50), view.viewport()->mapToGlobal(QPoint(50, 50)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &wheel);
    const int position = view.verticalScrollBar()->value();
    QVERIFY(position < view.verticalScrollBar()->maximum());
    QVERIFY(!view.followTail);
    view.loadText(lines(150));
    QCOMPARE(view.verticalScrollBar()->value(), position);
}

QTEST_MAIN(TestCustomOutputTextEdit)
#include "test_customoutputtextedit.moc"
