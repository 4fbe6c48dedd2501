#include "platform/toolkit/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace toolkit {

namespace {

constexpr char kInstalled[] = "toolkit::installedTranslator";

bool install(QCoreApplication& application, const QLocale& locale, const QString& name,
             const QString& folder) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, name, "_", folder)) return false;
    translator->setObjectName(kInstalled);
    translator->setParent(&application);
    QCoreApplication::installTranslator(translator.release());
    return true;
}

}  // namespace

void useLanguage(QCoreApplication& application, const QLocale& locale) {
    for (QTranslator* old :
         application.findChildren<QTranslator*>(kInstalled, Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    // Qt's own texts only in a language the tool speaks too: a window never
    // mixes two languages (German buttons beside English menus).
    if (install(application, locale, "curveplot",
                QCoreApplication::applicationDirPath() + "/../share/curveplot/translations"))
        install(application, locale, "qtbase", QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

}  // namespace toolkit
