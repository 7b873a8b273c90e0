#include "gui/platform/qt_help_viewer.h"

#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/platform/qt_scheme.h"

namespace cardwise::gui {
namespace {

constexpr const char* kContentsPage = "index.html";

// "qrc:/help/x.html" is the resource ":/help/x.html"; other roots are plain folders.
bool pageExists(const QString& root, const QString& name) {
    QString url = root + name;
    if (url.startsWith("qrc:")) return QFile::exists(url.mid(3));
    return QFile::exists(QUrl(url).toLocalFile());
}

}  // namespace

HelpWindow::HelpWindow(QString pageRoot, QWidget* parent)
    : QWidget(parent, Qt::Window), root_(std::move(pageRoot)) {
    setObjectName("HelpWindow");
    setWindowTitle("Cardwise Help");
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("HelpText");
    browser_->setOpenExternalLinks(true);
    auto* contents = new QPushButton("&Contents", this);
    contents->setObjectName("BBContents");
    back_ = new QPushButton("&Back", this);
    back_->setObjectName("BBBack");
    forward_ = new QPushButton("&Forward", this);
    forward_->setObjectName("BBForward");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
    resize(640, 520);
    applyScheme();
    // As any viewer window: Escape puts it away.
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);

    connect(contents, &QPushButton::clicked, this, [this] { showPage(kContentsPage); });
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::historyChanged, this, &HelpWindow::updateButtons);
    updateButtons();
}

void HelpWindow::showPage(const QString& name) {
    QString page = pageExists(root_, name) ? name : QString(kContentsPage);
    browser_->setSource(QUrl(root_ + page));
    updateButtons();
}

// Headings, table headers and notes take their colours from the desktop's scheme, so a
// dark scheme shows them readable too.
void HelpWindow::applyScheme() {
    const QString sheet = QString::fromStdString(helpStyleSheet(schemeColoursOf(palette())));
    if (sheet == browser_->document()->defaultStyleSheet()) return;
    browser_->document()->setDefaultStyleSheet(sheet);
    if (!browser_->source().isEmpty()) browser_->reload();
}

void HelpWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) applyScheme();
}

QUrl HelpWindow::currentPage() const {
    return browser_->source();
}

void HelpWindow::updateButtons() {
    back_->setEnabled(browser_->isBackwardAvailable());
    forward_->setEnabled(browser_->isForwardAvailable());
}

QtHelpViewer::~QtHelpViewer() {
    delete window_;
}

void QtHelpViewer::show(const QString& page) {
    if (window_ == nullptr) window_ = new HelpWindow(root_);
    window_->showPage(page);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void QtHelpViewer::showContents() {
    show(kContentsPage);
}

void QtHelpViewer::showTopic(int topic) {
    show(QString("topic-%1.html").arg(topic));
}

void QtHelpViewer::showHelpOnHelp() {
    show("help-on-help.html");
}

}  // namespace cardwise::gui
