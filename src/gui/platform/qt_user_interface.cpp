#include "gui/platform/qt_user_interface.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QStyle>

#include "gui/platform/qt_text.h"

namespace cardwise::gui {
namespace {

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
        case Icon::Error:
            return QMessageBox::Critical;
        case Icon::Warning:
            return QMessageBox::Warning;
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Question:
            return QMessageBox::Question;
        case Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonSet {
    std::vector<std::pair<QMessageBox::StandardButton, Button>> buttons;
    Button closed;  // the answer of a box closed without a choice
};

ButtonSet buttonSet(Buttons buttons) {
    using QB = QMessageBox;
    switch (buttons) {
        case Buttons::OkCancel:
            return {{{QB::Ok, Button::Ok}, {QB::Cancel, Button::Cancel}}, Button::Cancel};
        case Buttons::YesNo:
            return {{{QB::Yes, Button::Yes}, {QB::No, Button::No}}, Button::No};
        case Buttons::YesNoCancel:
            return {{{QB::Yes, Button::Yes}, {QB::No, Button::No}, {QB::Cancel, Button::Cancel}},
                    Button::Cancel};
        case Buttons::Ok:
            break;
    }
    return {{{QB::Ok, Button::Ok}}, Button::Ok};
}

}  // namespace

QtUserInterface::QtUserInterface() : runDialog_([](QDialog& dialog) { dialog.exec(); }) {}

void QtUserInterface::run(QDialog& dialog) {
    if (waitDepth_ > 0) QApplication::setOverrideCursor(Qt::ArrowCursor);
    runDialog_(dialog);
    if (waitDepth_ > 0) QApplication::restoreOverrideCursor();
}

void QtUserInterface::answerUnattended() {
    if (!unattended_) unattended_ = std::make_unique<UnattendedUserInterface>();
}

std::vector<UnshownBox> QtUserInterface::takeUnattendedBoxes() {
    if (!unattended_) return {};
    std::vector<UnshownBox> boxes = unattended_->boxes();
    unattended_ = std::make_unique<UnattendedUserInterface>();
    return boxes;
}

Button QtUserInterface::messageBox(std::string_view caption, std::string_view text, Icon icon,
                                   Buttons buttons) {
    if (unattended_) return unattended_->messageBox(caption, text, icon, buttons);
    QMessageBox box(parent_);
    box.setObjectName("MessageBox");
    box.setWindowTitle(fromMessage(caption));
    box.setText(fromMessage(text));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(qtIcon(icon));
    ButtonSet set = buttonSet(buttons);
    QAbstractButton* escape = nullptr;
    for (const auto& [standard, answer] : set.buttons) {
        QPushButton* button = box.addButton(standard);
        // The first button is the default, as Enter presses it on the system's boxes.
        if (box.defaultButton() == nullptr) box.setDefaultButton(button);
        if (answer == set.closed) escape = button;
    }
    box.setEscapeButton(escape);
    run(box);
    // The box ended with the event loops: the session is over, nobody chose.
    if (unattended_) return unattended_->messageBox(caption, text, icon, buttons);
    QAbstractButton* clicked = box.clickedButton();
    for (const auto& [standard, answer] : set.buttons) {
        if (clicked != nullptr && clicked == box.button(standard)) return answer;
    }
    return set.closed;
}

std::optional<std::string> QtUserInterface::inputBox(std::string_view caption,
                                                     std::string_view prompt,
                                                     std::string_view defaultText) {
    QString entry = fromDeckText(defaultText);
    for (;;) {
        if (unattended_) return std::nullopt;
        QInputDialog dialog(parent_);
        dialog.setObjectName("InputBox");
        dialog.setWindowTitle(fromMessage(caption));
        dialog.setLabelText(fromMessage(prompt));
        dialog.setTextValue(entry);
        run(dialog);
        if (unattended_ || dialog.result() != QDialog::Accepted) return std::nullopt;
        entry = dialog.textValue();
        QString refusal;
        std::optional<std::string> text = toDeckText(entry, &refusal);
        if (text) return text;
        message(kAppTitle, refusal.toStdString(), Icon::Warning);
    }
}


std::optional<std::string> QtUserInterface::chooseFile(const FileDialogRequest& request,
                                                       bool save) {
    if (unattended_) return std::nullopt;
    QFileDialog dialog(parent_, QString::fromStdString(request.title),
                       fromFileName(request.directory));
    dialog.setObjectName(save ? "SaveDialog" : "OpenDialog");
    dialog.setNameFilters(qtFileFilter(request.filter).split(";;"));
    // A name typed without an extension gets the first one the filter offers.
    dialog.setDefaultSuffix(defaultSuffixOf(request.filter));
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The deck commands ask about an existing file in their own words.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    run(dialog);
    if (unattended_ || dialog.result() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return toFileName(dialog.selectedFiles().first());
}

std::optional<std::string> QtUserInterface::chooseSaveFile(const FileDialogRequest& request) {
    return chooseFile(request, true);
}

std::optional<std::string> QtUserInterface::chooseOpenFile(const FileDialogRequest& request) {
    return chooseFile(request, false);
}

void QtUserInterface::setWaitCursor(bool on) {
    if (on) {
        ++waitDepth_;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (waitDepth_ > 0) {
        --waitDepth_;
        QApplication::restoreOverrideCursor();
    }
}

void QtUserInterface::progress(std::string_view caption, int percent) {
    if (percent < 0) {
        progress_.reset();
        return;
    }
    if (unattended_) return;
    if (!progress_) {
        progress_ = std::make_unique<QProgressDialog>(parent_);
        progress_->setWindowTitle(fromDeckText(caption));
        progress_->setLabelText(fromDeckText(caption));
        progress_->setCancelButton(nullptr);
        progress_->setWindowModality(Qt::ApplicationModal);
        progress_->setMinimumDuration(400);
        progress_->setRange(0, 100);
        progress_->setAutoClose(false);
        progress_->setAutoReset(false);
    }
    // Modal, so setting the value lets the program paint and nothing else.
    progress_->setValue(percent);
}

ScreenSize QtUserInterface::screenSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {};
    QSize size = screen->size();
    return ScreenSize{size.width(), size.height()};
}

void QtUserInterface::showPromotionMessage(std::string_view text, bool timed) {
    if (unattended_) return;
    if (promotion_) {
        promotion_(fromMessage(text), timed);
    } else {
        UserInterface::showPromotionMessage(text, timed);
    }
}

QString defaultSuffixOf(std::string_view filter) {
    const QStringList parts = QString::fromStdString(std::string(filter)).split('|');
    if (parts.size() < 2) return QStringLiteral("DKS");
    const QString pattern = parts[1].split(';').first();
    const qsizetype dot = pattern.lastIndexOf('.');
    if (dot < 0 || pattern.mid(dot + 1).contains('*')) return QStringLiteral("DKS");
    return pattern.mid(dot + 1).toUpper() == "DKS" ? QStringLiteral("DKS") : pattern.mid(dot + 1);
}

QString qtFileFilter(std::string_view filter) {
    QStringList parts = QString::fromStdString(std::string(filter)).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        qsizetype open = name.lastIndexOf('(');
        if (open > 0 && name.endsWith(')')) name = name.left(open).trimmed();
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
            for (const QString& cased : {pattern.toLower(), pattern.toUpper()}) {
                if (!patterns.contains(cased)) patterns << cased;
            }
        }
        filters << name + " (" + patterns.join(' ') + ")";
    }
    return filters.join(";;");
}

int captionBarHeight(const QWidget& shownWindow) {
    int measured = shownWindow.geometry().top() - shownWindow.frameGeometry().top();
    if (measured > 0) return measured;
    return shownWindow.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &shownWindow);
}

}  // namespace cardwise::gui
