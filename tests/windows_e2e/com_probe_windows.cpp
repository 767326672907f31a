// com_probe: opens a COM port the way the program does, sends the link frame
// and waits up to a second for the device's six-byte answer. The end-to-end
// script runs it before the window, so a port that Wine has not mapped is
// reported as such rather than as a failing window.
//   com_probe COM1        exit 0: answered, 1: no answer, 2: cannot open

#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: com_probe COMn\n", stderr);
    return 2;
  }
  const std::wstring path = std::wstring(L"\\\\.\\") + argv[1];
  HANDLE port = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (port == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "com_probe: %ls cannot be opened (error %lu)\n", argv[1], GetLastError());
    return 2;
  }
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  GetCommState(port, &dcb);
  dcb.BaudRate = CBR_9600;
  dcb.ByteSize = 8;
  dcb.Parity = NOPARITY;
  dcb.StopBits = TWOSTOPBITS;
  dcb.fBinary = TRUE;
  dcb.fOutxCtsFlow = dcb.fOutxDsrFlow = FALSE;
  dcb.fOutX = dcb.fInX = FALSE;
  dcb.fRtsControl = RTS_CONTROL_ENABLE;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  SetCommState(port, &dcb);
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = MAXDWORD;  // a read returns what is waiting, at once
  SetCommTimeouts(port, &timeouts);

  const unsigned char link[] = {0x02, 0x01, 0x00, 0x00, 0x03, 0x03};
  DWORD written = 0;
  WriteFile(port, link, sizeof link, &written, nullptr);

  unsigned char reply[64];
  DWORD got = 0;
  for (int waited = 0; waited < 1000 && got < 6; waited += 20) {
    DWORD n = 0;
    if (ReadFile(port, reply + got, sizeof reply - got, &n, nullptr)) got += n;
    if (got < 6) Sleep(20);
  }
  CloseHandle(port);
  std::printf("com_probe: %ls sent %lu bytes, received", argv[1], written);
  for (DWORD i = 0; i < got; ++i) std::printf(" %02X", reply[i]);
  std::printf("\n");
  return got >= 6 ? 0 : 1;
}
