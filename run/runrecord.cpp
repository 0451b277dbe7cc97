#include "run/runrecord.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

QString runRecordFile(const QString &screenFile)
{
    // Hidden, so that it is not listed among the results.
    const QFileInfo screen(screenFile);
    return screen.path() + QStringLiteral("/.") + screen.fileName() + QStringLiteral(".run");
}

bool writeRunRecord(const QString &file, const RunRecord &record)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream stream(&out);
    stream.setCodec("UTF-8");
    stream << "driving-file=" << record.drivingFile << '\n'
           << "pid=" << record.pid << '\n'
           << "process-start=" << record.processStart << '\n'
           << "started=" << record.started.toString(Qt::ISODate) << '\n';
    if (!record.slurmJobId.isEmpty())
        stream << "slurm-job=" << record.slurmJobId << '\n';
    stream.flush();
    return stream.status() == QTextStream::Ok && out.commit();
}

bool readRunRecord(const QString &file, RunRecord &record)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream stream(&in);
    stream.setCodec("UTF-8");
    RunRecord read;
    while (!stream.atEnd()) {
        const QString line = stream.readLine();
        const QString value = line.section(QLatin1Char('='), 1);
        if (line.startsWith(QLatin1String("driving-file=")))
            read.drivingFile = value;
        else if (line.startsWith(QLatin1String("pid=")))
            read.pid = value.toLongLong();
        else if (line.startsWith(QLatin1String("process-start=")))
            read.processStart = value.toLongLong();
        else if (line.startsWith(QLatin1String("started=")))
            read.started = QDateTime::fromString(value, Qt::ISODate);
        else if (line.startsWith(QLatin1String("slurm-job=")))
            read.slurmJobId = value;
    }
    if (read.pid <= 0 && read.slurmJobId.isEmpty())
        return false;
    record = read;
    return true;
}

qint64 processStartOf(qint64 pid)
{
    if (pid <= 0)
        return -1;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // The command name in parentheses may hold blanks; the fields after it are plain numbers,
    // the start time being the 20th of them.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20 || fields.at(0) == "Z")
        return -1;
    return fields.at(19).toLongLong();
}

bool isStillRunning(const RunRecord &record)
{
    return record.processStart >= 0 && processStartOf(record.pid) == record.processStart;
}

bool liveRunOf(const QString &screenFile, RunRecord &record)
{
    return readRunRecord(runRecordFile(screenFile), record) && isStillRunning(record);
}
