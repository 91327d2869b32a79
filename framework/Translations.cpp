#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

QLocale InterfaceLocale(const QLocale &System)
{
    if (System.language() == QLocale::C)
        return QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China);
    return System;
}

std::unique_ptr<QTranslator> InstallQtTranslations(const QLocale &Locale)
{
    auto translator = std::make_unique<QTranslator>();
    // "qt" bundles the translations of every Qt module that ships one.
    if (!translator->load(Locale, QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}
