#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "core/platform/help_viewer.h"
#include "gui/app/gui_resources.h"
#include "gui/app/single_instance.h"
#include "gui/platform/qt_help_viewer.h"
#include "gui/platform/qt_user_interface.h"

using namespace cardwise;
using namespace cardwise::gui;

// What only real widgets can get wrong: keys on real boxes, the file filter as Qt reads
// it, the help window's pages, and the local socket between two copies.
class PlatformTest : public QObject {
    Q_OBJECT

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
        QVERIFY(!second.claim({"/decks/a.DKS", QString::fromUtf8("/decks/\xc3\xa9\nb.DKS")}));
        QVERIFY(!second.listening());
        QVERIFY(handed.wait(5000));
        QCOMPARE(handed.at(0).at(0).toStringList(),
                 QStringList({"/decks/a.DKS", QString::fromUtf8("/decks/\xc3\xa9\nb.DKS")}));
        // A start without decks only brings the first copy forward.
        SingleInstance third(name);
        QVERIFY(!third.claim({}));
        QVERIFY(handed.wait(5000));
        QCOMPARE(handed.at(1).at(0).toStringList(), QStringList());
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
};

QTEST_MAIN(PlatformTest)
#include "platform_test.moc"
