#include "app/qt_serial_link.h"

#include <QByteArray>
#include <QString>

QtSerialLink::QtSerialLink() {
  QObject::connect(&port_, &QSerialPort::errorOccurred, &port_, [this](QSerialPort::SerialPortError error) {
    // A port that fails to read or write has lost its device (pulled out, or
    // the far end of a pseudo-terminal gone). Left open it would report the
    // same error in a tight loop until the wait timed out; closed, the wait
    // ends at once.
    const bool lost = error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
                      error == QSerialPort::WriteError;
    if (lost && port_.isOpen()) port_.close();
  });
}

QtSerialLink::~QtSerialLink() { Close(); }

void QtSerialLink::Open(const std::string& portName) {
  Close();
  port_.setPortName(QString::fromStdString(portName));
  port_.setBaudRate(QSerialPort::Baud9600);
  port_.setParity(QSerialPort::NoParity);
  port_.setDataBits(QSerialPort::Data8);
  port_.setStopBits(QSerialPort::TwoStop);
  port_.setFlowControl(QSerialPort::NoFlowControl);
  port_.open(QIODevice::ReadWrite);
}

bool QtSerialLink::IsOpen() const { return port_.isOpen(); }

void QtSerialLink::Close() {
  if (port_.isOpen()) port_.close();
}

void QtSerialLink::DiscardInput() {
  if (!port_.isOpen()) return;
  port_.clear(QSerialPort::Input);
  port_.readAll();
}

std::size_t QtSerialLink::BytesWaiting() {
  return port_.isOpen() ? static_cast<std::size_t>(port_.bytesAvailable()) : 0;
}

void QtSerialLink::Write(const vx::Bytes& bytes) {
  if (!port_.isOpen()) return;
  port_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  // Start sending now rather than at the next pass of the event loop.
  port_.flush();
}

vx::Bytes QtSerialLink::ReadAll() {
  if (!port_.isOpen()) return {};
  const QByteArray data = port_.readAll();
  return vx::Bytes(data.begin(), data.end());
}
