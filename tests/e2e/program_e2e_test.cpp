// The program itself, started as an operator starts it.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ProgramRun {
  int exitCode = -1;
  QString errors;
  QString output;
};

ProgramRun RunProgram(const QStringList& args, const QString& folder) {
  QProcess program;
  program.setWorkingDirectory(folder);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  program.setProcessEnvironment(environment);
  program.start(VX_PROGRAM, args);
  ProgramRun run;
  if (!program.waitForFinished(20000)) {
    program.kill();
    program.waitForFinished();
    run.errors = "did not finish";
    return run;
  }
  run.exitCode = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
  run.errors = QString::fromUtf8(program.readAllStandardError());
  run.output = QString::fromUtf8(program.readAllStandardOutput());
  return run;
}

TEST(Program, RefusesAnUnknownFaultWithoutOpeningAWindow) {
  QTemporaryDir dir;
  const ProgramRun run = RunProgram({"--simulate=split,bogus"}, dir.path());
  EXPECT_EQ(run.exitCode, 2) << run.errors.toStdString();
  EXPECT_TRUE(run.errors.contains("unknown fault \"bogus\"")) << run.errors.toStdString();
  EXPECT_TRUE(run.errors.contains("silent")) << "the known faults are listed";
}

// A scripted run: Link and a Write Card through the built-in device, then a
// picture of the window, as for the documentation.
TEST(Program, SimulatedRunClicksAndSavesAPicture) {
  QTemporaryDir dir;
  ASSERT_TRUE(QFile::copy(VX_SOURCE_DIR "/config/HID.cfg", dir.filePath("HID.cfg")));
  const QString picture = dir.filePath("window.png");
  const ProgramRun run =
      RunProgram({"--simulate", "--type", "Text4=300", "--click", "Command12", "--click", "Command4", "--screenshot", picture},
                 dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
  EXPECT_FALSE(run.errors.contains("message box:")) << run.errors.toStdString();
  EXPECT_EQ(run.output, "System Link Success\n1,300\nWrite AND Read Block Success\n");
  const QImage image(picture);
  EXPECT_FALSE(image.isNull());
  EXPECT_GT(image.width(), 300);

  const ProgramRun missing = RunProgram({"--simulate", "--click", "Command99", "--screenshot", picture}, dir.path());
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_TRUE(missing.errors.contains("Command99")) << missing.errors.toStdString();
}

}  // namespace
