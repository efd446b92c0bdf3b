#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QStringList>

#include <optional>

namespace scriblo::Translations {

// Where the compiled catalogues are: `share/scriblo/translations` beside the running
// program's `bin` folder when it exists (an installed copy, wherever it was installed),
// else the build tree's, so an uninstalled build speaks the user's language too.
QDir catalogueFolder();

// The first of the user's languages, in their order of preference (as
// QLocale::uiLanguages gives them), that `folder` holds a catalogue for; a language
// with a region or script falls back to its plain form ("de-AT" to "de"). English, in
// which the texts are written, ends the search, so "en_GB:de" stays English.
std::optional<QString> chosenLanguage(const QStringList& uiLanguages, const QDir& folder);

// Installs Scriblo's catalogue for the first of `uiLanguages` it has, and Qt's own for
// the same language (the text fields' menus, the dialogs' standard buttons, the file
// dialogs) where Debian's qt6-translations-l10n put it.
void install(QCoreApplication& application, const QStringList& uiLanguages = QLocale::system().uiLanguages());

}
