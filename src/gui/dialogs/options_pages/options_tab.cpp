#include "gui/dialogs/options_pages/options_tab.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace cardwise::gui::options_widgets {

QString text(std::string_view caption) {
    return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
}

QRadioButton* radio(QWidget* parent, const char* name, std::string_view caption) {
    auto* button = new QRadioButton(text(caption), parent);
    button->setObjectName(name);
    return button;
}

QCheckBox* check(QWidget* parent, const char* name, std::string_view caption) {
    auto* box = new QCheckBox(text(caption), parent);
    box->setObjectName(name);
    return box;
}

QLineEdit* edit(QWidget* parent, const char* name, int width) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    if (width > 0) field->setFixedWidth(width);
    return field;
}

QPushButton* button(QWidget* parent, const char* name, std::string_view caption) {
    auto* b = new QPushButton(text(caption), parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QGroupBox* group(QWidget* parent, std::string_view title) {
    return new QGroupBox(text(title), parent);
}

void exclusive(QObject* owner, std::initializer_list<QRadioButton*> buttons) {
    auto* together = new QButtonGroup(owner);
    for (QRadioButton* b : buttons) together->addButton(b);
}

QString number(const std::string& digits) {
    return QString::fromStdString(digits);
}

}  // namespace cardwise::gui::options_widgets
