#include "appearance/IconResolver.h"
#include "core/GestureLog.h"
#include "core/ParabolaDrawing.h"
#include "launch/DesktopFixture.h"
#include "launch/FakeWorkspace.h"
#include "launch/LaunchableCatalogue.h"
#include "sheet/GestureSheet.h"
#include "sheet/GestureSheetContents.h"
#include "sheet/TextLines.h"

#include <QFontMetricsF>

#include <QImage>
#include <QPainter>

#include <gmock/gmock.h>

using namespace scriblo;
using scriblo::testing::FakeWorkspace;
using ::testing::ElementsAre;

namespace {

std::shared_ptr<const Gesture> gesture(const std::string& identity)
{
    return std::make_shared<const Gesture>(identity, scriblo::testing::drawing(20));
}

std::vector<std::string> titles(const std::vector<SheetGroup>& groups)
{
    std::vector<std::string> result;
    for (const auto& group : groups)
        result.push_back(group.title.toStdString());
    return result;
}

std::vector<std::string> names(const SheetGroup& group)
{
    std::vector<std::string> result;
    for (const auto& entry : group.entries)
        result.push_back(entry.name.toStdString());
    return result;
}

class GestureSheetTest : public scriblo::testing::DesktopFixture {
protected:
    void SetUp() override
    {
        DesktopFixture::SetUp();
        builtIn = root / "builtin";
        std::filesystem::create_directories(builtIn);
        catalogue = std::make_unique<LaunchableCatalogue>(std::make_shared<FakeWorkspace>(), builtIn);
    }

