#pragma once
// The window's fonts, and the measure of a text in them. The window lays out
// its controls with this measure; the tests and the end-to-end driver judge
// the layout with the same one.

#include <windows.h>

#include "winapp/window_layout_windows.h"

namespace vx::win {

// The DPI of a window, or of the system for nullptr; Windows before 10 knows
// only the system's.
int DpiOf(HWND window);

// The system's message font at `dpi`, the banner's large bold one and the
// notes' bold one.
class WindowFonts {
 public:
  explicit WindowFonts(int dpi);
  ~WindowFonts();
  WindowFonts(const WindowFonts&) = delete;
  WindowFonts& operator=(const WindowFonts&) = delete;

  HFONT Of(FontRole role) const;
  int Dpi() const { return dpi_; }

 private:
  int dpi_;
  HFONT normal_ = nullptr;
  HFONT banner_ = nullptr;
  HFONT note_ = nullptr;
};

// Measures with GDI (GetTextExtentPoint32W, DrawTextW for wrapped words) in
// `fonts`, which must outlive the measure; sizes in pixels at 96 DPI.
MeasureText MeasureIn(const WindowFonts& fonts);

}  // namespace vx::win
