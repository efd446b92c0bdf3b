#include "setup/CustomScriptsNotice.h"

#include "core/UserDefaults.h"
#include "launch/LaunchableCatalogue.h"

#include <QLoggingCategory>
#include <QPushButton>
#include <QWindow>

namespace scriblo {

Q_LOGGING_CATEGORY(scriptsNotice, "scriblo.setup.store")

CustomScriptsNotice::CustomScriptsNotice(const QString& scriptsFolder, QWidget* setupWindow)
    : QMessageBox(QMessageBox::Information, tr("Custom Scripts"), tr("Custom Scripts"), QMessageBox::NoButton)
{
    setInformativeText(
        tr("You can add your own scripts to this list by placing executable files under %1").arg(scriptsFolder));
    setAccessibleName(tr("Custom scripts notice"));
    addButton(tr("Cool!"), QMessageBox::AcceptRole)->setAccessibleName(tr("Cool!"));
    // A window of its own rather than the setup window's child: as a child it stayed an
    // unpainted black box on X servers without a compositor.
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose);
    // Transient for the setup window, which a window manager then keeps it above: both
    // stay on top, and openbox put the notice underneath, hiding its only button. The
    // window manager reads this when the window is mapped, so it is set before the show.
    create();
    if (QWindow* setup = setupWindow->windowHandle())
        windowHandle()->setTransientParent(setup);
}

CustomScriptsNotice* CustomScriptsNotice::openOnceEver(UserDefaults& storage, QWidget* setupWindow)
{
    if (storage.boolForKey(shownCustomScriptsAlertKey))
        return nullptr;
    // Stored before the notice shows, so that it is shown at most once, ever.
    storage.setBool(true, shownCustomScriptsAlertKey);
    if (auto written = storage.synchronize(); !written)
        qCWarning(scriptsNotice).noquote() << "Could not remember that the scripts notice was shown ("
                                           << QString::fromStdString(written.error()) << "); it may show once more";
    QString folder = QString::fromStdString(LaunchableCatalogue::userScriptsFolder().string());
    auto notice = new CustomScriptsNotice(folder, setupWindow);
    notice->open();
    return notice;
}

}
