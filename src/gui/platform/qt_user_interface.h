#pragma once

#include <QProgressDialog>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "core/platform/user_interface.h"
#include "core/shell/session_end.h"

class QDialog;
class QWidget;

namespace cardwise::gui {

// The core's boxes and dialogs as Qt shows them. Every box and dialog runs through one
// runner, so a GUI test can answer a real box by pressing its keys.
class QtUserInterface : public UserInterface {
  public:
    // Runs a modal dialog until it closes; the default is QDialog::exec().
    using DialogRunner = std::function<void(QDialog&)>;
    // Shows the promotion message window; set where that window exists.
    using PromotionWindow = std::function<void(const QString& text, bool timed)>;

    QtUserInterface();

    Button messageBox(std::string_view caption, std::string_view text, Icon icon,
                      Buttons buttons) override;
    std::optional<std::string> inputBox(std::string_view caption, std::string_view prompt,
                                        std::string_view defaultText) override;
    std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseOpenFile(const FileDialogRequest& request) override;
    void setWaitCursor(bool on) override;
    // A modal progress window (after a short delay), so the program paints while it works.
    void progress(std::string_view caption, int percent) override;
    ScreenSize screenSize() const override;
    void showPromotionMessage(std::string_view text, bool timed) override;

    // The session is ending and nobody will answer: from now on no box or dialog is shown,
    // and one that is open when the event loops end answers as unattendedAnswer says, not
    // as a box closed without a choice (which would drop an edit the editor asked about).
    void answerUnattended();
    // The boxes answered so since the last call, for the log.
    std::vector<UnshownBox> takeUnattendedBoxes();

    // Boxes are placed over this window (the main window once it exists).
    void setParentWindow(QWidget* window) { parent_ = window; }
    void setDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }
    void setPromotionWindow(PromotionWindow window) { promotion_ = std::move(window); }

  private:
    // Runs a dialog with the normal pointer, whatever wait cursor is on.
    void run(QDialog& dialog);
    std::optional<std::string> chooseFile(const FileDialogRequest& request, bool save);

    QWidget* parent_ = nullptr;
    DialogRunner runDialog_;
    PromotionWindow promotion_;
    int waitDepth_ = 0;
    std::unique_ptr<QProgressDialog> progress_;
    std::unique_ptr<UnattendedUserInterface> unattended_;
};

// A "DKS Files (*.dks)|*.dks|..." filter as a Qt name filter list ("DKS Files (*.dks
// *.DKS);;..."): each pattern in both cases, since file names on this system are matched
// with regard to case.
QString qtFileFilter(std::string_view filter);
// The extension a save dialog gives a name typed without one: the first pattern's of the
// filter ("tsv" for "Text|*.tsv;*.txt"), DKS when the filter names none.
QString defaultSuffixOf(std::string_view filter);

// The height of the title bar the window manager draws over a shown window; the style's
// title-bar height when the window has no frame yet (or no window manager draws one).
int captionBarHeight(const QWidget& shownWindow);

}  // namespace cardwise::gui
