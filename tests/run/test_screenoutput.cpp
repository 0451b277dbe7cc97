#include "run/outputlocation.h"
#include "run/screenmarkers.h"

#include <QtTest>

class TestScreenOutput : public QObject
{
    Q_OBJECT

private slots:
    void endMarkers_data();
    void endMarkers();
    void pollInterval();
    void location_data();
    void location();
};

void TestScreenOutput::endMarkers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("finished");

    QTest::newRow("plain progress") << "step 10 of 100\n" << false;
    QTest::newRow("input error any case") << "An INPUT ERROR occurred" << true;
    QTest::newRow("keyboard fallback") << "Reverting To Keyboard" << true;
    QTest::newRow("stop in routine") << "STOP IN ROUTINE init" << true;
    QTest::newRow("message in capitals") << "MESSAGE: solver diverged" << true;
    QTest::newRow("message in lower case") << "a message for you" << false;
    QTest::newRow("message capitalised") << "Message of the day" << false;
    QTest::newRow("unrecognised input") << "unrecognised input 'x'" << true;
    QTest::newRow("press any key") << "press ANY key to go on" << true;
    QTest::newRow("file or keyboard") << "choose between file and keyboard input" << true;
    QTest::newRow("wall clock in capitals") << "WALL CLOCK TIME 12 s" << true;
    QTest::newRow("initialisation alone") << "Beginning of initialisation" << false;
}

void TestScreenOutput::endMarkers()
{
    QFETCH(QString, text);
    QFETCH(bool, finished);
    QCOMPARE(ScreenMarkers::isFinished(text), finished);
}

void TestScreenOutput::pollInterval()
{
    QCOMPARE(ScreenMarkers::pollInterval(QStringLiteral("reading input")), 1000);
    QCOMPARE(ScreenMarkers::pollInterval(QStringLiteral("x\nBEGINNING OF INITIALISATION\n")), 5000);
}

void TestScreenOutput::location_data()
{
    QTest::addColumn<QString>("resultName");
    QTest::addColumn<QString>("simName");
    QTest::addColumn<QString>("resultDir");
    QTest::addColumn<QString>("screenFile");

    QTest::newRow("backslash separator") << "Results\\Test"
                                         << "Test"
                                         << "/home/u/run/Results"
                                         << "/home/u/run/Results/Test.scr";
    QTest::newRow("absolute") << "/abs/out/Test"
                              << "Test"
                              << "/abs/out"
                              << "/abs/out/Test.scr";
    QTest::newRow("bare name keeps the double slash") << "Test"
                                                      << "Test"
                                                      << "/home/u/run/"
                                                      << "/home/u/run//Test.scr";
    QTest::newRow("nested relative") << "a/b/Test"
                                     << "Test"
                                     << "/home/u/run/a/b"
                                     << "/home/u/run/a/b/Test.scr";
    QTest::newRow("lone slash is relative") << "/"
                                            << ""
                                            << "/home/u/run/"
                                            << "/home/u/run//.scr";
}

void TestScreenOutput::location()
{
    QFETCH(QString, resultName);
    const OutputLocation location =
        OutputLocation::fromResultName(QStringLiteral("/home/u/run"), resultName);
    QTEST(location.simName, "simName");
    QTEST(location.resultDir, "resultDir");
    QTEST(location.screenFile, "screenFile");
}

QTEST_GUILESS_MAIN(TestScreenOutput)
#include "test_screenoutput.moc"
