#include "winapp/window_fonts_windows.h"

namespace vx::win {

int DpiOf(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow && window) return static_cast<int>(getDpiForWindow(window));
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

WindowFonts::WindowFonts(int dpi) : dpi_(dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW face = metrics.lfMessageFont;
  face.lfHeight = MulDiv(face.lfHeight, dpi, DpiOf(nullptr));
  normal_ = CreateFontIndirectW(&face);
  // The outcome is read from where the cards are, not from the screen's edge.
  LOGFONTW large = face;
  large.lfHeight = face.lfHeight * 9 / 5;
  large.lfWeight = FW_BOLD;
  banner_ = CreateFontIndirectW(&large);
  LOGFONTW bold = face;
  bold.lfWeight = FW_BOLD;
  note_ = CreateFontIndirectW(&bold);
}

WindowFonts::~WindowFonts() {
  for (HFONT font : {normal_, banner_, note_})
    if (font) DeleteObject(font);
}

HFONT WindowFonts::Of(FontRole role) const {
  switch (role) {
    case FontRole::Banner: return banner_;
    case FontRole::Note: return note_;
    case FontRole::Normal: break;
  }
  return normal_;
}

MeasureText MeasureIn(const WindowFonts& fonts) {
  return [&fonts](FontRole role, const std::wstring& text, int wrapWidth) {
    const int dpi = fonts.Dpi();
    // Rounded up: a text one pixel wider than its room is cut.
    const auto logical = [dpi](LONG pixels) { return static_cast<LONG>((pixels * 96 + dpi - 1) / dpi); };
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, fonts.Of(role));
    SIZE size{};
    if (wrapWidth <= 0) {
      GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    } else {
      // As a static draws its text: words wrapped, a word longer than a line
      // left sticking out (DT_CALCRECT then says so by the width).
      RECT area{0, 0, MulDiv(wrapWidth, dpi, 96), 0};
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
                DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
      size = {area.right - area.left, area.bottom - area.top};
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return SIZE{logical(size.cx), logical(size.cy)};
  };
}

}  // namespace vx::win
