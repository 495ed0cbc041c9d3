#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "qt/QtPlatform.h"
#include "qt/drawing/QtSurface.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

// The desktop's helpers as this machine has them, replaced by scripts.
TEST(QtPlatform, ADesktopWithoutAnApplicationForTheFileIsNoticed) {
  test::TempDir bin;
  const QString page = QString::fromStdString((bin / "manual.html").string());
  test::WriteFileBytes(bin / "manual.html", "<html></html>");
  auto script = [&bin](const char* name, const std::string& body) {
    test::WriteFileBytes(bin / name, "#!/bin/sh\n" + body + "\n");
    std::filesystem::permissions(bin / name, std::filesystem::perms::owner_all);
  };
  const QByteArray path = qgetenv("PATH");
  const QByteArray browser = qgetenv("BROWSER");
  qputenv("PATH", QByteArray::fromStdString(bin.Path().string()));
  qunsetenv("BROWSER");
  script("xdg-mime", "exit 0");
  EXPECT_FALSE(DesktopCanOpen(page));
  script("xdg-mime", "echo viewer.desktop");
  EXPECT_TRUE(DesktopCanOpen(page));
  script("xdg-mime", "exit 0");
  script("x-www-browser", "exit 0");
  EXPECT_TRUE(DesktopCanOpen(page));
  qputenv("PATH", path);
  if (!browser.isEmpty()) qputenv("BROWSER", browser);
}

// The question before a document opens: Enter takes the default, Cancel;
// only the Open button opens. The opener names what the desktop says.
TEST(QtPlatform, TheOpenQuestionDefaultsToCancelAndNamesTheOpener) {
  QtSurface surface(10, 10);
  QtPlatform platform(nullptr, surface);
  auto answer = [](Qt::Key key) {
    QTimer::singleShot(0, [key] {
      QWidget* box = QApplication::activeModalWidget();
      ASSERT_NE(box, nullptr);
      QTest::keyClick(box, key);
    });
  };
  answer(Qt::Key_Return);
  EXPECT_FALSE(platform.ConfirmOpen("Open /tmp/a.pdf?", "Plandra Win"));
  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_NE(box->text().indexOf("/tmp/a.pdf"), -1);
    box->button(QMessageBox::Open)->click();
  });
  EXPECT_TRUE(platform.ConfirmOpen("Open /tmp/a.pdf?", "Plandra Win"));

  test::TempDir bin;
  test::WriteFileBytes(bin / "xdg-mime", "#!/bin/sh\necho reader.desktop\n");
  std::filesystem::permissions(bin / "xdg-mime", std::filesystem::perms::owner_all);
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", QByteArray::fromStdString(bin.Path().string()));
  const std::string opener = platform.DesktopOpenerOf((bin / "a.pdf").string());
  qputenv("PATH", path);
  EXPECT_NE(opener.find("reader.desktop"), std::string::npos) << opener;
  EXPECT_NE(opener.find("application/pdf"), std::string::npos) << opener;

  // A mail address, its scheme in any case, is mail and goes out as an address.
  const std::string mail = platform.DesktopOpenerOf("MAILTO:teacher@example.org");
  EXPECT_NE(mail.find("mail"), std::string::npos) << mail;
  EXPECT_EQ(DesktopUrl("MAILTO:teacher@example.org").scheme(), QString("mailto"));
  EXPECT_EQ(DesktopUrl("Https://example.org/a").scheme(), QString("https"));
  EXPECT_TRUE(DesktopUrl("/tmp/mailto.pdf").isLocalFile());
  EXPECT_EQ(DesktopUrl("mailto:x").toLocalFile(), QString());
}

