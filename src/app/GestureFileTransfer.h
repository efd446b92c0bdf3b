#pragma once

#include "appearance/IconResolver.h"
#include "base/Expected.h"
#include "core/GestureRefusal.h"
#include "base/WorkQueue.h"
#include "sheet/GestureImportPreview.h"

#include <QObject>
#include <QPointer>
#include <QThreadPool>

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>

namespace scriblo {

class GestureRecognitionModel;
class LaunchableCatalogue;
class Notifier;

// The tray's Import Gestures… and Export Gestures…: the gestures as the JSON file that
// `scriblo gestures import` and `export` read and write, through the desktop's file
// dialogs. An import shows what it will add, replace and skip, and the look-alikes,
// before it changes anything, and then stores everything with one write.
class GestureFileTransfer : public QObject {
    Q_OBJECT
public:
    static constexpr const char* suggestedFileName = "scriblo-gestures.json";

    // The import's write goes on `storeWrites`, the store's one writer, in turn with the
    // rest.
    GestureFileTransfer(GestureRecognitionModel& model, WorkQueue& storeWrites, const LaunchableCatalogue& catalogue,
                        std::function<int32_t()> minimumScore, std::shared_ptr<Notifier> notifier, QObject* parent = nullptr);
    ~GestureFileTransfer() override;

    // Ask for a file, then go on as below.
    void chooseExportFile();
    void chooseImportFile();

    // Writes every stored gesture to `path`, whole or not at all.
    Expected<size_t> exportTo(const std::filesystem::path& path);
    // Reads `path` and shows what importing it will do; a file that cannot be read or
    // understood is said in a message, and the store is left alone.
    void importFile(const std::filesystem::path& path);

    // The preview of the import under way, until it is answered.
    GestureImportPreview* preview() const { return m_preview; }

Q_SIGNALS:
    // An import stored gestures.
    void gesturesImported();

private:
    void showPreview(GestureImportPlan plan, const QString& fileName, std::shared_ptr<const GestureRecognizer::GestureList> stored);
    void findLookAlikes(std::shared_ptr<const GestureRecognizer::GestureList> stored);
    void stopLookingForLookAlikes();
    void store(const GestureImportPlan& plan);
    void stored(const Expected<size_t, GestureRefusal>& saved, size_t added, size_t replaced);
    void tell(const QString& summary, const QString& body);
    void warn(const QString& text, const QString& detail);

    GestureRecognitionModel& m_model;
    WorkQueue& m_storeWrites;
    const LaunchableCatalogue& m_catalogue;
    std::function<int32_t()> m_minimumScore;
    std::shared_ptr<Notifier> m_notifier;
    IconResolver m_icons;
    QPointer<GestureImportPreview> m_preview;
    // Reading and checking a file take long for a large store; they run here, and the
    // transfer is not gone before they end, since they use the store.
    QThreadPool m_work;
    // Set when the preview the look-alikes are looked for is answered or gone.
    std::shared_ptr<std::atomic<bool>> m_stopLookAlikes;
};

}
