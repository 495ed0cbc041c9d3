#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <future>

#include "app/FileCommands.h"
#include "app/MainCommands.h"
#include "app/MainModel.h"
#include "app/SettingsFileIO.h"
#include "persist/PDio05_settings.h"
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

// A named pipe where a file is expected, to the program's reading, which
// would wait for a writer for ever: the figure and the settings file are
// refused at once with a message that names them, and the open figure stays.
TEST(NamedPipe, WhereAFileIsExpectedItIsRefusedAtOnce) {
  AppFixture app;
  Program& p = app.P;
  TempDir dir;
  ResetFigure(p.Fig, 200);
  AddFreePoint(p.Fig, 1, 2);
  AddFreePoint(p.Fig, 3, 4);
  p.CurFileName = "open.pd4";
  MarkFigureSaved(p);  // only looked at: opening another asks nothing
  p.Folders.Folder = dir.Path();
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

}  // namespace
}  // namespace plandra::test
