#pragma once

#include "install/InstallFolders.h"

#include <filesystem>
#include <optional>
#include <string>

namespace scriblo {

class MoveAlert;
class MoveServices;
class UserDefaults;

// Whether start-up goes on, or the process should end now with status 0 because a
// moved or already installed copy is starting in its place.
enum class MoveOutcome { Continue, Quit };

// Offers, at each start of an AppImage outside an Applications folder, to move it into
// one; moves it on consent and has the moved copy started once this process has ended.
class MoveToApplicationsFolder {
public:
    static constexpr const char* suppressKey = "moveToApplicationsFolderAlertSuppress";

    MoveToApplicationsFolder(UserDefaults& defaults, MoveServices& services, MoveAlert& alert, InstallFolders folders);

    MoveOutcome check();

    // The check on this desktop, with its real services and alert: call it once the
    // QApplication exists and before any window is shown, and end with status 0 on Quit.
    static MoveOutcome run(UserDefaults& defaults);
    // The same with another alert, for a caller that answers the offer itself.
    static MoveOutcome run(UserDefaults& defaults, MoveAlert& alert);

private:
    bool offered() const;
    void chooseInstallFolder();
    bool userAcceptsMove();
    std::optional<MoveOutcome> copyWithAuthorization();
    std::optional<MoveOutcome> copyWithoutAuthorization();
    MoveOutcome finishMove();
    void removeSource();
    MoveOutcome fail();

    UserDefaults& m_defaults;
    MoveServices& m_services;
    MoveAlert& m_alert;
    const InstallFolders m_folders;

    std::filesystem::path m_source;
    std::filesystem::path m_installFolder;
    bool m_installFolderIsUsers { false };
    std::filesystem::path m_destination;
    bool m_needsAuthorization { false };
    std::optional<std::string> m_diskImageDevice;
};

}
