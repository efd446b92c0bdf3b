#include "appearance/DarkMode.h"
#include "appearance/StandardLook.h"
#include "Contrast.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cmath>

using namespace scriblo;
using scriblo::testing::contrast;


// Every enabled text must be readable on what it stands on, in an active window and an
// inactive one; the application takes the look the desktop has.
TEST(StandardLookTest, theDarkLookKeepsEveryEnabledTextReadableAndTheApplicationFollowsTheDesktop)
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
    EXPECT_GT(contrast(dark.color(QPalette::Window), Qt::white), 12) << "it is dark";

    StandardLook::follow();
    DarkMode::setDark(true);
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), StandardLook::palette(true).color(QPalette::Window));
    DarkMode::setDark(false);
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), StandardLook::palette(false).color(QPalette::Window));
}
