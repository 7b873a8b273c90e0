#pragma once

#include <QString>
#include <QWidget>

#include "core/platform/help_viewer.h"

class QTextBrowser;
class QPushButton;

namespace cardwise::gui {

// A window with this property (an int) has a help topic of its own: F1 there opens that
// topic instead of the contents.
inline constexpr char kHelpTopicProperty[] = "cardwiseHelpTopic";

// The help window: the pages compiled in as resources, with Contents, Back and Forward.
class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    // pageRoot is where the pages are, "qrc:/help/" in the program.
    explicit HelpWindow(QString pageRoot, QWidget* parent = nullptr);

    // Shows the page of that name (e.g. "topic-19.html"), or the contents page when the
    // program has no such page.
    void showPage(const QString& name);
    QUrl currentPage() const;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void updateButtons();
    void applyScheme();

    QString root_;
    QTextBrowser* browser_;
    QPushButton* back_;
    QPushButton* forward_;
};

class QtHelpViewer : public HelpViewer {
  public:
    explicit QtHelpViewer(QString pageRoot = "qrc:/help/") : root_(std::move(pageRoot)) {}
    ~QtHelpViewer() override;

    void showContents() override;
    void showTopic(int topic) override;
    void showHelpOnHelp() override;

    // Null until help was first asked for.
    HelpWindow* window() const { return window_; }

  private:
    void show(const QString& page);

    QString root_;
    HelpWindow* window_ = nullptr;
};

}  // namespace cardwise::gui
