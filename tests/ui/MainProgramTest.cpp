#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "support/TestHelpers.h"

namespace {

QProcessEnvironment EnvironmentWithout(std::initializer_list<const char*> names) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : names) env.remove(name);
  return env;
}

TEST(MainProgram, WithoutADisplayItSaysHowToRun) {
  plandra::test::TempDir home;
  QProcess program;
  QProcessEnvironment env = EnvironmentWithout({"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"});
  env.insert("PLANDRA_HOME", QString::fromStdString(home.Path().string()));
  program.setProcessEnvironment(env);
  program.start(PLANDRA_PROGRAM, {});
  ASSERT_TRUE(program.waitForFinished(20000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 2);
  const QString message = QString::fromUtf8(program.readAllStandardError());
  EXPECT_TRUE(message.contains("xvfb-run plandra")) << message.toStdString();
  EXPECT_TRUE(message.contains("DISPLAY")) << message.toStdString();
}

TEST(MainProgram, StartsHeadlessAndKeepsRunning) {
  plandra::test::TempDir home;
  QProcess program;
  QProcessEnvironment env = EnvironmentWithout({"DISPLAY", "WAYLAND_DISPLAY"});
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("PLANDRA_HOME", QString::fromStdString(home.Path().string()));
  program.setProcessEnvironment(env);
  program.start(PLANDRA_PROGRAM, {});
  ASSERT_TRUE(program.waitForStarted(20000));
  EXPECT_FALSE(program.waitForFinished(1500)) << program.readAllStandardError().toStdString();
  program.kill();
  program.waitForFinished(5000);
}

TEST(MainProgram, OpensTheFigureAndPaintsIt) {
  plandra::test::TempDir home;
  QProcess program;
  QProcessEnvironment env = EnvironmentWithout({"DISPLAY", "WAYLAND_DISPLAY"});
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("PLANDRA_HOME", QString::fromStdString(home.Path().string()));
  env.insert("PLANDRA_EXIT_AFTER_FIRST_PAINT", "1");
  program.setProcessEnvironment(env);
  program.start(PLANDRA_PROGRAM, {QString(PLANDRA_SAMPLES) + "/triangle.pd4"});
  ASSERT_TRUE(program.waitForFinished(20000)) << "the window never painted";
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
}

}  // namespace
