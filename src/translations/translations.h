// The program's texts in the user's language.
//
// Texts pass through Qt's translation system (tr(), QCoreApplication::translate)
// with English as the source language. Each part of the program is a domain
// ("accrua", "planner", "accrua-cli") whose Qt Linguist files are compiled at
// build time and embedded as :/translations/<domain>_<language>.qm; install()
// picks the one for the user's languages and hands it to Qt. Without a match,
// or when English comes first, nothing is installed and every text is the source.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTranslator>

#include <memory>
#include <vector>

namespace accrua::translations {

// The embedded translation of `domain` for the first of `uiLanguages` (most
// wanted first, as QLocale::uiLanguages() lists them: "de-DE", "de") that has
// one, trying "de_DE" before "de"; empty when none has one or English is wanted
// before any that has.
QString findTranslation(const QStringList &uiLanguages, const QString &domain);

// Installs the translation of each domain that has one for `uiLanguages` on the
// running application. A translator stays installed while the returned object lives.
using Translators = std::vector<std::unique_ptr<QTranslator>>;
Translators install(const QStringList &uiLanguages, const QStringList &domains);

// Qt's own texts (shortcut names such as Ctrl, the standard dialogs' buttons)
// in the language install() found the program's texts in, from Qt's
// translations when the system has them. Nothing when no program text was
// translated, so English windows never get foreign Qt texts.
std::unique_ptr<QTranslator> installQtTexts(const QStringList &uiLanguages, const QString &domain);

// The languages the user wants, most wanted first: none for the C locale, which
// asks for the program's own texts whatever LANGUAGE says.
QStringList wantedLanguages(const QLocale &locale);

// The domains of the desktop program.
QStringList desktopDomains();
// The domains of accrua-cli: its help, and the planner's messages and report.
QStringList cliDomains();

} // namespace accrua::translations
