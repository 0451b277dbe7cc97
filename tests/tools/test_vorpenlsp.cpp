// Drives the vorpen-lsp program as an editor does, over its standard input and output: framing,
// protocol errors, lifecycle, incremental changes, cancellation and hostile documents.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

#include <functional>

namespace {

QByteArray framed(const QByteArray &body)
{
    return "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

QByteArray request(int id, const QString &method, const QJsonObject &params = {})
{
    return QJsonDocument(
               QJsonObject{{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}})
        .toJson(QJsonDocument::Compact);
}

QByteArray notification(const QString &method, const QJsonObject &params = {})
{
    return QJsonDocument(QJsonObject{{"jsonrpc", "2.0"}, {"method", method}, {"params", params}})
        .toJson(QJsonDocument::Compact);
}

QString readFixture(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

const QString uri = QStringLiteral("file:///work/run_dri.txt");
const QString misspelt = QStringLiteral(VORPEN_TEST_DIR "/vorpenlsp/misspelt_keyword_dri.txt");
const QString valid = QStringLiteral(VORPEN_SOURCE_DIR "/examples/grain_growth_2d_dri.txt");
const int misspeltLine = 37;

QJsonObject range(int line, int start, int end)
{
    return {{"start", QJsonObject{{"line", line}, {"character", start}}},
            {"end", QJsonObject{{"line", line}, {"character", end}}}};
}

// One server process and the messages it has written that nobody has looked at yet.
class Server
{
public:
    Server()
    {
        process.start(QStringLiteral(VORPEN_BINARY_DIR "/tools/vorpen-lsp/vorpen-lsp"),
                      QStringList());
        process.waitForStarted();
    }
    ~Server()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }

    void write(const QByteArray &bytes) { process.write(bytes); }
    void send(const QByteArray &body) { write(framed(body)); }
    void initialize()
    {
        send(request(1, "initialize", {{"capabilities", QJsonObject()}}));
        send(notification("initialized"));
        QVERIFY(!next([](const QJsonObject &m) { return m.value("id") == 1; }).isEmpty());
    }
    void open(const QString &text)
    {
        send(notification(
            "textDocument/didOpen",
            {{"textDocument",
              QJsonObject{
                  {"uri", uri}, {"languageId", "zelmora"}, {"version", 1}, {"text", text}}}}));
    }
    // The next message that matches, waiting up to 20 s; empty when none came.
    QJsonObject next(const std::function<bool(const QJsonObject &)> &wanted)
    {
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            for (int i = 0; i < received.size(); ++i) {
                if (wanted(received.at(i)))
                    return received.takeAt(i);
            }
            if (clock.elapsed() > 20000 || !readMessages())
                return QJsonObject();
        }
    }
    QJsonObject reply(int id)
    {
        return next([id](const QJsonObject &m) { return m.value("id") == id; });
    }
    QJsonArray diagnostics(int version)
    {
        return next([version](const QJsonObject &m) {
                   return m.value("method") == "textDocument/publishDiagnostics" &&
                          m.value("params").toObject().value("version") == version;
               })
            .value("params")
            .toObject()
            .value("diagnostics")
            .toArray();
    }
    int exitStatus()
    {
        if (!process.waitForFinished(10000))
            return -1;
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    }

    QProcess process;

private:
    bool readMessages()
    {
        if (!process.waitForReadyRead(1000) && process.state() == QProcess::NotRunning)
            return false;
        buffer += process.readAllStandardOutput();
        for (;;) {
            const int end = buffer.indexOf("\r\n\r\n");
            if (end < 0)
                return true;
            const int length = buffer.mid(16, end - 16).trimmed().toInt();
            if (!buffer.startsWith("Content-Length: ") || buffer.size() < end + 4 + length)
                return buffer.startsWith("Content-Length: ");
            received.append(QJsonDocument::fromJson(buffer.mid(end + 4, length)).object());
            buffer.remove(0, end + 4 + length);
        }
    }

    QByteArray buffer;
    QList<QJsonObject> received;
};

} // namespace

