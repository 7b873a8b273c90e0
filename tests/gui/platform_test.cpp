#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QInputDialog>
#include <QLabel>
#include <QLocalSocket>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include "core/platform/help_viewer.h"
#include "gui/app/gui_resources.h"
#include "gui/app/single_instance.h"
#include "gui/platform/qt_external_editor.h"
#include "gui/platform/qt_help_viewer.h"
#include "gui/platform/qt_user_interface.h"

using namespace cardwise;
using namespace cardwise::gui;

// What only real widgets can get wrong: keys on real boxes, the file filter as Qt reads
// it, the help window's pages, and the local socket between two copies.
class PlatformTest : public QObject {
    Q_OBJECT

    // A text editor that ends once the file <path>.done exists (at most ten seconds), and
    // then adds a line to the file, as a user's save would.
    static QString fakeEditor(const QTemporaryDir& dir) {
        const QString script = dir.filePath("editor");
        QFile file(script);
        if (!file.open(QIODevice::WriteOnly)) return {};
        file.write(
            "#!/bin/sh\n"
            "i=0\n"
            "while [ ! -e \"$1.done\" ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i+1)); done\n"
            "echo edited >> \"$1\"\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return script;
    }
    static QWidget* waitNote() {
        QWidget* modal = QApplication::activeModalWidget();
        return modal != nullptr && modal->objectName() == "TextEditorWait" ? modal : nullptr;
    }
    static void touch(const QString& path) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Answers the box the interface shows by pressing a key on it.
    static QtUserInterface::DialogRunner pressing(Qt::Key key) {
        return [key](QDialog& dialog) {
            dialog.show();
            QTest::keyClick(&dialog, key);
        };
    }

  private slots:
    void enterPressesTheFirstButton_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("expected");
        QTest::newRow("ok") << int(Buttons::Ok) << int(Button::Ok);
        QTest::newRow("ok cancel") << int(Buttons::OkCancel) << int(Button::Ok);
        QTest::newRow("yes no") << int(Buttons::YesNo) << int(Button::Yes);
        QTest::newRow("yes no cancel") << int(Buttons::YesNoCancel) << int(Button::Yes);
    }
    void enterPressesTheFirstButton() {
        QFETCH(int, buttons);
        QFETCH(int, expected);
        QtUserInterface ui;
        ui.setDialogRunner(pressing(Qt::Key_Return));
        QCOMPARE(int(ui.messageBox("C", "T", Icon::Question, Buttons(buttons))), expected);
    }

