// A program object wired to a scripted platform, with its redraws counted,
// for tests of the main window's core.
#pragma once

#include "app/Program.h"
#include "support/ScriptedPlatform.h"

namespace plandra::test {

struct AppFixture {
  ScriptedPlatform Host;
  Program P;
  int Redraws = 0;

  AppFixture() {
    P.Host = &Host;
    P.Window.RequestRedraw = [this] { ++Redraws; };
    ModePush(P.Modes, kModeStandard, Host);
  }
  AppFixture(const AppFixture&) = delete;
  AppFixture& operator=(const AppFixture&) = delete;
};

}  // namespace plandra::test
