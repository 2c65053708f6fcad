#include "TraduccionesQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

std::unique_ptr<QTranslator> instalaTraduccionesQt() {
    auto traductor = std::make_unique<QTranslator>();
    // "qtbase" holds the texts of the widgets, dialogs and printing the
    // program uses.
    if (!traductor->load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    QCoreApplication::installTranslator(traductor.get());
    return traductor;
}
