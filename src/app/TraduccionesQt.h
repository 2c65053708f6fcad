#pragma once
// Qt's own texts in Spanish: the buttons of message boxes and question
// dialogs, the file, print and page set-up dialogs, the context menus of
// text fields. They come from the translations of the Qt installation
// (Debian package qt6-translations-l10n, installed by scripts/dependencias.sh);
// without them the program still works, with those texts in English.

#include <QTranslator>

#include <memory>

// Loads Qt's Spanish translations and installs them in the running
// application; the translator stays installed while the answer lives. Null
// when no translation file was found.
std::unique_ptr<QTranslator> instalaTraduccionesQt();
