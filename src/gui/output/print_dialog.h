#pragma once

#include <QDialog>

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "core/output/print_settings.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace cardwise {
class HelpViewer;
}

namespace cardwise::gui {

// TFWFPrint: the print dialog. It keeps its view model and applies the core's rules to
// every click and keystroke; beyond OK it can print to a PDF file or show a preview.
class PrintDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Outcome { Cancelled, Print, Pdf };

    struct Actions {
        std::function<void()> setup;  // the printer set-up dialog
        std::function<void(const PrintChoices&)> preview;
        // The PDF file to print to; empty when the user cancelled the choice.
        std::function<QString()> choosePdfFile;
        // Whether OK has a printer (or a file chosen in set-up) to print to.
        std::function<bool()> printerReady;
    };

    PrintDialog(HelpViewer& help, Actions actions, QWidget* parent = nullptr);

    // FormShow over PrintSettings, then modal; the settings text on Print and Pdf.
    Outcome run(std::string_view settings);
    std::string settings() const { return printDialogAccepted(view_); }
    QString pdfFile() const { return pdfFile_; }

    // Shows the dialog's state without running it (tests, screenshots).
    void load(std::string_view settings);

  private:
    QGroupBox* radioGroup(const char* name, const char* title,
                          std::initializer_list<std::string_view> items, QButtonGroup*& group);
    void render();
    PrintChoices choices() const;
    void checkPrinter();

    HelpViewer& help_;
    Actions actions_;
    PrintDialogView view_;
    QString pdfFile_;
    Outcome outcome_ = Outcome::Cancelled;

    QButtonGroup* style_ = nullptr;
    QButtonGroup* range_ = nullptr;
    QButtonGroup* cardOptions_ = nullptr;
    QButtonGroup* size_ = nullptr;
    QGroupBox* cardOptionsBox_ = nullptr;
    QGroupBox* sizeBox_ = nullptr;
    QLabel* printerNote_ = nullptr;
    QPushButton* ok_ = nullptr;
    QLabel* marginLabel_ = nullptr;
    QLineEdit* margin_ = nullptr;
    QLabel* copiesLabel_ = nullptr;
    QLineEdit* copies_ = nullptr;
};

}  // namespace cardwise::gui