    std::filesystem::path builtIn;
    std::unique_ptr<LaunchableCatalogue> catalogue;
    IconResolver icons;
};

// Names are sorted as people sort them, in every group, the unavailable one included;
// a page whose browser is not installed says so rather than blame a disk.
TEST_F(GestureSheetTest, gesturesAreGroupedInSegmentOrderInNaturalOrderAndUnavailableOnesSayWhy)
{
    GestureRecognizer::GestureList stored;
    for (const char* name : { "Track 10", "Zoom", "track 2", "Éclair", "Track 1", "Eagle" }) {
        std::string id = "app" + std::to_string(stored.size()) + ".desktop";
        writeDesktopEntry(systemData, id, name);
        stored.push_back(gesture(id));
    }
    writeDesktopEntry(systemData, "calc.desktop", "Calculator", "Categories=Utility;\n");
    writeDesktopEntry(systemData, "hidden.desktop", "Hidden", "NoDisplay=true\n");
    auto scripts = LaunchableCatalogue::userScriptsFolder();
    writeFile(scripts / "Backup.sh", "#!/bin/sh\n", true);
    writeFile(scripts / "Stopped.sh", "#!/bin/sh\n", false);
    catalogue->fetchAll();
    for (std::string identity : { std::string("calc.desktop"), (scripts / "Backup.sh").string(), std::string("removed.desktop"),
                                  (scripts / "Stopped.sh").string(), std::string("hidden.desktop"), std::string("gone 10.desktop"),
                                  std::string("gone 9.desktop"), std::string("com.google.Chrome:https://example.org/") })
        stored.push_back(gesture(identity));

    auto groups = GestureSheetContents::of(stored, *catalogue, {});

    ASSERT_THAT(titles(groups), ElementsAre("Applications", "Scripts", "Utilities", "Unavailable"));
    EXPECT_THAT(names(groups[0]), ElementsAre("Eagle", "Éclair", "Track 1", "track 2", "Track 10", "Zoom"));
    EXPECT_THAT(names(groups[1]), ElementsAre("Backup"));
    const auto& unavailable = groups[3].entries;
    EXPECT_THAT(names(groups[3]),
                ElementsAre("example.org", "gone 9.desktop", "gone 10.desktop", "hidden.desktop", "removed.desktop", "Stopped.sh"))
        << "with no name known, the last part of the identity is shown";
    std::map<std::string, TargetAbsence> reasons;
    for (const auto& entry : unavailable)
        reasons.emplace(entry.identity(), entry.absence.value());
    EXPECT_EQ(reasons.at("removed.desktop"), TargetAbsence::Gone);
    EXPECT_EQ(reasons.at("hidden.desktop"), TargetAbsence::OutOfReach);
    EXPECT_EQ(reasons.at((scripts / "Stopped.sh").string()), TargetAbsence::CannotRun);
    EXPECT_EQ(reasons.at("com.google.Chrome:https://example.org/"), TargetAbsence::NoBrowser);

    auto found = GestureSheetContents::matching(groups, QStringLiteral("  TRA "));
    ASSERT_THAT(titles(found), ElementsAre("Applications"));
    EXPECT_THAT(names(found[0]), ElementsAre("Track 1", "track 2", "Track 10"));
    EXPECT_EQ(GestureSheetContents::entryCount(GestureSheetContents::matching(groups, QStringLiteral(".desktop"))), 4u)
        << "the unavailable ones are found by their identity";
    EXPECT_EQ(GestureSheetContents::entryCount(GestureSheetContents::matching(groups, QString::fromStdString(scripts.string()))), 1u)
        << "a script out of reach is found by its folder too";
    EXPECT_TRUE(GestureSheetContents::matching(groups, QStringLiteral("nothing like it")).empty());
}

// Sixteen cells fill a page; a heading never ends one, and a group that runs over a
// break goes on below its heading repeated.
TEST_F(GestureSheetTest, pagesHoldSixteenCellsAndBreakBetweenGroupsOnlyWhereNeeded)
{
    auto group = [](const QString& title, size_t count) {
        SheetGroup made { title, {} };
        for (size_t i = 0; i < count; ++i)
            made.entries.push_back({ gesture("g" + std::to_string(i)), QString::number(i), {}, std::nullopt });
        return made;
    };
    EXPECT_EQ(GestureSheet({}, icons).pageCount(), 1) << "an empty sheet still says so on a page";
    EXPECT_EQ(GestureSheet({ group("A", 16) }, icons).pageCount(), 1);
    EXPECT_EQ(GestureSheet({ group("A", 17) }, icons).pageCount(), 2);
    EXPECT_EQ(GestureSheet({ group("A", 4), group("B", 4), group("C", 4) }, icons).pageCount(), 1);
    EXPECT_EQ(GestureSheet({ group("A", 12), group("B", 4) }, icons).pageCount(), 1);
    EXPECT_EQ(GestureSheet({ group("A", 13), group("B", 4) }, icons).pageCount(), 2)
        << "the second heading and its row do not fit below four rows";
    EXPECT_EQ(GestureSheet({ group("A", 1024) }, icons).pageCount(), 64);
}

// Drawings from people, not test lines: every one must land inside its well, whatever
// its size and place in the drawing space.
TEST_F(GestureSheetTest, realDrawingsAreDrawnInsideTheirWells)
{
    auto folder = gesturelog::sharedGestureFolder();
    if (!folder)
        GTEST_SKIP() << "no shared gesture data at " SCRIBLO_SHARED_DATA "/gestures";
    SheetGroup drawn { QStringLiteral("Drawn"), {} };
    for (const auto& file : gesturelog::gestureLogFiles(*folder / "mmg" / "sample" / "10-stylus-MEDIUM")) {
        if (auto drawing = gesturelog::readGestureLog(file); drawing && drawn.entries.size() < 16)
            drawn.entries.push_back({ std::make_shared<const Gesture>(file.filename().string(), drawing->strokes),
                                      QString::fromStdString(file.stem().string()), {}, std::nullopt });
    }
    ASSERT_EQ(drawn.entries.size(), 16u);
    GestureSheet sheet({ drawn }, icons);
    ASSERT_EQ(sheet.pageCount(), 1);
    QImage page(GestureSheet::pageSize.toSize(), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    sheet.paintPage(painter, 0);
    painter.end();
    // Paper gets ink: no screen green anywhere, and dark strokes within the wells' rows,
    // inside the four columns. Names and headings lie between the rows.
    const int firstWellTop = 132;
    const int rowPitch = 206;
    const int wellHeight = 112;
    int ink = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            QColor colour = page.pixelColor(x, y);
            EXPECT_FALSE(colour.green() > 150 && colour.red() < 120 && colour.blue() < 140) << x << "," << y;
            bool inWellRow = y >= firstWellTop && (y - firstWellTop) % rowPitch < wellHeight;
            if (inWellRow && colour.lightness() < 100) {
                ++ink;
                EXPECT_TRUE(x > 48 && x < 746) << x << "," << y;
            }
        }
    EXPECT_GT(ink, 16 * 200) << "every drawing shows";
}

TEST_F(GestureSheetTest, aLongNameTakesASecondLineBeforeItIsCut)
{
    QFont font;
    font.setPixelSize(12);
    const double width = QFontMetricsF(font).horizontalAdvance(QStringLiteral("Open the weekly")) + 1;
    EXPECT_THAT(TextLines::of(QStringLiteral("Calendar"), font, width, 2), ElementsAre("Calendar"));
    EXPECT_THAT(TextLines::of(QStringLiteral("Open the weekly report"), font, width, 2),
                ElementsAre("Open the weekly", "report"));
    auto cut = TextLines::of(QStringLiteral("Open the weekly report of the sales team in the browser"), font, width, 2);
    ASSERT_EQ(cut.size(), 2);
    EXPECT_EQ(cut[0], "Open the weekly");
    EXPECT_LE(QFontMetricsF(font).horizontalAdvance(cut[1]), width);
    auto path = TextLines::of(QStringLiteral("/home/someone/.local/share/Scriblo/Scripts/Backup.sh"), font, width, 2);
    ASSERT_EQ(path.size(), 2);
    EXPECT_TRUE(path[1].endsWith(".sh")) << path[1].toStdString();
    EXPECT_LE(QFontMetricsF(font).horizontalAdvance(path[0]), width) << "a word longer than a line is broken inside";
}

}
