#include "run/resultnaming.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestResultNaming : public QObject
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

void TestResultNaming::list_data()
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
    QTest::newRow("job script and exit code of a batch job are not results")
        << QStringList{"Test.slurm.sh", "Test.exit.txt"} << QStringList{};
    QTest::newRow("screen, log and table") << QStringList{"Test.scr", "Test.log", "Test.Tab"}
                                           << QStringList{"Test.Tab", "Test.log", "Test.scr"};
}

void TestResultNaming::list()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    touch(dir.path(), files);
    QCOMPARE(ResultNaming::list(dir.path(), QStringLiteral("Test")), expected);
}

void TestResultNaming::missingDirectoryGivesNothing()
{
    QTemporaryDir dir;
    QVERIFY(
        ResultNaming::list(dir.path() + QLatin1String("/none"), QStringLiteral("Test")).isEmpty());
}

void TestResultNaming::displayable_data()
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

void TestResultNaming::displayable()
{
    QFETCH(QString, name);
    QFETCH(bool, displayable);
    QCOMPARE(ResultNaming::isDisplayable(name), displayable);
}

void TestResultNaming::entryNamesAndLabels_data()
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

void TestResultNaming::entryNamesAndLabels()
{
    QFETCH(QString, file);
    QFETCH(QString, entry);
    QFETCH(QString, label);
    QCOMPARE(ResultNaming::entryName(file), entry);
    QCOMPARE(ResultNaming::entryLabel(entry, QStringLiteral("Test")), label);
}

void TestResultNaming::vtkPatternPicksFirstFileInNameOrder()
{
    QTemporaryDir dir;
    touch(dir.path(), {"Test_phas.vtk.gz", "Test_conc.vtk.gz", "Test_conc.vtk"});
    QCOMPARE(ResultNaming::displayFile(dir.path(), QStringLiteral("Test_....vtk.gz")),
             QStringLiteral("Test_conc.vtk.gz"));
    QCOMPARE(ResultNaming::displayFile(dir.path(), QStringLiteral("Test_....vtk")),
             QStringLiteral("Test_conc.vtk"));
    QCOMPARE(ResultNaming::displayFile(dir.path(), QStringLiteral("Test.phas")),
             QStringLiteral("Test.phas"));
    QVERIFY(ResultNaming::displayFile(dir.path(), QStringLiteral("Other_....vtk")).isEmpty());
}

QTEST_GUILESS_MAIN(TestResultNaming)
#include "test_resultnaming.moc"
