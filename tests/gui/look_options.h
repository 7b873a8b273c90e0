#pragma once

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QStringList>

namespace cardwise::testing {

// The colours of a dark desktop scheme, for looking at windows as such a desktop shows them.
inline QPalette darkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(45, 45, 48));
    p.setColor(QPalette::WindowText, QColor(230, 230, 230));
    p.setColor(QPalette::Base, QColor(30, 30, 32));
    p.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
    p.setColor(QPalette::Text, QColor(230, 230, 230));
    p.setColor(QPalette::Button, QColor(55, 55, 58));
    p.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    p.setColor(QPalette::Highlight, QColor(61, 174, 233));
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Link, QColor(61, 174, 233));
    p.setColor(QPalette::ToolTipBase, QColor(55, 55, 58));
    p.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(130, 130, 130));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(130, 130, 130));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(130, 130, 130));
    return p;
}

// Takes --font-size PT and --dark from args (from index first on): the look of a desktop
// with a larger font or a dark scheme. Other arguments are left to the caller.
inline void applyLookOptions(const QStringList& args, qsizetype first) {
    for (qsizetype i = first; i < args.size(); ++i) {
        if (args[i] == "--font-size" && i + 1 < args.size()) {
            QFont font = QApplication::font();
            font.setPointSize(args[++i].toInt());
            QApplication::setFont(font);
        }
        if (args[i] == "--dark") {
            QApplication::setStyle("Fusion");
            QApplication::setPalette(darkPalette());
        }
    }
}

}  // namespace cardwise::testing
