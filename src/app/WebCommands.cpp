#include "app/WebCommands.h"

#include <algorithm>
#include <optional>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "app/EventTargets.h"
#include "app/FigDataView.h"
#include "app/FileCommands.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/language/Multi_lang.h"
#include "core/language/TranslatedText.h"
#include "figure/EventMark.h"
#include "figure/PDtype05.h"
#include "files/Cp932.h"
#include "files/PDio05.h"
#include "files/PDio05_text.h"
#include "files/SvgSurface.h"
#include "files/WebPages.h"
#include "labels/Labels05.h"
#include "persist/String05.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

namespace fs = std::filesystem;

constexpr int kPictureWidth = 641;
constexpr std::string_view kNotWebAddressText =
    "送信先のURLは http:// か https:// で始まるものにしてください。";
constexpr int kPictureHeight = 481;

// What the page's viewer says under a figure, by the names it asks for.
constexpr std::pair<std::string_view, std::string_view> kViewerTexts[] = {
    {"drag", "点をドラッグできます"},
    {"keys", "(Tabキーで点を選び,矢印キーで動かせます。Shiftを押しながらだと10ドットずつ)"},
    {"still", "この図には動かせる点がありません"},
    {"reset", "最初に戻す"},
    {"failed", "この図は表示できません:"},
    {"unreadable", "図形ファイルを読めませんでした。"},
    {"atLine", "(%1行目)"},
    {"noFigure", "このページには図形がありません。"},
    {"noViewer", "このブラウザでは図を動かせません。"},
    {"locus", "軌跡を残す"},
    {"clear", "軌跡の消去"},
    {"events", "イベントを使う(点をクリックすると,メッセージ・絵・メモなどが出ます)"},
    {"close", "消す"},
    {"openAddress", "このアドレスを新しいタブで開きますか:"},
    {"open", "開く"},
    {"notOpened", "このページからは開きません:"},
    {"notFound", "%1 がみつかりません。"},
    {"figureFile", "この図のページはありません。図形ファイル:"},
    {"notRead", "読み込めませんでした:"},
    {"description", "図の説明"},
    {"report", "作図データの分析"},
    {"point", "点"},
    {"line", "直線"},
    {"circle", "円"},
    {"number", "数"},
    {"radius", "半径"},
    {"absent", "(存在しません)"}};

constexpr std::string_view kDescriptionTextNames[] = {"description", "point", "line", "circle",
                                                      "number",      "radius", "absent"};

fs::path WebDataFile(std::string_view name) { return fs::path(kWebDataFolder) / name; }

// The decimals of the description (the program's own) and the kinds of the
// figure's steps by name.
void AppendFigureWords(Program& p, PageWords& words) {
  words.emplace_back("decimals", std::to_string(p.Config.KetaDecimal));
  for (int s = 1; s <= p.Fig.StepCount; ++s) {
    const std::string name = "kind." + std::string(StepKindText(p.Fig, s));
    const bool listed = std::any_of(words.begin(), words.end(),
                                    [&](const auto& text) { return text.first == name; });
    if (!listed) words.emplace_back(name, KindDisplayName(p.Lang, StepKindText(p.Fig, s)));
  }
}

// The page's own texts in the program's language, and the report that
// describes the figure to a screen reader (the file's name only: the page is
// published, the teacher's folders are not).
void FillPageTexts(Program& p, FigurePageFields& fields) {
  fields.Language = PageLanguage(p.Lang);
  for (const auto& [name, text] : kViewerTexts) {
    fields.ViewerTexts.emplace_back(name, Translate(p.Lang, text));
  }
  // Not a text: the step the page's number sliders vary by.
  fields.ViewerTexts.emplace_back("step", FormatReal(p.Config.DeltaVar));
  AppendFigureWords(p, fields.ViewerTexts);
  fields.Report = FigDataViewReport(p.Fig, p.Lang, fs::path(p.CurFileName).filename().string(),
                                    p.Config.KetaDecimal);
}

// Each linked figure once, by the target its points name.
void FillLinkedFigures(const Program& p, const LinkedPageFinder& find, FigurePageFields& fields) {
  std::set<std::string> seen;
  for (int i = 1; PointIndexValid(p.Fig, i); ++i) {
    const PtRec& pt = p.Fig.PtTable[i];
    if (pt.EventKind % kEventHidden != kEventFigure || !seen.insert(pt.EventText).second) continue;
    const LinkedFigurePage linked = find(pt.EventText);
    if (!linked.Page.empty()) {
      fields.LinkedPages.emplace_back(pt.EventText, PageFileReference(linked.Page, fields.Page));
    }
    if (!linked.File.empty()) {
      fields.LinkedFiles.emplace_back(pt.EventText, PageFileReference(linked.File, fields.Page));
    }
  }
}

void Tell(Program& p, const std::string& text) {
  p.Host->MessageBox(text, Translate(p.Lang, kProgramTitle), MsgButtons::kOk);
}

// The figure file's text as the writer makes it, read as UTF-8 for a page.
std::string FigureTextUtf8(const Figure& fig) {
  bool lost = false;
  return Cp932ToUtf8(FigFileText(fig, lost));
}

// The window's size, or the standard one without a window (or a minimized one).
std::pair<int, int> PictureSize(const Program& p) {
  if (p.Canvas && p.Canvas->PixelWidth() > 0 && p.Canvas->PixelHeight() > 0) {
    return {p.Canvas->PixelWidth(), p.Canvas->PixelHeight()};
  }
  return {kPictureWidth, kPictureHeight};
}

void OpenPage(Program& p, const fs::path& page) {
  if (!p.Host->OpenWithDesktop(page.string())) {
    Tell(p, Translate(p.Lang, kPageNotOpenedText) + "\n" + page.string());
  }
}

}  // namespace

