#include "platform/Translations.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace scriblo::Translations {

namespace {

const QString catalogueName = QStringLiteral("scriblo");

QString catalogueFile(const QString& name, const QString& language)
{
    return name + QLatin1Char('_') + language + QStringLiteral(".qm");
}

void installCatalogue(QCoreApplication& application, const QString& name, const QString& language, const QDir& folder)
{
    auto* translator = new QTranslator(&application);
    if (translator->load(catalogueFile(name, language), folder.path()))
        application.installTranslator(translator);
    else
        delete translator;
}

}

QDir catalogueFolder()
{
    QDir installed(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/scriblo/translations"));
    return installed.exists() ? installed : QDir(QStringLiteral(SCRIBLO_BUILD_TRANSLATIONS_DIR));
}

std::optional<QString> chosenLanguage(const QStringList& uiLanguages, const QDir& folder)
{
    for (QString language : uiLanguages) {
        language.replace(QLatin1Char('-'), QLatin1Char('_'));
        if (QLocale(language).language() == QLocale::English)
            return std::nullopt;
        for (; !language.isEmpty(); language.truncate(qMax(0, language.lastIndexOf(QLatin1Char('_'))))) {
            if (folder.exists(catalogueFile(catalogueName, language)))
                return language;
        }
    }
    return std::nullopt;
}

void install(QCoreApplication& application, const QStringList& uiLanguages)
{
    const QDir folder = catalogueFolder();
    auto language = chosenLanguage(uiLanguages, folder);
    if (!language)
        return;
    installCatalogue(application, QStringLiteral("qtbase"), *language, QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    installCatalogue(application, catalogueName, *language, folder);
}

}
