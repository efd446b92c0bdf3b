#include "appearance/AppPalette.h"
#include "appearance/AppSegmentedControl.h"
#include "appearance/AppStyle.h"
#include "appearance/RepeatedImageView.h"
#include "Contrast.h"
#include "PixelCount.h"
#include "support/MouseEvents.h"

#include <QCheckBox>
#include <QImage>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace scriblo;
using scriblo::testing::contrast;
using scriblo::testing::near;
using scriblo::testing::pixelsNear;

namespace {

class AppStyleTest : public ::testing::Test {
protected:
    QImage render(QWidget& widget, QSize size, QColor under = Qt::white)
    {
        widget.setStyle(&style);
        widget.setPalette(AppPalette::palette());
        widget.resize(size);
        QImage image(size, QImage::Format_ARGB32);
        image.fill(under);
        widget.render(&image, {}, {}, QWidget::DrawChildren);
        return image;
    }

    AppStyle style;
};

}

TEST_F(AppStyleTest, aButtonHasAGreenTitleOrIsDrawnAtSeventyPercentDisabledOrBlueAsTheDefault)
{
    QPushButton button("Assign");
    QImage enabled = render(button, { 100, 26 });
    EXPECT_GT(pixelsNear(enabled, AppPalette::accentGreen()), 10);
    QColor face = enabled.pixelColor(6, 13);
    EXPECT_LT(face.red(), 70) << "the dark gradient fills the bezel";

    button.setEnabled(false);
    QImage disabled = render(button, { 100, 26 });
    EXPECT_EQ(pixelsNear(disabled, AppPalette::accentGreen()), 0);
    // Over white, 70 % opacity lets 30 % of the white through.
    QColor faded = disabled.pixelColor(6, 13);
    EXPECT_NEAR(faded.red(), 0.7 * face.red() + 0.3 * 255, 3);

    // The default button is blue, and its title light, readable on the blue: the accent
    // green stood at 3:1 there.
    button.setEnabled(true);
    button.setDefault(true);
    QImage rendered = render(button, { 100, 26 });
    QColor blue = rendered.pixelColor(6, 13);
    EXPECT_GT(blue.blue(), blue.red() + 100);
    EXPECT_EQ(pixelsNear(rendered, AppPalette::accentGreen()), 0);
    EXPECT_GT(pixelsNear(rendered, AppPalette::defaultButtonTitle()), 10);
    QLinearGradient gradient = AppPalette::blueGradient({ 0, 0, 1, 1 });
    for (const auto& [at, colour] : gradient.stops())
        EXPECT_GE(contrast(AppPalette::defaultButtonTitle(), colour), 4.5) << at;
    button.setDefault(false);
    QColor dark = render(button, { 100, 26 }).pixelColor(6, 13);
    EXPECT_LT(std::abs(dark.blue() - dark.red()), 4);
}

TEST_F(AppStyleTest, aCheckBoxShowsAGreenTickWhenOnAndABarWhenMixed)
{
    QCheckBox box("Quickdraw");
    box.setTristate(true);
    QRect indicator(0, 0, 16, 20);
    EXPECT_EQ(pixelsNear(render(box, { 140, 20 }), AppPalette::accentGreen(), indicator), 0);

    box.setCheckState(Qt::Checked);
    QImage checked = render(box, { 140, 20 });
    EXPECT_GT(pixelsNear(checked, AppPalette::accentGreen(), indicator), 6);
    EXPECT_GT(pixelsNear(checked, AppPalette::accentGreen(), { 20, 0, 120, 20 }), 5) << "green label";

    box.setCheckState(Qt::PartiallyChecked);
    QImage mixed = render(box, { 140, 20 });
    int middle = mixed.height() / 2;
    int greenInMiddleRow = 0, greenAbove = 0;
    for (int x = 0; x < 16; ++x) {
        greenInMiddleRow += near(mixed.pixelColor(x, middle), AppPalette::accentGreen(), 40)
            || near(mixed.pixelColor(x, middle - 1), AppPalette::accentGreen(), 40);
        greenAbove += near(mixed.pixelColor(x, 3), AppPalette::accentGreen(), 40);
    }
    EXPECT_GE(greenInMiddleRow, 5) << "a horizontal bar across the box";
    EXPECT_EQ(greenAbove, 0) << "no tick reaching the top corner";
}

TEST_F(AppStyleTest, theSelectedSegmentHasAGreenLabelAndTheOthersSilver)
{
    AppSegmentedControl picker({ "One", "Two" });
    picker.setSelectedSegment(1);
    QImage image = render(picker, { 200, 24 });
    EXPECT_EQ(pixelsNear(image, AppPalette::accentGreen(), { 0, 0, 97, 24 }), 0);
    EXPECT_GT(pixelsNear(image, AppPalette::accentGreen(), { 103, 0, 97, 24 }), 5);
    EXPECT_GT(pixelsNear(image, AppPalette::segmentLabel(), { 0, 0, 97, 24 }), 5);
    // A disabled picker is drawn at half opacity.
    picker.setEnabled(false);
    QColor faded = render(picker, { 200, 24 }).pixelColor(20, 4);
    EXPECT_GT(faded.red(), 120);
}

TEST_F(AppStyleTest, theBackgroundFillsBlackWithinItsRadiusAndReportsClicks)
{
    RepeatedImageView background;
    background.setRoundRadius(8);
    QImage image = render(background, { 60, 40 });
    EXPECT_EQ(image.pixelColor(30, 20), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));
    // A frameless window keeps a faint light edge, so it stands out on a black desktop
    // (over white, the fill's own smoothed rim would pass for one).
    QColor edge = render(background, { 60, 40 }, Qt::black).pixelColor(30, 0);
    EXPECT_GT(edge.lightness(), 30) << edge.name().toStdString();
    EXPECT_LT(edge.lightness(), 128) << edge.name().toStdString();

    // A click beside the controls is the setup window's cue to hand the keyboard back.
    int clicks = 0;
    QObject::connect(&background, &RepeatedImageView::clicked, [&] { ++clicks; });
    scriblo::testing::sendMouse(&background, QEvent::MouseButtonPress, { 30, 20 }, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}
