#pragma once

#include "launch/DesktopFixture.h"
#include "launch/FakeWorkspace.h"
#include "launch/LaunchableCatalogue.h"

#include <memory>

namespace scriblo::testing {

// A throw-away desktop with two applications, Mail and Maps, and the catalogue that
// lists them.
class MailAndMapsDesktop : public DesktopFixture {
protected:
    void SetUp() override
    {
        DesktopFixture::SetUp();
        writeDesktopEntry(systemData, "mail.desktop", "Mail");
        writeDesktopEntry(systemData, "maps.desktop", "Maps");
        catalogue = std::make_unique<LaunchableCatalogue>(std::make_shared<FakeWorkspace>(), root / "builtin");
        catalogue->fetchAll();
    }

    std::unique_ptr<LaunchableCatalogue> catalogue;
};

}
