#pragma once
// The serial port through Qt: 9600 baud, no parity, 8 data bits, 2 stop bits,
// no flow control, raw bytes. Nothing throws; a failure shows as a port that is
// not open or bytes that do not arrive. A device that is lost (pulled out,
// failing reads or writes) closes the port.

#include <QSerialPort>

#include "device/serial_link.h"

class QtSerialLink : public vx::SerialLink {
 public:
  QtSerialLink();
  ~QtSerialLink() override;

  void Open(const std::string& portName) override;
  bool IsOpen() const override;
  void Close() override;
  void DiscardInput() override;
  std::size_t BytesWaiting() override;
  void Write(const vx::Bytes& bytes) override;
  vx::Bytes ReadAll() override;

 private:
  QSerialPort port_;
};
