#pragma once

#include "base/geometry.h"

namespace kv {

// Window-style bits a hover button is created with (the push-button style family).
constexpr unsigned kButtonStyleDefPush = 0x0001;  // low nibble 1: the dialog's default button
constexpr unsigned kButtonStyleAutoCheckBox = 0x0003;
constexpr unsigned kButtonStyleAutoRadio = 0x0009;
constexpr unsigned kButtonStyleLeft = 0x0100;
constexpr unsigned kButtonStyleRight = 0x0200;
constexpr unsigned kButtonStyleCenter = 0x0300;
constexpr unsigned kButtonStylePushLike = 0x1000;
constexpr unsigned kButtonStyleFlat = 0x8000;

// Kinds of hover button; the values are fixed.
constexpr int kButtonKindPush = 0;
constexpr int kButtonKindCheckBox = 2;
constexpr int kButtonKindRadio = 4;

// Caption format flags.
constexpr unsigned kTextLeft = 0x00;
constexpr unsigned kTextCenter = 0x01;
constexpr unsigned kTextRight = 0x02;
constexpr unsigned kTextVCenter = 0x04;
constexpr unsigned kTextSingleLine = 0x20;

// Where the face icon sits relative to the caption.
constexpr int kIconLeft = 0x100;
constexpr int kIconRight = 0x200;
constexpr int kIconAbove = 0x300;

// What a hover button makes of its window style.
struct CButtonStyle {
  bool m_pushLike = false;
  bool m_flat = false;
  int m_kind = kButtonKindPush;
  unsigned m_textFormat = kTextCenter;
  int m_drawEdges = 1;
  bool m_defaultButton = false;
};

CButtonStyle InterpretButtonStyle(unsigned style);

struct CIconPlacement {
  CRect m_rect;
  int m_align = kIconAbove;
};

// Places an icon of the given size in a width x height button. The icon's size is taken
// as twice its centre, so an odd size loses its last pixel column or row.
CIconPlacement PlaceFaceIcon(int iconWidth, int iconHeight, int align, int width, int height,
                             int border);

// The rectangle the caption is drawn in, for the item rectangle and the icon (if any).
CRect CaptionRect(const CRect& item, int border, bool hasIcon, int iconAlign,
                  const CRect& iconRect);

}  // namespace kv
