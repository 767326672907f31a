#pragma once
// Text from outside (a card file's name, a station's) as HTML and SVG show
// it: plain text, never markup. The five characters markup gives meaning to
// become references; control characters, which no page should carry, and
// bytes that are no UTF-8 become U+FFFD.

#include <string>
#include <string_view>

namespace vx {

std::string HtmlText(std::string_view text);

}  // namespace vx
