#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <future>

#include "app/FileCommands.h"
#include "app/MainCommands.h"
#include "core/MainModel.h"
#include "core/Refresh.h"
#include "core/events/MemoWindow.h"
#include "core/io/SettingsFileIO.h"
#include "files/PDio05_settings.h"
#include "support/AppFixture.h"
#include "support/TestHelpers.h"

namespace plandra::test {
namespace {

namespace fs = std::filesystem;

// Runs work and waits a bounded time for it. A reader still blocked on the
// pipe after that is released by opening the pipe's other end, so that a
// failure ends instead of hanging the suite.
bool EndsWithin(const std::function<void()>& work, const fs::path& pipe) {
  std::future<void> done = std::async(std::launch::async, work);
  if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready) return true;
  int writer = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
  if (writer >= 0) ::close(writer);
  done.wait();
  return false;
}

// A figure of two points, saved under name: opening another asks nothing.
void OpenFigureOfTwoPoints(Program& p, const std::string& name, const fs::path& programFolder) {
  ResetFigure(p.Fig, 200);
  AddFreePoint(p.Fig, 1, 2);
  AddFreePoint(p.Fig, 3, 4);
  p.CurFileName = name;
  Redraw(p);  // as a figure read stands
  MarkFigureSaved(p);
  p.Folders.Folder = programFolder;
}

// A named pipe where a file is expected, to the program's reading, which
// would wait for a writer for ever: the figure and the settings file are
// refused at once with a message that names them, and the open figure stays.
TEST(NamedPipe, WhereAFileIsExpectedItIsRefusedAtOnce) {
  AppFixture app;
  Program& p = app.P;
  TempDir dir;
  OpenFigureOfTwoPoints(p, "open.pd4", dir.Path());
  const fs::path figurePipe = dir / "pipe.pd4";
  const fs::path settingsPipe = dir / std::string(kSettingsFileName);
  ASSERT_EQ(::mkfifo(figurePipe.c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(settingsPipe.c_str(), 0600), 0);

  app.Host.FileAnswers.push_back(figurePipe);
  EXPECT_TRUE(EndsWithin([&p] { RunMenuCommand(p, "mnuLoad"); }, figurePipe));
  EXPECT_EQ(p.Fig.ElemCount[kClassPoint], 2);
  EXPECT_EQ(p.Fig.StepCount, 2);
  EXPECT_EQ(p.CurFileName, "open.pd4");
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
  ASSERT_EQ(app.Host.Messages.size(), 1u);
  EXPECT_NE(app.Host.Messages[0].Text.find(figurePipe.string()), std::string::npos)
      << app.Host.Messages[0].Text;

  app.Host.Messages.clear();
  EXPECT_TRUE(EndsWithin([&p] { mnuOFileLoad(p.Config, p.Folders.Folder, *p.Host, p.Lang); },
                         settingsPipe));
  ASSERT_EQ(app.Host.Messages.size(), 1u);
  EXPECT_NE(app.Host.Messages[0].Text.find(settingsPipe.string()), std::string::npos)
      << app.Host.Messages[0].Text;
}

// Devices, folders and links to devices are no files either: each is refused
// at once with its kind named, as a figure, as the settings file and as the
// figure's memo, and the open figure stays.
TEST(NamedPipe, EveryOtherKindOfNonFileIsRefusedWithItsKindNamed) {
  AppFixture app;
  Program& p = app.P;
  TempDir dir;
  OpenFigureOfTwoPoints(p, (dir / "open.pd4").string(), dir.Path());
  const fs::path settings = dir / std::string(kSettingsFileName);
  const fs::path memo = dir / "open.txt";
  // The place made a folder or a link to a device, with the kind named.
  auto make = [](const fs::path& place, std::string_view kind) {
    fs::remove(place);
    if (kind == "folder") {
      fs::create_directory(place);
    } else {
      fs::create_symlink(kind == "device" ? "/dev/zero" : "/dev/null", place);
    }
  };
  auto toldOnce = [&app](const fs::path& file, std::string_view kind) {
    EXPECT_EQ(app.Host.Messages.size(), 1u) << file;
    const std::string text = app.Host.Messages.empty() ? "" : app.Host.Messages[0].Text;
    EXPECT_NE(text.find(file.string()), std::string::npos) << text;
    EXPECT_NE(text.find(std::string("but a ") + std::string(kind)), std::string::npos) << text;
    app.Host.Messages.clear();
  };

  make(dir / "zero.pd4", "device");
  make(dir / "folder.pd4", "folder");
  for (const auto& [figure, kind] : {std::pair<fs::path, std::string_view>{"/dev/null", "device"},
                                     {"/dev/zero", "device"},
                                     {dir / "zero.pd4", "device"},
                                     {dir / "folder.pd4", "folder"}}) {
    app.Host.FileAnswers.push_back(figure);
    RunMenuCommand(p, "mnuLoad");
    EXPECT_EQ(p.Fig.ElemCount[kClassPoint], 2) << figure;
    EXPECT_EQ(p.CurFileName, (dir / "open.pd4").string());
    EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
    toldOnce(figure, kind);
  }
  for (std::string_view kind : {"device", "null device", "folder"}) {
    make(settings, kind);
    EXPECT_FALSE(mnuOFileLoad(p.Config, p.Folders.Folder, *p.Host, p.Lang)) << kind;
    toldOnce(settings, kind == "folder" ? "folder" : "device");

    make(memo, kind);
    RunMenuCommand(p, "mnuHMemo");
    EXPECT_FALSE(p.Events.Memo.Readable) << kind;
    EXPECT_NE(p.Events.Memo.Notice.find(kind == "folder" ? "but a folder" : "but a device"),
              std::string::npos)
        << p.Events.Memo.Notice;
  }
  EXPECT_EQ(p.Fig.ElemCount[kClassPoint], 2);
  EXPECT_FALSE(FigureChanged(p));
}

}  // namespace
}  // namespace plandra::test
