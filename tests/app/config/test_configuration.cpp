#include "app/config/configuration.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestConfiguration : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString rcPath;

    QString existingFile(const QString &name)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        return path;
    }
    void writeRc(const QString &text, const QString &path = QString())
    {
        QFile file(path.isEmpty() ? rcPath : path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
    }
    QString readRc() const
    {
        QFile file(rcPath);
        file.open(QIODevice::ReadOnly);
        return QString::fromUtf8(file.readAll());
    }
    Configuration fresh() const { return Configuration(rcPath, QString(), QString(), 12, false); }
    QStringList existingFiles(int count)
    {
        QStringList paths;
        for (int i = 0; i < count; ++i)
            paths << existingFile(QStringLiteral("f%1_dri.txt").arg(i));
        return paths;
    }
    static QString recentPart(const QStringList &paths)
    {
        QString text;
        for (const QString &path : paths)
            text += QStringLiteral("-----------------------------\n") + path + QLatin1Char('\n');
        return text;
    }

private slots:
    void init()
    {
        rcPath = dir.filePath(QStringLiteral(".vorpenrc7000"));
        QFile::remove(rcPath);
        qunsetenv("ZELMORA_Bin");
    }

    void writesTheDocumentedFormat()
    {
        const QStringList files = existingFiles(2);
        Configuration config(rcPath, QStringLiteral("/opt/sim/ZELMORA_TQ"),
                             QStringLiteral("/opt/sim/DP_ZELMORA.sh"), 12, false);
        config.recentExecutables << QStringLiteral("/opt/sim/ZELMORA_TQ");
        config.recentFiles = files;
        config.write(false);
        QCOMPARE(readRc(),
                 QStringLiteral("zelmora=/opt/sim/ZELMORA_TQ\ndp=/opt/sim/DP_ZELMORA.sh\n"
                                "fontsize=12\nrecentZelmora = [\n/opt/sim/ZELMORA_TQ\n]\n") +
                     recentPart(files));

        Configuration back = fresh();
        back.read();
        QCOMPARE(back.simulationExecutable, QStringLiteral("/opt/sim/ZELMORA_TQ"));
        QCOMPARE(back.displayTool, QStringLiteral("/opt/sim/DP_ZELMORA.sh"));
        QCOMPARE(back.fontSize, 12);
        QVERIFY(back.executableKnown);
        QCOMPARE(back.recentExecutables, QStringList{QStringLiteral("/opt/sim/ZELMORA_TQ")});
        QCOMPARE(back.recentFiles, files);
    }

    void readsTrimmedValuesAndBadFontSizeAsZero()
    {
        writeRc(QStringLiteral("zelmora=  /a/b  \ndp=/c\nfontsize=large\nrecentZelmora = [\n"
                               " /x \n/y\n]\n"));
        Configuration config = fresh();
        config.read();
        QCOMPARE(config.simulationExecutable, QStringLiteral("/a/b"));
        QCOMPARE(config.fontSize, 0);
        QCOMPARE(config.recentExecutables,
                 (QStringList{QStringLiteral("/x"), QStringLiteral("/y")}));
    }

    // Found by fuzzing: the blank entry vanished at the next start.
    void blankFirstExecutableLineEndsTheList()
    {
        writeRc(QStringLiteral("zelmora=/a\ndp=/c\nfontsize=12\nrecentZelmora = [\n   \n/y\n]\n"));
        Configuration config = fresh();
        config.read();
        QVERIFY(config.recentExecutables.isEmpty());
    }

    // Found by fuzzing: bytes looking like a UTF-32 byte order mark made the file read as UTF-32,
    // and the written file then read differently.
    void fileIsUtf8WhateverItsFirstBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("UTF-32 mark") << QByteArray("\0\0\xfe\xff---\0\n\0", 10);
        QTest::newRow("UTF-16 mark") << QByteArray("\xff\xfezelmora=/a\n");
        QTest::newRow("umlauts") << QByteArray("zelmora=/home/j\xc3\xbcrgen/ZELMORA_TQ\n");
    }

    void fileIsUtf8WhateverItsFirstBytes()
    {
        QFETCH(QByteArray, bytes);
        {
            QFile file(rcPath);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(bytes);
        }
        Configuration first = fresh();
        first.read();
        const QByteArray value = bytes.left(bytes.indexOf('\n')).mid(bytes.indexOf('=') + 1);
        QCOMPARE(first.simulationExecutable, QString::fromUtf8(value.constData(), value.size()));
        first.write(false);
        Configuration second = fresh();
        second.read();
        QCOMPARE(second.simulationExecutable, first.simulationExecutable);
        QCOMPARE(second.displayTool, first.displayTool);
    }

    void headerlessFileKeepsSettingsAndReadsPaths()
    {
        const QStringList files = existingFiles(2);
        writeRc(recentPart(files));
        Configuration config(rcPath, QStringLiteral("/keep"), QStringLiteral("/dp"), 14, false);
        config.read();
        QCOMPARE(config.simulationExecutable, QStringLiteral("/keep"));
        QCOMPARE(config.displayTool, QStringLiteral("/dp"));
        QCOMPARE(config.fontSize, 14);
        QVERIFY(!config.executableKnown);
        QCOMPARE(config.recentFiles, files);
    }

    void readKeepsTwentyExistingPathsInFileOrder()
    {
        const QStringList files = existingFiles(25);
        writeRc(QStringLiteral("zelmora=/z\ndp=/d\nfontsize=12\nrecentZelmora = [\n]\n") +
                recentPart(QStringList{dir.filePath(QStringLiteral("gone.dri")), QString()}) +
                recentPart(files));
        Configuration config = fresh();
        config.read();
        QCOMPARE(config.recentFiles, files.mid(0, 20));
    }

    void secondReadOnlyMergesPaths()
    {
        const QStringList files = existingFiles(3);
        writeRc(QStringLiteral("zelmora=/z\ndp=/d\nfontsize=12\nrecentZelmora = [\n/z\n]\n") +
                recentPart(files));
        Configuration config = fresh();
        config.read();
        config.simulationExecutable = QStringLiteral("/changed");
        config.recentFiles.removeFirst();
        config.read();
        QCOMPARE(config.simulationExecutable, QStringLiteral("/changed"));
        QCOMPARE(config.recentExecutables.size(), 1);
        QCOMPARE(config.recentFiles, (QStringList{files[1], files[2], files[0]}));
    }

    void isRecentMovesToHeadAndDropsTheOldest()
    {
        const QStringList files = existingFiles(21);
        Configuration config = fresh();
        for (int i = 19; i >= 0; --i)
            QVERIFY(!config.isRecent(files[i]));
        QCOMPARE(config.recentFiles, files.mid(0, 20));

        QVERIFY(config.isRecent(files[2]));
        QCOMPARE(config.recentFiles.size(), 20);
        QCOMPARE(config.recentFiles.mid(0, 4),
                 (QStringList{files[2], files[0], files[1], files[3]}));

        QVERIFY(!config.isRecent(files[20]));
        QCOMPARE(config.recentFiles.size(), 20);
        QCOMPARE(config.recentFiles.first(), files[20]);
        QVERIFY(!config.recentFiles.contains(files[19]));

        config.removeRecentFile(files[20]);
        config.removeRecentFile(QStringLiteral("/not/listed"));
        QCOMPARE(config.recentFiles.size(), 19);
        QCOMPARE(config.recentFiles.first(), files[2]);
    }

    void defaultsWithoutBinDirectory()
    {
        Configuration config = fresh();
        config.setDefault();
        QCOMPARE(config.simulationExecutable, QStringLiteral(".../ZELMORA_TQ"));
        QCOMPARE(config.displayTool, QStringLiteral(".../DP_ZELMORA.sh"));
        QCOMPARE(config.fontSize, 12);
        QVERIFY(!config.executableKnown);
        QCOMPARE(config.fileName, rcPath);
    }

    void emptyExecutableConsultsTheSiteDefault()
    {
        QTemporaryDir bin;
        writeRc(QStringLiteral("zelmora=/site/ZELMORA_TQ\ndp=/site/dp\nfontsize=16\n"
                               "recentZelmora = [\n]\n"),
                bin.filePath(QStringLiteral("default_vorpenrc.zrc")));
        qputenv("ZELMORA_Bin", bin.path().toUtf8());
        writeRc(QStringLiteral("zelmora=\ndp=/user/dp\nfontsize=10\nrecentZelmora = [\n]\n"));
        Configuration config = fresh();
        config.setDefault();
        QCOMPARE(config.simulationExecutable, QStringLiteral("/site/ZELMORA_TQ"));
        QCOMPARE(config.displayTool, QStringLiteral("/site/dp"));
        QCOMPARE(config.fontSize, 16);
        QCOMPARE(config.fileName, rcPath);

        QFile::remove(bin.filePath(QStringLiteral("default_vorpenrc.zrc")));
        Configuration fallback = fresh();
        fallback.setDefault();
        QCOMPARE(fallback.simulationExecutable, bin.path() + QStringLiteral("/ZELMORA_TQ"));
        QCOMPARE(fallback.displayTool, bin.path() + QStringLiteral("/DP_ZELMORA.sh"));
    }

    void clearingDoesNotMergeOtherInstances()
    {
        const QStringList files = existingFiles(2);
        Configuration other = fresh();
        other.recentFiles = files;
        other.write(false);

        Configuration config = fresh();
        config.recentFiles << files[0];
        config.clearRecentFileList();
        QVERIFY(config.recentFiles.isEmpty());
        QVERIFY(!readRc().contains(QLatin1String("----")));
    }

    void writeMergesEntriesOfAnotherInstance()
    {
        const QStringList files = existingFiles(3);
        Configuration first = fresh();
        Configuration second = fresh();
        first.isRecent(files[0]);
        first.write(true);
        second.isRecent(files[1]);
        second.write(true);
        QCOMPARE(second.recentFiles, (QStringList{files[1], files[0]}));

        QFile::remove(files[1]);
        first.isRecent(files[2]);
        first.write(true);
        QCOMPARE(first.recentFiles, (QStringList{files[2], files[0]}));
        QCOMPARE(readRc().count(QStringLiteral("-----------------------------\n")), 2);
    }

    void clusterSettingsLieWhereOlderVersionsSkipLines()
    {
        const QStringList files = existingFiles(1);
        Configuration config(rcPath, QStringLiteral("/z"), QStringLiteral("/d"), 12, false);
        config.recentExecutables << QStringLiteral("/z");
        config.recentFiles = files;
        config.cluster.onCluster = true;
        config.cluster.partition = QStringLiteral("long");
        config.cluster.tasks = 64;
        config.cluster.extraOptions = QStringLiteral("--mem=8G --qos=a=b");
        config.write(false);
        QVERIFY(readRc().contains(QStringLiteral("]\nslurm.where=cluster\n")));

        Configuration back = fresh();
        back.read();
        QVERIFY(back.cluster == config.cluster);
        QCOMPARE(back.recentExecutables, config.recentExecutables);
        QCOMPARE(back.recentFiles, files);
        Configuration copy(back);
        QVERIFY(copy.cluster == config.cluster);
    }

    void copiesCarryNoLists()
    {
        Configuration config(rcPath, QStringLiteral("/z"), QStringLiteral("/d"), 15, true);
        config.recentExecutables << QStringLiteral("/z");
        config.recentFiles << QStringLiteral("/f.dri");
        Configuration copy(config);
        QCOMPARE(copy.simulationExecutable, QStringLiteral("/z"));
        QCOMPARE(copy.fontSize, 15);
        QVERIFY(copy.executableKnown);
        QVERIFY(copy.recentExecutables.isEmpty() && copy.recentFiles.isEmpty());

        Configuration assigned(config);
        assigned.recentFiles << QStringLiteral("/g.dri");
        assigned.recentExecutables << QStringLiteral("/y");
        assigned = config;
        QCOMPARE(assigned.displayTool, QStringLiteral("/d"));
        QVERIFY(assigned.recentExecutables.isEmpty() && assigned.recentFiles.isEmpty());
    }

    void unwritableFileIsSkipped()
    {
        Configuration config(dir.filePath(QStringLiteral("no/such/dir/rc")), QStringLiteral("/z"),
                             QString(), 12, false);
        config.recentFiles << existingFile(QStringLiteral("a.dri"));
        config.write(true);
        config.read();
        QCOMPARE(config.simulationExecutable, QStringLiteral("/z"));
        QCOMPARE(config.recentFiles.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestConfiguration)
#include "test_configuration.moc"
