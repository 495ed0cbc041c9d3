// A program object wired to a scripted platform, at the standard mode, for
// tests of the main window's core.
#pragma once

#include "app/MainCommands.h"
#include "core/Program.h"
#include "support/ScriptedPlatform.h"

namespace plandra::test {

struct AppFixture {
  ScriptedPlatform Host;
  Program P;

  AppFixture() {
    P.Host = &Host;
    DisableUnwiredItems(P.Menu);
    ModePush(P.Modes, kModeStandard, Host);
  }
  int Redraws() const { return static_cast<int>(P.Draw.RedrawCount); }

  AppFixture(const AppFixture&) = delete;
  AppFixture& operator=(const AppFixture&) = delete;
};

}  // namespace plandra::test
