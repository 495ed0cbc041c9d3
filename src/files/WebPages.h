// The two web pages of a figure: the published page made from the page
// template (with the viewer's script beside it), and the online-saving form.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "persist/PageReference.h"
#include "persist/TextLookup.h"

namespace plandra {

constexpr std::string_view kPageTemplateName = "pd_html_org.htm";
constexpr std::string_view kViewerFileName = "plandra-viewer.js";
// The folder of the program's data that holds the template and the viewer.
constexpr std::string_view kWebDataFolder = "web";
constexpr std::string_view kOnlineSavePageName = "temp_zevav.htm";
// The browser program a lesson may carry beside its pages: its page and script.
constexpr std::string_view kProgramPageName = "plandra.html";
constexpr std::string_view kProgramScriptName = "plandra-program.js";

// The template's placeholders: the figure file as the page refers to it,
// and its name as the page shows it.
constexpr std::string_view kFileMark = "%PDFILE%";
constexpr std::string_view kNameMark = "%PDNAME%";
constexpr std::string_view kTextMark = "%PDTEXT%";
constexpr std::string_view kPictureMark = "%PDPICTURE%";
constexpr std::string_view kWidthMark = "%PDWIDTH%";
constexpr std::string_view kHeightMark = "%PDHEIGHT%";
// The page's language ("ja" or "en"), the viewer's texts in it (a JSON
// object), and the construction report that describes the figure.
constexpr std::string_view kLanguageMark = "%PDLANG%";
constexpr std::string_view kTextsMark = "%PDTEXTS%";
constexpr std::string_view kReportMark = "%PDREPORT%";
// The figures the event points link to, as a JSON object: their pages and
// their files beside the page, by the targets the points name.
constexpr std::string_view kLinksMark = "%PDLINKS%";
// The link that opens the figure in the browser program, where the lesson
// carries it (a paragraph; empty otherwise).
constexpr std::string_view kProgramMark = "%PDPROGRAM%";

// &, <, >, " and ' as character references: safe in element content and in
// quoted attribute values, and read back unchanged by the browser.
std::string HtmlEscape(std::string_view text);

// Every occurrence of each mark replaced by its value in one pass, so a value
// that happens to hold a mark is never replaced again.
std::string ReplaceMarks(std::string_view text,
                         const std::vector<std::pair<std::string_view, std::string>>& values);

// The figure file as the page refers to it: "./" and its path relative to
// the page's folder, every byte but letters, digits, "-", ".", "_", "~" and
// the folder separators percent-encoded. So a name is never read as a
// scheme ("javascript:"), a fragment or a query, and the reference leads to
// the file whatever the name holds; it needs no HTML escape anywhere.
std::string PageFileReference(const std::filesystem::path& figure,
                              const std::filesystem::path& page);

// The browser program's page as the page refers to it, with the figure
// named in its query ("?figure=" and the figure relative to the program's
// folder, percent-encoded as above: a "&", "#" or "+" of a name stays the
// name's).
std::string ProgramReference(const std::filesystem::path& program,
                             const std::filesystem::path& figure,
                             const std::filesystem::path& page);

struct FigurePageFields {
  std::filesystem::path Figure;  // the saved figure file
  std::filesystem::path Page;    // the page to write
  std::string FigureText;        // the figure file's text, UTF-8
  std::string PictureSvg;        // the static picture, an <svg> element
  std::string Language = "ja";   // the page's language
  // The viewer's texts in that language, by the names the viewer asks for.
  std::vector<std::pair<std::string, std::string>> ViewerTexts;
  std::string Report;  // the construction report, plain text
  // Linked figures by event target: the page's references to their pages
  // and to their files, where those lie beside it.
  std::vector<std::pair<std::string, std::string>> LinkedPages;
  std::vector<std::pair<std::string, std::string>> LinkedFiles;
  // The browser program's reference with the figure (ProgramReference) and
  // the link's text; no link when the reference is empty.
  std::string ProgramLink;
  std::string ProgramLinkText;
  int Width = 641;
  int Height = 481;
};

// The viewer's texts as a JSON object that is safe inside a <script>
// element: "<", ">" and "&" are written as \u escapes.
std::string ViewerTextsJson(const std::vector<std::pair<std::string, std::string>>& texts);

// {"pages": {...}, "files": {...}} of the linked figures, safe inside a
// <script> element as the texts are.
std::string LinkedFiguresJson(const FigurePageFields& fields);

// The template with its marks filled in. A template of the user's own that
// has no place for the viewer's texts, the linked figures or the program's
// link gets them, when there are any, before its </body>.
std::string FillFigurePage(std::string_view pageTemplate, const FigurePageFields& fields);

// The page beside a figure: its extension replaced by ".htm".
std::filesystem::path FigurePagePath(const std::filesystem::path& figure);

struct WebWriteResult {
  bool Ok = true;
  bool ViewerCopied = false;
  std::filesystem::path File;  // the file that failed
  std::string Reason;          // why, from the system
};

// Copies the viewer's script beside the page when none is there yet, then
// writes the page from the template; both through temporary files renamed
// over their targets, so a failure leaves what was there before.
WebWriteResult WriteFigurePage(const std::filesystem::path& templateFile,
                               const std::filesystem::path& viewerFile,
                               const FigurePageFields& fields);

// The online-saving form posting the figure's text (UTF-8) to url; lines end
// in CR LF.
std::string OnlineSavePage(std::string_view url, std::string_view figureText,
                           const TextLookup& lookup);

}  // namespace plandra