std::string PageLanguage(const LangState& lang) {
  if (lang.Language == "Japanese") return "ja";
  if (lang.Language == "English") return "en";
  return "";
}

std::string FigurePictureSvg(Program& p) {
  CompleteSampledLoci(p);  // the frame below then sweeps nothing
  const auto [width, height] = PictureSize(p);
  SvgSurface svg(width, height);
  ViewState view = p.View;
  SetScreen(view, &svg);
  DrawState draw = p.Draw;
  ClearHighlights(draw);
  const int16_t mode = CurrentMode(p.Modes);
  std::vector<ScreenNumberLine> numberList;
  if (!NamesHidden(p.Config, mode)) {
    numberList = ScreenNumberList(p.Fig, TranslatedText(p.Lang), p.Config.KetaDecimal,
                                  p.Draw.LeftPanelShown);
  }
  RenderContext context{p.Fig, view, draw, p.Config, &svg, mode, &numberList, &p.Layers};
  DrawFrame(context);
  return svg.Svg();
}

LinkedFigurePage LinkedPageBeside(const Program& p, std::string_view target) {
  const EventTarget figure = LinkedFigureTarget(FigureFolder(p.CurFileName), target);
  std::error_code error;
  if (figure.Outside || !fs::is_regular_file(figure.Path, error)) return {};
  LinkedFigurePage linked{figure.Path, FigurePagePath(figure.Path)};
  if (!fs::is_regular_file(linked.Page, error)) linked.Page.clear();
  return linked;
}

PageExport ExportFigurePage(Program& p, const fs::path& page, const LinkedPageFinder& linked,
                            const fs::path& program) {
  PageExport result;
  result.Page = page;
  std::optional<fs::path> viewer = FindShippedFile(p.Folders, WebDataFile(kViewerFileName));
  std::optional<fs::path> pageTemplate = FindShippedFile(p.Folders, WebDataFile(kPageTemplateName));
  if (!viewer || !pageTemplate) {
    result.Message = Translate(p.Lang, kNoViewerText) + "\n" +
                     (p.Folders.Folder / WebDataFile(kViewerFileName)).string() + "\n";
    return result;
  }
  FigurePageFields fields;
  fields.Figure = p.CurFileName;
  fields.Page = page;
  fields.FigureText = FigureTextUtf8(p.Fig);
  fields.PictureSvg = FigurePictureSvg(p);
  std::tie(fields.Width, fields.Height) = PictureSize(p);
  FillPageTexts(p, fields);
  const LinkedPageFinder beside = [&p](std::string_view target) {
    return LinkedPageBeside(p, target);
  };
  FillLinkedFigures(p, linked ? linked : beside, fields);
  if (!program.empty()) {
    fields.ProgramLink = ProgramReference(program, fields.Figure, page);
    fields.ProgramLinkText = Translate(p.Lang, kOpenInProgramText);
  }
  WebWriteResult written = WriteFigurePage(*pageTemplate, *viewer, fields);
  if (!written.Ok) {
    result.Message = Translate(p.Lang, kPageNotWrittenText) + "\n" + written.File.string() + ": " +
                     written.Reason;
    return result;
  }
  result.Ok = true;
  return result;
}

PageWords DescriptionWords(Program& p) {
  PageWords words;
  for (std::string_view name : kDescriptionTextNames) {
    const auto text = std::find_if(std::begin(kViewerTexts), std::end(kViewerTexts),
                                   [&](const auto& entry) { return entry.first == name; });
    words.emplace_back(name, Translate(p.Lang, text->second));
  }
  AppendFigureWords(p, words);
  return words;
}

void mnuf_html(Program& p) {
  if (!mnuSave_Click(p)) return;
  PageExport exported = ExportFigurePage(p, FigurePagePath(p.CurFileName));
  if (!exported.Ok) {
    Tell(p, exported.Message);
    return;
  }
  OpenPage(p, exported.Page);
}

bool WriteOnlineSavePage(Program& p, const fs::path& page, std::string& message) {
  if (p.Config.WWWurl.empty()) p.Config.WWWurl = std::string(kBuiltInWWWurl);
  if (!IsWebAddress(p.Config.WWWurl)) {
    message = Translate(p.Lang, kNotWebAddressText) + "\n" + p.Config.WWWurl;
    return false;
  }
  std::string reason;
  const std::string text =
      OnlineSavePage(p.Config.WWWurl, FigureTextUtf8(p.Fig), TranslatedText(p.Lang));
  if (ReplaceFileContents(page, text, reason)) return true;
  message = Translate(p.Lang, kPageNotWrittenText) + "\n" + page.string() + ": " + reason;
  return false;
}

void mnuSaveOnLine(Program& p) {
  const fs::path page = p.Folders.Folder / kOnlineSavePageName;
  std::string message;
  if (!WriteOnlineSavePage(p, page, message)) {
    Tell(p, message);
    return;
  }
  NoteTemporaryFile(p.Folders, page);
  OpenPage(p, page);
}

void mnuOwwwManual(Program& p) {
  std::optional<std::string> answer =
      p.Host->InputBox(Translate(p.Lang, "データ保存に使うWWWサーバのURLを入力してください。"),
                       Translate(p.Lang, "WWWサーバの設定"), p.Config.WWWurl);
  if (!answer) return;
  std::string url(Trim(*answer));
  if (url.empty()) return;
  if (!IsWebAddress(url)) {
    Tell(p, Translate(p.Lang, kNotWebAddressText) + "\n" + url);
    return;
  }
  p.Config.WWWurl = url;
}

void mnuOwwwVarnhof(Program& p) { p.Config.WWWurl = std::string(kBuiltInWWWurl); }

}  // namespace plandra