class TestVorpenLsp : public QObject
{
    Q_OBJECT

private slots:
    void protocolErrors_data();
    void protocolErrors();
    void sessionEnd_data();
    void sessionEnd();
    void advertisesWhatItAnswers();
    void incrementalChanges_data();
    void incrementalChanges();
    void faultsAtTheirLines_data();
    void faultsAtTheirLines();
    void chosenGrammar_data();
    void chosenGrammar();
    void cancelledRequestIsAnsweredOnce();
    void hostileDocuments_data();
    void hostileDocuments();
};

void TestVorpenLsp::protocolErrors_data()
{
    QTest::addColumn<bool>("initialized");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("code");
    QTest::addColumn<QJsonValue>("id");

    const QJsonValue none(QJsonValue::Null);
    QTest::newRow("invalid JSON") << true << framed("{\"jsonrpc\": \"2.0\", ") << -32700 << none;
    QTest::newRow("header without length")
        << true << QByteArray("Content-Type: text\r\n\r\n") << -32700 << none;
    QTest::newRow("length that is no number")
        << true << QByteArray("Content-Length: ten\r\n\r\n") << -32700 << none;
    QTest::newRow("message that is no object") << true << framed("[1, 2]") << -32600 << none;
    QTest::newRow("wrong protocol version")
        << true << framed(R"({"jsonrpc": "1.0", "id": 7, "method": "shutdown"})") << -32600
        << QJsonValue(7);
    QTest::newRow("unknown method")
        << true << framed(request(7, "textDocument/rename")) << -32601 << QJsonValue(7);
    QTest::newRow("request for a document never opened")
        << true
        << framed(request(7, "textDocument/hover",
                          {{"textDocument", QJsonObject{{"uri", "file:///none"}}},
                           {"position", QJsonObject{{"line", 0}, {"character", 0}}}}))
        << -32602 << QJsonValue(7);
    QTest::newRow("request before initialize")
        << false << framed(request(7, "textDocument/documentSymbol")) << -32002 << QJsonValue(7);
}

// Every fault is answered, and the server reads the next message as if nothing had happened.
void TestVorpenLsp::protocolErrors()
{
    QFETCH(bool, initialized);
    QFETCH(QByteArray, input);
    QFETCH(int, code);
    QFETCH(QJsonValue, id);

    Server server;
    if (initialized)
        server.initialize();
    server.write(input);
    const QJsonObject error = server.next([](const QJsonObject &m) { return m.contains("error"); });
    QCOMPARE(error.value("error").toObject().value("code").toInt(), code);
    QCOMPARE(error.value("id"), id);

    server.send(request(99, initialized ? "shutdown" : "initialize"));
    QVERIFY(server.reply(99).contains("result"));
}

void TestVorpenLsp::sessionEnd_data()
{
    QTest::addColumn<bool>("shutdown");
    QTest::addColumn<bool>("closeInput");
    QTest::addColumn<int>("status");

    QTest::newRow("exit after shutdown") << true << false << 0;
    QTest::newRow("exit without shutdown") << false << false << 1;
    QTest::newRow("input closed after shutdown") << true << true << 0;
    QTest::newRow("input closed without shutdown") << false << true << 1;
}

void TestVorpenLsp::sessionEnd()
{
    QFETCH(bool, shutdown);
    QFETCH(bool, closeInput);
    QFETCH(int, status);

    Server server;
    server.initialize();
    if (shutdown) {
        server.send(request(2, "shutdown"));
        QCOMPARE(server.reply(2).value("result"), QJsonValue(QJsonValue::Null));
        server.send(request(3, "textDocument/documentSymbol"));
        QCOMPARE(server.reply(3).value("error").toObject().value("code").toInt(), -32600);
    }
    if (closeInput)
        server.process.closeWriteChannel();
    else
        server.send(notification("exit"));
    QCOMPARE(server.exitStatus(), status);
}

