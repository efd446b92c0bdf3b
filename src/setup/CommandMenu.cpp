#include "setup/CommandMenu.h"

#include <QMenu>

namespace scriblo {

CommandMenu::CommandMenu(QObject* parent)
    : QObject(parent)
    , m_menu(std::make_unique<QMenu>())
{
    connect(m_menu->addAction(tr("My &Gestures…")), &QAction::triggered, this, &CommandMenu::gestureSheetRequested);
    connect(m_menu->addAction(tr("&Last Drawing…")), &QAction::triggered, this, &CommandMenu::lastDrawingRequested);
    connect(m_menu->addAction(tr("&Import Gestures…")), &QAction::triggered, this, &CommandMenu::importRequested);
    connect(m_menu->addAction(tr("&Export Gestures…")), &QAction::triggered, this, &CommandMenu::exportRequested);
    m_explainMisses = m_menu->addAction(tr("Explain &Misses"));
    m_explainMisses->setCheckable(true);
    connect(m_explainMisses, &QAction::triggered, this, &CommandMenu::explainMissesToggled);
    m_menu->addSeparator();
    connect(m_menu->addAction(tr("&Quit")), &QAction::triggered, this, &CommandMenu::quitRequested);
    connect(m_menu.get(), &QMenu::aboutToShow, this, &CommandMenu::opening);
}

CommandMenu::~CommandMenu() = default;

void CommandMenu::setExplainMisses(bool explain)
{
    m_explainMisses->setChecked(explain);
}

}
