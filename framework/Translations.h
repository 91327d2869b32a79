#pragma once
// Qt's own texts in the user's language: the buttons of message boxes and
// the labels of the open dialog. The program's own texts are Chinese, so
// where the system names no language (the C or POSIX locale) Qt's texts are
// Simplified Chinese too.
#include <QLocale>
#include <QTranslator>

#include <memory>

// The language of the interface for the system locale `System`.
QLocale InterfaceLocale(const QLocale &System = QLocale::system());
// Installs Qt's translation for `Locale` from the system's Qt translations;
// it stays in force while the returned translator lives. Null when the
// system has none for that language (Qt's English texts stay).
std::unique_ptr<QTranslator> InstallQtTranslations(const QLocale &Locale);