void TestVorpenLsp::advertisesWhatItAnswers()
{
    Server server;
    server.send(request(1, "initialize", {{"capabilities", QJsonObject()}}));
    const QJsonObject capabilities =
        server.reply(1).value("result").toObject().value("capabilities").toObject();
    QCOMPARE(capabilities.value("positionEncoding").toString(), QString("utf-16"));
    QCOMPARE(capabilities.value("textDocumentSync").toObject().value("change").toInt(), 2);
    for (const char *provider :
         {"hoverProvider", "completionProvider", "documentSymbolProvider", "codeActionProvider",
          "definitionProvider", "foldingRangeProvider"})
        QVERIFY2(capabilities.contains(provider), provider);
}

void TestVorpenLsp::incrementalChanges_data()
{
    QTest::addColumn<QJsonArray>("changes");
    QTest::addColumn<QJsonObject>("range");

    const QJsonObject none;
    QTest::newRow("misspelling mended in place")
        << QJsonArray{QJsonObject{{"range", range(misspeltLine, 4, 6)}, {"text", "od"}}} << none;
    QTest::newRow("several changes apply in order")
        << QJsonArray{QJsonObject{{"range", range(misspeltLine, 0, 8)}, {"text", "x"}},
                      QJsonObject{{"range", range(misspeltLine, 0, 1)}, {"text", "periodic"}}}
        << none;
    QTest::newRow("whole text replaced")
        << QJsonArray{QJsonObject{{"text", readFixture(valid)}}} << none;
    // A character outside the basic plane counts two columns before the refused token.
    QTest::newRow("columns count UTF-16 units")
        << QJsonArray{QJsonObject{{"range", range(misspeltLine, 0, 0)},
                                  {"text", QString::fromUtf8("\xF0\x9D\x9C\x8B = ")}}}
        << range(misspeltLine, 5, 13);
    QTest::newRow("change past the line's end is clamped to it")
        << QJsonArray{QJsonObject{{"range", range(misspeltLine, 8, 500)}, {"text", " x"}}}
        << range(misspeltLine, 0, 8);
}

void TestVorpenLsp::incrementalChanges()
{
    QFETCH(QJsonArray, changes);
    QFETCH(QJsonObject, range);

    Server server;
    server.initialize();
    server.open(readFixture(misspelt));
    QCOMPARE(server.diagnostics(1).size(), 1);
    server.send(notification("textDocument/didChange",
                             {{"textDocument", QJsonObject{{"uri", uri}, {"version", 2}}},
                              {"contentChanges", changes}}));
    const QJsonArray diagnostics = server.diagnostics(2);
    if (range.isEmpty()) {
        QCOMPARE(diagnostics, QJsonArray());
        return;
    }
    QCOMPARE(diagnostics.size(), 1);
    QCOMPARE(diagnostics.at(0).toObject().value("range").toObject(), range);
}

void TestVorpenLsp::faultsAtTheirLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QJsonObject>("range");
    QTest::addColumn<QString>("message");

    QTest::newRow("misspelt keyword with suggestion")
        << readFixture(misspelt) << range(misspeltLine, 0, 8) << "Parameter = BCPhaseField\n";
    const QString truncated = readFixture(VORPEN_TEST_DIR "/vorpencheck/truncated_dri.txt");
    QTest::newRow("end of file on the last line that holds anything")
        << truncated + "\n\n"
        << range(9, 0, 3) << "end of file reached: ";
    QTest::newRow("surplus line") << readFixture(valid) + "surplus\n"
                                  << QJsonObject() << "Too much input:\nsurplus";
}

