#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/io/SettingsFileIO.h"
#include "files/PDio05_settings.h"
#include "files/ProgramFolder.h"
#include "support/ScriptedPlatform.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

using test::ReadFileBytes;
using test::ScriptedPlatform;
using test::TempDir;
using test::WriteFileBytes;

const char kDefaultFile[] =
    "App =plandra\r\n"
    "AppMajor = 0 \r\n"
    "AppMinor = 0 \r\n"
    "delta = 10 \r\n"
    "deltavar = 0.5 \r\n"
    "ColorStrength = 255 \r\n"
    "NotChrDisp = 0 \r\n"
    "axissw = 0 \r\n"
    "AxisColor = 11184810 \r\n"
    "ZEvav.DrawWidth = 1 \r\n"
    "ZEvav.FontSize = 9 \r\n"
    "ZEvav.FontName =FixedSys\r\n"
    "KetaDecimal = 2 \r\n"
    "ZEvav.BackColor = 16777215 \r\n"
    "BrowserSW = 2 \r\n"
    "WWWurl =http://localhost/asp/pd/pd_save.asp\r\n"
    "ZEvav.Width = 0 \r\n"
    "ZEvav.Height = 0 \r\n"
    "ZEvav.WindowState = 0 \r\n"
    "ZEvav_MenuMode = 0 \r\n"
    "ZEvav_AutoRedraw =True\r\n"
    "ZEvav_Redraw_Slow = 500 \r\n"
    "ZEvav_Language =Japanese\r\n"
    "SDeformKind = 0 \r\n";

// Every read-back value set away from its default.
Settings ChangedSettings() {
  Settings s;
  s.Delta = 1;
  s.DeltaVar = 0.125;
  s.ColorStrength = 80;
  s.NotChrDisp = -1;
  s.AxisShow = -1;
  s.AxisColor = Rgb(1, 2, 3);
  s.DrawWidth = 3;
  s.FontSize = 10.5f;
  s.FontName = "IPAGothic";
  s.KetaDecimal = 5;
  s.BackColor = Rgb(0, 0, 40);
  s.BrowserSW = 0;
  s.WWWurl = "http://school.test/asp/pd/pd_save.asp";
  s.StartWidth = 9000;
  s.StartHeight = -7000;
  s.StartState = 2;
  s.MenuEasy = -1;
  s.RedrawSlow = 1000;
  s.Language = "English";
  s.SDeformKind = 2;
  return s;
}

void ExpectReadBackEqual(const Settings& a, const Settings& b) {
  EXPECT_EQ(a.Delta, b.Delta);
  EXPECT_EQ(a.DeltaVar, b.DeltaVar);
  EXPECT_EQ(a.ColorStrength, b.ColorStrength);
  EXPECT_EQ(a.NotChrDisp, b.NotChrDisp);
  EXPECT_EQ(a.AxisShow, b.AxisShow);
  EXPECT_EQ(a.AxisColor, b.AxisColor);
  EXPECT_EQ(a.DrawWidth, b.DrawWidth);
  EXPECT_EQ(a.FontSize, b.FontSize);
  EXPECT_EQ(a.FontName, b.FontName);
  EXPECT_EQ(a.KetaDecimal, b.KetaDecimal);
  EXPECT_EQ(a.BackColor, b.BackColor);
  EXPECT_EQ(a.BrowserSW, b.BrowserSW);
  EXPECT_EQ(a.WWWurl, b.WWWurl);
  EXPECT_EQ(a.StartWidth, b.StartWidth);
  EXPECT_EQ(a.StartHeight, b.StartHeight);
  EXPECT_EQ(a.StartState, b.StartState);
  EXPECT_EQ(a.MenuEasy, b.MenuEasy);
  EXPECT_EQ(a.RedrawSlow, b.RedrawSlow);
  EXPECT_EQ(a.Language, b.Language);
  EXPECT_EQ(a.SDeformKind, b.SDeformKind);
}

