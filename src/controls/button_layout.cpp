#include "controls/button_layout.h"

#include <algorithm>

namespace kv {

namespace {
constexpr unsigned kAlignMask = 0x300;
constexpr unsigned kLowByte = 0xFF;
constexpr unsigned kTypeNibble = 0x0F;
}  // namespace

CButtonStyle InterpretButtonStyle(unsigned style) {
  CButtonStyle result;
  result.m_pushLike = (style & kButtonStylePushLike) != 0;
  result.m_flat = (style & kButtonStyleFlat) != 0;

  unsigned horizontal = kTextCenter;
  if ((style & kAlignMask) == kButtonStyleLeft) horizontal = kTextLeft;
  if ((style & kAlignMask) == kButtonStyleRight) horizontal = kTextRight;
  result.m_textFormat = horizontal | kTextSingleLine | kTextVCenter;

  // Bit tests in this order: any style with both low bits set is a check box, even the
  // three-state and group-box styles.
  const unsigned low = style & kLowByte;
  if ((low & kButtonStyleAutoCheckBox) == kButtonStyleAutoCheckBox) {
    result.m_kind = kButtonKindCheckBox;
  } else if ((low & kButtonStyleAutoRadio) == kButtonStyleAutoRadio) {
    result.m_kind = kButtonKindRadio;
  } else {
    result.m_kind = kButtonKindPush;
    result.m_pushLike = true;
  }
  result.m_drawEdges = result.m_pushLike ? 1 : 0;
  result.m_defaultButton = (style & kTypeNibble) == kButtonStyleDefPush;
  return result;
}

CIconPlacement PlaceFaceIcon(int iconWidth, int iconHeight, int align, int width, int height,
                             int border) {
  const int xh = iconWidth / 2;
  const int yh = iconHeight / 2;
  CIconPlacement placement;
  int x = 0;
  int y = 0;
  if (align == kIconLeft) {
    placement.m_align = kIconLeft;
    x = border;
    y = std::max(0, height / 2 - yh);
  } else if (align == kIconRight) {
    placement.m_align = kIconRight;
    x = width - 2 * xh - border;  // may go negative in a narrow button, as drawn
    y = std::max(0, height / 2 - yh);
  } else {
    placement.m_align = kIconAbove;
    x = std::max(0, width / 2 - xh);
    y = std::max(0, height / 2 - 2 * yh);  // the icon's lower edge on the middle
  }
  placement.m_rect = CRect{x, y, x + 2 * xh, y + 2 * yh};
  return placement;
}

CRect CaptionRect(const CRect& item, int border, bool hasIcon, int iconAlign,
                  const CRect& iconRect) {
  CRect caption{item.left + border + 2, item.top, item.right - border - 2, item.bottom};
  if (!hasIcon) return caption;
  const int iconWidth = iconRect.right - iconRect.left;
  if (iconAlign == kIconLeft) {
    caption.left += iconWidth;
  } else if (iconAlign == kIconRight) {
    caption.right -= iconWidth;
  } else {
    caption.top += iconRect.bottom;
    caption.bottom -= border + 1;
  }
  return caption;
}

}  // namespace kv
