#include "gui/drill/promotion_window.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/drill/drill_look.h"

namespace cardwise::gui {
namespace {

constexpr int kWidth = 380;
constexpr int kTickMs = 1000;

}  // namespace

PromotionWindow::PromotionWindow(QWidget* parent, const QString& text, bool timed)
    : QDialog(parent), window_(timed ? kPromoTimed : kPromoRegular) {
    setObjectName("TFTimPromo");
    setWindowTitle(captionText(kPromotionCaption));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    label_ = new QLabel(text, this);
    label_->setObjectName("CongratLabel");
    label_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label_->setAlignment(Qt::AlignCenter);
    label_->setWordWrap(true);
    label_->setTextFormat(Qt::PlainText);
    QFont font = label_->font();
    font.setBold(true);
    font.setPointSize(8);
    label_->setFont(font);
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    label_->setPalette(palette);
    layout->addWidget(label_, 1);

    okPanel_ = new QWidget(this);
    okPanel_->setObjectName("Panel1");
    auto* okLayout = new QHBoxLayout(okPanel_);
    okLayout->setContentsMargins(0, 0, 0, 0);
    ok_ = new QPushButton(tr("OK"), okPanel_);
    ok_->setObjectName("BBOk");
    ok_->setDefault(true);
    okLayout->addStretch(1);
    okLayout->addWidget(ok_);
    okLayout->addStretch(1);
    layout->addWidget(okPanel_);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    timer_ = new QTimer(this);
    timer_->setObjectName("Timer1");
    timer_->setInterval(kTickMs);
    connect(timer_, &QTimer::timeout, this, &PromotionWindow::tick);
}

void PromotionWindow::showEvent(QShowEvent* event) {
    const PromotionMessageWindow::Layout shown = window_.show();
    okPanel_->setVisible(shown.okPanelVisible);
    setFixedSize(kWidth, shown.height);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->geometry().center() - rect().center());
    }
    timer_->start();
    QDialog::showEvent(event);
}

void PromotionWindow::tick() {
    if (window_.tick()) accept();
}

void runPromotionWindow(QWidget* parent, const QString& text, bool timed) {
    PromotionWindow window(parent, text, timed);
    window.exec();
}

}  // namespace cardwise::gui
