#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace cardwise::gui::testing {

// Acts on the modal widget of type W once it shows, from inside the event loop of the call
// that shows it. The action records what it sees in the test's variables, which the test
// checks after the call returns: a QVERIFY inside a timer's lambda would return from the
// lambda only. When nothing of type W shows within the deadline the action never runs and
// every modal widget still open is closed, so the call under test returns and the slot fails
// on its variables instead of hanging.
// The poll it returns may be deleted to stop waiting for a widget that should not show.
template <class W = QWidget>
QPointer<QTimer> whenModal(std::function<void(W*)> act, int deadlineMs = 10000) {
    auto* poll = new QTimer;
    const QDeadlineTimer deadline(deadlineMs);
    QObject::connect(poll, &QTimer::timeout, [poll, deadline, act = std::move(act)] {
        if (auto* shown = qobject_cast<W*>(QApplication::activeModalWidget());
            shown != nullptr && shown->isVisible()) {
            poll->stop();
            poll->deleteLater();
            act(shown);
            return;
        }
        // First at the next pass of the event loop, as a zero timer would, then every 5 ms.
        if (poll->interval() == 0) poll->setInterval(5);
        if (!deadline.hasExpired()) return;
        // Keeps closing while modal widgets remain: one may have opened another.
        QWidget* open = QApplication::activeModalWidget();
        if (open == nullptr) {
            poll->stop();
            poll->deleteLater();
            return;
        }
        if (auto* dialog = qobject_cast<QDialog*>(open)) {
            dialog->reject();
        } else {
            open->close();
        }
    });
    poll->start(0);
    return poll;
}

// As whenModal, for the pop-up menu a click opens.
inline void whenPopup(std::function<void(QWidget*)> act, int deadlineMs = 10000) {
    auto* poll = new QTimer;
    const QDeadlineTimer deadline(deadlineMs);
    QObject::connect(poll, &QTimer::timeout, [poll, deadline, act = std::move(act)] {
        QWidget* popup = QApplication::activePopupWidget();
        if (popup != nullptr) {
            poll->stop();
            poll->deleteLater();
            act(popup);
        } else if (deadline.hasExpired()) {
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start(5);
}

// Failures the scripted fakes reported outside a GoogleTest test since this mark was made:
// each QtTest slot checks its own, so one failed slot does not fail every later cleanup().
class FakeFailureMark {
  public:
    FakeFailureMark() : seen_(count()) {}
    bool failedSince() const { return count() > seen_; }

  private:
    static int count() {
        const ::testing::TestResult& result =
            ::testing::UnitTest::GetInstance()->ad_hoc_test_result();
        int failed = 0;
        for (int i = 0; i < result.total_part_count(); ++i) {
            if (result.GetTestPartResult(i).failed()) ++failed;
        }
        return failed;
    }
    int seen_;
};

}  // namespace cardwise::gui::testing
