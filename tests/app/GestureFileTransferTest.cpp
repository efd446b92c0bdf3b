#include "app/GestureFileTransfer.h"
#include "core/ParabolaDrawing.h"
#include "core/GestureRecognitionModel.h"
#include "files/SafeFile.h"
#include "support/RecordingNotifier.h"
#include "platform/PropertyListUserDefaults.h"
#include "platform/SerialWorkQueue.h"
#include "support/MailAndMapsDesktop.h"
#include "support/QtTestApplication.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace scriblo;
using scriblo::testing::drawing;
using scriblo::testing::processEventsUntil;
using scriblo::testing::RecordingNotifier;

namespace {

// One store and its transfer, on real files.
struct StoreSide {
    StoreSide(const std::filesystem::path& path, const LaunchableCatalogue& catalogue)
        : storage(path)
        , model(storage)
        , transfer(model, writes, catalogue, [] { return 80; }, notifier)
    {
        model.setup();
    }

    std::vector<std::string> identities() const
    {
        std::vector<std::string> found;
        for (const auto& gesture : *model.recognizer()->loadedGestures())
            found.push_back(gesture->identity());
        std::sort(found.begin(), found.end());
        return found;
    }

    PropertyListUserDefaults storage;
    GestureRecognitionModel model;
    SerialWorkQueue writes;
    std::shared_ptr<RecordingNotifier> notifier = std::make_shared<RecordingNotifier>();
    GestureFileTransfer transfer;
};

class GestureFileTransferTest : public scriblo::testing::MailAndMapsDesktop {
protected:
    void SetUp() override
    {
        MailAndMapsDesktop::SetUp();
        source = std::make_unique<StoreSide>(root / "source.plist", *catalogue);
        ASSERT_TRUE(source->model.saveGestures({ Gesture("mail.desktop", drawing(24, 1)), Gesture("maps.desktop", drawing(24, 3)) }));
        target = std::make_unique<StoreSide>(root / "target.plist", *catalogue);
        ASSERT_TRUE(target->model.saveGestures({ Gesture("mail.desktop", drawing(24, 2)) }));
        file = root / "exported.json";
        ASSERT_EQ(source->transfer.exportTo(file).value(), 2u);
    }

    std::string storeBytes() const { return SafeFile::read(root / "target.plist", 1 << 24).value(); }

    GestureImportPreview* awaitPreview()
    {
        EXPECT_TRUE(processEventsUntil([&] { return target->transfer.preview() && target->transfer.preview()->isVisible(); }));
        return target->transfer.preview();
    }

    static QMessageBox* shownMessage()
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto box = qobject_cast<QMessageBox*>(window); box && box->isVisible())
                return box;
        return nullptr;
    }

    std::unique_ptr<StoreSide> source;
    std::unique_ptr<StoreSide> target;
    std::filesystem::path file;
};

}

TEST_F(GestureFileTransferTest, anImportShowsWhatItWillDoAndStoresOnlyWhenTold)
{
    target->transfer.importFile(file);
    GestureImportPreview* preview = awaitPreview();
    ASSERT_TRUE(preview);
    // The preview opens before the look-alikes are known, and fills them in.
    ASSERT_TRUE(processEventsUntil([&] { return !preview->checking(); }));
    EXPECT_EQ(preview->summary()->text().toStdString(), "1 to add, 1 to replace, 0 to skip. Look-alikes of another target's gesture: 2.");
    EXPECT_EQ(preview->list()->topLevelItemCount(), 2);
    EXPECT_TRUE(preview->importButton()->isEnabled());

    std::string before = storeBytes();
    preview->reject();
    processEventsUntil([&] { return !target->transfer.preview(); }, 500);
    EXPECT_EQ(storeBytes(), before) << "Cancel changes nothing";
    EXPECT_TRUE(target->notifier->notices.empty());

    target->transfer.importFile(file);
    preview = awaitPreview();
    ASSERT_TRUE(preview);
    preview->importButton()->click();
    EXPECT_TRUE(processEventsUntil([&] { return !target->notifier->notices.empty(); }));
    EXPECT_EQ(target->identities(), (std::vector<std::string> { "mail.desktop", "maps.desktop" }));
    EXPECT_EQ(target->notifier->notices, std::vector<QString> { "Gestures imported: Added: 1. Replaced: 1." });
    StoreSide reread(root / "target.plist", *catalogue);
    EXPECT_EQ(reread.identities(), target->identities()) << "the store file holds what was imported";

    target->transfer.importFile(file);
    preview = awaitPreview();
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->summary()->text().toStdString(), "0 to add, 0 to replace, 2 to skip.");
    EXPECT_FALSE(preview->importButton()->isEnabled()) << "nothing would change";
    preview->reject();
}

TEST_F(GestureFileTransferTest, aFileThatCannotBeReadIsExplainedAndChangesNothing)
{
    std::string before = storeBytes();
    ASSERT_TRUE(SafeFile::writeAtomically(file, "{\"gestures\": [\n  {\"identity\": \"x\",\n   \"strokes\": oops}\n]}"));
    target->transfer.importFile(file);
    ASSERT_TRUE(processEventsUntil([&] { return shownMessage() != nullptr; }));
    QMessageBox* message = shownMessage();
    EXPECT_EQ(message->text().toStdString(), "The file cannot be imported.");
    EXPECT_NE(message->informativeText().indexOf(QString::fromStdString(file.string()) + ":3"), -1)
        << message->informativeText().toStdString();
    message->close();

    target->transfer.importFile(root / "missing.json");
    ASSERT_TRUE(processEventsUntil([&] { return shownMessage() != nullptr; }));
    message = shownMessage();
    EXPECT_NE(message->informativeText().indexOf(QStringLiteral("No such file")), -1) << message->informativeText().toStdString();
    message->close();
    EXPECT_EQ(storeBytes(), before);
    EXPECT_FALSE(target->transfer.preview());

    auto blocked = target->transfer.exportTo(file / "inside-a-file.json");
    ASSERT_FALSE(blocked);
    EXPECT_NE(blocked.error().find("Not a directory"), std::string::npos) << blocked.error();
}

TEST_F(GestureFileTransferTest, aLongIdentityLeavesTheImportAndNoteColumnsInView)
{
    std::string identity = "/home/user/.local/share/Scriblo/Scripts/" + std::string(8000, 'x');
    ASSERT_TRUE(source->model.saveGestures({ Gesture(identity, drawing(24, 4)) }));
    ASSERT_EQ(source->transfer.exportTo(file).value(), 3u);
    target->transfer.importFile(file);
    GestureImportPreview* preview = awaitPreview();
    ASSERT_TRUE(preview);
    QTreeWidget* list = preview->list();
    EXPECT_LE(list->columnWidth(1), 320);
    EXPECT_LT(list->header()->sectionViewportPosition(3), list->viewport()->width()) << "the Note column starts in view";
    EXPECT_EQ(list->topLevelItem(2)->toolTip(1).toStdString(), identity) << "the whole identity in its tooltip";
    preview->reject();
}
