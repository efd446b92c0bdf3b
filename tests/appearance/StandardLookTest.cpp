#include "appearance/DarkMode.h"
#include "appearance/StandardLook.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cmath>

using namespace scriblo;

namespace {

double luminance(const QColor& colour)
{
    auto channel = [](double value) { return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    double lighter = std::max(luminance(a), luminance(b));
    double darker = std::min(luminance(a), luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

}

// Every enabled text must be readable on what it stands on, in an active window and an
// inactive one.
TEST(StandardLookTest, theDarkLookKeepsEveryEnabledTextReadable)
{
    QPalette dark = StandardLook::palette(true);
    const std::pair<QPalette::ColorRole, QPalette::ColorRole> pairs[] = {
        { QPalette::WindowText, QPalette::Window }, { QPalette::Text, QPalette::Base },
        { QPalette::Text, QPalette::AlternateBase }, { QPalette::ButtonText, QPalette::Button },
        { QPalette::HighlightedText, QPalette::Highlight }, { QPalette::ToolTipText, QPalette::ToolTipBase },
        { QPalette::PlaceholderText, QPalette::Base }, { QPalette::Link, QPalette::Base },
    };
    for (QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive })
        for (auto [text, ground] : pairs)
            EXPECT_GE(contrast(dark.color(group, text), dark.color(group, ground)), 4.5)
                << "role " << text << " on " << ground << " in group " << group;
    EXPECT_NE(dark.color(QPalette::Disabled, QPalette::ButtonText), dark.color(QPalette::Active, QPalette::ButtonText))
        << "a disabled button looks different";
    EXPECT_LT(luminance(dark.color(QPalette::Window)), 0.05) << "it is dark";
}

TEST(StandardLookTest, theApplicationFollowsTheDesktopBetweenLightAndDark)
{
    StandardLook::follow();
    DarkMode::setDark(true);
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), StandardLook::palette(true).color(QPalette::Window));
    DarkMode::setDark(false);
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), StandardLook::palette(false).color(QPalette::Window));
}
