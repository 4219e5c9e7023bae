#pragma once
// The toolkit's own texts (file dialogs, edit boxes' context menus) in
// Russian, whatever the system's locale: the whole program speaks Russian.

#include <QString>

class QCoreApplication;

namespace translation {

// Makes Russian the program's locale (dates, sizes), whatever the system's.
void UseRussianLocale();

// The folder the toolkit's translations are installed in (on Windows, the
// one the program carries inside itself).
QString ToolkitTranslationsDir();

// Loads the toolkit's Russian translation (qtbase_ru) from `dir` and
// installs it in `app`. Where it is missing, says so in one line on stderr
// and returns false; the program goes on in the toolkit's English.
bool InstallToolkitTranslation(QCoreApplication &app, const QString &dir = ToolkitTranslationsDir());

} // namespace translation