TEST(SettingsFile, DefaultFileHasTheExactLayout) {
  EXPECT_EQ(SettingsFileText(Settings{}), kDefaultFile);

  Settings s;
  s.AxisShow = -1;
  s.DeltaVar = -2.5;
  s.AutoRedraw = false;
  std::string text = SettingsFileText(s);
  EXPECT_NE(text.find("\r\naxissw =-1 \r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\ndeltavar =-2.5 \r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nZEvav_AutoRedraw =False\r\n"), std::string::npos);
}

TEST(SettingsFile, SaveAndLoadRestoreEveryReadBackKey) {
  TempDir dir;
  ScriptedPlatform platform;
  LangState lang;
  Settings saved = ChangedSettings();
  saved.App = "other";
  saved.AppMajor = 9;
  saved.AutoRedraw = false;
  ASSERT_TRUE(mnuOFileSave(saved, dir.Path(), platform, lang));

  Settings loaded;
  ASSERT_TRUE(mnuOFileLoad(loaded, dir.Path(), platform, lang));
  ExpectReadBackEqual(loaded, saved);
  // Written-only keys are not read back.
  EXPECT_EQ(loaded.App, "plandra");
  EXPECT_EQ(loaded.AppMajor, 0);
  EXPECT_TRUE(loaded.AutoRedraw);
  EXPECT_TRUE(platform.Messages.empty());
  // No temporary file is left beside the settings.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(SettingsFile, BrowserSwitchComesBackAsThree) {
  TempDir dir;
  ScriptedPlatform platform;
  LangState lang;
  Settings s;
  s.BrowserSW = 2;
  ASSERT_TRUE(mnuOFileSave(s, dir.Path(), platform, lang));
  Settings loaded;
  mnuOFileLoad(loaded, dir.Path(), platform, lang);
  EXPECT_EQ(loaded.BrowserSW, 3);
  // Without any file the default 2 also becomes 3.
  TempDir empty;
  Settings fresh;
  EXPECT_TRUE(mnuOFileLoad(fresh, empty.Path(), platform, lang));
  EXPECT_EQ(fresh.BrowserSW, 3);
}

TEST(SettingsFile, InitResetsDefaultsAndKeepsTheOthers) {
  Settings s = ChangedSettings();
  mnuOFileInit(s);
  Settings expected;
  expected.StartWidth = 9000;
  expected.StartHeight = -7000;
  expected.StartState = 2;
  expected.MenuEasy = -1;
  expected.Language = "English";
  expected.SDeformKind = 2;
  ExpectReadBackEqual(s, expected);
}

TEST(SettingsFile, LoadStartsFromDefaultsAndTheBuiltInAddress) {
  TempDir dir;
  ScriptedPlatform platform;
  LangState lang;
  WriteFileBytes(dir / "config_zevav.txt", "delta = 3 \r\n");
  Settings s = ChangedSettings();
  mnuOFileLoad(s, dir.Path(), platform, lang);
  EXPECT_EQ(s.Delta, 3);
  EXPECT_EQ(s.WWWurl, kBuiltInWWWurl);
  EXPECT_EQ(s.ColorStrength, 255);
  EXPECT_EQ(s.Language, "English");  // not reset
}

TEST(SettingsFile, KeysAreFoundLooselyAndTextsKeptExactly) {
  Settings s;
  EXPECT_TRUE(ReadSettingsLine(s, "  axisSW=-1"));
  EXPECT_EQ(s.AxisShow, -1);
  EXPECT_TRUE(ReadSettingsLine(s, "zevav.fontname = IPA Gothic "));
  EXPECT_EQ(s.FontName, " IPA Gothic ");
  EXPECT_TRUE(ReadSettingsLine(s, "WWWurl =http://a.test/x?a=b"));
  EXPECT_EQ(s.WWWurl, "http://a.test/x?a=b");
  EXPECT_TRUE(ReadSettingsLine(s, "deltavar =  .25  "));
  EXPECT_EQ(s.DeltaVar, 0.25);
  EXPECT_TRUE(ReadSettingsLine(s, "delta = +7"));
  EXPECT_EQ(s.Delta, 7);
  EXPECT_TRUE(ReadSettingsLine(s, "ZEvav.Width = 2.5 "));  // rounds half to even
  EXPECT_EQ(s.StartWidth, 2);

  // Written-only, unknown and key-less lines change nothing.
  Settings before = s;
  EXPECT_FALSE(ReadSettingsLine(s, "App =somethingelse"));
  EXPECT_FALSE(ReadSettingsLine(s, "ZEvav_AutoRedraw =False"));
  EXPECT_FALSE(ReadSettingsLine(s, "colour = 3"));
  EXPECT_FALSE(ReadSettingsLine(s, "delta"));
  EXPECT_FALSE(ReadSettingsLine(s, std::string(99, ' ') + "delta = 4"));
  EXPECT_EQ(s.App, before.App);
  EXPECT_EQ(s.Delta, 7);
  EXPECT_TRUE(ReadSettingsLine(s, std::string(90, ' ') + "delta = 4"));
  EXPECT_EQ(s.Delta, 4);
}

