#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>

#include "core/editor/find.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace cardwise {
struct Program;
}

namespace cardwise::gui {

// TFFind: searches the open deck's stored pair texts and moves the editor to the pair
// found. Modeless and on top; it stays open after every search.
class FindDialog : public QDialog {
    Q_OBJECT
  public:
    // Runs a search of the buttons; the editor's controller takes it over.
    using Search = std::function<void(const FindState&, FindButton)>;

    // Without a search of its own the dialog runs the core's search on CurrentPair and
    // reports the pair found.
    explicit FindDialog(Program& program, QWidget* parent = nullptr);
    void setSearch(Search search) { search_ = std::move(search); }

    // The search text and direction as the buttons would hand them to the core; nothing
    // when the text holds a character decks cannot hold (the user has been told).
    std::optional<FindState> state();

  signals:
    // CurrentPair has become the pair found: the editor loads it.
    void pairFound(std::int32_t pair);

  private:
    void search(FindButton button);

    Program& program_;
    Search search_;
    QLineEdit* text_ = nullptr;
    QRadioButton* up_ = nullptr;
    QRadioButton* down_ = nullptr;
    QPushButton* find_ = nullptr;
    QPushButton* findNext_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace cardwise::gui