TEST(QtPlatform, ProgramFiltersBecomeDialogFilters) {
  const QtFileFilters figure =
      ConvertFileFilter("PD4形式(*.pd4)|*.pd4|すべてのファイル(*.*)|*.*|", 2);
  ASSERT_EQ(figure.Filters.size(), 2);
  EXPECT_EQ(figure.Filters[0], QString("PD4形式 (*.pd4)"));
  EXPECT_EQ(figure.Filters[1], QString("すべてのファイル (*)"));
  EXPECT_EQ(figure.Selected, figure.Filters[1]);

  // Several patterns, a description that does not repeat them, no trailing bar.
  const QtFileFilters pictures = ConvertFileFilter("画像|*.bmp;*.jpg; *.png|Text|*.txt", 1);
  ASSERT_EQ(pictures.Filters.size(), 2);
  EXPECT_EQ(pictures.Filters[0], QString("画像 (*.bmp *.jpg *.png)"));
  EXPECT_EQ(pictures.Filters[1], QString("Text (*.txt)"));
  EXPECT_EQ(pictures.Selected, pictures.Filters[0]);

  // An index outside the list, a description without its pattern, an empty text.
  EXPECT_EQ(ConvertFileFilter("a|*.a|b|*.b", 7).Selected, QString("a (*.a)"));
  EXPECT_EQ(ConvertFileFilter("a|*.a|b|*.b", 0).Selected, QString("a (*.a)"));
  EXPECT_EQ(ConvertFileFilter("a|*.a|dangling", 1).Filters.size(), 1);
  EXPECT_EQ(ConvertFileFilter("|*.x", 1).Filters[0], QString("*.x (*.x)"));
  const QtFileFilters none = ConvertFileFilter("", 1);
  ASSERT_EQ(none.Filters.size(), 1);
  EXPECT_TRUE(none.Filters[0].endsWith("(*)"));
}

TEST(QtPlatform, PicturesAreSavedAndCopied) {
  test::TempDir dir;
  QtSurface surface(30, 20);
  surface.Pixel(3, 4, RgbColor{255, 0, 0});
  QtPlatform platform(nullptr, surface);
  ASSERT_TRUE(platform.SavePicture(dir / "a.bmp"));
  ASSERT_TRUE(platform.SavePicture(dir / "b.PNG"));
  EXPECT_EQ(test::ReadFileBytes(dir / "a.bmp").substr(0, 2), "BM");
  EXPECT_EQ(test::ReadFileBytes(dir / "b.PNG").substr(1, 3), "PNG");
  const QImage back(QString::fromStdString((dir / "b.PNG").string()));
  EXPECT_EQ(back.size(), QSize(30, 20));
  EXPECT_EQ(back.pixelColor(3, 4), QColor(255, 0, 0));
  EXPECT_STREQ(PictureFormat("x.picture"), "BMP");
  EXPECT_FALSE(platform.SavePicture(dir / "missing-folder" / "c.bmp"));

  ASSERT_TRUE(platform.CopyPictureToClipboard());
  const QImage copied = QGuiApplication::clipboard()->image();
  EXPECT_EQ(copied.size(), QSize(30, 20));
  EXPECT_EQ(copied.pixelColor(3, 4), QColor(255, 0, 0));
}

TEST(QtPlatform, PrintLayoutCentresAndKeepsProportions) {
  EXPECT_EQ(FitCentered(QSize(640, 480), QRect(0, 0, 1000, 1000)), QRect(0, 125, 1000, 750));
  EXPECT_EQ(FitCentered(QSize(100, 400), QRect(10, 10, 1000, 800)), QRect(410, 10, 200, 800));
  EXPECT_EQ(FitCentered(QSize(0, 0), QRect(0, 0, 100, 100)).size(), QSize(0, 0));
}

TEST(QtPlatform, TimersTickIntoTheWindowUntilStopped) {
  QtSurface surface(10, 10);
  QtPlatform platform(nullptr, surface);
  std::vector<TimerId> ticks;
  platform.SetTimerCallback([&](TimerId id) {
    ticks.push_back(id);
    if (id == TimerId::kDraw) platform.SetTimer(TimerId::kDraw, 0);  // fires once
  });
  platform.SetTimer(TimerId::kDraw, 5);
  platform.SetTimer(TimerId::kDrawSlow, 10);
  EXPECT_EQ(platform.TimerInterval(TimerId::kDrawSlow), 10);
  EXPECT_EQ(platform.TimerInterval(TimerId::kProgmanClear), 0);
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 200) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  platform.SetTimer(TimerId::kDrawSlow, 0);
  EXPECT_EQ(platform.TimerInterval(TimerId::kDrawSlow), 0);
  EXPECT_EQ(std::count(ticks.begin(), ticks.end(), TimerId::kDraw), 1);
  EXPECT_GE(std::count(ticks.begin(), ticks.end(), TimerId::kDrawSlow), 3);
  const size_t before = ticks.size();
  clock.restart();
  while (clock.elapsed() < 50) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  EXPECT_EQ(ticks.size(), before);
}

}  // namespace
}  // namespace plandra
