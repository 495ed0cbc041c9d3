#include <gtest/gtest.h>

#include "app/LessonExport.h"
#include "app/MainCommands.h"
#include "app/WebCommands.h"
#include "core/Refresh.h"
#include "core/io/FigFileIO.h"
#include "core/menus/MenuBar.h"
#include "files/Cp932.h"
#include "files/PDio05.h"
#include "files/WebPages.h"
#include "persist/String05.h"
#include "support/AppFixture.h"
#include "support/RecordingSurface.h"
#include "support/TestHelpers.h"

namespace plandra::test {
namespace {

namespace fs = std::filesystem;

const fs::path kTemplateSource =
    fs::path(PLANDRA_SOURCE_TREE).parent_path() / "web" / "pd_html_org.htm";

class WebCommandsTest : public ::testing::Test {
 protected:
  WebCommandsTest() {
    ResetFigure(p.Fig, 200);
    p.Folders.Folder = data.Path();
    fs::create_directory(data / "web");
    fs::copy_file(kTemplateSource, data / "web" / "pd_html_org.htm");
    WriteFileBytes(data / "web" / "plandra-viewer.js", "// the viewer");
    ShowFullMenu(p.Menu);
    AddFreePoint(p.Fig, 1, 2);
    AddFreePoint(p.Fig, -3, 0);
    p.Fig.PtTable[1].Name = "P</svg><b>&";
    p.Canvas = &canvas;
    SetScreen(p.View, &canvas);
    Redraw(p);
  }

  std::string Page(const fs::path& file) { return ReadFileBytes(file); }

