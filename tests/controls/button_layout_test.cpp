#include "controls/button_layout.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "test_files.h"

namespace kv {
namespace {

std::string Rect(const CRect& r) {
  return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) +
         " " + std::to_string(r.bottom);
}

TEST(ButtonLayout, StylesIconsAndCaptionsAsTabled) {
  for (const auto& [input, expected] : test::ReadRows("controls/button_layout.txt")) {
    std::istringstream in(input);
    std::string kind;
    in >> kind;
    std::string got;
    if (kind == "style") {
      unsigned bits = 0;
      in >> std::hex >> bits;
      const CButtonStyle style = InterpretButtonStyle(bits);
      std::ostringstream out;
      out << style.m_kind << ' ' << style.m_pushLike << ' ' << style.m_flat << ' '
          << style.m_drawEdges << ' ' << std::hex << style.m_textFormat << ' '
          << style.m_defaultButton;
      got = out.str();
    } else if (kind == "icon") {
      int w = 0, h = 0, align = 0, width = 0, height = 0, border = 0;
      in >> w >> h >> std::hex >> align >> std::dec >> width >> height >> border;
      const CIconPlacement placement = PlaceFaceIcon(w, h, align, width, height, border);
      std::ostringstream alignText;
      alignText << std::hex << placement.m_align;
      got = Rect(placement.m_rect) + " " + alignText.str();
    } else {
      int border = 0, hasIcon = 0, align = 0;
      CRect icon;
      in >> border >> hasIcon >> std::hex >> align >> std::dec >> icon.left >> icon.top >>
          icon.right >> icon.bottom;
      got = Rect(CaptionRect(CRect{0, 0, 130, 30}, border, hasIcon != 0, align, icon));
    }
    EXPECT_EQ(got, expected) << input;
  }
}

}  // namespace
}  // namespace kv
