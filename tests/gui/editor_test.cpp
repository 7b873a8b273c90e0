#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "drill_support.h"
#include "gui/editor/character_map.h"
#include "gui/editor/find_dialog.h"

using namespace cardwise;
using cardwise::testing::crlf;
using cardwise::testing::GuiDrill;

namespace {

std::string wordsDeck() {
    return crlf({"[Cardwise]", "Q1=apple", "A1=manzana", "Q2=bread", "A2=pan", "Q3=cheese",
                 "A3=queso", "Q4=APPLE pie", "A4=tarta de manzana"});
}

}  // namespace

class EditorTest : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { QVERIFY(!cardwise::testing::fakesFailed()); }

    void findDialogIsModelessOnTopWithFindAsDefault() {
        GuiDrill d;
        d.open("words", wordsDeck());
        gui::FindDialog find(d.program);
        QCOMPARE(find.objectName(), QString("TFFind"));
        QCOMPARE(find.windowTitle(), QString("Find"));
        QVERIFY(!find.isModal());
        QVERIFY(find.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(find.findChild<QRadioButton*>("RGDirectionUp")->isChecked());
        QVERIFY(find.findChild<QPushButton*>("BBFind")->isDefault());
        QCOMPARE(find.findChild<QLineEdit*>("EFind")->maxLength(), 1000);
    }

    // "Find Next" from the last pair that holds the text reaches the end, asks, and on Yes
    // goes on from pair 1; Enter in the box presses "Find".
    void findWrapsAroundAfterYes() {
        GuiDrill d;
        d.open("words", wordsDeck());
        gui::FindDialog find(d.program);
        find.show();
        QSignalSpy found(&find, &gui::FindDialog::pairFound);
        auto* text = find.findChild<QLineEdit*>("EFind");
        QTest::keyClicks(text, "Apple");
        d.program.deck.CurrentPair = 2;
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(found.count(), 1);
        QCOMPARE(found.takeFirst().at(0).toInt(), 4);
        QCOMPARE(d.program.deck.CurrentPair, 4);

        d.ui.expectBox({"Continue Search?",
                        "The Search String \"Apple\" Was Not Found Searching To The End Of The "
                        "File.  Do You Wish To Search The Remainder Of The File?",
                        Icon::Information, Buttons::YesNo},
                       Button::Yes);
        QTest::mouseClick(find.findChild<QPushButton*>("BBFindNext"), Qt::LeftButton);
        QCOMPARE(found.count(), 1);
        QCOMPARE(d.program.deck.CurrentPair, 1);
        QVERIFY(find.isVisible());

        // Searching down from pair 1 finds nothing before it: the other end answers.
        find.findChild<QRadioButton*>("RGDirectionDown")->click();
        d.ui.expectBox({"Continue Search?",
                        "The Search String \"Apple\" Was Not Found Searching To The Beginning Of "
                        "The File.  Do You Wish To Search The Remainder Of The File?",
                        Icon::Information, Buttons::YesNo},
                       Button::Yes);
        QTest::mouseClick(find.findChild<QPushButton*>("BBFindNext"), Qt::LeftButton);
        QCOMPARE(d.program.deck.CurrentPair, 4);

        QTest::mouseClick(find.findChild<QPushButton*>("BitBtn2"), Qt::LeftButton);
        QVERIFY(!find.isVisible());
    }

    void findRefusesTextTheDeckCannotHold() {
        GuiDrill d;
        d.open("words", wordsDeck());
        gui::FindDialog find(d.program);
        QSignalSpy found(&find, &gui::FindDialog::pairFound);
        find.findChild<QLineEdit*>("EFind")->setText(QString::fromUtf8("\xe2\x82\xac \xe2\x86\x92"));
        d.ui.expectBoxWhere("Character Not Allowed", Icon::Warning, Buttons::Ok,
                            [](const std::string&) { return true; });
        QTest::mouseClick(find.findChild<QPushButton*>("BBFind"), Qt::LeftButton);
        QCOMPARE(found.count(), 0);
        QCOMPARE(d.program.deck.CurrentPair, 1);
    }

    void characterMapIsTheFirstProgramInstalled() {
        QTemporaryDir folder;
        const QString kchar = folder.filePath("kcharselect");
        QFile script(kchar);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const gui::CharacterMap found({"gucharmap", "kcharselect"}, {folder.path()});
        QVERIFY(found.available());
        QCOMPARE(found.program(), kchar);
        const gui::CharacterMap missing({"gucharmap"}, {folder.path()});
        QVERIFY(!missing.available());
        QVERIFY(!missing.start());
    }
};

QTEST_MAIN(EditorTest)
#include "editor_test.moc"
