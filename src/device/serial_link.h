#pragma once
// What the device procedures rely on of a serial port. Implementations never
// throw: a failure shows only as a port that is not open and bytes that do not
// arrive. The line is always 9600 baud, no parity, 8 data bits, 2 stop bits, raw.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vx {

using Bytes = std::vector<std::uint8_t>;

class SerialLink {
 public:
  virtual ~SerialLink() = default;
  // Opens the named port (COM3, /dev/ttyS0, /dev/pts/4 ...) with the line settings.
  // The result shows through IsOpen().
  virtual void Open(const std::string& portName) = 0;
  virtual bool IsOpen() const = 0;
  virtual void Close() = 0;
  // Empties the receive buffer.
  virtual void DiscardInput() = 0;
  // Received bytes not yet read.
  virtual std::size_t BytesWaiting() = 0;
  // Transmits the whole frame as one write.
  virtual void Write(const Bytes& bytes) = 0;
  // All bytes waiting, oldest first; they are removed from the buffer.
  virtual Bytes ReadAll() = 0;
};

}  // namespace vx
