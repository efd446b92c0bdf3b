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
            gestures.emplace_back(std::move(entry.identity), std::move(entry.strokes));
    } catch (const InputError& error) {
        return Failure { error.what() };
    }
    return gestures;
}

}

GestureFileTransfer::GestureFileTransfer(GestureRecognitionModel& model, const LaunchableCatalogue& catalogue,
                                         std::function<int32_t()> minimumScore, std::shared_ptr<Notifier> notifier, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_catalogue(catalogue)
    , m_minimumScore(std::move(minimumScore))
    , m_notifier(std::move(notifier))
{
}

GestureFileTransfer::~GestureFileTransfer()
{
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

// Parsing is quick; the look-alike check of a large file against a large store is not,
// so it runs on a worker and the preview opens when it is done.
void GestureFileTransfer::importFile(const std::filesystem::path& path)
{
    auto gestures = readGestures(path);
    if (!gestures) {
        warn(tr("The file cannot be imported."), QString::fromStdString(gestures.error()));
        return;
    }
    QPointer<GestureFileTransfer> self(this);
    auto stored = m_model.recognizer()->loadedGestures();
    m_work.start([self, stored, gestures = std::move(gestures.value()), minimum = m_minimumScore(),
                                          name = displayName(path)]() mutable {
        auto plan = std::make_shared<GestureImportPlan>(GestureImportPlan::of(std::move(gestures), *stored, minimum));
        QMetaObject::invokeMethod(QCoreApplication::instance(), [self, plan, name] {
            if (self)
                self->showPreview(plan, name);
        }, Qt::QueuedConnection);
    });
}

void GestureFileTransfer::showPreview(std::shared_ptr<GestureImportPlan> plan, const QString& fileName)
{
    delete m_preview;
    m_preview = new GestureImportPreview(std::move(*plan), fileName, m_catalogue, m_icons);
    m_preview->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_preview, &QDialog::accepted, this, [this, preview = m_preview] { store(preview->plan()); });
    m_preview->open();
}

// Templates are made and the store written on a worker, so the desktop stays responsive
// while a large file is stored; the user hears when it is done.
void GestureFileTransfer::store(const GestureImportPlan& plan)
{
    using Action = GestureImportPlan::Action;
    QPointer<GestureFileTransfer> self(this);
    m_work.start([self, &model = m_model, gestures = plan.gesturesToStore(), added = plan.count(Action::Add),
                  replaced = plan.count(Action::Replace)]() mutable {
        auto saved = model.saveGestures(std::move(gestures));
        QMetaObject::invokeMethod(QCoreApplication::instance(), [self, saved, added, replaced] {
            if (self)
                self->stored(saved, added, replaced);
        }, Qt::QueuedConnection);
    });
}

void GestureFileTransfer::stored(const Expected<size_t>& saved, size_t added, size_t replaced)
{
    if (!saved) {
        warn(tr("Nothing was imported."), QString::fromStdString(saved.error()));
        return;
    }
    tell(tr("Gestures imported"), tr("Added: %1. Replaced: %2.").arg(added).arg(replaced));
    emit gesturesImported();
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
