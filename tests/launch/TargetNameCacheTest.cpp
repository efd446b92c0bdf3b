#include "base/InlineWorkQueue.h"
#include "launch/DesktopFixture.h"
#include "launch/FakeWorkspace.h"
#include "launch/LaunchableCatalogue.h"
#include "launch/TargetNameCache.h"

#include <gmock/gmock.h>

using namespace scriblo;
using scriblo::testing::FakeWorkspace;
using scriblo::testing::InlineWorkQueue;
using ::testing::ElementsAre;
using ::testing::Pair;

namespace {

class TargetNameCacheTest : public scriblo::testing::DesktopFixture {
protected:
    void SetUp() override
    {
        DesktopFixture::SetUp();
        catalogue = std::make_unique<LaunchableCatalogue>(std::make_shared<FakeWorkspace>(), root / "builtin");
        file = TargetNameCache::standardPath();
    }

    void install(const std::string& id, const std::string& name)
    {
        writeFile(systemData / "applications" / id, "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=true\n");
        catalogue->fetchAll();
    }

    void uninstall(const std::string& id)
    {
        std::filesystem::remove(systemData / "applications" / id);
        catalogue->fetchAll();
    }

    static GestureRecognizer::GestureList stored(std::initializer_list<std::string> identities)
    {
        GestureRecognizer::GestureList gestures;
        for (const auto& identity : identities)
            gestures.push_back(std::make_shared<const Gesture>(identity, std::vector<GestureStroke> {}));
        return gestures;
    }

    TargetNameCache::Names namesInFile() const
    {
        TargetNameCache reader(file);
        reader.load();
        return reader.names();
    }

    std::unique_ptr<LaunchableCatalogue> catalogue;
    std::filesystem::path file;
};

}

TEST_F(TargetNameCacheTest, namesLiveInTheUsersCacheFolderOutlastTheirTargetsAndGoWithTheirGestures)
{
    EXPECT_EQ(file, home / ".cache/scriblo/target-names.json");
    install("maps.desktop", "Maps");
    install("mail.desktop", "Mail");
    TargetNameCache cache(file);
    cache.load();
    EXPECT_TRUE(cache.names().empty()) << "no file yet: nothing is known, and nothing is wrong";
    cache.learn(stored({ "maps.desktop", "mail.desktop", "never.desktop" }), *catalogue);
    EXPECT_THAT(namesInFile(), ElementsAre(Pair("mail.desktop", "Mail"), Pair("maps.desktop", "Maps")));

    uninstall("maps.desktop");
    install("mail.desktop", "Mail Client");
    TargetNameCache nextRun(file);
    nextRun.load();
    nextRun.learn(stored({ "maps.desktop", "mail.desktop", "never.desktop" }), *catalogue);
    EXPECT_THAT(nextRun.names(), ElementsAre(Pair("mail.desktop", "Mail Client"), Pair("maps.desktop", "Maps")))
        << "a renamed target is known by its new name; a gone one keeps its old";
    EXPECT_EQ(namesInFile(), nextRun.names());

    // Names of gestures no longer stored are forgotten.
    nextRun.learn({}, *catalogue);
    EXPECT_TRUE(namesInFile().empty());
}

TEST_F(TargetNameCacheTest, aDamagedFileIsAnEmptyCacheAndIsReplaced)
{
    install("mail.desktop", "Mail");
    for (const std::string& damage : { std::string("{ \"mail.desktop\": "), std::string("[\"Mail\"]"),
                                      std::string("{ \"mail.desktop\": 7, \"maps.desktop\": \"Maps\" }"), std::string("\0\xff", 2) }) {
        writeFile(file, damage);
        TargetNameCache cache(file);
        cache.load();
        EXPECT_EQ(cache.names().size(), damage.find("Maps") == std::string::npos ? 0u : 1u) << damage;
        cache.learn(stored({ "mail.desktop" }), *catalogue);
        EXPECT_THAT(namesInFile(), ElementsAre(Pair("mail.desktop", "Mail"))) << damage;
    }
    // A folder where the file belongs: no names, and no failure either way.
    std::filesystem::remove(file);
    std::filesystem::create_directories(file);
    TargetNameCache cache(file);
    cache.load();
    cache.learn(stored({ "mail.desktop" }), *catalogue);
    EXPECT_THAT(cache.names(), ElementsAre(Pair("mail.desktop", "Mail")));
}

// The running program reads and writes the file on the store's worker. Until the read
// is in, nothing is learned: a write then would lose the names of targets out of reach.
TEST_F(TargetNameCacheTest, theFileIsReadAndWrittenOnTheQueueAndNothingIsLearnedBeforeItIsRead)
{
    install("mail.desktop", "Mail");
    writeFile(file, R"({ "maps.desktop": "Maps" })");
    InlineWorkQueue queue;
    queue.held = true;
    TargetNameCache cache(file);
    cache.writeOn(queue);
    cache.load();
    cache.learn(stored({ "maps.desktop", "mail.desktop" }), *catalogue);
    EXPECT_TRUE(cache.names().empty());
    queue.release();
    EXPECT_THAT(cache.names(), ElementsAre(Pair("maps.desktop", "Maps")));

    queue.held = true;
    cache.learn(stored({ "maps.desktop", "mail.desktop" }), *catalogue);
    EXPECT_THAT(cache.names(), ElementsAre(Pair("mail.desktop", "Mail"), Pair("maps.desktop", "Maps")));
    EXPECT_THAT(namesInFile(), ElementsAre(Pair("maps.desktop", "Maps"))) << "written only when the queue gets to it";
    queue.release();
    EXPECT_EQ(namesInFile(), cache.names());
}
