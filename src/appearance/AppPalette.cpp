#include "appearance/AppPalette.h"

namespace scriblo {

QPalette AppPalette::palette()
{
    QPalette palette;
    QColor window = grey(0.05);
    for (QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled }) {
        palette.setColor(group, QPalette::Window, window);
        palette.setColor(group, QPalette::Base, window);
        palette.setColor(group, QPalette::AlternateBase, window);
        palette.setColor(group, QPalette::WindowText, fieldLabel());
        palette.setColor(group, QPalette::Text, group == QPalette::Disabled ? disabledTitle() : accentGreen());
        palette.setColor(group, QPalette::ButtonText, group == QPalette::Disabled ? disabledTitle() : accentGreen());
        palette.setColor(group, QPalette::Button, grey(0.18));
        palette.setColor(group, QPalette::Highlight, rowSelection());
        palette.setColor(group, QPalette::HighlightedText, accentGreen());
        palette.setColor(group, QPalette::PlaceholderText, rowText());
    }
    return palette;
}

}
