#include "run/resultfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestResultFiles : public QObject
{
    Q_OBJECT

private:
    static void touch(const QString &dir, const QStringList &names)
    {
        for (const QString &name : names) {
            QFile file(dir + QLatin1Char('/') + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }

private slots:
    void list_data();
    void list();
    void missingDirectoryGivesNothing();
    void displayable_data();
    void displayable();
    void entryNamesAndLabels_data();
    void entryNamesAndLabels();
    void vtkPatternPicksFirstFileInNameOrder();
};

void TestResultFiles::list_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("naming patterns kept")
        << QStringList{"Test.phas", "TestG.korn", "Test_dri.txt", "Test_1DExt.conc",
                       "Test_phas.vtk"}
        << QStringList{"Test_1DExt.conc", "TestG.korn", "Test.phas", "Test_dri.txt",
                       "Test_phas.vtk"};
    QTest::newRow("geometry, restart and foreign names dropped")
        << QStringList{"Test.geoF",   "Test.rest", "Test.restart", "Test2.phas",
                       "Test_x.phas", "Test",      "Other.phas"}
        << QStringList{};
    QTest::newRow("side lines of every direction")
        << QStringList{"Test_1DEast.conc", "Test_1DWest.conc", "Test_1DNorth.conc"}
        << QStringList{"Test_1DEast.conc", "Test_1DWest.conc"};
    QTest::newRow("one plain and one gzipped vtk field stand for all")
        << QStringList{"Test_phas.vtk", "Test_conc.vtk", "Test_phas.vtk.gz", "Test_conc.vtk.gz"}
        << QStringList{"Test_conc.vtk.gz", "Test_conc.vtk"};
    QTest::newRow("vtk and zrc need a field part")
        << QStringList{"Test.vtk", "Test.zrc", "Test_in.zrc", "Test.gz"}
        << QStringList{"Test_in.zrc"};
    QTest::newRow("screen, log and table") << QStringList{"Test.scr", "Test.log", "Test.Tab"}
                                           << QStringList{"Test.Tab", "Test.log", "Test.scr"};
}

void TestResultFiles::list()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    touch(dir.path(), files);
    QCOMPARE(ResultFiles::list(dir.path(), QStringLiteral("Test")), expected);
}

void TestResultFiles::missingDirectoryGivesNothing()
{
    QTemporaryDir dir;
    QVERIFY(
        ResultFiles::list(dir.path() + QLatin1String("/none"), QStringLiteral("Test")).isEmpty());
}

void TestResultFiles::displayable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("displayable");

    QTest::newRow("table") << "Test.Tab" << true;
    QTest::newRow("in file") << "Test.in" << true;
    QTest::newRow("interface field") << "Test.intf" << false;
    QTest::newRow("log") << "Test.log" << true;
    QTest::newRow("screen") << "Test.scr" << true;
    QTest::newRow("driving copy") << "Test_dri.txt" << true;
    QTest::newRow("dri extension") << "Test.dri" << true;
    QTest::newRow("driving force field") << "Test.driv" << false;
    QTest::newRow("phase field") << "Test.phas" << false;
    QTest::newRow("vtk pattern") << "Test_....vtk.gz" << false;
}

void TestResultFiles::displayable()
{
    QFETCH(QString, name);
    QFETCH(bool, displayable);
    QCOMPARE(ResultFiles::isDisplayable(name), displayable);
}

void TestResultFiles::entryNamesAndLabels_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("label");

    QTest::newRow("field") << "Test.phas"
                           << "Test.phas"
                           << "phas";
    QTest::newRow("driving copy") << "Test_dri.txt"
                                  << "Test_dri.txt"
                                  << "dri";
    QTest::newRow("gzipped vtk") << "Test_phas.vtk.gz"
                                 << "Test_....vtk.gz"
                                 << "vtkgz";
    QTest::newRow("plain vtk") << "Test_conc.vtk"
                               << "Test_....vtk"
                               << "vtk";
    QTest::newRow("grid variant") << "TestG.korn"
                                  << "TestG.korn"
                                  << "Gkorn";
}

void TestResultFiles::entryNamesAndLabels()
{
    QFETCH(QString, file);
    QFETCH(QString, entry);
    QFETCH(QString, label);
    QCOMPARE(ResultFiles::entryName(file), entry);
    QCOMPARE(ResultFiles::entryLabel(entry, QStringLiteral("Test")), label);
}

void TestResultFiles::vtkPatternPicksFirstFileInNameOrder()
{
    QTemporaryDir dir;
    touch(dir.path(), {"Test_phas.vtk.gz", "Test_conc.vtk.gz", "Test_conc.vtk"});
    QCOMPARE(ResultFiles::displayFile(dir.path(), QStringLiteral("Test_....vtk.gz")),
             QStringLiteral("Test_conc.vtk.gz"));
    QCOMPARE(ResultFiles::displayFile(dir.path(), QStringLiteral("Test_....vtk")),
             QStringLiteral("Test_conc.vtk"));
    QCOMPARE(ResultFiles::displayFile(dir.path(), QStringLiteral("Test.phas")),
             QStringLiteral("Test.phas"));
    QVERIFY(ResultFiles::displayFile(dir.path(), QStringLiteral("Other_....vtk")).isEmpty());
}

QTEST_GUILESS_MAIN(TestResultFiles)
#include "test_resultfiles.moc"
