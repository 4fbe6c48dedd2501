#include "platform/toolkit/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace toolkit {

namespace {

constexpr char kInstalled[] = "toolkit::installedTranslator";

void install(QCoreApplication& application, const QLocale& locale, const QString& name,
             const QString& folder) {
    auto* translator = new QTranslator(&application);
    translator->setObjectName(kInstalled);
    if (translator->load(locale, name, "_", folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

}  // namespace

void useLanguage(QCoreApplication& application, const QLocale& locale) {
    for (QTranslator* old :
         application.findChildren<QTranslator*>(kInstalled, Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    install(application, locale, "qtbase", QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    install(application, locale, "curveplot",
            QCoreApplication::applicationDirPath() + "/../share/curveplot/translations");
}

}  // namespace toolkit
