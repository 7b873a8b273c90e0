#include "gui/drill/drill_media_buttons.h"

#include <QHBoxLayout>
#include <QToolButton>

#include "gui/media/drawn_icon.h"

namespace cardwise::gui {

DrillMediaButtons::DrillMediaButtons(const char* name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    struct PlayerButton {
        const char* name;
        MediaButton button;
        DrawnSymbol symbol;
    };
    for (const PlayerButton& b : {PlayerButton{"Play", MediaButton::Play, DrawnSymbol::Play},
                                  PlayerButton{"Pause", MediaButton::Pause, DrawnSymbol::Pause},
                                  PlayerButton{"Stop", MediaButton::Stop, DrawnSymbol::Stop}}) {
        auto* button = new QToolButton(this);
        button->setObjectName(b.name);
        button->setIcon(drawnIcon(b.symbol));
        // The icon alone says nothing to a screen reader.
        button->setAccessibleName(tr(b.name));
        button->setAutoRaise(false);
        button->setEnabled(false);
        button->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(button);
        buttons_.push_back(button);
        const MediaButton pressed = b.button;
        connect(button, &QToolButton::clicked, this, [this, pressed] {
            if (media_ != nullptr) media_->buttonPressed(pressed);
            render();
        });
    }
}

void DrillMediaButtons::attach(MediaControl* media) {
    media_ = media;
    if (media_ != nullptr) media_->changed = [this] { render(); };
    render();
}

void DrillMediaButtons::render() {
    const MediaButtons enabled = media_ != nullptr ? media_->buttons() : MediaButtons{};
    buttons_[0]->setEnabled(enabled.play);
    buttons_[1]->setEnabled(enabled.pause);
    buttons_[2]->setEnabled(enabled.stop);
    emit videoShown(media_ != nullptr && media_->showsVideo());
}

}  // namespace cardwise::gui
