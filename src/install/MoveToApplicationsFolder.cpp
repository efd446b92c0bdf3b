#include "install/MoveToApplicationsFolder.h"

#include "core/UserDefaults.h"
#include "install/DesktopIntegration.h"
#include "install/MoveAlert.h"
#include "install/LinuxMoveServices.h"
#include "install/MoveServices.h"
#include "install/QtMoveAlert.h"

#include <QtGlobal>

#include <algorithm>
#include <cctype>

namespace scriblo {

namespace {

constexpr const char* extension = ".AppImage";

// The offer's sentences, marked for the translation tools; the alert translates each in
// this context when it shows it.
constexpr const char* moveToHomeQuestion
    = QT_TRANSLATE_NOOP("MoveApplication", "Move to Applications folder in your Home folder?");
constexpr const char* moveQuestion = QT_TRANSLATE_NOOP("MoveApplication", "Move to Applications folder?");
constexpr const char* moveExplanation
    = QT_TRANSLATE_NOOP("MoveApplication", "I can move myself to the Applications folder if you'd like.");
constexpr const char* passwordNote
    = QT_TRANSLATE_NOOP("MoveApplication", "Note that this will require an administrator password.");
constexpr const char* downloadsNote = QT_TRANSLATE_NOOP("MoveApplication", "This will keep your Downloads folder uncluttered.");

bool holdsAppImage(const std::filesystem::path& folder)
{
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return false;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        if (entry->path().extension() == extension)
            return true;
    }
    return false;
}

bool somethingIsAt(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

bool blank(const std::filesystem::path& path)
{
    const auto text = path.string();
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isspace(c); });
}

}

MoveToApplicationsFolder::MoveToApplicationsFolder(UserDefaults& defaults, MoveServices& services, MoveAlert& alert, InstallFolders folders)
    : m_defaults(defaults)
    , m_services(services)
    , m_alert(alert)
    , m_folders(std::move(folders))
{
}

MoveOutcome MoveToApplicationsFolder::check()
{
    if (m_defaults.boolForKey(suppressKey) || !m_folders.source)
        return MoveOutcome::Continue;
    m_source = *m_folders.source;
    if (!offered())
        return MoveOutcome::Continue;
    m_diskImageDevice = m_services.diskImageDevice(m_source.parent_path());
    chooseInstallFolder();
    if (!userAcceptsMove())
        return MoveOutcome::Continue;
    m_services.log("INFO -- Moving myself to the Applications folder");
    auto stopped = m_needsAuthorization ? copyWithAuthorization() : copyWithoutAuthorization();
    return stopped ? *stopped : finishMove();
}

bool MoveToApplicationsFolder::offered() const
{
    const auto source = m_source.string();
    for (const auto& folder : { m_folders.userApplications, m_folders.localApplications }) {
        if (source.starts_with(folder.string()))
            return false;
    }
    return std::none_of(m_source.begin(), m_source.end(), [](const auto& component) { return component == "Applications"; });
}

void MoveToApplicationsFolder::chooseInstallFolder()
{
    std::error_code error;
    m_installFolderIsUsers = holdsAppImage(m_folders.userApplications);
    auto folder = m_installFolderIsUsers ? m_folders.userApplications : m_folders.localApplications;
    m_installFolder = std::filesystem::weakly_canonical(folder, error);
    if (error)
        m_installFolder = folder;
    m_destination = m_installFolder / m_source.filename();
    m_needsAuthorization = !m_services.isWritable(m_installFolder) || (somethingIsAt(m_destination) && !m_services.isWritable(m_destination));
}

bool MoveToApplicationsFolder::userAcceptsMove()
{
    MoveOffer offer {
        m_installFolderIsUsers ? moveToHomeQuestion : moveQuestion,
        { moveExplanation },
    };
    const auto source = m_source.string();
    bool inDownloads = std::any_of(m_folders.downloads.begin(), m_folders.downloads.end(),
        [&](const auto& folder) { return source.starts_with(folder.string()); });
    if (m_needsAuthorization)
        offer.informative.push_back(passwordNote);
    else if (inDownloads)
        offer.informative.push_back(downloadsNote);

    auto answer = m_alert.offer(offer);
    if (answer.move)
        return true;
    if (answer.suppressFromNowOn) {
        m_defaults.setBool(true, suppressKey);
        if (auto written = m_defaults.synchronize(); !written)
            qWarning("Could not remember not to offer the move again (%s); it may be offered at the next start", written.error().c_str());
    }
    return false;
}

std::optional<MoveOutcome> MoveToApplicationsFolder::copyWithAuthorization()
{
    // The privileged step removes whatever is at the destination first: only a path that
    // plainly names an AppImage may come that far.
    const char* failure = "ERROR -- Could not copy myself to /Applications with authorization";
    if (!m_destination.string().ends_with(extension) || blank(m_destination) || blank(m_source)) {
        m_services.log(failure);
        return fail();
    }
    switch (m_services.copyWithAuthorization(m_source, m_destination)) {
    case AuthorizedCopy::Copied:
        return std::nullopt;
    case AuthorizedCopy::Cancelled:
        m_services.log("INFO -- Not moving because user canceled authorization");
        return MoveOutcome::Continue;
    case AuthorizedCopy::Failed:
        m_services.log(failure);
        return fail();
    }
    return fail();
}

std::optional<MoveOutcome> MoveToApplicationsFolder::copyWithoutAuthorization()
{
    if (somethingIsAt(m_destination)) {
        if (m_services.isRunning(m_destination)) {
            m_services.log("INFO -- Switching to an already running version");
            m_services.open(m_destination);
            return MoveOutcome::Quit;
        }
        if (!m_services.trash(m_destination))
            return fail();
    }
    std::error_code error;
    std::filesystem::copy(m_source, m_destination, std::filesystem::copy_options::recursive | std::filesystem::copy_options::copy_symlinks, error);
    if (error) {
        m_services.log("ERROR -- Could not copy '" + m_source.string() + "' to '" + m_destination.string() + "' (" + error.message() + ")");
        m_services.log("ERROR -- Could not copy myself to " + m_destination.string());
        return fail();
    }
    return std::nullopt;
}

MoveOutcome MoveToApplicationsFolder::finishMove()
{
    // A read-only disk image cannot lose its copy; the image goes away instead.
    if (!m_diskImageDevice)
        removeSource();
    DesktopIntegration::addMovedProgram(m_source, m_destination);
    m_services.relaunchAfterExit(m_destination);
    if (m_diskImageDevice)
        m_services.detachLater(*m_diskImageDevice);
    return MoveOutcome::Quit;
}

void MoveToApplicationsFolder::removeSource()
{
    std::error_code error;
    std::filesystem::remove_all(m_source, error);
    if (!error)
        return;
    m_services.log("WARNING -- Could not delete '" + m_source.string() + "': " + error.message());
    if (!m_services.trash(m_source))
        m_services.log("WARNING -- Could not delete application after moving it to Applications folder");
}

MoveOutcome MoveToApplicationsFolder::fail()
{
    m_alert.showFailure();
    return MoveOutcome::Continue;
}

MoveOutcome MoveToApplicationsFolder::run(UserDefaults& defaults)
{
    QtMoveAlert alert;
    return run(defaults, alert);
}

MoveOutcome MoveToApplicationsFolder::run(UserDefaults& defaults, MoveAlert& alert)
{
    LinuxMoveServices services;
    return MoveToApplicationsFolder(defaults, services, alert, InstallFolders::current()).check();
}

}
