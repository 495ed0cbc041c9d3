#include <gtest/gtest.h>

#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "core/Platform.h"
#include "core/Program.h"
#include "core/io/FigFileIO.h"
#include "figure/PDtype05.h"
#include "files/PDio05.h"
#include "support/TestHelpers.h"

namespace {

struct RunResult {
  int Status = -1;
  std::string Out;
};

// Runs plandra-cli with arguments (already quoted), in folder when one is
// given and after prefix (an env command); stderr goes to err.
RunResult RunCli(const std::string& arguments, const std::filesystem::path& err,
                 const std::filesystem::path& folder = {}, const std::string& prefix = {}) {
  std::string command = prefix + std::string(PLANDRA_CLI) + " " + arguments + " 2>" + err.string();
  if (!folder.empty()) command = "cd " + folder.string() + " && " + command;
  RunResult result;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.Out.append(buffer, n);
  int status = pclose(pipe);
  result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

TEST(PlandraCli, DumpsTheSampleRecomputedAndNamed) {
  plandra::test::TempDir dir;
  RunResult run = RunCli(std::string(PLANDRA_SAMPLES) + "/triangle.pd4", dir / "err");
  EXPECT_NE(run.Status, 0) << "a figure without a command is bad usage";

  run = RunCli("dump " + std::string(PLANDRA_SAMPLES) + "/triangle.pd4", dir / "err");
  ASSERT_EQ(run.Status, 0);
  auto doc = nlohmann::json::parse(run.Out);
  EXPECT_EQ(doc["passCount"], 2);
  ASSERT_EQ(doc["steps"].size(), 15u);
  EXPECT_EQ(doc["steps"][3]["kind"], "L1");
  EXPECT_EQ(doc["steps"][3]["in"], nlohmann::json::parse("[[1,1],[1,2]]"));
  // The circumcentre of (-3,-2), (4,-2), (1,3) and the centroid.
  EXPECT_NEAR(doc["circles"][0]["cx"].get<double>(), 0.5, 1e-12);
  EXPECT_NEAR(doc["circles"][0]["cy"].get<double>(), -0.7, 1e-12);
  EXPECT_NEAR(doc["points"][6]["x"].get<double>(), 2.0 / 3, 1e-12);
  EXPECT_EQ(doc["points"][0]["name"], "A");
  EXPECT_EQ(doc["lines"][0]["name"], "AB") << "labels are refreshed as the window does";
  EXPECT_EQ(doc["numbers"][0]["shown"], true);
}

TEST(PlandraCli, UnreadableFilesExitTwoWithTheReason) {
  plandra::test::TempDir dir;
  plandra::test::WriteFileBytes(dir / "bad.pd4", "2\r\n\"L1\"\r\nxyz\r\n");
  RunResult run = RunCli("dump " + (dir / "bad.pd4").string(), dir / "err");
  EXPECT_EQ(run.Status, 2);
  std::string err = plandra::test::ReadFileBytes(dir / "err");
  EXPECT_NE(err.find("bad.pd4"), std::string::npos) << err;
  EXPECT_NE(err.find("line"), std::string::npos) << err;

  run = RunCli("report " + (dir / "missing.pd4").string(), dir / "err");
  EXPECT_EQ(run.Status, 2);
  EXPECT_NE(plandra::test::ReadFileBytes(dir / "err").find("missing.pd4"), std::string::npos);
}

// The dump is written as a stream; its bytes are those the document had when
// it was built as a tree (kept under data/dump), for every sample and test figure.
TEST(PlandraCli, DumpKeepsItsBytes) {
  namespace fs = std::filesystem;
  const fs::path source = fs::path(PLANDRA_SAMPLES).parent_path();
  plandra::test::TempDir dir;
  int compared = 0;
  for (const auto& entry : fs::directory_iterator(source / "tests/data/dump")) {
    const std::string stem = entry.path().stem().string();  // sample-NAME or data-NAME
    const size_t dash = stem.find('-');
    ASSERT_NE(dash, std::string::npos) << stem;
    const std::string figure = (stem.substr(0, dash) == "sample" ? "sample.pd4/" : "tests/data/") +
                               stem.substr(dash + 1) + ".pd4";
    RunResult run = RunCli("dump " + figure, dir / "err", source);
    ASSERT_EQ(run.Status, 0) << figure;
    EXPECT_EQ(run.Out, plandra::test::ReadFileBytes(entry.path())) << figure;
    ++compared;
  }
  EXPECT_EQ(compared, 17);
}

// A figure far larger than the writer's buffer still comes out whole.
TEST(PlandraCli, DumpOfALargeFigureIsOneDocument) {
  plandra::test::TempDir dir;
  plandra::Program program;
  plandra::SilentPlatform host;
  program.Host = &host;
  plandra::Figure& fig = program.Fig;
  plandra::ResetFigure(fig, 3010);
  for (int i = 0; i < 3000; ++i) plandra::test::AddFreePoint(fig, i * 0.001, -i * 0.5);
  program.CurFileName = (dir / "large.pd4").string();
  ASSERT_EQ(plandra::FigFileIO(program, 'W').Status, plandra::FigFileStatus::kOk);
  RunResult run = RunCli("dump " + program.CurFileName, dir / "err");
  ASSERT_EQ(run.Status, 0);
  EXPECT_GT(run.Out.size(), 3u * 65536);
  auto doc = nlohmann::json::parse(run.Out);
  ASSERT_EQ(doc["steps"].size(), 3000u);
  ASSERT_EQ(doc["points"].size(), 3000u);
  EXPECT_EQ(doc["steps"][2999]["out"], nlohmann::json::parse("[[1,3000]]"));
  EXPECT_DOUBLE_EQ(doc["points"][2999]["x"].get<double>(), 2.999);
  EXPECT_DOUBLE_EQ(doc["points"][2999]["y"].get<double>(), -1499.5);
}

// On a machine without a desktop session Qt has things to say about it; the
// command line prints only its own messages.
TEST(PlandraCli, RenderSaysNothingOfItsSession) {
  plandra::test::TempDir dir;
  const std::string figure = std::string(PLANDRA_SAMPLES) + "/triangle.pd4";
  RunResult run = RunCli("render " + figure + " -o " + (dir / "t.png").string(), dir / "err", {},
                         "env -u XDG_RUNTIME_DIR -u DISPLAY -u WAYLAND_DISPLAY ");
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(plandra::test::ReadFileBytes(dir / "err"), "");
  EXPECT_TRUE(std::filesystem::exists(dir / "t.png"));
  run = RunCli("render " + figure + " -o " + (dir / "t.gif").string(), dir / "err", {},
               "env -u XDG_RUNTIME_DIR ");
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(plandra::test::ReadFileBytes(dir / "err").rfind("plandra-cli render: ", 0), 0u);
}

TEST(PlandraCli, ReportInBothLanguages) {
  plandra::test::TempDir dir;
  std::string sample = std::string(PLANDRA_SAMPLES) + "/triangle.pd4";
  RunResult japanese = RunCli("report " + sample, dir / "err");
  ASSERT_EQ(japanese.Status, 0);
  EXPECT_EQ(japanese.Out.rfind("作図手続きと幾何的対象のデータ", 0), 0u);
  EXPECT_NE(japanese.Out.find("円（３点）"), std::string::npos);
  RunResult english = RunCli("report " + sample + " --lang english", dir / "err");
  ASSERT_EQ(english.Status, 0);
  EXPECT_EQ(english.Out.find("作図手続きと幾何的対象のデータ"), std::string::npos);
  EXPECT_NE(english.Out.find("Circle (three points)"), std::string::npos);
  EXPECT_EQ(RunCli("report " + sample + " --lang klingon", dir / "err").Status, 1);
}

TEST(PlandraCli, HtmlWritesThePageAndTheViewerAndOnlineTheForm) {
  plandra::test::TempDir dir;
  namespace fs = std::filesystem;
  fs::create_directories(dir / "home/web");
  plandra::test::WriteFileBytes(dir / "home/web/plandra-viewer.js", "// viewer");
  fs::copy_file(std::string(PLANDRA_SAMPLES) + "/triangle.pd4", dir / "tri.pd4");
  const std::string env =
      "env PLANDRA_HOME=" + (dir / "home").string() + " QT_QPA_PLATFORM=offscreen ";

  RunResult run = RunCli("html " + (dir / "tri.pd4").string(), dir / "err", {}, env);
  ASSERT_EQ(run.Status, 0) << plandra::test::ReadFileBytes(dir / "err");
  EXPECT_EQ(run.Out, (dir / "tri.htm").string() + "\n");
  EXPECT_EQ(plandra::test::ReadFileBytes(dir / "plandra-viewer.js"), "// viewer");
  const std::string page = plandra::test::ReadFileBytes(dir / "tri.htm");
  EXPECT_NE(page.find("<canvas class=\"plandra-figure\" width=641 height=481 "
                      "data-pdfile=\"./tri.pd4\" tabindex=\"0\" aria-label=\"tri.pd4\"></canvas>"),
            std::string::npos);
  EXPECT_NE(page.find("<svg xmlns="), std::string::npos);

  fs::create_directory(dir / "site");
  run = RunCli("html " + (dir / "tri.pd4").string() + " -o " + (dir / "site/index.htm").string(),
               dir / "err", {}, env);
  ASSERT_EQ(run.Status, 0);
  EXPECT_TRUE(fs::exists(dir / "site/plandra-viewer.js"));
  EXPECT_NE(plandra::test::ReadFileBytes(dir / "site/index.htm").find("href=\"./../tri.pd4\""),
            std::string::npos);

  run = RunCli("online " + (dir / "tri.pd4").string() + " -o " + (dir / "form.htm").string() +
                   " --url http://127.0.0.1:9/save",
               dir / "err", {}, env);
  ASSERT_EQ(run.Status, 0);
  EXPECT_NE(plandra::test::ReadFileBytes(dir / "form.htm")
                .find("<form action=\"http://127.0.0.1:9/save\" METHOD=\"post\""),
            std::string::npos);

  EXPECT_EQ(RunCli("html", dir / "err", {}, env).Status, 1);
  EXPECT_EQ(RunCli("online " + (dir / "tri.pd4").string(), dir / "err", {}, env).Status, 1);
  EXPECT_EQ(RunCli("html " + (dir / "none.pd4").string(), dir / "err", {}, env).Status, 2);
  EXPECT_FALSE(fs::exists(dir / "none.htm"));
}

// A folder published as a lesson: a page per figure, one viewer, the event
// files copied, nothing written outside the output folder, an unreadable
// figure told and the rest published; a re-run keeps a viewer that is not
// ours and replaces an older one of ours.
TEST(PlandraCli, HtmlOfAFolderPublishesALesson) {
  namespace fs = std::filesystem;
  using plandra::test::ReadFileBytes;
  using plandra::test::WriteFileBytes;
  plandra::test::TempDir dir;
  const fs::path samples(PLANDRA_SAMPLES);
  const fs::path lesson = dir / "lesson";
  const fs::path out = dir / "site/out";
  fs::create_directories(dir / "home/web");
  fs::create_directories(lesson);
  fs::create_directories(dir / "evil");
  const std::string viewer = "// Plandra Win viewer version 5.1.0\n// Plandra Win viewer: new\n";
  WriteFileBytes(dir / "home/web/plandra-viewer.js", viewer);
  for (const char* name : {"triangle.pd4", "events.pd5", "events.png", "events.txt"}) {
    fs::copy_file(samples / name, lesson / name);
  }
  fs::copy_file(samples / "triangle.pd4", lesson / "a<b>&.pd4");
  WriteFileBytes(dir / "evil/secret.png", "secret");
  std::string hostile = ReadFileBytes(samples / "events.pd5");
  for (auto [from, to] : {std::pair{"!%events.png", "!%../evil/secret.png"},
                          std::pair{"!@events", "!@/etc/hostname"}}) {
    ASSERT_NE(hostile.find(from), std::string::npos);
    hostile.replace(hostile.find(from), std::string(from).size(), to);
  }
  WriteFileBytes(lesson / "hostile.pd5", hostile);
  WriteFileBytes(lesson / "bad.pd4", "2\r\n\"L1\"\r\nxyz\r\n");
  const std::string env = "env PLANDRA_HOME=" + (dir / "home").string() + " ";
  const std::string command = "html " + lesson.string() + " -o " + out.string();
  // A link left in the output folder to a file not yet there, outside it.
  fs::create_directories(out);
  fs::copy_file(samples / "triangle.pd4", lesson / "linked.pd4");
  fs::create_symlink("../leak.htm", out / "linked.htm");

  RunResult run = RunCli(command, dir / "err", {}, env);
  std::string err = ReadFileBytes(dir / "err");
  EXPECT_EQ(run.Status, 2) << "a figure could not be read";
  EXPECT_EQ(run.Out, (out / "index.html").string() + "\n");
  EXPECT_NE(err.find("bad.pd4"), std::string::npos) << err;
  EXPECT_NE(err.find("../evil/secret.png"), std::string::npos) << err;
  EXPECT_NE(err.find("/etc/hostname"), std::string::npos) << err;
  EXPECT_NE(err.find(out / "linked.htm"), std::string::npos) << err;
  for (const char* name : {"triangle.htm", "events.htm", "hostile.htm", "a<b>&.htm", "triangle.pd4",
                           "events.pd5", "events.png", "events.txt", "thumbnails/events.svg"}) {
    EXPECT_TRUE(fs::exists(out / name)) << name;
  }
  EXPECT_FALSE(fs::exists(out / "bad.htm"));
  EXPECT_EQ(ReadFileBytes(out / "plandra-viewer.js"), viewer);
  const std::string index = ReadFileBytes(out / "index.html");
  EXPECT_NE(index.find("<a href=\"./a%3Cb%3E%26.htm\"><img src=\"./thumbnails/a%3Cb%3E%26.svg\""),
            std::string::npos)
      << index;
  EXPECT_NE(index.find("a&lt;b&gt;&amp;.pd4</a>"), std::string::npos);
  EXPECT_EQ(index.find("<b>"), std::string::npos);
  for (const auto& entry : fs::recursive_directory_iterator(dir / "site")) {
    EXPECT_EQ(entry.path().string().rfind(out.string(), 0), 0u) << "written outside: " << entry;
  }
  EXPECT_FALSE(fs::exists(dir / "site/evil"));
  EXPECT_FALSE(fs::exists(dir / "site/leak.htm"));

  WriteFileBytes(out / "plandra-viewer.js", "alert('a page of the school');\n");
  run = RunCli(command, dir / "err", {}, env);
  EXPECT_EQ(ReadFileBytes(out / "plandra-viewer.js"), "alert('a page of the school');\n");
  EXPECT_NE(ReadFileBytes(dir / "err").find("plandra-viewer.js"), std::string::npos);

  WriteFileBytes(out / "plandra-viewer.js", "// Plandra Win viewer: an old one\n");
  run = RunCli(command, dir / "err", {}, env);
  EXPECT_EQ(ReadFileBytes(out / "plandra-viewer.js"), viewer) << "an older viewer of ours";
}

// A lesson with the browser program: the program's page and script go beside
// the pages, each page links to the program with its own figure (a hostile
// name encoded so that it stays one name), in the page's language, and a
// program page adapted by the teacher stays; pages without the choice have
// no link.
TEST(PlandraCli, HtmlOfAFolderWithTheProgramLinksEachPage) {
  namespace fs = std::filesystem;
  using plandra::test::ReadFileBytes;
  using plandra::test::WriteFileBytes;
  plandra::test::TempDir dir;
  const fs::path samples(PLANDRA_SAMPLES);
  const fs::path lesson = dir / "lesson";
  fs::create_directories(dir / "home/web");
  fs::create_directories(lesson);
  WriteFileBytes(dir / "home/web/plandra-viewer.js", "// Plandra Win viewer version 5.1.0\n");
  fs::copy_file(samples / "triangle.pd4", lesson / "triangle.pd4");
  fs::copy_file(samples / "triangle.pd4", lesson / "x<\"&#+?'.pd4");
  const std::string env = "env PLANDRA_HOME=" + (dir / "home").string() + " ";
  const std::string command = "html " + lesson.string() + " -o ";

  const std::string script = "// Plandra Win program version 5.1.0\n// Plandra Win in the browser:\n";
  WriteFileBytes(dir / "home/web/plandra-program.js", script);
  WriteFileBytes(dir / "home/web/plandra.html", "<main id=\"plandra-program\"></main>\n");
  RunResult run = RunCli(command + (dir / "ja").string() + " --program", dir / "err", {}, env);
  EXPECT_EQ(run.Status, 0) << ReadFileBytes(dir / "err");
  EXPECT_EQ(ReadFileBytes(dir / "ja/plandra-program.js"), script);
  EXPECT_EQ(ReadFileBytes(dir / "ja/plandra.html"), "<main id=\"plandra-program\"></main>\n");
  EXPECT_NE(ReadFileBytes(dir / "ja/triangle.htm")
                .find("<a href=\"./plandra.html?figure=./triangle.pd4\">この図をプログラムで開く</a>"),
            std::string::npos);
  const std::string hostile = ReadFileBytes(dir / "ja/x<\"&#+?'.htm");
  EXPECT_NE(hostile.find("href=\"./plandra.html?figure=./x%3C%22%26%23%2B%3F%27.pd4\""),
            std::string::npos)
      << hostile;
  // A page the teacher adapted stays while the script is the program's.
  WriteFileBytes(dir / "ja/plandra.html", "<main id=\"plandra-program\" class=school></main>\n");
  RunCli(command + (dir / "ja").string() + " --program", dir / "err", {}, env);
  EXPECT_EQ(ReadFileBytes(dir / "ja/plandra.html"),
            "<main id=\"plandra-program\" class=school></main>\n");

  run = RunCli(command + (dir / "en").string() + " --program --lang english", dir / "err", {}, env);
  EXPECT_NE(ReadFileBytes(dir / "en/triangle.htm").find(">Open this figure in the program</a>"),
            std::string::npos);
  run = RunCli(command + (dir / "plain").string(), dir / "err", {}, env);
  EXPECT_EQ(ReadFileBytes(dir / "plain/triangle.htm").find("plandra.html"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir / "plain/plandra-program.js"));
}

}  // namespace
