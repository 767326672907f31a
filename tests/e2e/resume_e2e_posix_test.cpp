// A batch with a card record, the program killed mid-batch, then started
// again: the batch resumes exactly after the last confirmed card.

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

#include "platform/text_file.h"
#include "record/record_line.h"

namespace {

std::vector<vx::RecordLine> RecordLines(const QString& path) {
  return vx::ParseRecordText(vx::ReadWholeFile(path.toStdString()).value_or(""));
}

bool Written(const std::vector<vx::RecordLine>& lines, int entry) {
  for (const vx::RecordLine& line : lines)
    if (line.entry == entry && line.outcome == "written") return true;
  return false;
}

void StartDriver(QProcess& driver, const QStringList& args) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  driver.setProcessEnvironment(environment);
  driver.start(VX_BATCH_DRIVER, args);
  ASSERT_TRUE(driver.waitForStarted(10000));
}

TEST(ProgramKilledMidBatch, ResumesAndWritesEveryCardOnce) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString cards = dir.filePath("cards.txt");
  const QString record = dir.filePath("cards-2026-12-08.csv");
  {
    QFile file(cards);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("12,1001\n12,1002\n12,1003\n12,1004\n12,1005\n");
  }
  const QStringList common{"--cards", cards, "--record", record};

  // First run: the second card's write is lost once; killed as soon as the
  // record shows the third card written.
  QProcess first;
  StartDriver(first, common + QStringList{"--presses", "20", "--drop-write", "1"});
  QElapsedTimer clock;
  clock.start();
  while (!Written(RecordLines(record), 3) && clock.elapsed() < 20000 && first.state() == QProcess::Running)
    QTest::qWait(5);
  first.kill();  // SIGKILL: no chance to tidy up
  ASSERT_TRUE(first.waitForFinished(5000));
  ASSERT_EQ(first.exitStatus(), QProcess::CrashExit) << "the driver ended before it was killed:\n"
                                                     << first.readAllStandardOutput().toStdString();
  ASSERT_TRUE(Written(RecordLines(record), 3));
  EXPECT_FALSE(Written(RecordLines(record), 4));

  // Second run: the same record and file; it offers entry 4 and finishes.
  QProcess second;
  StartDriver(second, common + QStringList{"--presses", "3"});
  ASSERT_TRUE(second.waitForFinished(20000));
  const std::string output = second.readAllStandardOutput().toStdString();
  EXPECT_NE(output.find("question: Entries 1 to 3 of this file are already written (the last at "),
            std::string::npos)
      << output;
  EXPECT_NE(output.find("Continue with entry 4?"), std::string::npos) << output;
  EXPECT_NE(output.find("message:  The Card is End!\npressed 2"), std::string::npos) << output;

  // The record read back: every entry once as written, the lost write on a
  // line of its own, nothing else.
  const auto lines = RecordLines(record);
  std::map<int, int> written;
  std::vector<std::string> failures;
  for (const vx::RecordLine& line : lines) {
    EXPECT_EQ(line.source, cards.toStdString());
    if (line.outcome == "written") {
      ++written[line.entry];
      EXPECT_EQ(line.readCardNumber, line.cardNumber);
    } else {
      failures.push_back(std::to_string(line.entry) + " " + line.outcome);
    }
  }
  EXPECT_EQ(written, (std::map<int, int>{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}));
  EXPECT_EQ(failures, std::vector<std::string>{"2 no acknowledgement"});
  EXPECT_EQ(vx::ReadWholeFile(record.toStdString())->find(vx::kRecordHeader, 1), std::string::npos)
      << "one header only";
}

}  // namespace
