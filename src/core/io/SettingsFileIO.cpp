#include "core/io/SettingsFileIO.h"

#include "core/io/FileFaultText.h"

namespace plandra {
namespace {

bool ShownUnlessOk(const SettingsFileResult& result, Platform& platform, LangState& lang) {
  if (!result.Ok) ShowSettingsFailure(result, platform, lang);
  return result.Ok;
}

}  // namespace

void ShowSettingsFailure(const SettingsFileResult& failure, Platform& platform, LangState& lang) {
  std::string text = Translate(lang, failure.MessageKey) + "\n" + FaultText(lang, failure.Fault) +
                     failure.File.string() + "\n" + failure.Reason;
  platform.MessageBox(text, Translate(lang, "設定"), MsgButtons::kOk);
}

bool mnuOFileLoad(Settings& settings, const std::filesystem::path& programFolder,
                  Platform& platform, LangState& lang) {
  return ShownUnlessOk(LoadSettingsFile(settings, programFolder), platform, lang);
}

bool mnuOFileSave(const Settings& settings, const std::filesystem::path& programFolder,
                  Platform& platform, LangState& lang) {
  return ShownUnlessOk(SaveSettingsFile(settings, programFolder), platform, lang);
}

bool mnuFDataFolderStandardSet(const ProgramFolder& program,
                               const std::filesystem::path& currentFolder, Platform& platform,
                               LangState& lang) {
  return ShownUnlessOk(SaveDataPathFile(program, currentFolder), platform, lang);
}

}  // namespace plandra
