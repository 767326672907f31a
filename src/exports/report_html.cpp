#include "exports/report_html.h"

namespace vx {

std::string HtmlText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default:
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) {
          out += "\uFFFD";
        } else {
          out += c;
        }
    }
  }
  return out;
}

}  // namespace vx
