// The start-up both windows share: the order of its steps, its faults and
// their exit codes, and what it sets on the window.

#include "program/window_start.h"

#include <gtest/gtest.h>

#include <sstream>

#include "program/user_folder.h"
#include "support/fake_host.h"
#include "support/fake_link.h"

namespace vx::test {
namespace {

struct FakeWindow : StartingWindow {
  FormState unused;
  FakeLink link;
  FakeHost view{unused, link};
  WindowCore core{view, link};
  std::optional<FormatFileError> fault;
  std::string formatFile, portText, deviceNote;

  std::optional<FormatFileError> Startup(const std::string& file) override {
    formatFile = file;
    return fault;
  }
  void SetPortText(const std::string& text) override { portText = text; }
  void ShowDeviceNote(const std::string& text) override { deviceNote = text; }
  WindowCore& Core() override { return core; }
};

TEST(WindowStart, StepsInOrderEachFaultWithItsExitCode) {
  const std::filesystem::path folder = std::filesystem::path("operator") / "vandorix-programmer";
  struct Case {
    const char* name;
    bool userFolder;
    std::string folderError;  // what entering the folder says
    bool linkMade;
    bool windowMade;
    bool formatFault;
    std::optional<int> exitCode;  // none: started
    std::string faultSays;
    std::string formatFile;       // what the window is started on
  };
  const Case cases[] = {
      {"started here", false, "", true, true, false, std::nullopt, "", "HID.cfg"},
      {"started in the operator's folder", true, "", true, true, false, std::nullopt, "",
       PathText(folder / "HID.cfg")},
      {"the folder refused", true, "Cannot make the folder x.", true, true, false, 1, "Cannot make the folder x.", ""},
      {"no link", false, "", false, true, false, 2, "no such fault", ""},
      {"no window", false, "", true, false, false, 1, "Cannot make the window.", ""},
      {"a fault in HID.cfg", false, "", true, true, true, 1, "HID.cfg", "HID.cfg"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CommandLine commandLine;
    commandLine.userFolder = c.userFolder;
    commandLine.port = "COM17";
    FakeWindow window;
    window.fault = c.formatFault ? std::optional<FormatFileError>(FormatFileError{"HID.cfg", 2, "x8", "not a number"})
                                 : std::nullopt;
    bool entered = false;
    WindowFront front;
    front.enterUserFolder = [&] {
      entered = true;
      return c.folderError;
    };
    front.userFolder = [&] { return folder; };
    front.makeLink = [&](const CommandLine&) {
      LinkChoice link;
      if (c.linkMade) link.link = std::make_unique<FakeLink>();
      else link.error = "no such fault";
      link.deviceNote = "simulated";
      return link;
    };
    bool tookTheLink = false;
    front.makeWindow = [&](std::unique_ptr<SerialLink>& link) -> StartingWindow* {
      tookTheLink = link != nullptr;
      return c.windowMade ? &window : nullptr;
    };

    const std::optional<StartFault> fault = StartWindow(commandLine, front);

    EXPECT_EQ(entered, c.userFolder);
    EXPECT_EQ(tookTheLink, c.linkMade && c.folderError.empty());
    EXPECT_EQ(window.formatFile, c.formatFile);
    ASSERT_EQ(fault.has_value(), c.exitCode.has_value());
    if (fault) {
      EXPECT_EQ(fault->exitCode, *c.exitCode);
      EXPECT_NE(fault->text.find(c.faultSays), std::string::npos) << fault->text;
      EXPECT_EQ(window.portText, "");
      continue;
    }
    EXPECT_EQ(window.portText, "COM17");
    EXPECT_EQ(window.deviceNote, "simulated");
    EXPECT_EQ(window.core.sharedRecord.userFolder.rfind(PathText(folder), 0), 0u)
        << window.core.sharedRecord.userFolder;
  }
}

// A mistyped --simulate is told on the console only; every other fault is shown too.
TEST(WindowStart, EveryFaultIsPrintedAndAllButTheLinksShown) {
  for (const int exitCode : {1, 2}) {
    std::ostringstream errors;
    std::string shown;
    EXPECT_EQ(TellStartFault({"it went wrong", exitCode}, "vandorix-programmer", errors,
                             [&](const std::string& text) { shown = text; }),
              exitCode);
    EXPECT_EQ(errors.str(), "vandorix-programmer: it went wrong\n");
    EXPECT_EQ(shown, exitCode == 1 ? "it went wrong" : "");
  }
}

}  // namespace
}  // namespace vx::test