TEST(SettingsFile, JunkAndOutOfRangeValuesAreSkippedOrClamped) {
  Settings s;
  EXPECT_FALSE(ReadSettingsLine(s, "delta = ten"));
  EXPECT_FALSE(ReadSettingsLine(s, "delta = 10 px"));
  EXPECT_FALSE(ReadSettingsLine(s, "delta = "));
  EXPECT_FALSE(ReadSettingsLine(s, "deltavar = nan"));
  EXPECT_FALSE(ReadSettingsLine(s, "deltavar = 1e999"));
  EXPECT_EQ(s.Delta, 10);
  EXPECT_EQ(s.DeltaVar, 0.5);

  ReadSettingsText(s,
                   "delta = 99999 \r\n"
                   "ZEvav.Height = -1e12 \r\n"
                   "AxisColor = 1e20 \r\n"
                   "KetaDecimal = 300 \r\n"
                   "ZEvav.DrawWidth = 0 \r\n"
                   "ZEvav.FontSize = -3 \r\n"
                   "ZEvav_Redraw_Slow = 0 \r\n");
  EXPECT_EQ(s.Delta, 32767);
  EXPECT_EQ(s.StartHeight, -32768);
  EXPECT_EQ(s.AxisColor, 2147483647);
  EXPECT_EQ(s.KetaDecimal, 20);
  EXPECT_EQ(s.DrawWidth, 1);
  EXPECT_EQ(s.FontSize, 1.0f);
  EXPECT_EQ(s.RedrawSlow, 500);

  ReadSettingsText(s, "ColorStrength = 0\nColorStrength = 256\n");
  EXPECT_EQ(s.ColorStrength, 255);
  ReadSettingsText(s, "ColorStrength = 40\nZEvav.DrawWidth = 25\nKetaDecimal = -1\n");
  EXPECT_EQ(s.ColorStrength, 40);
  EXPECT_EQ(s.DrawWidth, 10);
  EXPECT_EQ(s.KetaDecimal, 0);
}

TEST(SettingsFile, BinaryGarbageAndOldCodePageAreHandled) {
  TempDir dir;
  ScriptedPlatform platform;
  LangState lang;
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 131 + 7) % 256);
  garbage += "\nkEtAdEcImAl = 4\n\xff\xfe=\x81\n";
  WriteFileBytes(dir / "config_zevav.txt", garbage);
  Settings s;
  EXPECT_TRUE(mnuOFileLoad(s, dir.Path(), platform, lang));
  EXPECT_EQ(s.KetaDecimal, 4);
  EXPECT_TRUE(platform.Messages.empty());

  // A font name saved on Windows comes in code page 932.
  Settings old;
  EXPECT_TRUE(ReadSettingsLine(old,
                               "ZEvav.FontName =\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62"
                               "\x83\x4e"));
  EXPECT_EQ(old.FontName, "ＭＳ ゴシック");
}