  AppFixture app;
  Program& p = app.P;
  RecordingSurface canvas{400, 300};
  TempDir data;  // the program folder
  TempDir work;  // where the teacher saves
};

TEST_F(WebCommandsTest, ExportSavesWritesThePageAndTheViewerAndOpensThePage) {
  app.Host.FileAnswers.push_back(work / "tri");
  EXPECT_EQ(RunMenuCommand(p, "mnuf_html").Status, CommandStatus::kDone);

  EXPECT_EQ(p.CurFileName, (work / "tri.pd4").string());
  ASSERT_TRUE(fs::exists(work / "tri.pd4"));
  EXPECT_EQ(ReadFileBytes(work / "plandra-viewer.js"), "// the viewer");
  ASSERT_EQ(app.Host.Opened, std::vector<std::string>{(work / "tri.htm").string()});
  EXPECT_TRUE(app.Host.Messages.empty());

  const std::string page = Page(work / "tri.htm");
  const std::string text = HtmlEscape(Cp932ToUtf8(ReadFileBytes(work / "tri.pd4")));
  EXPECT_NE(page.find("<pre hidden class=\"plandra-figure-text\">" + text +
                      "</pre><canvas class=\"plandra-figure\" width=400 height=300 "
                      "data-pdfile=\"./tri.pd4\" tabindex=\"0\" aria-label=\"tri.pd4\"></canvas>"),
            std::string::npos);
  EXPECT_NE(page.find("<title>tri.pd4</title>"), std::string::npos);
  EXPECT_NE(page.find("<div class=\"plandra-static\"><svg "), std::string::npos);
  EXPECT_NE(page.find("P&lt;/svg&gt;&lt;b&gt;&amp;"), std::string::npos) << "the name is escaped";
  EXPECT_EQ(page.find("P</svg>"), std::string::npos);
  EXPECT_NE(page.find("href=\"./tri.pd4\" download"), std::string::npos);
  EXPECT_NE(page.find("<script defer src=\"plandra-viewer.js\""), std::string::npos);
  EXPECT_EQ(page.find("%PD"), std::string::npos) << "every mark is filled";
}

TEST_F(WebCommandsTest, CancelledSaveExportsNothing) {
  EXPECT_EQ(p.CurFileName, "untitled");
  app.Host.FileAnswers.push_back(std::nullopt);
  mnuf_html(p);
  EXPECT_EQ(app.Host.FileDialogs.size(), 1u) << "the untitled figure is saved first";
  EXPECT_EQ(p.CurFileName, "untitled");
  EXPECT_TRUE(app.Host.Opened.empty());
  EXPECT_TRUE(fs::is_empty(work.Path()));
  EXPECT_FALSE(fs::exists("untitled.htm"));
}

TEST_F(WebCommandsTest, MissingViewerIsToldWithItsPathAndNothingIsWritten) {
  fs::remove(data / "web" / "plandra-viewer.js");
  app.Host.FileAnswers.push_back(work / "tri.pd4");
  mnuf_html(p);
  ASSERT_EQ(app.Host.Messages.size(), 1u);
  EXPECT_EQ(app.Host.Messages[0].Text, std::string(kNoViewerText) + "\n" +
                                           (data / "web" / "plandra-viewer.js").string() + "\n");
  EXPECT_TRUE(fs::exists(work / "tri.pd4")) << "the save itself stands";
  EXPECT_FALSE(fs::exists(work / "tri.htm"));
  EXPECT_TRUE(app.Host.Opened.empty());
}

TEST_F(WebCommandsTest, PageThatCannotBeWrittenIsToldWithTheFile) {
  fs::create_directory(work / "tri.htm");  // a folder where the page should go
  app.Host.FileAnswers.push_back(work / "tri.pd4");
  mnuf_html(p);
  ASSERT_EQ(app.Host.Messages.size(), 1u);
  const std::string& text = app.Host.Messages[0].Text;
  EXPECT_EQ(
      text.rfind(std::string(kPageNotWrittenText) + "\n" + (work / "tri.htm").string() + ": ", 0),
      0u)
      << text;
  EXPECT_GT(text.size(), kPageNotWrittenText.size() + (work / "tri.htm").string().size() + 3);
  EXPECT_TRUE(app.Host.Opened.empty());
  for (const auto& entry : fs::directory_iterator(work.Path())) {
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
  }
}

TEST_F(WebCommandsTest, OnlineSavingWritesTheFormInTheProgramFolderAndOpensIt) {
  p.Config.WWWurl = "";
  EXPECT_EQ(RunMenuCommand(p, "mnuSaveOnLine").Status, CommandStatus::kDone);
  EXPECT_EQ(p.Config.WWWurl, "http://localhost/asp/pd/pd_save.asp");
  const fs::path page = data / "temp_zevav.htm";
  ASSERT_EQ(app.Host.Opened, std::vector<std::string>{page.string()});
  bool lost = false;
  EXPECT_EQ(Page(page), OnlineSavePage(p.Config.WWWurl, Cp932ToUtf8(FigFileText(p.Fig, lost)),
                                       PlainTextLookup()));
}

TEST_F(WebCommandsTest, ServerAddressRefusesBlanksAndTakesTrimmedAnswers) {
  p.Config.WWWurl = "http://old.test/s";
  for (std::optional<std::string> refused :
       {std::optional<std::string>("   "), std::optional<std::string>(""),
        std::optional<std::string>()}) {
    app.Host.InputAnswers.push_back(refused);
    EXPECT_EQ(RunMenuCommand(p, "mnuOwwwManual").Status, CommandStatus::kDone);
    EXPECT_EQ(p.Config.WWWurl, "http://old.test/s");
  }
  ASSERT_EQ(app.Host.Prompts.size(), 3u);
  EXPECT_EQ(app.Host.Prompts[0], "データ保存に使うWWWサーバのURLを入力してください。");

  app.Host.InputAnswers.push_back("  http://new.test/pd  ");
  mnuOwwwManual(p);
  EXPECT_EQ(p.Config.WWWurl, "http://new.test/pd");
  EXPECT_EQ(RunMenuCommand(p, "mnuOwwwVarnhof").Status, CommandStatus::kDone);
  EXPECT_EQ(p.Config.WWWurl, "http://localhost/asp/pd/pd_save.asp");
}

// The lesson from the menu: the folder asked for, the open figure's folder
// published there, the open figure (with its unsaved change) given back, and
// the index offered to the browser.
TEST_F(WebCommandsTest, LessonPublishesTheOpenFiguresFolderAndKeepsTheOpenFigure) {
  p.CurFileName = (work / "tri.pd4").string();
  ASSERT_EQ(FigFileIO(p, 'W').Status, FigFileStatus::kOk);
  AddFreePoint(p.Fig, 5, 5);  // not saved
  const int points = p.Fig.ElemCount[1];
  app.Host.FileAnswers.push_back(work / "site");
  app.Host.Answers.push_back(MsgResult::kYes);
  EXPECT_EQ(RunMenuCommand(p, "mnuf_htmlLesson").Status, CommandStatus::kDone);

  ASSERT_FALSE(app.Host.FileDialogs.empty());
  EXPECT_TRUE(app.Host.FileDialogs.back().ChooseFolder);
  EXPECT_EQ(app.Host.FileDialogs.back().InitialFolder, work.Path());
  EXPECT_TRUE(fs::exists(work / "site/tri.htm"));
  EXPECT_TRUE(fs::exists(work / "site/tri.pd4"));
  const fs::path index = work / "site/index.html";
  EXPECT_NE(ReadFileBytes(index).find("<a href=\"./tri.htm\">"), std::string::npos);
  ASSERT_EQ(app.Host.Messages.size(), 1u);
  EXPECT_NE(app.Host.Messages[0].Text.find(index.string()), std::string::npos);
  EXPECT_EQ(app.Host.Opened, std::vector<std::string>{index.string()});
  EXPECT_EQ(p.CurFileName, (work / "tri.pd4").string());
  EXPECT_EQ(p.Fig.ElemCount[1], points) << "the open figure is given back as it was";
}


// The lesson's question about the browser program, asked only where the
// program is there to copy: yes puts it beside the pages with a link on each;
// a lesson that is to carry a program that is not there writes nothing.
TEST_F(WebCommandsTest, LessonCarriesTheProgramWhenTheTeacherSaysSo) {
  p.CurFileName = (work / "tri.pd4").string();
  ASSERT_EQ(FigFileIO(p, 'W').Status, FigFileStatus::kOk);
  LessonChoices withProgram;
  withProgram.WithProgram = true;
  const LessonExport refused = ExportLesson(p, work.Path(), work / "none", {}, withProgram);
  EXPECT_NE(refused.Fatal.find("plandra-program.js"), std::string::npos) << refused.Fatal;
  EXPECT_FALSE(fs::exists(work / "none"));

  WriteFileBytes(data / "web" / "plandra-program.js", "// the program");
  WriteFileBytes(data / "web" / "plandra.html", "<main id=plandra-program></main>");
  app.Host.FileAnswers.push_back(work / "site");
  app.Host.Answers = {MsgResult::kYes, MsgResult::kNo};
  mnuf_htmlLesson(p);

  ASSERT_EQ(app.Host.Messages.size(), 2u);
  EXPECT_NE(app.Host.Messages[0].Text.find("プログラム"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(work / "site/plandra-program.js"), "// the program");
  EXPECT_EQ(ReadFileBytes(work / "site/plandra.html"), "<main id=plandra-program></main>");
  EXPECT_NE(Page(work / "site/tri.htm").find("href=\"./plandra.html?figure=./tri.pd4\""),
            std::string::npos);
}

}  // namespace
}  // namespace plandra::test
