#include "app/GestureFileTransfer.h"

#include "app/commands/CommandLine.h"
#include "app/commands/GestureJson.h"
#include "core/GestureImportPlan.h"
#include "core/GestureRecognitionModel.h"
#include "files/SafeFile.h"
#include "platform/Notifier.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace scriblo {

namespace {

QString jsonFilter() { return GestureFileTransfer::tr("Gesture files (*.json)"); }

QString displayName(const std::filesystem::path& path) { return QString::fromStdString(path.filename().string()); }

// The gestures of a file in the command line's JSON form, or why it cannot be read; the
// reasons name the file and the line.
Expected<std::vector<Gesture>> readGestures(const std::filesystem::path& path)
{
    auto text = SafeFile::read(path, GestureJson::maximumDocumentSize);
    if (!text)
        return Failure { path.string() + ": " + text.error() };
    std::vector<Gesture> gestures;
    try {
        for (auto& entry : GestureJson::gesturesFromJson(GestureJson::parse(text.value(), path.string()), path.string()))
            gestures.push_back(std::move(entry).gesture());
    } catch (const InputError& error) {
        return Failure { error.what() };
    }
    return gestures;
}

}

GestureFileTransfer::GestureFileTransfer(GestureRecognitionModel& model, WorkQueue& storeWrites, const LaunchableCatalogue& catalogue,
                                         std::function<int32_t()> minimumScore, std::shared_ptr<Notifier> notifier, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_storeWrites(storeWrites)
    , m_catalogue(catalogue)
    , m_minimumScore(std::move(minimumScore))
    , m_notifier(std::move(notifier))
{
}

GestureFileTransfer::~GestureFileTransfer()
{
    stopLookingForLookAlikes();
    delete m_preview;
}

void GestureFileTransfer::chooseExportFile()
{
    auto dialog = new QFileDialog(nullptr, tr("Export Gestures"), QDir::home().filePath(QString::fromLatin1(suggestedFileName)),
                                  jsonFilter());
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("json"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& file) {
        auto exported = exportTo(file.toStdString());
        if (!exported)
            warn(tr("The gestures were not exported."), QString::fromStdString(exported.error()));
        else
            tell(tr("Gestures exported"), tr("Every stored gesture was written to %1.").arg(file));
    });
    dialog->open();
}

void GestureFileTransfer::chooseImportFile()
{
    auto dialog = new QFileDialog(nullptr, tr("Import Gestures"), QDir::homePath(), jsonFilter());
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& file) { importFile(file.toStdString()); });
    dialog->open();
}

Expected<size_t> GestureFileTransfer::exportTo(const std::filesystem::path& path)
{
    auto gestures = m_model.recognizer()->loadedGestures();
    std::string json = GestureJson::gesturesToJson(*gestures).dump(1) + "\n";
    if (auto written = SafeFile::writeAtomically(path, json, SafeFile::Readers::AsUmaskAllows); !written)
        return Failure { written.error() };
    return gestures->size();
}

// Reading a large file takes a moment and the look-alike check against a large store
// seconds, all on workers: the preview opens once the file is read, and fills in its
// look-alikes as they are found.
void GestureFileTransfer::importFile(const std::filesystem::path& path)
{
    QPointer<GestureFileTransfer> self(this);
    auto stored = m_model.recognizer()->loadedGestures();
    m_work.start([self, stored, path, name = displayName(path)] {
        auto gestures = readGestures(path);
        auto plan = gestures ? std::make_shared<GestureImportPlan>(GestureImportPlan::of(std::move(gestures.value()), *stored)) : nullptr;
        QMetaObject::invokeMethod(QCoreApplication::instance(), [self, stored, plan, name, problem = gestures ? std::string() : gestures.error()] {
            if (!self)
                return;
            if (!plan)
                return self->warn(tr("The file cannot be imported."), QString::fromStdString(problem));
            self->showPreview(std::move(*plan), name, stored);
        }, Qt::QueuedConnection);
    });
}

void GestureFileTransfer::showPreview(GestureImportPlan plan, const QString& fileName,
                                      std::shared_ptr<const GestureRecognizer::GestureList> stored)
{
    stopLookingForLookAlikes();
    delete m_preview;
    m_preview = new GestureImportPreview(std::move(plan), fileName, m_catalogue, m_icons);
    m_preview->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_preview, &QDialog::finished, this, &GestureFileTransfer::stopLookingForLookAlikes);
    connect(m_preview, &QDialog::accepted, this, [this, preview = m_preview] { store(preview->plan()); });
    m_preview->open();
    findLookAlikes(std::move(stored));
}

// The worker checks its own copy of the plan; the drawings themselves are shared.
void GestureFileTransfer::findLookAlikes(std::shared_ptr<const GestureRecognizer::GestureList> stored)
{
    m_stopLookAlikes = std::make_shared<std::atomic<bool>>(false);
    m_work.start([plan = m_preview->plan(), stored, minimum = m_minimumScore(), preview = QPointer(m_preview), stop = m_stopLookAlikes] {
        plan.findConflicts(*stored, minimum, [&](size_t step, const std::optional<GestureConflict>& conflict) {
            QMetaObject::invokeMethod(QCoreApplication::instance(), [preview, step, conflict] {
                if (preview)
                    preview->showConflict(step, conflict);
            }, Qt::QueuedConnection);
        }, [&] { return stop->load(); });
    });
}

void GestureFileTransfer::stopLookingForLookAlikes()
{
    if (m_stopLookAlikes)
        *m_stopLookAlikes = true;
}

// Templates are made and the store written on the store's queue, so the desktop stays
// responsive while a large file is stored; the user hears when it is done.
void GestureFileTransfer::store(const GestureImportPlan& plan)
{
    using Action = GestureImportPlan::Action;
    m_storeWrites.queueWithOutcome([&model = m_model, gestures = plan.gesturesToStore()]() mutable { return model.saveGestures(std::move(gestures)); },
                                   [self = QPointer(this), added = plan.count(Action::Add), replaced = plan.count(Action::Replace)](
                                       const Expected<size_t, GestureRefusal>& saved) {
                                       if (self)
                                           self->stored(saved, added, replaced);
                                   });
}

void GestureFileTransfer::stored(const Expected<size_t, GestureRefusal>& saved, size_t added, size_t replaced)
{
    if (!saved) {
        warn(tr("Nothing was imported."), QString::fromStdString(saved.error()));
        return;
    }
    tell(tr("Gestures imported"), tr("Added: %1. Replaced: %2.").arg(added).arg(replaced));
    Q_EMIT gesturesImported();
}

void GestureFileTransfer::tell(const QString& summary, const QString& body)
{
    if (m_notifier)
        m_notifier->notify(summary, body);
}

void GestureFileTransfer::warn(const QString& text, const QString& detail)
{
    auto box = new QMessageBox(QMessageBox::Warning, tr("Scriblo"), text, QMessageBox::Ok);
    box->setInformativeText(detail);
    box->setAccessibleName(text);
    box->setAccessibleDescription(detail);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

}
