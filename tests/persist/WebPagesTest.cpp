#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/WebPages.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

// Character references back to text, as the browser reads them.
std::string Unescape(std::string text) {
  for (auto [ref, c] : {std::pair{"&lt;", "<"}, std::pair{"&gt;", ">"}, std::pair{"&quot;", "\""},
                        std::pair{"&#39;", "'"}, std::pair{"&amp;", "&"}}) {
    for (size_t at = text.find(ref); at != std::string::npos; at = text.find(ref, at + 1)) {
      text.replace(at, std::string(ref).size(), c);
    }
  }
  return text;
}

// The figure's text between the form's pd_data textarea tags.
std::string PostedFigureText(const std::string& page) {
  const std::string open = "ReadOnly>\r\n";
  size_t from = page.find(open) + open.size();
  size_t to = page.find("</textarea><br>\r\n<INPUT");
  return Unescape(page.substr(from, to - from));
}

TEST(WebPages, OnlineSavePageHasTheFormLineForLine) {
  const std::string figure = "2\r\n1,0,0\r\n";
  const std::string page =
      OnlineSavePage("http://a.test/asp/pd/pd_save.asp", figure, PlainTextLookup());
  const std::string expected =
      "\xEF\xBB\xBF<HTML>\r\n"
      "<BODY>\r\n"
      "<center><h2>PDデータのオンライン保存</h2></center>\r\n"
      "あなたが作成したPDデータをWWWサーバに書き込み，インターネットを経由して他の学校の授業など"
      "いろいろな場面で使えるようにします。<br>\r\n"
      "下記の内容を書き込んで「送信」ボタンを押してください。<br>\r\n"
      "<form action=\"http://a.test/asp/pd/pd_save.asp\" METHOD=\"post\" NAME=\"form1\">\r\n"
      "<table>\r\n"
      "<tr><th>タイトル<td><input name=\"title\" style=\"width:400px \"><br>\r\n"
      "<tr><th>あなたの名前<td><input name=\"username\"><br>\r\n"
      "<tr><th>学校/学年など<td><input name=\"schoolname\" style=\"width:400px \"><br>\r\n"
      "<tr><th>コメント<td><textarea name=\"comment\" style=\"width:400px ; height:100px\">"
      "</textarea><br>\r\n"
      "</table>\r\n"
      "<textarea name=\"pd_data\" style=\"width:1px; height:1px\" ReadOnly>\r\n"
      "2\r\n1,0,0\r\n"
      "</textarea><br>\r\n"
      "<INPUT TYPE=\"Submit\" name=\"submitbutton\" VALUE=\"送信\">\r\n"
      "</form>\r\n"
      "</BODY>\r\n"
      "</HTML>\r\n";
  EXPECT_EQ(page, expected);
}

class UpperLookup : public TextLookup {
 public:
  std::string Text(std::string_view japanese) const override {
    return "[" + std::string(japanese) + "]";
  }
};

TEST(WebPages, OnlineSavePageLooksUpEveryCaptionButTheButton) {
  const std::string page = OnlineSavePage("u", "", UpperLookup());
  for (const char* caption :
       {"[PDデータのオンライン保存]", "[タイトル]", "[あなたの名前]", "[学校/学年など]",
        "[コメント]", "[下記の内容を書き込んで「送信」ボタンを押してください。]"}) {
    EXPECT_NE(page.find(caption), std::string::npos) << caption;
  }
  EXPECT_NE(page.find("VALUE=\"送信\""), std::string::npos);
}

// A user dictionary's texts, as a stranger's dictionary might hold them.
class MarkupLookup : public TextLookup {
 public:
  std::string Text(std::string_view japanese) const override {
    return "<img src=x onerror=y()>" + std::string(japanese);
  }
};

TEST(WebPages, FigureTextAddressAndCaptionsCannotBreakTheForm) {
  const std::string figure = "1\r\nA</textarea><script>x()</script>,\"&amp;'\r\n";
  const std::string page =
      OnlineSavePage("http://a.test/save?x=1&y=\"2\"", figure, PlainTextLookup());
  EXPECT_EQ(page.find("</textarea><script>"), std::string::npos);
  EXPECT_NE(page.find("action=\"http://a.test/save?x=1&amp;y=&quot;2&quot;\""), std::string::npos);
  EXPECT_EQ(PostedFigureText(page), figure) << "the browser posts the text unchanged";
  EXPECT_EQ(OnlineSavePage("u", "", MarkupLookup()).find("<img"), std::string::npos);
}

