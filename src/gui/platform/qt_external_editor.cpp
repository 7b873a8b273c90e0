#include "gui/platform/qt_external_editor.h"

#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace cardwise::gui {
namespace {

// Neither Esc nor the window's close button ends the wait by accident: only the editor's
// end or the button does.
class WaitNote final : public QDialog {
  public:
    using QDialog::QDialog;
    void reject() override {}

  protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

// An editor the program no longer waits for keeps running: a QProcess kills its process
// when it is destroyed, so it is deleted only once the editor has ended. One still running
// when the program ends is left to run.
void letRun(std::unique_ptr<QProcess> process) {
    QProcess* running = process.release();
    QObject::connect(running, &QProcess::finished, running, &QObject::deleteLater);
}

}  // namespace

QtExternalEditor::QtExternalEditor(std::vector<std::string> command)
    : command_(std::move(command)) {}

FileResult QtExternalEditor::editAndWait(const std::string& path) {
    if (command_.empty()) return noEditorFound();
    const std::vector<std::string> argv = editorArguments(command_, path);
    auto process = std::make_unique<QProcess>();
    process->setProgram(QFile::decodeName(argv.front().c_str()));
    QStringList arguments;
    for (std::size_t i = 1; i < argv.size(); ++i) arguments << QFile::decodeName(argv[i].c_str());
    process->setArguments(arguments);
    // As a program started from a shell: a terminal editor uses the terminal the program
    // was started from.
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setInputChannelMode(QProcess::ForwardedInputChannel);
    process->start();
    if (!process->waitForStarted(-1)) {
        return FileResult::failure(argv.front() + ": " + process->errorString().toStdString());
    }

    WaitNote note(parent_.data());
    note.setObjectName(QStringLiteral("TextEditorWait"));
    note.setWindowTitle(QStringLiteral("Text Editor"));
    note.setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(&note);
    auto* text = new QLabel(QStringLiteral("Waiting For The Text Editor To Close %1 ...")
                                .arg(QFileInfo(QFile::decodeName(path.c_str())).fileName()),
                            &note);
    text->setObjectName(QStringLiteral("LWaiting"));
    layout->addWidget(text);
    auto* stop = new QPushButton(QStringLiteral("&Stop Waiting"), &note);
    stop->setObjectName(QStringLiteral("BBStopWaiting"));
    stop->setAutoDefault(false);
    stop->setToolTip(
        QStringLiteral("Go On Without Waiting: The Text Editor Stays Open, And Changes Saved "
                       "In It Later Take Effect When The Deck Is Opened Again."));
    layout->addWidget(stop);

    QEventLoop loop;
    QObject::connect(process.get(), &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(stop, &QPushButton::clicked, &loop, &QEventLoop::quit);
    note.show();
    // Also ends when the application quits (session end): every event loop ends then.
    if (process->state() != QProcess::NotRunning) loop.exec();
    note.hide();
    if (process->state() != QProcess::NotRunning) letRun(std::move(process));
    return {};
}

}  // namespace cardwise::gui
