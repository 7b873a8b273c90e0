#include "gui/dialogs/options_pages/options_colours_page.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/drill/drill_look.h"
#include "gui/platform/qt_text.h"

namespace cardwise::gui {
namespace {

using options_widgets::button;

QColor qColour(Colour c) {
    return QColor(c.r, c.g, c.b);
}

Colour colourOf(const QColor& c) {
    return Colour{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                  static_cast<std::uint8_t>(c.blue())};
}

// Qt's font dialog has no colour: the colour control sits beside it.
class FontColourDialog : public QDialog {
  public:
    FontColourDialog(const QFont& font, const QColor& colour, QWidget* parent)
        : QDialog(parent), colour_(colour) {
        setObjectName("FontDialog1");
        setWindowTitle(tr("Font"));
        auto* layout = new QVBoxLayout(this);
        fonts_ = new QFontDialog(font, this);
        fonts_->setWindowFlags(Qt::Widget);
        fonts_->setOptions(QFontDialog::NoButtons);
        layout->addWidget(fonts_);
        auto* row = new QHBoxLayout;
        swatch_ = new QLabel(this);
        swatch_->setFixedSize(40, 20);
        swatch_->setFrameStyle(QFrame::Box | QFrame::Plain);
        swatch_->setAutoFillBackground(true);
        auto* pick = button(this, "FontColour", "Font &Colour...");
        row->addWidget(new QLabel(tr("Colour:"), this));
        row->addWidget(swatch_);
        row->addWidget(pick);
        row->addStretch(1);
        layout->addLayout(row);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        layout->addWidget(buttons);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(pick, &QPushButton::clicked, this, [this] {
            const QColor chosen = QColorDialog::getColor(colour_, this);
            if (chosen.isValid()) {
                colour_ = chosen;
                showColour();
            }
        });
        showColour();
    }
    QFont font() const { return fonts_->currentFont(); }
    QColor colour() const { return colour_; }

  private:
    void showColour() {
        QPalette palette = swatch_->palette();
        palette.setColor(QPalette::Window, colour_);
        swatch_->setPalette(palette);
    }
    QFontDialog* fonts_ = nullptr;
    QLabel* swatch_ = nullptr;
    QColor colour_;
};

}  // namespace

OptionsColoursPage::OptionsColoursPage(OptionsDialog& model, QWidget* parent)
    : OptionsTab(parent), model_(model) {
    auto* layout = new QVBoxLayout(this);
    auto add = [&](const char* name, std::string_view caption) {
        QPushButton* b = button(this, name, caption);
        layout->addWidget(b);
        return b;
    };
    QPushButton* mainColour = add("BitBtnMWColor", "Set &Main Window Color");
    QPushButton* questionColour = add("BitBtnQColor", "&Set Question Background Color");
    QPushButton* answerColour = add("BitAColor", "S&et Answer Background Color");
    QPushButton* questionFont = add("BitBtnQFont", "Set &Font For Questions");
    QPushButton* answerFont = add("BitBtnAFont", "Set F&ont For Answers");
    layout->addStretch(1);
    connect(mainColour, &QPushButton::clicked, this, [this] {
        chooseColour(model_.mainWindowColour(), &OptionsDialog::setMainWindowColour);
    });
    connect(questionColour, &QPushButton::clicked, this, [this] {
        chooseColour(model_.questionBackground(), &OptionsDialog::setQuestionBackground);
    });
    connect(answerColour, &QPushButton::clicked, this, [this] {
        chooseColour(model_.answerBackground(), &OptionsDialog::setAnswerBackground);
    });
    connect(questionFont, &QPushButton::clicked, this, [this] { chooseFont(true); });
    connect(answerFont, &QPushButton::clicked, this, [this] { chooseFont(false); });
}

// Qt's colour dialog offers no way to forbid defining custom colours, which only the main
// window's colour would allow.
void OptionsColoursPage::chooseColour(Colour current, void (OptionsDialog::*store)(Colour)) {
    QColorDialog dialog(qColour(current), window());
    dialog.setObjectName("ColorDialog1");
    if (dialog.exec() != QDialog::Accepted) return;
    (model_.*store)(colourOf(dialog.selectedColor()));
    emit lookChanged();
}

void OptionsColoursPage::chooseFont(bool question) {
    const FontChoice current = question ? model_.questionFont() : model_.answerFont();
    TextLook look;
    look.fontName = current.name;
    look.fontSize = current.size;
    look.fontStyle = current.style;
    QFont preset = fontOf(look, window()->font());
    preset.setFamily(fromDeckText(current.name));
    // A font this system lacks is preset as the one drawn in its place, which the dialog
    // lists, with its style; the dialog would otherwise fall back to a plain default.
    const QString shown = QFontInfo(preset).family();
    preset.setFamily(shown);
    FontColourDialog dialog(preset, qColour(Colour::fromStored(current.colour)), window());
    if (dialog.exec() != QDialog::Accepted) return;
    const QFont chosen = dialog.font();
    FontChoice font;
    const std::optional<std::string> family = toDeckText(chosen.family());
    font.name = family ? chosenFontName(current.name, toDeckText(shown).value_or(""), *family)
                       : current.name;
    font.size = chosen.pointSize() > 0 ? chosen.pointSize() : current.size;
    font.style = FontStyle{chosen.bold(), chosen.italic(), chosen.underline(), chosen.strikeOut()};
    font.colour = colourOf(dialog.colour()).stored();
    if (question)
        model_.setQuestionFont(font);
    else
        model_.setAnswerFont(font);
    emit lookChanged();
}

}  // namespace cardwise::gui
