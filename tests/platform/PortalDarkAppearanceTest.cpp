#include "FakeSettingsPortal.h"
#include "PrivateBusTest.h"

#include "platform/PortalDarkAppearance.h"

#include <gtest/gtest.h>

using namespace scriblo;
using namespace scriblo::testing;

namespace {

class PortalDarkAppearanceTest : public PrivateBusTest<::testing::TestWithParam<uint>> { };
class PortalDarkAppearanceWithoutPortalTest : public PrivateBusTest<> { };

}

TEST_P(PortalDarkAppearanceTest, readsTheSchemeAtStartAndFollowsOnlyItsOwnSetting)
{
    FakeSettingsPortal portal(connect(QStringLiteral("portal%1").arg(GetParam())), GetParam(), 1);
    PortalDarkAppearance appearance(connect(QStringLiteral("client%1").arg(GetParam())));
    std::vector<bool> changes;
    QObject::connect(&appearance, &DarkAppearance::darkChanged, [&](bool dark) { changes.push_back(dark); });
    EXPECT_FALSE(appearance.isDark()) << "nothing is known before the answer";
    ASSERT_TRUE(processEventsUntil([&] { return appearance.isDark(); }));
    EXPECT_EQ(portal.reads, GetParam() >= 2 ? 1 : 2) << "version 1 has no ReadOne";

    portal.change(QStringLiteral("org.freedesktop.appearance"), QStringLiteral("accent-color"), 0);
    portal.change(QStringLiteral("org.gnome.desktop.interface"), QStringLiteral("color-scheme"), 0);
    portal.change(QStringLiteral("org.freedesktop.appearance"), QStringLiteral("color-scheme"), 2);
    ASSERT_TRUE(processEventsUntil([&] { return !appearance.isDark(); }));
    EXPECT_EQ(changes, (std::vector<bool> { true, false }));
}

INSTANTIATE_TEST_SUITE_P(PortalVersions, PortalDarkAppearanceTest, ::testing::Values(1u, 2u));

TEST_F(PortalDarkAppearanceWithoutPortalTest, staysLightWhenNoPortalAnswers)
{
    PortalDarkAppearance appearance(connect(QStringLiteral("lonely")));
    bool changed = false;
    QObject::connect(&appearance, &DarkAppearance::darkChanged, [&] { changed = true; });
    // The bus answers "no such service" at once; a short wait lets that answer arrive.
    processEventsUntil([] { return false; }, 200);
    EXPECT_FALSE(appearance.isDark());
    EXPECT_FALSE(changed);
}
