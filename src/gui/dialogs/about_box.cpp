#include "gui/dialogs/about_box.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace cardwise::gui {

AboutBox::AboutBox(const AboutView& view, QWidget* parent) : QDialog(parent) {
    setObjectName("TFAbout");
    setWindowTitle(QString::fromStdString(view.caption));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(10);

    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setPixmap(QIcon(":/app/cardwise.png").pixmap(64, 64));
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture);

    auto* product = new QLabel(QString::fromStdString(view.product), this);
    product->setObjectName("ProductName");
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    product->setFont(big);
    product->setAlignment(Qt::AlignCenter);
    layout->addWidget(product);

    for (const std::string& line : view.lines) {
        auto* label = new QLabel(QString::fromStdString(line), this);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        layout->addWidget(label);
    }

    auto* close = new QPushButton(QString::fromStdString(view.closeButton), this);
    close->setObjectName("OKButton");
    close->setDefault(true);
    layout->addSpacing(6);
    layout->addWidget(close, 0, Qt::AlignCenter);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    // Wrapped lines take the height they need at the desktop's font.
    const int width = std::max(420, layout->totalMinimumSize().width());
    setFixedSize(width, layout->totalHeightForWidth(width));
}

}  // namespace cardwise::gui