    void closingTheBoxAnswersCancelElseNo_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("expected");
        QTest::newRow("ok") << int(Buttons::Ok) << int(Button::Ok);
        QTest::newRow("ok cancel") << int(Buttons::OkCancel) << int(Button::Cancel);
        QTest::newRow("yes no") << int(Buttons::YesNo) << int(Button::No);
        QTest::newRow("yes no cancel") << int(Buttons::YesNoCancel) << int(Button::Cancel);
    }
    void closingTheBoxAnswersCancelElseNo() {
        QFETCH(int, buttons);
        QFETCH(int, expected);
        QtUserInterface ui;
        ui.setDialogRunner([](QDialog& dialog) {
            dialog.show();
            dialog.close();
        });
        QCOMPARE(int(ui.messageBox("C", "T", Icon::Warning, Buttons(buttons))), expected);
        ui.setDialogRunner(pressing(Qt::Key_Escape));
        QCOMPARE(int(ui.messageBox("C", "T", Icon::Warning, Buttons(buttons))), expected);
    }

    void boxShowsCaptionTextAndIcon() {
        QtUserInterface ui;
        ui.setDialogRunner([](QDialog& dialog) {
            auto& box = static_cast<QMessageBox&>(dialog);
            QCOMPARE(box.windowTitle(), QString("No .DKS File"));
            QCOMPARE(box.text(), QString::fromUtf8("/d/\xc3\xa9t\xc3\xa9.DKS \xc3\xa9 <b>"));
            QCOMPARE(box.icon(), QMessageBox::Critical);
            QCOMPARE(box.buttons().size(), 1);
        });
        // A UTF-8 file name beside a deck byte: both shown as the user wrote them.
        ui.messageBox("No .DKS File", "/d/\xc3\xa9t\xc3\xa9.DKS \xe9 <b>", Icon::Error,
                      Buttons::Ok);
    }

    void waitCursorGivesWayToTheNormalPointerInABox() {
        QtUserInterface ui;
        Qt::CursorShape during = Qt::BlankCursor;
        ui.setDialogRunner([&](QDialog&) { during = QApplication::overrideCursor()->shape(); });
        ui.setWaitCursor(true);
        ui.messageBox("C", "T", Icon::None, Buttons::Ok);
        QCOMPARE(during, Qt::ArrowCursor);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        ui.setWaitCursor(false);
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void inputBoxRefusesWhatDecksCannotHoldAndAsksAgain() {
        QtUserInterface ui;
        int inputs = 0;
        QStringList boxes;
        ui.setDialogRunner([&](QDialog& dialog) {
            if (auto* input = qobject_cast<QInputDialog*>(&dialog)) {
                input->setTextValue(++inputs == 1 ? QString::fromUtf8("\xe2\x86\x92 12")
                                                  : QString("12"));
                input->accept();
            } else {
                boxes << static_cast<QMessageBox&>(dialog).text();
            }
        });
        QCOMPARE(ui.inputBox("Go", "Pair", "").value_or("none"), std::string("12"));
        QCOMPARE(inputs, 2);
        QCOMPARE(boxes.size(), 1);
        QVERIFY(boxes[0].contains("U+2192"));
    }

    // Shown once the work has run past its delay, the program painting; gone at the end.
    void progressWindowShowsLongWorkAndGoesAtItsEnd() {
        QtUserInterface ui;
        auto shown = [] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* p = qobject_cast<QProgressDialog*>(w); p != nullptr && p->isVisible())
                    return p;
            }
            return static_cast<QProgressDialog*>(nullptr);
        };
        ui.progress("Reading The File To Import", 0);
        QVERIFY(shown() == nullptr);  // quick work shows nothing
        QThread::msleep(500);         // past the delay the window's own rule gives
        ui.progress("Reading The File To Import", 40);
        QProgressDialog* window = shown();
        QVERIFY(window != nullptr);
        QCOMPARE(window->value(), 40);
        QCOMPARE(window->labelText(), QString("Reading The File To Import"));
        QVERIFY(window->isModal());
        if (const QByteArray out = qgetenv("CARDWISE_SHOT"); !out.isEmpty()) {
            window->grab().save(QString::fromLocal8Bit(out));
        }
        ui.progress("Reading The File To Import", -1);
        QVERIFY(shown() == nullptr);
    }

    void fileFilterAsQtReadsIt() {
        QCOMPARE(qtFileFilter("DKS Files (*.dks)|*.dks|DKZ Files (*.dkz)|*.DKZ|All Cardwise "
                              "File Types (*.dks, *.dkt, *.dkz)|*.dks;*.dkt;*.dkz"),
                 QString("DKS Files (*.dks *.DKS);;DKZ Files (*.dkz *.DKZ);;All Cardwise File "
                         "Types (*.dks *.DKS *.dkt *.DKT *.dkz *.DKZ)"));
        QCOMPARE(qtFileFilter("DKS Files|*.dks"), QString("DKS Files (*.dks *.DKS)"));
        QCOMPARE(defaultSuffixOf("DKS Files|*.dks"), QString("DKS"));
        QCOMPARE(defaultSuffixOf("Tab Separated Text|*.tsv;*.txt"), QString("tsv"));
        QCOMPARE(defaultSuffixOf("All Files|*.*"), QString("DKS"));
        QCOMPARE(defaultSuffixOf(""), QString("DKS"));
    }

    void helpWindowShowsTopicsAndFallsBackToTheContents() {
        QtHelpViewer help("qrc:/testhelp/");
        help.showTopic(19);
        QVERIFY(help.window()->isVisible());
        QCOMPARE(help.window()->currentPage(), QUrl("qrc:/testhelp/topic-19.html"));
        help.showTopic(77);
        QCOMPARE(help.window()->currentPage(), QUrl("qrc:/testhelp/index.html"));
        auto* back = help.window()->findChild<QPushButton*>("BBBack");
        QVERIFY(back->isEnabled());
        back->click();
        QCOMPARE(help.window()->currentPage(), QUrl("qrc:/testhelp/topic-19.html"));
        help.window()->findChild<QPushButton*>("BBForward")->click();
        QCOMPARE(help.window()->currentPage(), QUrl("qrc:/testhelp/index.html"));
        // Escape puts the window away, wherever its focus is.
        help.window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(help.window()));
        QTest::keyClick(help.window()->findChild<QWidget*>("HelpText"), Qt::Key_Escape);
        QTRY_VERIFY(!help.window()->isVisible());
    }

    // Every topic the program asks for has its page, as do the contents and help on help.
    void programHelpHasEveryPageItAsksFor() {
        loadGuiResources();
        QtHelpViewer help;
        help.showContents();
        QCOMPARE(help.window()->currentPage(), QUrl("qrc:/help/index.html"));
        help.showHelpOnHelp();
        QCOMPARE(help.window()->currentPage(), QUrl("qrc:/help/help-on-help.html"));
        for (int topic : {HelpTopic::PairOrder, HelpTopic::PictureViewer, HelpTopic::Printing,
                          HelpTopic::ListMode, HelpTopic::RangeMode, HelpTopic::HistoryMode,
                          HelpTopic::Tutorial, HelpTopic::ColorsFonts, HelpTopic::View,
                          HelpTopic::QAModes, HelpTopic::Directories, HelpTopic::Editor}) {
            help.showTopic(topic);
            QCOMPARE(help.window()->currentPage(),
                     QUrl(QString("qrc:/help/topic-%1.html").arg(topic)));
        }
    }

    void secondCopyHandsItsDecksToTheFirst() {
        QTemporaryDir dir;
        QString name = dir.filePath("cardwise.socket");
        SingleInstance first(name);
        QVERIFY(first.claim({}));
        QVERIFY(first.listening());
        QVERIFY(QFileInfo(name).permissions() & QFile::WriteOwner);
        QVERIFY(!(QFileInfo(name).permissions() & (QFile::WriteOther | QFile::ReadOther)));
        QSignalSpy handed(&first, &SingleInstance::decksHandedOver);
        SingleInstance second(name);
        // The bytes as the system gave them: a name in Latin-1 is no UTF-8.
        const QList<QByteArray> decks{"/decks/a.DKS", "/decks/caf\xe9\nb.DKS"};
        QVERIFY(!second.claim(decks));
        QVERIFY(!second.listening());
        QVERIFY(handed.wait(5000));
        QCOMPARE(handed.at(0).at(0).value<QList<QByteArray>>(), decks);
        // A start without decks only brings the first copy forward.
        SingleInstance third(name);
        QVERIFY(!third.claim({}));
        QVERIFY(handed.wait(5000));
        QCOMPARE(handed.at(1).at(0).value<QList<QByteArray>>(), QList<QByteArray>());
        // A copy that only looks for the first one hands nothing over.
        SingleInstance looking(name);
        QVERIFY(!looking.claim({"/decks/a.DKS"}, false));
        SingleInstance fourth(name);
        QVERIFY(!fourth.claim({"/decks/b.DKS"}));
        QVERIFY(handed.wait(5000));
        QCOMPARE(handed.size(), 3);
        QCOMPARE(handed.at(2).at(0).value<QList<QByteArray>>(), QList<QByteArray>{"/decks/b.DKS"});
    }

    // A peer that says too much, or too little in time, is cut off; the first copy
    // goes on taking hand-overs.
    void greedyOrSlowPeersAreDropped() {
        QTemporaryDir dir;
        QString name = dir.filePath("cardwise.socket");
        SingleInstance first(name);
        QVERIFY(first.claim({}));
        QSignalSpy handed(&first, &SingleInstance::decksHandedOver);
        struct Peer {
            const char* name;
            QByteArray bytes;
        };
        QByteArray huge(static_cast<qsizetype>(SingleInstance::kMaxMessageBytes) + 64, 'x');
        const Peer peers[] = {
            {"a length over the cap", QByteArray::fromHex("7fffffff")},
            {"more bytes than the cap", QByteArray::fromHex("00000010") + huge},
            {"half a message, then silence", QByteArray::fromHex("00000040") + "CWI2"},
        };
        for (const Peer& peer : peers) {
            QLocalSocket socket;
            socket.connectToServer(name);
            QVERIFY2(socket.waitForConnected(2000), peer.name);
            socket.write(peer.bytes);
            socket.flush();
            // The first copy hangs up: at once, or once its second has passed.
            QTRY_VERIFY2_WITH_TIMEOUT(socket.state() == QLocalSocket::UnconnectedState, peer.name,
                                      5000);
        }
        QCOMPARE(handed.size(), 0);
        SingleInstance second(name);
        QVERIFY(!second.claim({"/decks/a.DKS"}));
        QVERIFY(handed.wait(5000));
    }

    // A bare name would be a socket in the shared temporary folder: the program runs alone.
    void withoutAPrivateFolderTheProgramRunsAlone() {
        SingleInstance alone(QString("cardwise-%1").arg(::getuid()));
        QVERIFY(alone.claim({}));
        QVERIFY(!alone.listening());
        SingleInstance none{QString()};
        QVERIFY(none.claim({}));
        QVERIFY(!none.listening());
    }

    void staleSocketIsReplacedButNothingElseIs() {
        QTemporaryDir dir;
        QString name = dir.filePath("cardwise.socket");
        // A socket nobody listens on, as a crashed copy leaves it.
        int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        QByteArray path = QFile::encodeName(name);
        std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
        SingleInstance first(name);
        QVERIFY(first.claim({}));
        QVERIFY(first.listening());

        // A copy too busy to take a connection (its queue full) keeps its socket: the new
        // copy runs on its own instead of taking the name over.
        QString busyName = dir.filePath("busy.socket");
        QByteArray busyPath = QFile::encodeName(busyName);
        sockaddr_un busyAddress{};
        busyAddress.sun_family = AF_UNIX;
        std::memcpy(busyAddress.sun_path, busyPath.constData(),
                    static_cast<std::size_t>(busyPath.size()));
        const int busy = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QCOMPARE(::bind(busy, reinterpret_cast<sockaddr*>(&busyAddress), sizeof busyAddress), 0);
        QCOMPARE(::listen(busy, 0), 0);
        const int waiting = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
        QCOMPARE(::connect(waiting, reinterpret_cast<sockaddr*>(&busyAddress), sizeof busyAddress),
                 0);
        SingleInstance late(busyName);
        QVERIFY(late.claim({}));
        QVERIFY(!late.listening());
        QVERIFY(QFileInfo::exists(busyName));
        ::close(waiting);
        ::close(busy);

        // Something that is no socket is left alone; the program runs on its own.
        QString other = dir.filePath("not-a-socket");
        QVERIFY(QDir(dir.path()).mkdir("not-a-socket"));
        QFile kept(other + "/kept");
        QVERIFY(kept.open(QIODevice::WriteOnly));
        kept.close();
        SingleInstance alone(other);
        QVERIFY(alone.claim({}));
        QVERIFY(!alone.listening());
        QVERIFY(kept.exists());
    }

    // The program keeps running its event loop (timers, painting) while the editor runs,
    // behind the modal note, and the call returns once the editor has ended.
    void textEditorRunsWhileTheEventLoopGoesOn() {
        QTemporaryDir dir;
        const QString deck = dir.filePath("deck.DKD");
        touch(deck);
        QtExternalEditor editor({fakeEditor(dir).toStdString()});
        int ticks = 0;
        QString note;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&] {
            ++ticks;
            if (QWidget* shown = waitNote(); shown != nullptr && note.isEmpty()) {
                note = shown->findChild<QLabel*>("LWaiting")->text();
                touch(deck + ".done");
            }
        });
        timer.start(10);
        FileResult result = editor.editAndWait(deck.toStdString());
        QVERIFY(result.ok);
        QVERIFY(ticks > 0);
        QCOMPARE(note, QString("Waiting For The Text Editor To Close deck.DKD ..."));
        QCOMPARE(contents(deck), QByteArray("edited\n"));
        QVERIFY(waitNote() == nullptr);
    }

    // "Stop Waiting" ends the wait; the editor is not killed and ends when the user is done.
    void stopWaitingLeavesTheEditorRunning() {
        QTemporaryDir dir;
        const QString deck = dir.filePath("deck.DKS");
        touch(deck);
        QtExternalEditor editor({fakeEditor(dir).toStdString()});
        QTimer timer;
        bool shownAfterEscape = false;
        bool stopped = false;
        // The fake editor ends by itself after ten seconds, so a note that never shows fails.
        connect(&timer, &QTimer::timeout, [&] {
            if (QWidget* shown = waitNote()) {
                timer.stop();
                // Esc does not end the wait; the button does.
                QTest::keyClick(shown, Qt::Key_Escape);
                shownAfterEscape = shown->isVisible();
                stopped = true;
                shown->findChild<QPushButton*>("BBStopWaiting")->click();
            }
        });
        timer.start(10);
        QVERIFY(editor.editAndWait(deck.toStdString()).ok);
        QVERIFY(stopped);
        QVERIFY(shownAfterEscape);
        QCOMPARE(contents(deck), QByteArray());
        touch(deck + ".done");
        QTRY_COMPARE_WITH_TIMEOUT(contents(deck), QByteArray("edited\n"), 10000);
    }

    void textEditorThatCannotStartIsAFailureWithTheReason() {
        QtExternalEditor editor({"/nonexistent/editor"});
        FileResult result = editor.editAndWait("deck.DKS");
        QVERIFY(!result.ok);
        QVERIFY2(result.error.find("/nonexistent/editor") != std::string::npos,
                 result.error.c_str());
        QVERIFY(!QtExternalEditor({}).editAndWait("deck.DKS").ok);
    }
};

QTEST_MAIN(PlatformTest)
#include "platform_test.moc"
