#include <QAction>
#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/drill/core_drill_engine.h"
#include "core/drill/run_control.h"
#include "core/output/print_job.h"
#include "core/shell/app_settings.h"
#include "core/shell/deck_close.h"
#include "core/shell/deck_loader.h"
#include "gui/app/main_window.h"
#include "gui/drill/drill_windows.h"
#include "gui/media/qt_image_decoder.h"
#include "gui/output/print_dialog.h"
#include "gui/output/qt_printer.h"
#include "modal_wait.h"
#include "support/fakes.h"

using namespace cardwise;

namespace {

// Every side fails to read; counts the readings.
struct FailingEngine : CoreDrillEngine {
    int readings = 0;
    bool formatPairSide(Program&, std::string_view) override {
        ++readings;
        return false;
    }
};

// The desktop's printing over the example deck, with scripted boxes.
struct PrintHarness : NoFrontEnd {
    cardwise::testing::ScriptedUserInterface ui;
    cardwise::testing::FixedClock clock;
    cardwise::testing::SeededRandom random;
    LocalFileSystem files;
    cardwise::testing::TempDir decks;
    cardwise::testing::TempDir programFolder;
    cardwise::testing::TempDir output;
    cardwise::testing::RecordingClipboard clipboard;
    cardwise::testing::RecordingHelpViewer help;
    NoExternalEditor editor;
    gui::QtImageDecoder images;
    NoMediaPlayer media;
    gui::QtPrinter printer;
    Program program{Platform{.ui = ui,
                             .clock = clock,
                             .random = random,
                             .files = files,
                             .clipboard = clipboard,
                             .editor = editor,
                             .help = help,
                             .images = images,
                             .media = media,
                             .printer = printer}};
    CoreDrillEngine engine;
    DrillController controller{program, engine};
    gui::DrillWindows windows{program, controller};

    PrintHarness() {
        program.programDirectory = programFolder.path();
        programFolder.write(std::string(kPortableMarkerFileName), "");
        locateAppSettings(program, std::nullopt);
        program.attachFrontEnd(*this);
        printer.bind(program, engine, controller, &windows, nullptr);
        const std::filesystem::path examples =
            std::filesystem::path(CARDWISE_SOURCE_DIR) / "examples";
        for (const auto& entry : std::filesystem::directory_iterator(examples)) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::stringstream bytes;
            bytes << in.rdbuf();
            decks.write(entry.path().filename().string(), bytes.str());
        }
        program.deck.QAFileName = decks.file("CRDWSE50.DKS");
        InitDKSFile(program);
    }
    ~PrintHarness() override { FileExitQAClick(program); }

    void RunDKSFile() override {
        controller.start();
        windows.sync();
    }
    void closeDrillWindows() override { controller.hideWindows(); }

    QString pdf(const char* name) const { return QString::fromStdString(output.file(name)); }

    // A whole job of these choices into a PDF file.
    void printToPdf(const char* name, PrintStyle style, CardSize size, bool twoPasses) {
        PrintChoices choices;
        choices.style = style;
        choices.size = size;
        choices.twoPasses = twoPasses;
        choices.range = PrintRange::All;
        if (twoPasses && style != PrintStyle::TextTable) {
            ui.expectBox({std::string(kTwoPassCaption), twoPassWarningText(), Icon::Information,
                          Buttons::OkCancel});
            ui.expectBox({std::string(kAnswerPassCaption), answerPassText(), Icon::Warning,
                          Buttons::OkCancel});
        }
        printer.printToPdf(pdf(name));
        runPrintJob(program, choices, printer.pageDevice());
    }
};

// The first of poppler's tools that read the PDF files back which this machine lacks.
QString missingPopplerTool() {
    for (const char* tool : {"pdfinfo", "pdftotext", "pdfimages"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return QString::fromLatin1(tool);
    }
    return {};
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000)) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pageCount(const QString& pdf) {
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    for (const QString& line : info.split('\n')) {
        if (line.startsWith(QStringLiteral("Pages:"))) return line.mid(6).trimmed().toInt();
    }
    return -1;
}

