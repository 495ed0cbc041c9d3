#include "files/WebPages.h"

#include <system_error>

#include "figure/PDtype05.h"
#include "files/FileRead.h"
#include "files/PDio05_text.h"
#include "persist/JsonText.h"

namespace plandra {
namespace {

namespace fs = std::filesystem;

// The byte-order mark tells every browser that the page is UTF-8 without a
// line of its own, so the form posts the figure's text as UTF-8.
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
constexpr char kQuote = '"';

// The template and the viewer are a few hundred kilobytes.
constexpr size_t kMaxShippedFileBytes = size_t{64} << 20;

bool ReadWholeFile(const fs::path& file, std::string& bytes, std::string& reason) {
  FileBytes read = ReadRegularFile(file, kMaxShippedFileBytes);
  if (read.Status != FileReadStatus::kOk || read.More) {
    reason = read.More ? "the file is too large" : read.Reason;
    return false;
  }
  bytes = std::move(read.Bytes);
  return true;
}

WebWriteResult Failed(const fs::path& file, std::string reason) {
  return {false, false, file, std::move(reason)};
}

std::string Quoted(std::string_view text) { return kQuote + std::string(text) + kQuote; }

// A user dictionary is a file like any other: its texts are not markup.
std::string HtmlText(const TextLookup& lookup, std::string_view key) {
  return HtmlEscape(lookup.Text(key));
}

// "<tr><th>" caption "<td>" field "<br>": one row of the form's table.
std::string FormRow(const TextLookup& lookup, std::string_view caption, std::string_view field) {
  return "<tr><th>" + HtmlText(lookup, caption) + "<td>" + std::string(field) + "<br>";
}

std::string InputField(std::string_view name, std::string_view style) {
  std::string field = "<input name=" + Quoted(name);
  if (!style.empty()) field += " style=" + Quoted(style);
  return field + ">";
}

}  // namespace

std::string HtmlEscape(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&#39;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::string ReplaceMarks(std::string_view text,
                         const std::vector<std::pair<std::string_view, std::string>>& values) {
  std::string result;
  result.reserve(text.size());
  size_t at = 0;
  while (at < text.size()) {
    bool replaced = false;
    for (const auto& [mark, value] : values) {
      if (!mark.empty() && text.substr(at, mark.size()) == mark) {
        result += value;
        at += mark.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) result += text[at++];
  }
  return result;
}

std::string PageFileReference(const fs::path& figure, const fs::path& page) {
  std::error_code ec;
  fs::path from = fs::absolute(page, ec).parent_path();
  fs::path relative = fs::absolute(figure, ec).lexically_relative(from);
  if (relative.empty()) relative = figure.filename();
  return PercentEncodedReference(relative.generic_string());
}

std::string ProgramReference(const fs::path& program, const fs::path& figure,
                             const fs::path& page) {
  std::error_code ec;
  const fs::path from = fs::absolute(program, ec).parent_path();
  fs::path relative = fs::absolute(figure, ec).lexically_relative(from);
  if (relative.empty()) relative = figure.filename();
  return PageFileReference(program, page) + "?figure=" +
         PercentEncodedReference(relative.generic_string());
}

std::string ViewerTextsJson(const std::vector<std::pair<std::string, std::string>>& texts) {
  std::string json = "{";
  for (const auto& [name, text] : texts) {
    if (json.size() > 1) json += ",";
    json += JsonString(name) + ":" + JsonString(text);
  }
  return json + "}";
}

std::string LinkedFiguresJson(const FigurePageFields& fields) {
  return "{\"pages\":" + ViewerTextsJson(fields.LinkedPages) +
         ",\"files\":" + ViewerTextsJson(fields.LinkedFiles) + "}";
}

namespace {

// An element holding mark, before the page's </body>, when the template has
// no place for the mark.
void PlaceBeforeBodyEnd(std::string& page, std::string_view mark, const std::string& element) {
  if (page.find(mark) != std::string::npos) return;
  const size_t end = page.rfind("</body>");
  page.insert(end == std::string::npos ? page.size() : end, element);
}

// A JSON element for the viewer.
void PlaceDataScript(std::string& page, std::string_view mark, std::string_view className) {
  PlaceBeforeBodyEnd(page, mark,
                     "<script type=\"application/json\" class=\"" + std::string(className) +
                         "\">" + std::string(mark) + "</script>\n");
}

std::string ProgramLinkHtml(const FigurePageFields& fields) {
  if (fields.ProgramLink.empty()) return {};
  return "<a href=\"" + HtmlEscape(fields.ProgramLink) + "\">" +
         HtmlEscape(fields.ProgramLinkText) + "</a>";
}

}  // namespace

std::string FillFigurePage(std::string_view pageTemplate, const FigurePageFields& fields) {
  std::string page(pageTemplate);
  if (!fields.ViewerTexts.empty()) PlaceDataScript(page, kTextsMark, "plandra-texts");
  if (!fields.LinkedPages.empty() || !fields.LinkedFiles.empty()) {
    PlaceDataScript(page, kLinksMark, "plandra-links");
  }
  if (!fields.ProgramLink.empty()) {
    PlaceBeforeBodyEnd(page, kProgramMark,
                       "<p class=\"plandra-open-program\">" + std::string(kProgramMark) + "</p>\n");
  }
  return ReplaceMarks(page, {{kFileMark, PageFileReference(fields.Figure, fields.Page)},
                             {kNameMark, HtmlEscape(fields.Figure.filename().string())},
                             {kTextMark, HtmlEscape(fields.FigureText)},
                             {kPictureMark, fields.PictureSvg},
                             {kWidthMark, std::to_string(fields.Width)},
                             {kHeightMark, std::to_string(fields.Height)},
                             {kLanguageMark, HtmlEscape(fields.Language)},
                             {kTextsMark, ViewerTextsJson(fields.ViewerTexts)},
                             {kReportMark, HtmlEscape(fields.Report)},
                             {kLinksMark, LinkedFiguresJson(fields)},
                             {kProgramMark, ProgramLinkHtml(fields)}});
}

fs::path FigurePagePath(const fs::path& figure) {
  fs::path page = figure;
  page.replace_extension(".htm");
  return page;
}

WebWriteResult WriteFigurePage(const fs::path& templateFile, const fs::path& viewerFile,
                               const FigurePageFields& fields) {
  std::string pageTemplate;
  std::string reason;
  if (!ReadWholeFile(templateFile, pageTemplate, reason)) return Failed(templateFile, reason);
  WebWriteResult result;
  const fs::path viewerCopy = fields.Page.parent_path() / kViewerFileName;
  std::error_code ec;
  if (!fs::exists(viewerCopy, ec)) {
    std::string viewer;
    if (!ReadWholeFile(viewerFile, viewer, reason)) return Failed(viewerFile, reason);
    if (!ReplaceFileContents(viewerCopy, viewer, reason)) return Failed(viewerCopy, reason);
    result.ViewerCopied = true;
  }
  if (!ReplaceFileContents(fields.Page, FillFigurePage(pageTemplate, fields), reason)) {
    return Failed(fields.Page, reason);
  }
  return result;
}

std::string OnlineSavePage(std::string_view url, std::string_view figureText,
                           const TextLookup& lookup) {
  const std::vector<std::string> lines = {
      std::string(kUtf8Mark) + "<HTML>",
      "<BODY>",
      "<center><h2>" + HtmlText(lookup, "PDデータのオンライン保存") + "</h2></center>",
      HtmlText(lookup,
               "あなたが作成したPDデータをWWWサーバに書き込み，インターネットを経由して他の学校"
               "の授業などいろいろな場面で使えるようにします。") +
          "<br>",
      HtmlText(lookup, "下記の内容を書き込んで「送信」ボタンを押してください。") + "<br>",
      "<form action=" + Quoted(HtmlEscape(url)) + " METHOD=" + Quoted("post") +
          " NAME=" + Quoted("form1") + ">",
      "<table>",
      FormRow(lookup, "タイトル", InputField("title", "width:400px ")),
      FormRow(lookup, "あなたの名前", InputField("username", "")),
      FormRow(lookup, "学校/学年など", InputField("schoolname", "width:400px ")),
      FormRow(lookup, "コメント",
              "<textarea name=" + Quoted("comment") +
                  " style=" + Quoted("width:400px ; height:100px") + "></textarea>"),
      "</table>",
      "<textarea name=" + Quoted("pd_data") + " style=" + Quoted("width:1px; height:1px") +
          " ReadOnly>",
  };
  std::string page;
  for (const std::string& line : lines) page += line + std::string(kLineEnd);
  // The figure's own lines end in CR LF already.
  page += HtmlEscape(figureText);
  for (std::string_view line :
       {"</textarea><br>", R"(<INPUT TYPE="Submit" name="submitbutton" VALUE="送信">)", "</form>",
        "</BODY>", "</HTML>"}) {
    page += std::string(line) + std::string(kLineEnd);
  }
  return page;
}

}  // namespace plandra
