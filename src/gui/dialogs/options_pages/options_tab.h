#pragma once

#include <QString>
#include <QWidget>

#include <initializer_list>
#include <string_view>

#include "core/study/options_dialog.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace cardwise::gui {

// One page of the options dialog: it copies the core's options controls into its widgets
// and back, as KeePassXC's settings pages load and save their settings.
class OptionsTab : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;

    virtual void load(const OptionsControls& controls) = 0;
    // False when a typed text cannot be held: refusal() says why, refusedField() is where.
    // What comes after the refused field is left as it was.
    virtual bool store(OptionsControls& controls) = 0;

    // The choices that decide what else is enabled, copied into the controls.
    virtual void storeChoices(OptionsControls& controls) { (void)controls; }
    virtual void showEnabling(const OptionsEnabling& enabling) { (void)enabling; }
    // The page's field of a number the core refused; null when it is on another page.
    virtual QLineEdit* numberField(OptionsNumber field) const {
        (void)field;
        return nullptr;
    }

    QString refusal() const { return refusal_; }
    QWidget* refusedField() const { return refusedField_; }

  signals:
    // A choice that decides what else is enabled changed.
    void choiceChanged();

  protected:
    QString refusal_;
    QWidget* refusedField_ = nullptr;
};

// The options pages' controls, named as the tests and the pictures know them.
namespace options_widgets {

QString text(std::string_view caption);
QRadioButton* radio(QWidget* parent, const char* name, std::string_view caption);
QCheckBox* check(QWidget* parent, const char* name, std::string_view caption);
QLineEdit* edit(QWidget* parent, const char* name, int width);
QPushButton* button(QWidget* parent, const char* name, std::string_view caption);
QGroupBox* group(QWidget* parent, std::string_view title);
// Radio buttons of one group exclude each other even when they sit in different rows.
void exclusive(QObject* owner, std::initializer_list<QRadioButton*> buttons);
QString number(const std::string& digits);

}  // namespace options_widgets

}  // namespace cardwise::gui
