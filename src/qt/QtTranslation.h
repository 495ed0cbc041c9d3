// Qt's own texts (the buttons of message boxes, the file, colour, font and
// input dialogs) in the program's language: Japanese takes Qt's Japanese
// catalogue from the system's Qt translations; English and the user
// dictionary keep Qt's built-in English texts.
#pragma once

#include <QTranslator>
#include <string_view>

namespace plandra {

class QtTranslation {
 public:
  // Installs or removes the catalogue when the language asks for another
  // one; a catalogue that cannot be loaded is not tried again.
  void Follow(std::string_view language);
  bool Installed() const { return installed_; }

 private:
  QTranslator japanese_;
  bool installed_ = false;
  bool loadFailed_ = false;
};

}  // namespace plandra
