// The program itself, started as an operator starts it.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "device/port_list.h"

namespace {

struct ProgramRun {
  int exitCode = -1;
  QString errors;
  QString output;
};

ProgramRun RunProgram(const QStringList& args, const QString& folder, const QString& executable = VX_PROGRAM,
                      const QString& dataHome = {}) {
  QProcess program;
  program.setWorkingDirectory(folder);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  if (!dataHome.isEmpty()) environment.insert("XDG_DATA_HOME", dataHome);
  program.setProcessEnvironment(environment);
  program.start(executable, args);
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

// For scripts and for support on the telephone: the machine's ports, one a
// line, with no window and no display.
TEST(Program, ListPortsPrintsTheMachinesPorts) {
  QTemporaryDir dir;
  const ProgramRun run = RunProgram({"--list-ports"}, dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
  QString expected;
  for (const vx::SerialPortInfo& port : vx::ListSerialPorts())
    expected += QString::fromStdString(port.name + '\t' + port.description + '\n');
  EXPECT_EQ(run.output, expected);
  EXPECT_TRUE(run.errors.isEmpty()) << run.errors.toStdString();
}

// The developer tool's scripted run: Link and a Write Card through the built-in
// device, then a picture of the window, as for the documentation. The shipped
// program has no such options.
TEST(Program, WindowScriptClicksAndSavesAPicture) {
  QTemporaryDir dir;
  ASSERT_TRUE(QFile::copy(VX_SOURCE_DIR "/config/HID.cfg", dir.filePath("HID.cfg")));
  const QString picture = dir.filePath("window.png");
  const QStringList steps = {"--simulate", "--type",  "Text4=300",    "--click", "Command12",
                             "--click",    "Command4", "--screenshot", picture};
  const ProgramRun shipped = RunProgram(steps, dir.path());
  EXPECT_EQ(shipped.exitCode, 2);
  EXPECT_TRUE(shipped.errors.contains("unknown argument: --type")) << shipped.errors.toStdString();

  const ProgramRun run = RunProgram(steps, dir.path(), VX_WINDOW_SCRIPT);
  EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
  EXPECT_FALSE(run.errors.contains("message box:")) << run.errors.toStdString();
  EXPECT_EQ(run.output, "System Link Success\n1,300\nWrite AND Read Block Success\n");
  const QImage image(picture);
  EXPECT_FALSE(image.isNull());
  EXPECT_GT(image.width(), 300);

  const ProgramRun missing =
      RunProgram({"--simulate", "--click", "Command99", "--screenshot", picture}, dir.path(), VX_WINDOW_SCRIPT);
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_TRUE(missing.errors.contains("Command99")) << missing.errors.toStdString();
}

// --user-folder, as the desktop menu starts the program: the folder under
// XDG_DATA_HOME gets the sample on the first start and keeps the operator's
// edits after it, wherever the program is started from.
TEST(Program, UserFolderGetsTheSampleOnceAndKeepsEdits) {
  QTemporaryDir dataHome, elsewhere;
  const QString config = dataHome.filePath("vandorix-programmer/HID.cfg");

  const ProgramRun first = RunProgram({"--user-folder", "--check-config"}, elsewhere.path(), VX_PROGRAM, dataHome.path());
  EXPECT_EQ(first.exitCode, 0) << first.errors.toStdString();
  EXPECT_TRUE(first.output.startsWith("0 HID24 WW=6 XX=16")) << first.output.toStdString();
  EXPECT_EQ(first.output.count('\n'), 8);
  QFile sample(VX_SOURCE_DIR "/config/HID.cfg"), copy(config);
  ASSERT_TRUE(sample.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
  EXPECT_EQ(copy.readAll(), sample.readAll());
  copy.close();

  ASSERT_TRUE(copy.open(QIODevice::WriteOnly | QIODevice::Truncate));
  copy.write("HID26 WW=10 XX=16 YY=00 ZZ=00\n");
  copy.close();
  const ProgramRun edited = RunProgram({"--check-config", "--user-folder"}, elsewhere.path(), VX_PROGRAM, dataHome.path());
  EXPECT_EQ(edited.exitCode, 0) << edited.errors.toStdString();
  EXPECT_TRUE(edited.output.startsWith("0 HID26 WW=10 XX=16 YY=0 ZZ=0 FcMax=1023 CnMax=65535\nMissing: "))
      << edited.output.toStdString();
  EXPECT_FALSE(QFile::exists(elsewhere.filePath("HID.cfg")));

  // A folder that cannot be made is said plainly, naming it.
  QFile blocker(dataHome.filePath("blocked"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const ProgramRun blocked =
      RunProgram({"--user-folder", "--check-config"}, elsewhere.path(), VX_PROGRAM, dataHome.filePath("blocked"));
  EXPECT_EQ(blocked.exitCode, 1);
  EXPECT_TRUE(blocked.errors.contains("blocked/vandorix-programmer")) << blocked.errors.toStdString();
}

}  // namespace