TEST(WebPages, MarksAreReplacedOnceInOnePass) {
  EXPECT_EQ(ReplaceMarks("a %PDFILE% b %PDFILE%%PDTEXT%",
                         {{kFileMark, "f.pd4"}, {kTextMark, "%PDFILE%"}}),
            "a f.pd4 b f.pd4%PDFILE%");
  const std::string plain = "<html>no marks here, 100% sure</html>";
  EXPECT_EQ(ReplaceMarks(plain, {{kFileMark, "f.pd4"}}), plain);
}

TEST(WebPages, FileReferenceIsRelativeEncodedAndEscaped) {
  EXPECT_EQ(PageFileReference("/d/tri.pd4", "/d/tri.htm"), "./tri.pd4");
  EXPECT_EQ(PageFileReference("/d/figs/tri.pd4", "/d/tri.htm"), "./figs/tri.pd4");
  EXPECT_EQ(PageFileReference("/d/a#1?&<b>%.pd4", "/d/a.htm"), "./a%231%3F%26%3Cb%3E%25.pd4");
  EXPECT_EQ(PageFileReference("/d/三角形.pd4", "/d/x.htm"), "./%E4%B8%89%E8%A7%92%E5%BD%A2.pd4");
  EXPECT_EQ(PageFileReference("/d/javascript:x.pd4", "/d/x.htm"), "./javascript%3Ax.pd4");
  EXPECT_EQ(FigurePagePath("/d/tri.pd4"), fs::path("/d/tri.htm"));
  EXPECT_EQ(FigurePagePath("/d/tri.pd5"), fs::path("/d/tri.htm"));
}

// The viewer's texts cannot end their script element whatever a dictionary
// holds; a template without a place for them gets them before </body>.
TEST(WebPages, FigurePageFillsEveryMarkEscaped) {
  FigurePageFields fields;
  fields.Figure = "/d/a&b.pd4";
  fields.Page = "/d/a&b.htm";
  fields.FigureText = "1\r\nP<1>\r\n";
  fields.PictureSvg = "<svg></svg>";
  fields.Language = "en";
  fields.ViewerTexts = {{"reset", "</script>\"R\""}, {"drag", "x"}};
  fields.Report = "A<B";
  fields.Width = 300;
  fields.Height = 200;
  const std::string page = FillFigurePage(
      "<html lang=%PDLANG%><title>%PDNAME%</title><pre>%PDTEXT%</pre><canvas width=%PDWIDTH% "
      "height=%PDHEIGHT% data-pdfile=\"%PDFILE%\"></canvas>%PDPICTURE%<pre>%PDREPORT%</pre></body>",
      fields);
  EXPECT_EQ(page,
            "<html lang=en><title>a&amp;b.pd4</title><pre>1\r\nP&lt;1&gt;\r\n</pre><canvas "
            "width=300 height=200 data-pdfile=\"./a%26b.pd4\"></canvas><svg></svg><pre>A&lt;B</pre>"
            "<script type=\"application/json\" class=\"plandra-texts\">"
            "{\"reset\":\"\\u003c/script\\u003e\\\"R\\\"\",\"drag\":\"x\"}</script>\n</body>");
}

// A teacher's own template may put names in attributes quoted with either
// quote: each name comes back from the page as it was, and no quote of
// either kind stands raw in what was filled in.
TEST(WebPages, NamesInSingleQuotedAttributesComeBackAsTheNames) {
  for (const std::string special : {"&", "<", ">", "\"", "'"}) {
    FigurePageFields fields;
    fields.Figure = "/d/a" + special + "b.pd4";
    fields.Page = "/d/page.htm";
    fields.Report = "A" + special + "B";
    fields.FigureText = "1\r\nP" + special + "\r\n";
    const std::string page = FillFigurePage(
        "<meta content='%PDNAME%' title='%PDREPORT%'><p title='%PDNAME%' class='%PDTEXT%'>",
        fields);
    std::vector<std::string> values;
    for (size_t at = page.find("='"); at != std::string::npos; at = page.find("='", at)) {
      const size_t end = page.find('\'', at + 2);
      values.push_back(page.substr(at + 2, end - at - 2));
      at = end;
    }
    ASSERT_EQ(values.size(), 4u) << page;
    const std::string name = "a" + special + "b.pd4";
    const std::string expected[] = {name, fields.Report, name, fields.FigureText};
    for (size_t i = 0; i < values.size(); ++i) {
      EXPECT_EQ(values[i].find('"'), std::string::npos) << page;
      EXPECT_EQ(Unescape(values[i]), expected[i]) << page;
    }
  }
}

