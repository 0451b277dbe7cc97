// The install layout: what `cmake --install` puts under a prefix, and that it works from there.
#include "app/main.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(file.readAll())
                                                            : QString();
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void installsExpectedFiles_data();
    void installsExpectedFiles();
    void desktopEntryStartsInstalledProgram();
    void mimeTypeCoversDrivingFilePatterns();
    void installedCheckerRuns();

private:
    QTemporaryDir prefix;
};

void TestInstall::initTestCase()
{
    QVERIFY(prefix.isValid());
    QProcess install;
    install.start(QStringLiteral(VORPEN_CMAKE_COMMAND),
                  {"--install", VORPEN_BINARY_DIR, "--prefix", prefix.path()});
    QVERIFY(install.waitForFinished(120000));
    QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());
}

void TestInstall::installsExpectedFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("program") << "bin/vorpen";
    QTest::newRow("checker") << "bin/vorpen-check";
    QTest::newRow("language server") << "bin/vorpen-lsp";
    QTest::newRow("manual") << "share/doc/vorpen/index.html";
    QTest::newRow("desktop entry") << "share/applications/vorpen.desktop";
    QTest::newRow("icon") << "share/icons/hicolor/64x64/apps/vorpen.png";
    QTest::newRow("mime type") << "share/mime/packages/vorpen.xml";
}

void TestInstall::installsExpectedFiles()
{
    QFETCH(QString, path);
    QVERIFY2(QFile::exists(prefix.filePath(path)), qPrintable(path));
}

void TestInstall::desktopEntryStartsInstalledProgram()
{
    const QString entry = readAll(prefix.filePath("share/applications/vorpen.desktop"));
    const QString exec = QRegularExpression("^Exec=(\\S+)", QRegularExpression::MultilineOption)
                             .match(entry)
                             .captured(1);
    QVERIFY(QFileInfo(prefix.filePath("bin/" + exec)).isExecutable());
    QVERIFY(entry.contains("\nIcon=vorpen\n"));
    QVERIFY(entry.contains("\nMimeType=text/x-zelmora-driving-file;\n"));
}

void TestInstall::mimeTypeCoversDrivingFilePatterns()
{
    const QString types = readAll(prefix.filePath("share/mime/packages/vorpen.xml"));
    QStringList globs;
    QRegularExpressionMatchIterator it =
        QRegularExpression("<glob pattern=\"([^\"]+)\"").globalMatch(types);
    while (it.hasNext())
        globs << it.next().captured(1);
    QCOMPARE(globs, allFileExtensions.split(' '));
}

void TestInstall::installedCheckerRuns()
{
    QProcess check;
    check.start(prefix.filePath("bin/vorpen-check"),
                {VORPEN_SOURCE_DIR "/examples/grain_growth_2d_dri.txt"});
    QVERIFY(check.waitForFinished(60000));
    QCOMPARE(check.exitCode(), 0);
    QVERIFY(check.readAllStandardOutput().contains("valid ZELMORA 7.0 driving file"));
}

QTEST_GUILESS_MAIN(TestInstall)
#include "test_install.moc"