TEST(SettingsFile, FailuresAreReportedAndKeepTheOldFile) {
  TempDir dir;
  ScriptedPlatform platform;
  LangState lang;
  Settings s;
  // A folder that does not exist cannot take the file.
  EXPECT_FALSE(mnuOFileSave(s, dir / "missing", platform, lang));
  ASSERT_EQ(platform.Messages.size(), 1u);
  EXPECT_NE(platform.Messages[0].Text.find("config_zevav.txt"), std::string::npos);

  // A settings path that is a folder cannot be read: said once, defaults stay.
  std::filesystem::create_directory(dir / "config_zevav.txt");
  Settings loaded = ChangedSettings();
  EXPECT_FALSE(mnuOFileLoad(loaded, dir.Path(), platform, lang));
  EXPECT_EQ(platform.Messages.size(), 2u);
  EXPECT_EQ(loaded.Delta, 10);

  // The rename over a folder fails; nothing is left behind.
  EXPECT_FALSE(mnuOFileSave(s, dir.Path(), platform, lang));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(SettingsFile, FailuresComeBackAsValuesAndAreShownTranslated) {
  TempDir dir;
  SettingsFileResult saved = SaveSettingsFile(Settings{}, dir / "missing");
  EXPECT_FALSE(saved.Ok);
  EXPECT_EQ(saved.MessageKey, "設定ファイルを保存できませんでした。");
  EXPECT_EQ(saved.File, dir / "missing" / "config_zevav.txt");
  EXPECT_FALSE(saved.Reason.empty());
  ProgramFolder nowhere;
  nowhere.Folder = dir / "missing";
  SettingsFileResult dataPath = SaveDataPathFile(nowhere, "/home/pupil");
  EXPECT_FALSE(dataPath.Ok);
  EXPECT_EQ(dataPath.MessageKey, "データフォルダの設定を保存できませんでした。");
  EXPECT_EQ(dataPath.File, dir / "missing" / "datapath.txt");

  ScriptedPlatform platform;
  LangState lang;
  lang.Language = "English";
  ShowSettingsFailure(saved, platform, lang);
  ASSERT_EQ(platform.Messages.size(), 1u);
  EXPECT_EQ(platform.Messages[0].Text,
            "The settings file could not be saved.\nThe file or folder cannot be found.\n" +
                saved.File.string() + "\n" + saved.Reason);
  EXPECT_EQ(platform.Messages[0].Title, "Settings");
  EXPECT_EQ(platform.Beeps, 0);
}

TEST(SettingsFile, TextValuesStayOnTheirLine) {
  Settings s;
  s.WWWurl = "http://a.test/\r\ndelta = 1";
  Settings loaded;
  ReadSettingsText(loaded, SettingsFileText(s));
  EXPECT_EQ(loaded.WWWurl, "http://a.test/  delta = 1");
  EXPECT_EQ(loaded.Delta, 10);
}

TEST(DataFolder, ReadsTheFirstFieldOrFallsBackToSamples) {
  TempDir dir;
  ScriptedPlatform platform;
  LangState lang;
  ProgramFolder program;
  program.Folder = dir.Path();
  DataFolders folders;
  mnuFDataFolderGet(folders, program);
  EXPECT_EQ(folders.LoadInitialFolder, dir / "sample.pd4");
  Set_MergeDataFolder(folders, program);
  EXPECT_EQ(folders.MergeInitialFolder, dir / "sample.pd4");

  ASSERT_TRUE(mnuFDataFolderStandardSet(program, "/home/pupil/figures", platform, lang));
  EXPECT_EQ(ReadFileBytes(dir / "datapath.txt"), "/home/pupil/figures\r\n");
  mnuFDataFolderGet(folders, program);
  EXPECT_EQ(folders.DataFolder, "/home/pupil/figures");
  EXPECT_EQ(folders.LoadInitialFolder, "/home/pupil/figures");

  // A comma is kept by quoting the path.
  ASSERT_TRUE(mnuFDataFolderStandardSet(program, "/home/a,b", platform, lang));
  mnuFDataFolderGet(folders, program);
  EXPECT_EQ(folders.DataFolder, "/home/a,b");

  EXPECT_EQ(DataPathFirstField("C:\\data,more\r\nsecond"), "C:\\data");
  EXPECT_EQ(DataPathFirstField("\"C:\\my data\",x"), "C:\\my data");
  EXPECT_EQ(DataPathFirstField("  /plain  \n"), "/plain");
  EXPECT_TRUE(platform.Messages.empty());
}

}  // namespace
}  // namespace plandra