void TestVorpenLsp::faultsAtTheirLines()
{
    QFETCH(QString, text);
    QFETCH(QJsonObject, range);
    QFETCH(QString, message);

    Server server;
    server.initialize();
    server.open(text);
    const QJsonArray diagnostics = server.diagnostics(1);
    QCOMPARE(diagnostics.size(), 1);
    const QJsonObject diagnostic = diagnostics.at(0).toObject();
    QVERIFY2(diagnostic.value("message").toString().startsWith(message),
             qPrintable(diagnostic.value("message").toString()));
    if (!range.isEmpty())
        QCOMPARE(diagnostic.value("range").toObject(), range);
}

void TestVorpenLsp::chosenGrammar_data()
{
    QTest::addColumn<QJsonObject>("options");
    QTest::addColumn<QJsonObject>("settings");
    QTest::addColumn<QString>("source");

    QTest::newRow("7.0 file found valid by default") << QJsonObject() << QJsonObject() << "";
    QTest::newRow("initialization option fixes 6.4")
        << QJsonObject{{"syntax", "6.4"}} << QJsonObject() << "vorpen 6.4";
    QTest::newRow("client setting fixes 6.4")
        << QJsonObject() << QJsonObject{{"vorpen", QJsonObject{{"syntax", "6.4"}}}} << "vorpen 6.4";
}

// A 7.0 file is valid unless a setting makes the server check it as 6.4.
void TestVorpenLsp::chosenGrammar()
{
    QFETCH(QJsonObject, options);
    QFETCH(QJsonObject, settings);
    QFETCH(QString, source);

    Server server;
    server.send(request(1, "initialize", {{"initializationOptions", options}}));
    QVERIFY(server.reply(1).contains("result"));
    if (!settings.isEmpty())
        server.send(notification("workspace/didChangeConfiguration", {{"settings", settings}}));
    server.open(readFixture(valid));
    const QJsonArray diagnostics = server.diagnostics(1);
    QCOMPARE(diagnostics.isEmpty(), source.isEmpty());
    if (!source.isEmpty())
        QCOMPARE(diagnostics.at(0).toObject().value("source").toString(), source);
}

void TestVorpenLsp::cancelledRequestIsAnsweredOnce()
{
    Server server;
    server.initialize();
    server.open(readFixture(misspelt));
    // The hover waits for the analysis, so the cancellation reaches it first.
    server.send(request(5, "textDocument/hover",
                        {{"textDocument", QJsonObject{{"uri", uri}}},
                         {"position", QJsonObject{{"line", 5}, {"character", 1}}}}));
    server.send(notification("$/cancelRequest", {{"id", 5}}));
    QCOMPARE(server.reply(5).value("error").toObject().value("code").toInt(), -32800);
    QCOMPARE(server.diagnostics(1).size(), 1);
    server.send(request(6, "shutdown"));
    QVERIFY(server.reply(6).contains("result"));
    QVERIFY(server.next([](const QJsonObject &m) { return m.value("id") == 5; }).isEmpty());
}

void TestVorpenLsp::hostileDocuments_data()
{
    QTest::addColumn<QString>("text");

    QString binary;
    for (int i = 0; i < 70000; ++i)
        binary += QChar(ushort((i * 7919) % 0xD7FF));
    QTest::newRow("binary bytes") << binary;
    QTest::newRow("200,000 lines") << QStringLiteral("# Header\n# ======\n1 2 3\n").repeated(66667);
}

// A document no driving file resembles gets a verdict, and the server keeps answering.
void TestVorpenLsp::hostileDocuments()
{
    QFETCH(QString, text);

    Server server;
    server.initialize();
    server.open(text);
    QCOMPARE(server.diagnostics(1).size(), 1);
    server.send(
        request(2, "textDocument/documentSymbol", {{"textDocument", QJsonObject{{"uri", uri}}}}));
    QVERIFY(server.reply(2).value("result").isArray());
}

QTEST_GUILESS_MAIN(TestVorpenLsp)
#include "test_vorpenlsp.moc"
