// The window tests run headless: the application is created here, on the
// offscreen platform unless the caller chose another.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

// Qt and fontconfig keep caches for the whole process; they are not ours.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\nleak:libQt6\nleak:libglib\nleak:libdbus\n";
}

// The headless platform warns about window hints it has no use for.
void QuietHeadlessWarnings(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  if (message.contains("propagateSizeHints") || message.contains("does not support raise()")) {
    return;
  }
  std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

int main(int argc, char** argv) {
  qInstallMessageHandler(QuietHeadlessWarnings);
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
