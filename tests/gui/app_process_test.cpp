// The real desktop program, started as its own process on a deck, ends its session on
// SIGTERM, SIGHUP and SIGINT: the deck is closed and saved, and the exit status is 0.
#include <signal.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class AppProcessTest : public QObject {
    Q_OBJECT
  private slots:
    void signalSavesTheOpenDeckAndExitsWithZero_data() {
        QTest::addColumn<int>("number");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("SIGINT") << SIGINT;
    }
    void signalSavesTheOpenDeckAndExitsWithZero() {
        QFETCH(int, number);
        QTemporaryDir home;
        QVERIFY(home.isValid());
        // A copy without the portable marker beside it keeps its settings in the user's
        // folder, here the test's, and nothing is written beside the built program.
        QVERIFY(QDir(home.path()).mkdir("bin"));
        const QString program = home.filePath("bin/cardwise");
        QVERIFY(QFile::copy(QStringLiteral(CARDWISE_APP), program));
        QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
        write(home.filePath("deck.DKS"),
              "[Cardwise]\r\nQ1=one\r\nA1=uno\r\nQ2=two\r\nA2=dos\r\nQ3=three\r\nA3=tres\r\n");
        write(home.filePath("deck.DKD"), "[CARDWISE]\r\nNumerical=  1\r\nLastDayUsed=20000101\r\n");

        QProcess app;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* folder : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                   "XDG_RUNTIME_DIR", "TMPDIR"}) {
            // TMPDIR too: the single-instance socket lives there, and another copy running
            // on this machine must not be handed the deck.
            environment.insert(QString::fromLatin1(folder), home.path());
        }
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        // No sound server is looked for or started.
        environment.insert("PULSE_SERVER", "unix:" + home.filePath("no-sound-server"));
        // The program says "shown" once its question window is up: the deck is open.
        environment.insert("CARDWISE_STARTUP_PROBE", "1");
        app.setProcessEnvironment(environment);
        app.setWorkingDirectory(home.path());
        // A test runner in the background may ignore SIGINT; the program must not inherit it.
        app.setChildProcessModifier([] {
            for (int number : {SIGTERM, SIGHUP, SIGINT}) ::signal(number, SIG_DFL);
        });
        app.start(program, {QStringLiteral("deck.DKS")});
        QVERIFY(app.waitForStarted());
        QByteArray output;
        QTRY_VERIFY_WITH_TIMEOUT((output += app.readAllStandardOutput()).contains("shown"), 20000);
        // Nothing has written the setup data file yet: only the close does.
        QVERIFY(read(home.filePath("deck.DKD")).contains("LastDayUsed=20000101"));

        ::kill(static_cast<pid_t>(app.processId()), number);
        QVERIFY(app.waitForFinished(10000));
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.exitCode(), 0);
        const QByteArray setup = read(home.filePath("deck.DKD"));
        QVERIFY2(!setup.contains("LastDayUsed=20000101"), setup.constData());
        QVERIFY2(setup.contains("\r\nQ&A3="), setup.constData());
    }
};

QTEST_GUILESS_MAIN(AppProcessTest)
#include "app_process_test.moc"
