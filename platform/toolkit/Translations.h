#pragma once
// The user's language for every text the tool writes and for Qt's own
// dialogs. Texts a window declares stay exactly as declared.

class QCoreApplication;
class QLocale;

namespace toolkit {

// Installs the translations for `locale` in place of those installed before:
// the tool's own (curveplot_<language>.qm in ../share/curveplot/translations
// beside the program, as installed and as built) and Qt's (qtbase). A
// language without a translation, English among them, gets the texts as
// written.
void useLanguage(QCoreApplication& application, const QLocale& locale);

}  // namespace toolkit