struct ExportFolder {
  TempDir Dir;
  fs::path Template = Dir / "pd_html_org.htm";
  fs::path Viewer = Dir / "viewer-source.js";
  fs::path Out = Dir / "out";
  FigurePageFields Fields;
  ExportFolder() {
    WriteFileBytes(Template, "<p>%PDFILE%</p>");
    WriteFileBytes(Viewer, "// viewer 1");
    fs::create_directory(Out);
    Fields.Figure = Out / "tri.pd4";
    Fields.Page = Out / "tri.htm";
  }
  size_t FilesInOut() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(Out), {}));
  }
};

TEST(WebPages, SecondExportKeepsTheViewerAndRewritesThePage) {
  ExportFolder f;
  WebWriteResult first = WriteFigurePage(f.Template, f.Viewer, f.Fields);
  ASSERT_TRUE(first.Ok) << first.Reason;
  EXPECT_TRUE(first.ViewerCopied);
  EXPECT_EQ(ReadFileBytes(f.Out / "plandra-viewer.js"), "// viewer 1");
  EXPECT_EQ(ReadFileBytes(f.Fields.Page), "<p>./tri.pd4</p>");

  WriteFileBytes(f.Viewer, "// viewer 2");
  WriteFileBytes(f.Template, "<p>again %PDFILE%</p>");
  WebWriteResult second = WriteFigurePage(f.Template, f.Viewer, f.Fields);
  ASSERT_TRUE(second.Ok);
  EXPECT_FALSE(second.ViewerCopied);
  EXPECT_EQ(ReadFileBytes(f.Out / "plandra-viewer.js"), "// viewer 1");
  EXPECT_EQ(ReadFileBytes(f.Fields.Page), "<p>again ./tri.pd4</p>");
  EXPECT_EQ(f.FilesInOut(), 2u) << "no temporary file is left";
}

TEST(WebPages, FailuresNameTheFileAndTheReasonAndKeepWhatWasThere) {
  ExportFolder f;
  WebWriteResult missing = WriteFigurePage(f.Dir / "none.htm", f.Viewer, f.Fields);
  EXPECT_FALSE(missing.Ok);
  EXPECT_EQ(missing.File, f.Dir / "none.htm");
  EXPECT_FALSE(missing.Reason.empty());
  EXPECT_EQ(f.FilesInOut(), 0u);

  // The viewer's copy cannot be made in a folder that does not exist.
  f.Fields.Page = f.Dir / "gone" / "tri.htm";
  WebWriteResult refused = WriteFigurePage(f.Template, f.Viewer, f.Fields);
  EXPECT_FALSE(refused.Ok);
  EXPECT_EQ(refused.File, f.Dir / "gone" / "plandra-viewer.js");
  EXPECT_NE(refused.Reason.find("No such file"), std::string::npos) << refused.Reason;

  // A page in the way (a folder of its name) is told and stays.
  f.Fields.Page = f.Out / "tri.htm";
  fs::create_directory(f.Fields.Page);
  WebWriteResult blocked = WriteFigurePage(f.Template, f.Viewer, f.Fields);
  EXPECT_FALSE(blocked.Ok);
  EXPECT_EQ(blocked.File, f.Fields.Page);
  EXPECT_FALSE(blocked.Reason.empty());
  EXPECT_TRUE(fs::is_directory(f.Fields.Page));
  EXPECT_EQ(f.FilesInOut(), 2u) << "the viewer and the folder; no temporary file";
}

}  // namespace
}  // namespace plandra
