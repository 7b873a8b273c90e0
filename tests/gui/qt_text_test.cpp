#include <QtTest>

#include "gui/platform/qt_text.h"

using namespace cardwise::gui;

// QString holds UTF-16: a character outside the basic plane must still be refused whole.
class QtTextTest : public QObject {
    Q_OBJECT
  private slots:
    void deckBytesRoundTripThroughQString() {
        std::string all;
        for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
        QCOMPARE(toDeckText(fromDeckText(all)).value(), all);
    }
    void refusesAnEmojiWithItsCodePoint() {
        QString message;
        QVERIFY(!toDeckText(QString::fromUtf8("x \xF0\x9F\x98\x80"), &message));
        QVERIFY(message.contains("U+1F600"));
    }
};

QTEST_APPLESS_MAIN(QtTextTest)
#include "qt_text_test.moc"
