#include "exports/report_html.h"

#include "i18n/terminal_text.h"

namespace vx {

std::string HtmlText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    // Stepped through as UTF-8, as the console's texts are: a byte that is
    // no character, like a control, is shown as U+FFFD rather than left for
    // the browser to guess at.
    const Utf8Step step = Utf8StepAt(text, at);
    const long c = step.codePoint;
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default:
        if (c < 0 || (c < 0x20 && c != '\t') || (c >= 0x7F && c <= 0x9F)) {
          out += "\uFFFD";
        } else {
          out.append(text.substr(at, step.length));
        }
    }
    at += step.length;
  }
  return out;
}

}  // namespace vx
