#include "gui/output/qt_printer.h"

#include "core/media/picture_view.h"

#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

#include "core/drill/answer_view.h"
#include "core/drill/question_view.h"
#include "core/drill/run_control.h"
#include "core/output/print_job.h"
#include "core/program.h"
#include "gui/drill/answer_window.h"
#include "gui/drill/drill_windows.h"
#include "gui/drill/question_window.h"
#include "gui/output/print_dialog.h"
#include "gui/output/qt_page_device.h"
#include "gui/platform/qt_text.h"

namespace cardwise::gui {
namespace {

// Jobs of more cards than fit on a few pages show their progress and can be cancelled.
constexpr int kProgressAfterCards = 12;

PagePicture pictureOf(const QImage& grabbed) {
    const QImage image = grabbed.convertToFormat(QImage::Format_ARGB32);
    PagePicture picture;
    picture.width = image.width();
    picture.height = image.height();
    picture.pixels.resize(static_cast<std::size_t>(image.width()) *
                          static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        std::copy(row, row + image.width(),
                  picture.pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.width());
    }
    return picture;
}

// Shown without ever reaching the screen: laid out and painted, never placed before the
// user, its timer and media untouched.
QImage grabOffScreen(QWidget& window, const Rect& placement) {
    window.setAttribute(Qt::WA_DontShowOnScreen, true);
    window.resize(std::max(placement.width, 200), std::max(placement.height, 150));
    window.show();
    QImage image = window.grab().toImage();
    window.hide();
    return image;
}

}  // namespace

bool CaptureEngine::formatPairSide(Program& program, std::string_view side) {
    const auto key = std::make_pair(program.deck.CurrentPair, std::string(side));
    if (failed_.count(key) != 0) return false;
    const bool read = engine_.formatPairSide(program, side);
    if (!read) failed_.insert(key);
    return read;
}

QtPrinter::QtPrinter() = default;

// Made on the first print: a printer loads the print support plug-in and asks the print
// system for its printers, which a program that never prints need not wait for.
QPrinter& QtPrinter::printer() const {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

QtPrinter::~QtPrinter() = default;

void QtPrinter::bind(Program& program, DrillEngine& engine, DrillController& controller,
                     DrillWindows* windows, QWidget* parent) {
    program_ = &program;
    engine_ = std::make_unique<CaptureEngine>(engine);
    controller_ = &controller;
    windows_ = windows;
    parent_ = parent;
}

PrintDialog& QtPrinter::dialog() {
    if (!dialog_) {
        PrintDialog::Actions actions;
        actions.setup = [this] {
            QPrintDialog setup(&printer(), dialog_.get());
            setup.exec();
        };
        actions.preview = [this](const PrintChoices& choices) { preview(choices); };
        actions.choosePdfFile = [this] { return choosePdfFile(); };
        actions.printerReady = [this] { return printerReady(); };
        dialog_ = std::make_unique<PrintDialog>(program_->platform.help, std::move(actions),
                                                parent_.data());
    }
    return *dialog_;
}

bool QtPrinter::printerReady() const {
    // Set-up may have chosen a file to print to instead of a printer.
    if (printer().outputFormat() == QPrinter::PdfFormat) {
        return !printer().outputFileName().isEmpty();
    }
    return printer().isValid() && !QPrinterInfo::availablePrinterNames().isEmpty();
}

void QtPrinter::printToPdf(const QString& fileName) {
    toPdf_ = true;
    printer().setOutputFormat(QPrinter::PdfFormat);
    printer().setOutputFileName(fileName);
}

QString QtPrinter::choosePdfFile() {
    const QString suggested = fromDeckText(pdfFileForDeck(program_->deck.QAFileName));
    return QFileDialog::getSaveFileName(dialog_.get(), QStringLiteral("Print To PDF"), suggested,
                                        QStringLiteral("PDF Files (*.pdf)"));
}

std::optional<std::string> QtPrinter::showPrintDialog(std::string_view settings) {
    if (program_ == nullptr) return {};
    PrintDialog& d = dialog();
    const PrintDialog::Outcome outcome = d.run(settings);
    if (outcome == PrintDialog::Outcome::Cancelled) return {};
    if (outcome == PrintDialog::Outcome::Pdf) printToPdf(d.pdfFile());
    return d.settings();
}

PageDevice& QtPrinter::pageDevice() {
    if (!device_) device_ = std::make_unique<QtPageDevice>(printer());
    return *device_;
}

void QtPrinter::preview(const PrintChoices& choices) {
    QPrintPreviewDialog previewDialog(&printer(), dialog_.get());
    previewDialog.setObjectName(QStringLiteral("PrintPreview"));
    QObject::connect(&previewDialog, &QPrintPreviewDialog::paintRequested, &previewDialog,
                     [this, choices](QPrinter* target) {
                         QtPageDevice device(*target, true);
                         runPrintJob(*program_, choices, device, false);
                     });
    previewDialog.exec();
}

std::optional<PagePicture> QtPrinter::captureCard(bool question) {
    if (program_ == nullptr || controller_ == nullptr) return {};
    Program& program = *program_;
    DrillWindowsState state;
    // A printed card was never shown: its picture is looked up without a word.
    auto pictureOfSide = [&](const DrillWindowView& view) {
        return sidePicture(program, view, SideFiles::Unchecked);
    };
    QImage image;
    if (question) {
        QuestionView view;
        if (!buildQuestionView(program, *engine_, state, view, controller_->captionBarHeight()))
            return {};
        if (!questionCamera_) {
            questionCamera_ = std::make_unique<QuestionWindow>(*controller_, program.ui());
        }
        questionCamera_->render(view, true);
        questionCamera_->showPicture(pictureOfSide(view), view.pictureFit);
        image = grabOffScreen(*questionCamera_, view.placement);
    } else {
        AnswerView view;
        if (!buildAnswerView(program, *engine_, state, view, controller_->captionBarHeight()))
            return {};
        if (!answerCamera_) {
            answerCamera_ = std::make_unique<AnswerWindow>(
                *controller_, [](Rect requested) { return requested; });
        }
        answerCamera_->render(view);
        answerCamera_->showPicture(pictureOfSide(view), view.pictureFit);
        image = grabOffScreen(*answerCamera_, view.placement);
    }
    if (image.isNull()) return {};
    return pictureOf(image);
}

void QtPrinter::hideDrillWindows() {
    hidden_ = controller_ ? controller_->screen() : DrillScreen::None;
    if (windows_ && hidden_ != DrillScreen::None) windows_->hideWindow(hidden_);
}

void QtPrinter::showDrillWindow() {
    if (windows_ && hidden_ != DrillScreen::None) windows_->showWindow(hidden_, false);
    hidden_ = DrillScreen::None;
}

bool QtPrinter::progress(int done, int total) {
    if (total <= kProgressAfterCards) return true;
    if (!progress_) {
        progress_ = std::make_unique<QProgressDialog>(
            QStringLiteral("Printing..."), QStringLiteral("Cancel"), 0, total, parent_.data());
        progress_->setObjectName(QStringLiteral("PrintProgress"));
        progress_->setWindowTitle(QStringLiteral("Cardwise Print"));
        progress_->setWindowModality(Qt::ApplicationModal);
        progress_->setMinimumDuration(0);
    }
    progress_->setValue(done);
    QApplication::processEvents();
    return !progress_->wasCanceled();
}

void QtPrinter::jobEnded() {
    progress_.reset();
    if (device_) device_->finish();
    device_.reset();
    if (engine_) engine_->forget();
    if (toPdf_) {
        toPdf_ = false;
        printer().setOutputFileName(QString());
        printer().setOutputFormat(QPrinter::NativeFormat);
    }
}

}  // namespace cardwise::gui
