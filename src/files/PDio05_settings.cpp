#include "files/PDio05_settings.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <variant>

#include "figure/PDtype05.h"
#include "files/PDio05_text.h"
#include "files/ProgramFolder.h"
#include "persist/String05.h"

namespace plandra {

namespace {

// A settings file is a few hundred bytes; anything past this is not ours.
constexpr size_t kMaxSettingsBytes = 1 << 20;
// The key's "=" must lie within this many characters of the line start.
constexpr size_t kKeySearchChars = 99;

constexpr int32_t kDefaultRedrawSlow = 500;
constexpr int16_t kDefaultColorStrength = 255;

using Field = std::variant<std::string Settings::*, int16_t Settings::*, int32_t Settings::*,
                           double Settings::*, float Settings::*, bool Settings::*>;

// How a number outside a key's range is brought back: to the nearest bound,
// or to the key's default where the program itself does that.
struct Range {
  double Min;
  double Max;
  std::optional<double> Fallback;
};

struct SettingKey {
  std::string_view Key;  // as written, without " ="
  Field Value;
  bool WrittenOnly;
  std::optional<Range> Limits;
};

constexpr double kInt32Max = std::numeric_limits<int32_t>::max();

const std::array<SettingKey, 24>& SettingKeys() {
  static const std::array<SettingKey, 24> keys = {{
      {"App", &Settings::App, true, {}},
      {"AppMajor", &Settings::AppMajor, true, {}},
      {"AppMinor", &Settings::AppMinor, true, {}},
      {"delta", &Settings::Delta, false, {}},
      {"deltavar", &Settings::DeltaVar, false, {}},
      {"ColorStrength", &Settings::ColorStrength, false, Range{1, 255, kDefaultColorStrength}},
      {"NotChrDisp", &Settings::NotChrDisp, false, {}},
      {"axissw", &Settings::AxisShow, false, {}},
      {"AxisColor", &Settings::AxisColor, false, {}},
      {"ZEvav.DrawWidth", &Settings::DrawWidth, false, Range{1, 10, {}}},
      // A font needs a positive size; past a few hundred points the window
      // would only draw one letter.
      {"ZEvav.FontSize", &Settings::FontSize, false, Range{1, 500, {}}},
      {"ZEvav.FontName", &Settings::FontName, false, {}},
      {"KetaDecimal", &Settings::KetaDecimal, false, Range{0, 20, {}}},
      {"ZEvav.BackColor", &Settings::BackColor, false, {}},
      {"BrowserSW", &Settings::BrowserSW, false, {}},
      {"WWWurl", &Settings::WWWurl, false, {}},
      {"ZEvav.Width", &Settings::StartWidth, false, {}},
      {"ZEvav.Height", &Settings::StartHeight, false, {}},
      {"ZEvav.WindowState", &Settings::StartState, false, {}},
      {"ZEvav_MenuMode", &Settings::MenuEasy, false, {}},
      {"ZEvav_AutoRedraw", &Settings::AutoRedraw, true, {}},
      {"ZEvav_Redraw_Slow", &Settings::RedrawSlow, false, Range{1, kInt32Max, kDefaultRedrawSlow}},
      {"ZEvav_Language", &Settings::Language, false, {}},
      {"SDeformKind", &Settings::SDeformKind, false, {}},
  }};
  return keys;
}

// Numbers are printed with a blank in front when not negative and a blank
// behind, as the file has always had them; the digits are the shortest that
// read back to the same value.
template <typename Number>
std::string NumberText(Number value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string digits(buffer, result.ptr);
  return (value < 0 ? "" : " ") + digits + " ";
}

// A text value must stay on its line.
std::string OneLine(std::string_view text) {
  std::string line(text);
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return line;
}

std::string ValueText(const Settings& settings, const Field& field) {
  return std::visit(
      [&](auto member) -> std::string {
        const auto& value = settings.*member;
        using T = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<T, std::string>) {
          return OneLine(value);
        } else if constexpr (std::is_same_v<T, bool>) {
          return value ? "True" : "False";
        } else {
          return NumberText(value);
        }
      },
      field);
}

std::string_view TrimNumberBlanks(std::string_view text) {
  size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  size_t end = text.find_last_not_of(" \t");
  return text.substr(start, end - start + 1);
}

std::optional<double> ParseNumber(std::string_view text) {
  text = TrimNumberBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const RealParse result = ReadReal(text, value);
  if (text.empty() || result.Error != std::errc{} || result.End != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

double Limit(double value, double typeMin, double typeMax, const std::optional<Range>& range) {
  double low = range ? range->Min : typeMin;
  double high = range ? range->Max : typeMax;
  if (value >= low && value <= high) return value;
  if (range && range->Fallback) return *range->Fallback;
  return std::clamp(value, low, high);
}

template <typename Int>
Int ToInteger(double value, const std::optional<Range>& range) {
  // Halves round to even, as the program has always converted them.
  double whole = std::nearbyint(value);
  double limited =
      Limit(whole, std::numeric_limits<Int>::min(), std::numeric_limits<Int>::max(), range);
  return static_cast<Int>(limited);
}

bool StoreValue(Settings& settings, const SettingKey& key, std::string_view valueText) {
  return std::visit(
      [&](auto member) -> bool {
        auto& target = settings.*member;
        using T = std::decay_t<decltype(target)>;
        if constexpr (std::is_same_v<T, std::string>) {
          target = std::string(valueText);
          return true;
        } else if constexpr (std::is_same_v<T, bool>) {
          return false;
        } else {
          std::optional<double> number = ParseNumber(valueText);
          if (!number) return false;
          if constexpr (std::is_floating_point_v<T>) {
            double limit = std::numeric_limits<T>::max();
            target = static_cast<T>(Limit(*number, -limit, limit, key.Limits));
          } else {
            target = ToInteger<T>(*number, key.Limits);
          }
          return true;
        }
      },
      key.Value);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

const SettingKey* FindSettingKey(std::string_view name) {
  for (const SettingKey& key : SettingKeys()) {
    if (EqualsIgnoringCase(key.Key, name)) return &key;
  }
  return nullptr;
}

int32_t VersionPart(std::string_view version, int part) {
  for (int i = 0; i < part; ++i) {
    size_t dot = version.find('.');
    if (dot == std::string_view::npos) return 0;
    version.remove_prefix(dot + 1);
  }
  int32_t value = 0;
  std::from_chars(version.data(), version.data() + version.size(), value);
  return value;
}

SettingsFileResult Failure(std::string_view messageKey, const std::filesystem::path& path,
                           const std::string& reason, FileFault fault) {
  return {false, std::string(messageKey), path, reason, fault};
}

// Writes a whole file of the program folder; a refusal comes back in the
// message key's terms.
SettingsFileResult WriteOrFailure(const std::filesystem::path& path, std::string_view bytes,
                                  std::string_view messageKey) {
  const FileWriteResult written = WriteFileSafely(path, bytes);
  if (written.Ok()) return {};
  return Failure(messageKey, path, written.Reason, written.Fault);
}

std::filesystem::path SampleFolder(const ProgramFolder& program) {
  if (auto shipped = FindShippedFile(program, std::string(kSampleFolderName))) return *shipped;
  return program.Folder / kSampleFolderName;
}

}  // namespace

Settings ProgramSettings() {
  Settings settings;
#ifdef PLANDRA_VERSION
  settings.AppMajor = VersionPart(PLANDRA_VERSION, 0);
  settings.AppMinor = VersionPart(PLANDRA_VERSION, 1);
#endif
  return settings;
}

void mnuOFileInit(Settings& settings) {
  const Settings defaults;
  settings.Delta = defaults.Delta;
  settings.DeltaVar = defaults.DeltaVar;
  settings.ColorStrength = defaults.ColorStrength;
  settings.NotChrDisp = defaults.NotChrDisp;
  settings.AxisShow = defaults.AxisShow;
  settings.AxisColor = defaults.AxisColor;
  settings.DrawWidth = defaults.DrawWidth;
  settings.FontSize = defaults.FontSize;
  settings.FontName = defaults.FontName;
  settings.KetaDecimal = defaults.KetaDecimal;
  settings.BackColor = defaults.BackColor;
  settings.BrowserSW = defaults.BrowserSW;
  settings.WWWurl = defaults.WWWurl;
  settings.RedrawSlow = defaults.RedrawSlow;
}

std::string SettingsFileText(const Settings& settings) {
  std::string text;
  for (const SettingKey& key : SettingKeys()) {
    text += key.Key;
    text += " =";
    text += ValueText(settings, key.Value);
    text += "\r\n";
  }
  return text;
}

bool ReadSettingsLine(Settings& settings, std::string_view rawLine) {
  std::optional<std::string> line = UserLineToUtf8(rawLine);
  if (!line) return false;
  size_t equals = line->find('=');
  if (equals == std::string::npos || CharCountBefore(*line, equals) >= kKeySearchChars) {
    return false;
  }
  const SettingKey* key = FindSettingKey(Trim(std::string_view(*line).substr(0, equals)));
  if (!key || key->WrittenOnly) return false;
  return StoreValue(settings, *key, std::string_view(*line).substr(equals + 1));
}

void ReadSettingsText(Settings& settings, std::string_view text) {
  for (std::string_view line : SplitLines(text)) ReadSettingsLine(settings, line);
}

void ApplyBrowserSwitchRule(Settings& settings) {
  if (settings.BrowserSW != 0) settings.BrowserSW = 3;
}

SettingsFileResult LoadSettingsFile(Settings& settings,
                                    const std::filesystem::path& programFolder) {
  mnuOFileInit(settings);
  settings.WWWurl = std::string(kBuiltInWWWurl);
  std::filesystem::path path = programFolder / kSettingsFileName;
  TextFileRead file = ReadTextFileCapped(path, kMaxSettingsBytes);
  SettingsFileResult result;
  if (file.Result == ReadResult::kOk) {
    ReadSettingsText(settings, file.Bytes);
  } else if (file.Result == ReadResult::kFailed) {
    result = Failure("設定ファイルを読めませんでした。", path, file.Error, file.Fault);
  }
  ApplyBrowserSwitchRule(settings);
  return result;
}

SettingsFileResult SaveSettingsFile(const Settings& settings,
                                    const std::filesystem::path& programFolder) {
  return WriteOrFailure(programFolder / kSettingsFileName, SettingsFileText(settings),
                        "設定ファイルを保存できませんでした。");
}

std::string DataPathFirstField(std::string_view text) {
  std::string_view line = text.substr(0, std::min(text.find('\r'), text.find('\n')));
  line = TrimNumberBlanks(line);
  if (!line.empty() && line.front() == '"') {
    line.remove_prefix(1);
    return std::string(line.substr(0, line.find('"')));
  }
  return std::string(TrimNumberBlanks(line.substr(0, line.find(','))));
}

void mnuFDataFolderSample(DataFolders& folders, const ProgramFolder& program) {
  folders.LoadInitialFolder = SampleFolder(program);
}

void mnuFDataFolderGet(DataFolders& folders, const ProgramFolder& program) {
  TextFileRead file = ReadTextFileCapped(program.Folder / kDataPathFileName, kMaxSettingsBytes);
  std::optional<std::string> field;
  if (file.Result == ReadResult::kOk) field = UserLineToUtf8(DataPathFirstField(file.Bytes));
  if (!field || field->empty()) {
    mnuFDataFolderSample(folders, program);
    return;
  }
  folders.DataFolder = *field;
  folders.LoadInitialFolder = folders.DataFolder;
}

SettingsFileResult SaveDataPathFile(const ProgramFolder& program,
                                    const std::filesystem::path& currentFolder) {
  // Quoted when it holds a comma, which the plain form would cut.
  std::string folder = OneLine(currentFolder.string());
  if (folder.find(',') != std::string::npos && folder.find('"') == std::string::npos) {
    folder = "\"" + folder + "\"";
  }
  return WriteOrFailure(program.Folder / kDataPathFileName, folder + "\r\n",
                        "データフォルダの設定を保存できませんでした。");
}

void Set_MergeDataFolder(DataFolders& folders, const ProgramFolder& program) {
  folders.MergeInitialFolder = SampleFolder(program);
}

}  // namespace plandra
