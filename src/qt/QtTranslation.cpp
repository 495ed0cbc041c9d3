#include "qt/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include "core/language/Multi_lang.h"

namespace plandra {

void QtTranslation::Follow(std::string_view language) {
  if (QCoreApplication::instance() == nullptr) return;
  bool wanted = ChosenLanguage(language) == LanguageChoice::kJapanese;
  if (wanted == installed_) return;
  if (!wanted) {
    QCoreApplication::removeTranslator(&japanese_);
    installed_ = false;
    return;
  }
  if (loadFailed_) return;
  // Without the catalogue Qt's dialogs stay in English; the program's own
  // texts are unaffected.
  if (japanese_.isEmpty() &&
      !japanese_.load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    loadFailed_ = true;
    return;
  }
  installed_ = QCoreApplication::installTranslator(&japanese_);
}

}  // namespace plandra
