// The program started twice, as two processes: what a second start hands over, and what it
// keeps to itself.
#include <sys/stat.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <string>

using namespace std::string_literals;

namespace {

const char* kDeck = "[Cardwise]\r\nQ1=one\r\nA1=uno\r\nQ2=two\r\nA2=dos\r\nQ3=three\r\nA3=tres\r\n";

std::string readFile(const QString& path) {
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

class SecondCopyTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    QString program_;
    QProcessEnvironment environment_;
    QProcess first_;

    QString settingsFile() const { return home_.filePath("config/cardwise/CARDWISE.INI"); }
    QString socket() const { return home_.filePath("run/cardwise.socket"); }
    std::string deck(const std::string& name) const {
        std::string path = QFile::encodeName(home_.path()).toStdString() + "/" + name;
        std::ofstream(path, std::ios::binary) << kDeck;
        return path;
    }
    // Runs a second start to its end; its exit status, output and errors.
    struct Run {
        int status = -1;
        QByteArray out;
        QByteArray err;
    };
    Run start(const QStringList& arguments) {
        QProcess second;
        second.setProcessEnvironment(environment_);
        second.start(program_, arguments);
        Run run;
        if (!second.waitForFinished(20000)) {
            second.kill();
            second.waitForFinished(5000);
            return run;
        }
        run.status = second.exitCode();
        run.out = second.readAllStandardOutput();
        run.err = second.readAllStandardError();
        return run;
    }
    // The recent decks as the first copy wrote them.
    std::string recent(int slot) const {
        const std::string ini = readFile(settingsFile());
        const std::string key = "UsedFilePath" + std::to_string(slot) + "=";
        std::size_t at = ini.find(key);
        if (at == std::string::npos) return {};
        at += key.size();
        return ini.substr(at, ini.find_first_of("\r\n", at) - at);
    }

  private slots:
    void initTestCase() {
        // A copy outside the build folder keeps its settings in the test's own folders,
        // as an installed program does.
        program_ = home_.filePath("bin/cardwise");
        QVERIFY(QDir().mkpath(home_.filePath("bin")));
        QVERIFY(QFile::copy(CARDWISE_PROGRAM, program_));
        QVERIFY(QDir().mkpath(home_.filePath("run")));
        ::chmod(QFile::encodeName(home_.filePath("run")).constData(), 0700);
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert("HOME", home_.path());
        environment_.insert("XDG_CONFIG_HOME", home_.filePath("config"));
        environment_.insert("XDG_DATA_HOME", home_.filePath("data"));
        environment_.insert("XDG_CACHE_HOME", home_.filePath("cache"));
        environment_.insert("XDG_RUNTIME_DIR", home_.filePath("run"));
        environment_.insert("QT_QPA_PLATFORM", "offscreen");

        first_.setProcessEnvironment(environment_);
        first_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        first_.start(program_, {QFile::decodeName(QByteArray::fromStdString(deck("a.DKS")))});
        QVERIFY(first_.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket()) && recent(1) == home_.filePath("a.DKS").toStdString(),
                                 20000);
    }

    void cleanupTestCase() {
        if (first_.state() == QProcess::NotRunning) return;
        first_.terminate();
        if (!first_.waitForFinished(10000)) {
            first_.kill();
            first_.waitForFinished(5000);
        }
    }

    // --help, --version and a wrong option are answered by the copy started; the first
    // copy never hears of them.
    void optionsAreNeverHandedOver() {
        struct Row {
            const char* name;
            QStringList arguments;
            int status;
            QByteArray out;
            QByteArray err;
        };
        const Row rows[] = {
            {"help", {"--help"}, 0, "usage: cardwise [OPTION]... [DECK.DKS]...\n", ""},
            {"version", {"--version"}, 0, "cardwise 5.0\n", ""},
            {"unknown option", {"--frobnicate"}, 2, "",
             "cardwise: unknown option '--frobnicate'\nTry 'cardwise --help'.\n"},
        };
        for (const Row& row : rows) {
            Run run = start(row.arguments);
            QVERIFY2(run.status == row.status, row.name);
            QVERIFY2(run.out.startsWith(row.out), row.name);
            QVERIFY2(run.err == row.err, row.name);
        }
        QCOMPARE(first_.state(), QProcess::Running);
        QCOMPARE(recent(1), home_.filePath("a.DKS").toStdString());
        QCOMPARE(recent(2), std::string());
    }

    // A deck that does not exist is reported here; a real one, whatever the bytes of its
    // name, opens in the first copy and goes into its recent decks as it is.
    void onlyDecksThatExistAreHandedOver() {
        const std::string missing = QFile::encodeName(home_.filePath("missing.DKS")).toStdString();
        Run run = start({QFile::decodeName(QByteArray::fromStdString(missing))});
        QCOMPARE(run.status, 1);
        // Qt may add warnings of its own.
        QVERIFY2(run.err.contains(QByteArray::fromStdString("cardwise: " + missing + ": no such deck\n")),
                 run.err.constData());

        // A name in Latin-1 is no UTF-8; the shell passes its bytes unchanged.
        const std::string latin = deck("caf\xe9.DKS");
        QProcess second;
        second.setProcessEnvironment(environment_);
        second.setWorkingDirectory(home_.path());
        second.start("/bin/sh", {"-c", "exec \"$0\" \"$(printf 'caf\\351.DKS')\"", program_});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(recent(1) == latin, 20000);
        QCOMPARE(recent(2), home_.filePath("a.DKS").toStdString());
        QCOMPARE(recent(3), std::string());
        QCOMPARE(first_.state(), QProcess::Running);
    }
};

QTEST_GUILESS_MAIN(SecondCopyTest)
#include "second_copy_test.moc"
