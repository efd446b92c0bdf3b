#include "setup/CustomScriptsNotice.h"

#include "appearance/AppPalette.h"
#include "appearance/AppStyle.h"
#include "core/UserDefaults.h"
#include "launch/LaunchableCatalogue.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLoggingCategory>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

namespace scriblo {

Q_LOGGING_CATEGORY(scriptsNotice, "scriblo.setup.store")

namespace {

// Wide enough for the sentence to take three or four lines in any of the languages,
// where a message box's own sizing left it a narrow column and cut the folder's name.
constexpr int textWidth = 380;
constexpr QChar zeroWidthSpace(0x200B);
constexpr QChar wordJoiner(0x2060);

QLabel* wrappedLabel(const QString& text, QWidget* parent)
{
    auto label = new QLabel(text, parent);
    label->setAccessibleName(text);
    label->setWordWrap(true);
    label->setMinimumWidth(textWidth);
    return label;
}

}

CustomScriptsNotice::CustomScriptsNotice(const QString& scriptsFolder, QWidget* setupWindow)
    : m_style(std::make_unique<AppStyle>())
{
    // The title bar names the program; the notice's own heading says what it is about.
    setWindowTitle(QStringLiteral("Scriblo"));
    setAccessibleName(tr("Custom scripts notice"));
    heading = wrappedLabel(tr("Custom Scripts"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSize(AppPalette::titlePointSize);
    heading->setFont(bold);
    body = wrappedLabel(tr("You can add your own scripts to this list by placing executable files in the folder below."), this);
    folderLabel = wrappedLabel(folderAsShown(scriptsFolder), this);
    // A screen reader reads the folder as written, without the marks that place the breaks.
    folderLabel->setAccessibleName(folderAsShown(scriptsFolder).remove(zeroWidthSpace).remove(wordJoiner));
    auto buttons = new QDialogButtonBox(this);
    coolButton = buttons->addButton(tr("Cool!"), QDialogButtonBox::AcceptRole);
    coolButton->setAccessibleName(coolButton->text());
    coolButton->setDefault(true);
    coolButton->setMinimumSize(96, 26);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->setSpacing(8);
    layout->addWidget(heading);
    layout->addWidget(body);
    layout->addWidget(folderLabel);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setStyle(m_style.get());
    setPalette(AppPalette::palette());
    setAutoFillBackground(true);
    for (QWidget* child : findChildren<QWidget*>())
        child->setStyle(m_style.get());

    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose);
    // A window of its own rather than the setup window's child: as a child it stayed an
    // unpainted black box on X servers without a compositor. Transient for the setup
    // window, which a window manager then keeps it above: both stay on top, and openbox
    // put the notice underneath, hiding its only button. The window manager reads this
    // when the window is mapped, so it is set before the show.
    create();
    if (QWindow* setup = setupWindow->windowHandle())
        windowHandle()->setTransientParent(setup);
}

CustomScriptsNotice::~CustomScriptsNotice()
{
    // The children still refer to the style while they are destroyed.
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

// Edged as the setup window is, so the notice stands out over it where no window
// manager frames it.
void CustomScriptsNotice::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(AppPalette::windowEdge());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

QString CustomScriptsNotice::folderAsShown(const QString& folder)
{
    QString home = QDir::homePath();
    QString shown = folder;
    if (shown.startsWith(home + QLatin1Char('/')))
        shown.replace(0, home.size(), QStringLiteral("~"));
    QString breakable;
    for (QChar character : shown) {
        breakable += character;
        if (character == QLatin1Char('/'))
            breakable += zeroWidthSpace;
        else if (character == QLatin1Char('-'))
            breakable += wordJoiner;
    }
    return breakable;
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
