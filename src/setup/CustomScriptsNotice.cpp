#include "setup/CustomScriptsNotice.h"

#include <QPushButton>
#include <QWindow>

namespace scriblo {

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

}
