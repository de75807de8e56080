#include "translations/translations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>

namespace accrua::translations {

namespace {

const QString kFolder = QStringLiteral(":/translations/");

// English is the source language: wanting it means wanting no translation.
bool isSource(const QString &language)
{
    return language == QLatin1String("C") || language == QLatin1String("en") ||
           language.startsWith(QLatin1String("en_"));
}

} // namespace

QString findTranslation(const QStringList &uiLanguages, const QString &domain)
{
    for (const QString &wanted : uiLanguages) {
        QString language = wanted;
        language.replace(QLatin1Char('-'), QLatin1Char('_'));
        if (isSource(language))
            return {};
        // "de_AT" falls back to "de", "zh_Hant_TW" to "zh_Hant" and "zh".
        while (!language.isEmpty()) {
            QString path = kFolder + domain + QLatin1Char('_') + language + QLatin1String(".qm");
            if (QFileInfo::exists(path))
                return path;
            const qsizetype cut = language.lastIndexOf(QLatin1Char('_'));
            language.truncate(cut < 0 ? 0 : cut);
        }
    }
    return {};
}

Translators install(const QStringList &uiLanguages, const QStringList &domains)
{
    Translators installed;
    for (const QString &domain : domains) {
        const QString path = findTranslation(uiLanguages, domain);
        if (path.isEmpty())
            continue;
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(path) && QCoreApplication::installTranslator(translator.get()))
            installed.push_back(std::move(translator));
    }
    return installed;
}

std::unique_ptr<QTranslator> installQtTexts(const QStringList &uiLanguages, const QString &domain)
{
    const QString ours = findTranslation(uiLanguages, domain);
    if (ours.isEmpty())
        return nullptr;
    // ":/translations/accrua_de.qm" -> "qtbase_de"; QTranslator falls back from
    // "qtbase_de_AT" to "qtbase_de" itself.
    const QString base = QFileInfo(ours).completeBaseName();
    const QString language = base.mid(domain.size() + 1);
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLatin1String("qtbase_") + language,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}

QStringList wantedLanguages(const QLocale &locale)
{
    if (locale.language() == QLocale::C)
        return {};
    return locale.uiLanguages();
}

QStringList desktopDomains()
{
    return {QStringLiteral("accrua"), QStringLiteral("planner")};
}

QStringList cliDomains()
{
    return {QStringLiteral("accrua-cli"), QStringLiteral("planner")};
}

} // namespace accrua::translations
