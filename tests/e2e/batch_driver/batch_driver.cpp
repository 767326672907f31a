// A test-only program: the real window on the real Qt serial port, opened on
// a pseudo-terminal served by the simulated reader/writer, running a batch the
// way an operator does: tick "Keep Record", tick "Use Database", Browse, then
// press "Write Card" on the "HID  WG26" tab again and again. The end-to-end
// test kills it mid-batch and starts it again.
//
//   e2e_batch_driver --cards FILE --record FILE --presses N [--drop-write K]
//
// --drop-write K loses the K-th card write frame (0-based) on its way to the
// device, as a bad cable would: that press gets no acknowledgement.
// Message boxes and questions are printed on stdout; every question is
// answered Yes.

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>

#include <iostream>
#include <memory>
#include <string>

#include "app/qt_serial_link.h"
#include "app/tesselmain.h"
#include "operations/tabs.h"
#include "device/frame.h"
#include "sim/pty_server_posix.h"

namespace {

class DroppingLink : public vx::SerialLink {
 public:
  DroppingLink(std::unique_ptr<vx::SerialLink> inner, int dropWrite) : inner_(std::move(inner)), drop_(dropWrite) {}
  void Open(const std::string& portName) override { inner_->Open(portName); }
  bool IsOpen() const override { return inner_->IsOpen(); }
  void Close() override { inner_->Close(); }
  void DiscardInput() override { inner_->DiscardInput(); }
  std::size_t BytesWaiting() override { return inner_->BytesWaiting(); }
  void Write(const vx::Bytes& bytes) override {
    const bool cardWrite = bytes.size() > 2 && bytes[2] == static_cast<std::uint8_t>(vx::CommandCode::WriteCard);
    if (cardWrite && writes_++ == drop_) return;
    inner_->Write(bytes);
  }
  vx::Bytes ReadAll() override { return inner_->ReadAll(); }

 private:
  std::unique_ptr<vx::SerialLink> inner_;
  int drop_;
  int writes_ = 0;
};

std::string Option(int argc, char** argv, const std::string& name, const std::string& fallback = "") {
  for (int i = 1; i + 1 < argc; ++i)
    if (argv[i] == name) return argv[i + 1];
  return fallback;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::string cards = Option(argc, argv, "--cards");
  const std::string record = Option(argc, argv, "--record");
  const int presses = std::stoi(Option(argc, argv, "--presses", "1"));
  const int dropWrite = std::stoi(Option(argc, argv, "--drop-write", "-1"));

  vx::sim::PtyServer device;
  std::string error;
  if (!device.Start(&error)) {
    std::cerr << "no pseudo-terminal: " << error << '\n';
    return 2;
  }
  Tesselmain window(std::make_unique<DroppingLink>(std::make_unique<QtSerialLink>(), dropWrite));
  if (const auto fault = window.Startup(VX_SOURCE_DIR "/config/HID.cfg")) {
    std::cerr << fault->Message() << '\n';
    return 2;
  }
  window.SetPortText(device.SlavePath());
  window.messageShower = [](const std::string& text) { std::cout << "message: " << text << std::endl; };
  window.questionAsker = [](const std::string& text) {
    std::cout << "question: " << text << std::endl;
    return true;
  };
  window.recordFileChooser = [record] { return std::optional<std::string>(record); };
  window.cardFileChooser = [cards] { return std::optional<std::string>(cards); };
  window.show();

  window.findChild<QCheckBox*>("KeepRecord")->click();
  window.findChild<QCheckBox*>("Check1")->click();
  window.findChild<QPushButton*>("Command2")->click();  // Browse
  const vx::TabSpec& tab = vx::kTabs[0];                 // "HID  WG26"
  window.findChild<QTabWidget*>("SSTab1")->setCurrentIndex(tab.position);
  auto* write = window.findChild<QPushButton*>(QString("Command%1").arg(tab.writeButton));
  for (int press = 1; press <= presses; ++press) {
    write->click();
    std::cout << "pressed " << press << std::endl;
  }
  return 0;
}