QString pdfText(const QString& pdf) {
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

int imageCount(const QString& pdf) {
    const QStringList lines = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                                  .split('\n', Qt::SkipEmptyParts);
    return static_cast<int>(lines.size()) - 2;  // two heading lines
}

// Pictures for a person to look at, when CARDWISE_SHOTS names a folder.
QString shotsFolder() {
    return qEnvironmentVariable("CARDWISE_SHOTS");
}

void pageShot(const QString& pdf, int page, const QString& name) {
    if (shotsFolder().isEmpty()) return;
    const QString base = QDir(shotsFolder()).filePath(name);
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-f"),
         QString::number(page), QStringLiteral("-l"), QString::number(page),
         QStringLiteral("-singlefile"), pdf, base});
}

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT
    gui::testing::FakeFailureMark failures_;

  private slots:
    void init() { failures_ = gui::testing::FakeFailureMark(); }
    void cleanup() { QVERIFY(!failures_.failedSince()); }

    void tablePrintsEveryPairWithItsTextsInOrder() {
        if (const QString tool = missingPopplerTool(); !tool.isEmpty())
            QSKIP(qPrintable("needs poppler's " + tool + " (poppler-utils)"));
        PrintHarness h;
        QVERIFY(h.program.deck.PairCount == 47);
        const std::int32_t pair = h.program.deck.CurrentPair;
        h.printToPdf("table.pdf", PrintStyle::TextTable, CardSize::TwoByTwo, false);
        const QString file = h.pdf("table.pdf");
        QVERIFY(QFile::exists(file));
        const int pages = pageCount(file);
        QVERIFY2(pages >= 2 && pages <= 10, qPrintable(QString::number(pages)));
        const QString text = pdfText(file);
        QVERIFY(text.contains("CRDWSE50.DKS"));
        QVERIFY(text.contains("Q&A Table"));
        QVERIFY(text.contains("What is the capital of Australia?"));
        QVERIFY(text.contains("Canberra"));
        QVERIFY(text.indexOf("Australia") < text.indexOf("South America"));
        // The heading row comes back on every page.
        QCOMPARE(text.count(QRegularExpression("Pair\\s+Question\\s+Answer")), pages);
        QCOMPARE(h.clipboard.texts.empty(), false);
        pageShot(file, 1, "print-table");
        // The drill is as it was: the question window is back.
        QVERIFY(h.windows.questionWindow()->isVisible());
        QCOMPARE(h.program.deck.CurrentPair, pair);
    }

    void twoPassTextCardsGoToOneFilePerPass() {
        if (const QString tool = missingPopplerTool(); !tool.isEmpty())
            QSKIP(qPrintable("needs poppler's " + tool + " (poppler-utils)"));
        PrintHarness h;
        h.printToPdf("cards.pdf", PrintStyle::TextCards, CardSize::TwoByTwo, true);
        const QString front = h.pdf("cards-pass1.pdf");
        const QString back = h.pdf("cards-pass2.pdf");
        QVERIFY(QFile::exists(front));
        QVERIFY(QFile::exists(back));
        QVERIFY(!QFile::exists(h.pdf("cards.pdf")));
        QCOMPARE(pageCount(front), 12);  // four pairs a sheet
        QCOMPARE(pageCount(back), 12);
        const QString questions = pdfText(front);
        const QString answers = pdfText(back);
        QVERIFY(questions.contains("What is the capital of Australia?"));
        QVERIFY(!questions.contains("Canberra"));
        QVERIFY(answers.contains("Canberra"));
        QVERIFY(!answers.contains("What is the capital of Australia?"));
        QCOMPARE(h.ui.captions(),
                 (std::vector<std::string>{"Print Entire Deck", "Continue With Answer Pass"}));
        pageShot(front, 1, "print-cards1-pass1");
        pageShot(back, 1, "print-cards1-pass2");
    }

    void graphicsCardsCarryPicturesOfTheDrillWindows() {
        if (const QString tool = missingPopplerTool(); !tool.isEmpty())
            QSKIP(qPrintable("needs poppler's " + tool + " (poppler-utils)"));
        PrintHarness h;
        const std::string screen = h.controller.question().caption;
        h.printToPdf("graphics.pdf", PrintStyle::GraphicsCards, CardSize::TwoByThree, false);
        const QString file = h.pdf("graphics.pdf");
        QCOMPARE(pageCount(file), 16);  // three pairs a page
        QVERIFY2(imageCount(file) >= 88, qPrintable(QString::number(imageCount(file))));
        QCOMPARE(h.controller.question().caption, screen);
        QVERIFY(h.windows.questionWindow()->isVisible());
        pageShot(file, 1, "print-graphics2");
    }

    void dialogShowsEveryControlAndAppliesItsRules() {
        PrintHarness h;
        gui::PrintDialog& dialog = h.printer.dialog();
        dialog.load("");
        QCOMPARE(dialog.objectName(), QString("TFWFPrint"));
        QCOMPARE(dialog.windowTitle(), QString("Cardwise Print"));
        QCOMPARE(dialog.findChild<QLabel*>("Label1")->text(),
                 QString("Please Read Help Info Before Using For First Time"));
        const std::vector<std::pair<const char*, const char*>> radios{
            {"RGStyleItem0", "&Text-only Table"},
            {"RGStyleItem1", "Text-only &Cards"},
            {"RGStyleItem2", "&Graphics Cards"},
            {"RGPrintRangeItem0", "&All"},
            {"RGPrintRangeItem1", "&Use Current Range"},
            {"RGPrintRangeItem2", "&Single Test Sheet"},
            {"RGCardOptionsItem0", "Print &One Side (1-pass)"},
            {"RGCardOptionsItem1", "Print &Both Sides (2-pass)"},
            {"RGSizeItem0", "&1 x 2 (Portrait)"},
            {"RGSizeItem1", "&2 x 2 (Landscape)"},
            {"RGSizeItem2", "2 x &3 (Landscape)"}};
        for (const auto& [name, caption] : radios) {
            auto* radio = dialog.findChild<QRadioButton*>(name);
            QVERIFY2(radio, name);
            QCOMPARE(radio->text(), QString(caption));
        }
        QVERIFY(dialog.findChild<QRadioButton*>("RGStyleItem0")->isChecked());
        QVERIFY(dialog.findChild<QRadioButton*>("RGPrintRangeItem2")->isChecked());
        QVERIFY(dialog.findChild<QRadioButton*>("RGSizeItem1")->isChecked());
        QVERIFY(!dialog.findChild<QGroupBox*>("RGCardOptions")->isEnabled());
        auto* margin = dialog.findChild<QLineEdit*>("EBottomMargin");
        QCOMPARE(margin->text(), QString("1.5"));
        QCOMPARE(dialog.findChild<QLabel*>("Label2")->text(), QString("Bottom Margin (in):"));
        QVERIFY(dialog.findChild<QLineEdit*>("ECopies")->isHidden());
        QCOMPARE(dialog.findChild<QPushButton*>("BitBtn4")->text(), QString("&Setup"));
        QVERIFY(dialog.findChild<QPushButton*>("BitBtn1")->isDefault());

        dialog.show();
        margin->clear();
        QTest::keyClicks(margin, "7");
        QCOMPARE(margin->text(), QString("1.5"));
        margin->clear();
        QTest::keyClicks(margin, ".55");
        QCOMPARE(margin->text(), QString(".55"));
        QTest::mouseClick(dialog.findChild<QRadioButton*>("RGStyleItem1"), Qt::LeftButton);
        QVERIFY(dialog.findChild<QGroupBox*>("RGCardOptions")->isEnabled());
        QVERIFY(!margin->isEnabled());
        QTest::mouseClick(dialog.findChild<QPushButton*>("BitBtn3"), Qt::LeftButton);
        QCOMPARE(h.help.shown, std::vector<int>{11});
        if (!shotsFolder().isEmpty()) {
            dialog.grab().save(QDir(shotsFolder()).filePath("print-dialog.png"));
        }
        dialog.hide();

        // OK remembers the choices; Cancel prints nothing.
        gui::testing::whenModal<gui::PrintDialog>([](gui::PrintDialog* dialog) {
            auto* style = dialog->findChild<QRadioButton*>("RGStyleItem1");
            QTest::mouseClick(style, Qt::LeftButton);
            dialog->findChild<QLineEdit*>("EBottomMargin")->setText("0.5");
            QTest::mouseClick(dialog->findChild<QRadioButton*>("RGCardOptionsItem1"),
                              Qt::LeftButton);
            QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn2"), Qt::LeftButton);
        });
        QVERIFY(!h.printer.showPrintDialog("").has_value());
        h.printer.printToPdf(h.pdf("ok.pdf"));  // somewhere for OK to print to
        gui::testing::whenModal<gui::PrintDialog>([](gui::PrintDialog* dialog) {
            dialog->findChild<QRadioButton*>("RGPrintRangeItem0")->click();
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        const auto settings = h.printer.showPrintDialog("02111503");
        QVERIFY(settings.has_value());
        QCOMPARE(QString::fromStdString(*settings), QString("00111503"));
    }

    void withoutAPrinterOkWaitsAndPdfAsksForTheFile() {
        if (const QString tool = missingPopplerTool(); !tool.isEmpty())
            QSKIP(qPrintable("needs poppler's " + tool + " (poppler-utils)"));
        PrintHarness h;
        // Nowhere to print to, whatever printers this machine has.
        h.printer.printer().setOutputFormat(QPrinter::PdfFormat);
        h.printer.printer().setOutputFileName(QString());
        QVERIFY(!h.printer.printerReady());
        const QString chosen = h.pdf("chosen.pdf");
        bool okEnabled = true;
        QString note;
        QString proposed;
        gui::testing::whenModal<gui::PrintDialog>([&](gui::PrintDialog* dialog) {
            okEnabled = dialog->findChild<QPushButton*>("BitBtn1")->isEnabled();
            auto* label = dialog->findChild<QLabel*>("PrinterNote");
            if (label->isVisible()) note = label->text();
            QTest::keyClick(dialog, Qt::Key_Return);  // a disabled OK prints nothing
            gui::testing::whenModal<QFileDialog>([&](QFileDialog* files) {
                proposed = QFileInfo(files->selectedFiles().value(0)).fileName();
                files->selectFile(chosen);
                QMetaObject::invokeMethod(files, "accept");
            });
            dialog->findChild<QPushButton*>("BBPdf")->click();
        });
        PrintPairsClick(h.program);
        QVERIFY(!okEnabled);
        QCOMPARE(note, QString::fromStdString(std::string(kNoPrinterNote)));
        QCOMPARE(proposed, QString("CRDWSE50.pdf"));
        QCOMPARE(pageCount(chosen), 1);      // the single test sheet
        QVERIFY(!h.printer.printerReady());  // the PDF was for that job only
        QVERIFY(h.ui.boxes.empty());
    }

    void longJobsCanBeCancelledAndLeaveTheDrillAsItWas() {
        if (const QString tool = missingPopplerTool(); !tool.isEmpty())
            QSKIP(qPrintable("needs poppler's " + tool + " (poppler-utils)"));
        PrintHarness h;
        const std::int32_t pair = h.program.deck.CurrentPair;
        bool cancelled = false;
        gui::testing::whenModal<QProgressDialog>([&](QProgressDialog* progress) {
            cancelled = true;
            progress->cancel();
        });
        h.printToPdf("cancelled.pdf", PrintStyle::TextCards, CardSize::OneByTwo, false);
        const int pages = pageCount(h.pdf("cancelled.pdf"));
        QVERIFY(cancelled);
        QVERIFY2(pages >= 1 && pages < 47, qPrintable(QString::number(pages)));
        QCOMPARE(h.program.deck.CurrentPair, pair);
        QVERIFY(!h.program.drill.JumpingToPair);
        QVERIFY(h.windows.questionWindow()->isVisible());
    }

    void aSideThatCannotBeReadIsReportedOncePerJob() {
        PrintHarness h;
        FailingEngine failing;
        gui::CaptureEngine engine(failing);
        QVERIFY(!engine.formatPairSide(h.program, "Q"));
        QVERIFY(!engine.formatPairSide(h.program, "Q"));
        QCOMPARE(failing.readings, 1);
        QVERIFY(!engine.formatPairSide(h.program, "A"));
        QCOMPARE(failing.readings, 2);
        engine.forget();
        QVERIFY(!engine.formatPairSide(h.program, "Q"));
        QCOMPARE(failing.readings, 3);
    }

    void mainWindowPrintOpensTheDialogAndRemembersItsChoices() {
        if (const QString tool = missingPopplerTool(); !tool.isEmpty())
            QSKIP(qPrintable("needs poppler's " + tool + " (poppler-utils)"));
        PrintHarness h;
        gui::MainWindow main(h.program,
                             gui::MainWindowServices{&h.controller, BuiltParts{.printing = true}});
        main.render();
        QAction* print = main.action("PrintPairs");
        QVERIFY(print && print->isEnabled());
        bool shown = false;
        gui::testing::whenModal<gui::PrintDialog>([&](gui::PrintDialog* dialog) {
            shown = dialog == &h.printer.dialog();
            dialog->findChild<QRadioButton*>("RGPrintRangeItem0")->click();
            dialog->findChild<QPushButton*>("BitBtn2")->click();
        });
        print->trigger();
        QVERIFY(shown);
        QVERIFY(h.program.PrintSettings.empty());  // cancelled
        h.printer.printToPdf(h.pdf("menu.pdf"));
        bool printed = false;
        gui::testing::whenModal<gui::PrintDialog>([&](gui::PrintDialog* dialog) {
            printed = true;
            dialog->findChild<QPushButton*>("BitBtn1")->click();
        });
        print->trigger();
        QVERIFY(printed);
        QCOMPARE(QString::fromStdString(h.program.PrintSettings), QString("02011501"));
        QCOMPARE(pageCount(h.pdf("menu.pdf")), 1);
    }

    void previewShowsThePagesWithoutPrinting() {
        PrintHarness h;
        gui::PrintDialog& dialog = h.printer.dialog();
        dialog.load("00201502");
        bool seen = false;
        gui::testing::whenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
            seen = true;
            preview->resize(900, 700);
            QApplication::processEvents();
            if (!shotsFolder().isEmpty())
                preview->grab().save(QDir(shotsFolder()).filePath("print-preview.png"));
            preview->reject();
        });
        dialog.findChild<QPushButton*>("BBPreview")->click();
        QVERIFY(seen);
        QVERIFY(h.windows.questionWindow()->isVisible());

        // Landscape cards in two passes: both passes in one preview, on landscape pages.
        dialog.load("10111502");
        int pages = 0;
        bool landscape = false;
        gui::testing::whenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
            if (auto* view = preview->findChild<QPrintPreviewWidget*>()) {
                pages = view->pageCount();
                landscape = view->orientation() == QPageLayout::Landscape;
            }
            preview->reject();
        });
        dialog.findChild<QPushButton*>("BBPreview")->click();
        QCOMPARE(pages, 24);  // 12 sheets of questions, 12 of answers
        QVERIFY(landscape);
        QVERIFY(h.ui.boxes.empty());
    }
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
