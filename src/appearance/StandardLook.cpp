#include "appearance/StandardLook.h"

#include "appearance/DarkMode.h"

#include <QApplication>
#include <QStyle>

namespace scriblo {

QPalette StandardLook::palette(bool dark)
{
    if (!dark)
        return QApplication::style()->standardPalette();
    QPalette palette;
    const QColor window(0x2B, 0x2B, 0x2B);
    const QColor base(0x1F, 0x1F, 0x1F);
    const QColor text(0xE6, 0xE6, 0xE6);
    const QColor dimmed(0x8C, 0x8C, 0x8C);
    for (QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled }) {
        bool disabled = group == QPalette::Disabled;
        palette.setColor(group, QPalette::Window, window);
        palette.setColor(group, QPalette::Base, base);
        palette.setColor(group, QPalette::AlternateBase, QColor(0x33, 0x33, 0x33));
        palette.setColor(group, QPalette::Button, QColor(0x3A, 0x3A, 0x3A));
        for (QPalette::ColorRole role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
            palette.setColor(group, role, disabled ? dimmed : text);
        palette.setColor(group, QPalette::BrightText, Qt::white);
        palette.setColor(group, QPalette::PlaceholderText, QColor(0xA6, 0xA6, 0xA6));
        palette.setColor(group, QPalette::Highlight, disabled ? QColor(0x4A, 0x4A, 0x4A) : QColor(0x2F, 0x65, 0xB0));
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
        palette.setColor(group, QPalette::Link, QColor(0x7A, 0xB8, 0xFF));
        palette.setColor(group, QPalette::ToolTipBase, base);
        palette.setColor(group, QPalette::ToolTipText, text);
        palette.setColor(group, QPalette::Light, QColor(0x4A, 0x4A, 0x4A));
        palette.setColor(group, QPalette::Midlight, QColor(0x40, 0x40, 0x40));
        palette.setColor(group, QPalette::Mid, QColor(0x30, 0x30, 0x30));
        palette.setColor(group, QPalette::Dark, QColor(0x18, 0x18, 0x18));
        palette.setColor(group, QPalette::Shadow, Qt::black);
    }
    return palette;
}

void StandardLook::follow()
{
    QApplication::setPalette(palette(DarkMode::isDark()));
    QObject::connect(&DarkMode::notifier(), &DarkMode::darkChanged, qApp, [](bool dark) { QApplication::setPalette(palette(dark)); });
}

}
