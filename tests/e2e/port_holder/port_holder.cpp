// Another program that has a serial port open: opens the port named on its
// command line the way this program's own serial layer does, says "held" on
// its standard output, and lets go when its standard input closes.

#include <QCoreApplication>
#include <QSerialPort>

#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s PORT\n", argv[0]);
    return 2;
  }
  QSerialPort port;
  port.setPortName(QString::fromLocal8Bit(argv[1]));
  if (!port.open(QIODevice::ReadWrite)) {
    std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(port.errorString()));
    return 1;
  }
  std::puts("held");
  std::fflush(stdout);
  for (int c = std::getchar(); c != EOF; c = std::getchar()) {
  }
  port.close();
  return 0;
}
