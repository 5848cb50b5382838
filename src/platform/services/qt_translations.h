#pragma once

namespace serialix {

// Installs Qt's own Japanese translations (file dialog, standard buttons, context menus) on the
// running application, from Qt's translations folder. The interface is Japanese whatever the
// system language, so the language is fixed. Returns false when no catalogue could be loaded
// (the package with Qt's translations is missing); the dialogs then stay in English.
// Call once, after the QApplication exists.
bool InstallJapaneseQtTranslations();

}  // namespace serialix
