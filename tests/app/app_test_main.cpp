#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// The offscreen platform warns about window hints it cannot honour at every
// show; that says nothing about the window under test.
QtMessageHandler previousHandler = nullptr;

void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains("propagateSizeHints")) return;
  if (previousHandler) {
    previousHandler(type, context, message);
  } else {
    fprintf(stderr, "%s\n", qPrintable(message));
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Listing the tests at build time runs this too, without the test environment.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  previousHandler = qInstallMessageHandler(QuietHandler);
  QApplication app(argc, argv);
  // Tests close windows; that must not end the application.
  QApplication::setQuitOnLastWindowClosed(false);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
