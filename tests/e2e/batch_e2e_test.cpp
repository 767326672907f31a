// A batch from a card-number file: Browse, "Use Database", three cards.

#include "e2e_window.h"

namespace vx::e2e {
namespace {

TEST_F(EndToEndTest, WritesThreeCardsFromTheFileThenSaysTheListIsUsedUp) {
  chosenFile = WriteCardFile("cards.txt", "5,100\n5,101\n5,102\n");

  Start();
  const TabSpec& tab = TabNamed("HID  WG26");
  SelectTab(tab.position);
  Click(Child<QCheckBox>("Check1"));
  ASSERT_TRUE(Child<QWidget>("Frame9")->isVisible());
  Click(2);  // Browse
  EXPECT_EQ(Child<QLineEdit>("Text2")->text().toStdString(), *chosenFile);
  EXPECT_EQ(Box(tab.fcBox)->text(), "5");
  EXPECT_EQ(Box(tab.cnBox)->text(), "100");
  auto* progress = Child<QLabel>("BatchProgress");
  EXPECT_EQ(progress->text(), "Next card: 1 of 3");

  struct Step {
    const char* card;
    const char* fcBox;
    const char* cnBox;
    const char* progress;
  } const steps[] = {
      {"5,100", "5", "101", "Next card: 2 of 3"},
      {"5,101", "5", "102", "Next card: 3 of 3"},
      {"5,102", "5", "102", "All 3 cards written"},  // the boxes keep the card read back
  };
  QStringList expected;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.card);
    Click(tab.writeButton);
    expected << step.card << "Write AND Read Block Success";
    EXPECT_EQ(Lines(), expected);
    EXPECT_EQ(Box(tab.fcBox)->text(), step.fcBox);
    EXPECT_EQ(Box(tab.cnBox)->text(), step.cnBox);
    EXPECT_EQ(progress->text(), step.progress);
  }
  EXPECT_EQ(messages, std::vector<std::string>{" The Card is End!"});

  // A fourth press sends nothing and says so again.
  Click(tab.writeButton);
  EXPECT_EQ(Lines(), expected);
  EXPECT_EQ(messages, (std::vector<std::string>{" The Card is End!", " The Card is End!"}));
}

}  // namespace
}  // namespace vx::e2e
