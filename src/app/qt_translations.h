#pragma once
// Qt's own words in the operator's language: the file dialogs, the edit
// boxes' context menus and the like, from the catalogues Qt installs beside
// itself. Without one for the language they stay English.

#include <string>

// `language` as UseLanguage names it ("de", "pt_BR"; "en" for none). Needs
// the QApplication; a later call replaces what an earlier one put in use.
void UseQtTranslations(const std::string& language);
