#include "controls/button_layout.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(ButtonStyle, KindEdgesAndCaptionFormatFollowTheStyleBits) {
  const CButtonStyle push = InterpretButtonStyle(0);
  EXPECT_EQ(push.m_kind, kButtonKindPush);
  EXPECT_TRUE(push.m_pushLike);
  EXPECT_FALSE(push.m_flat);
  EXPECT_EQ(push.m_drawEdges, 1);
  EXPECT_EQ(push.m_textFormat, 0x25u);
  EXPECT_FALSE(push.m_defaultButton);

  const CButtonStyle check = InterpretButtonStyle(kButtonStyleAutoCheckBox);
  EXPECT_EQ(check.m_kind, kButtonKindCheckBox);
  EXPECT_FALSE(check.m_pushLike);
  EXPECT_EQ(check.m_drawEdges, 0);

  const CButtonStyle radio = InterpretButtonStyle(kButtonStyleAutoRadio | kButtonStyleLeft);
  EXPECT_EQ(radio.m_kind, kButtonKindRadio);
  EXPECT_EQ(radio.m_drawEdges, 0);
  EXPECT_EQ(radio.m_textFormat, 0x24u);

  const CButtonStyle pushLikeCheck =
      InterpretButtonStyle(kButtonStyleAutoCheckBox | kButtonStylePushLike | kButtonStyleRight);
  EXPECT_EQ(pushLikeCheck.m_kind, kButtonKindCheckBox);
  EXPECT_TRUE(pushLikeCheck.m_pushLike);
  EXPECT_EQ(pushLikeCheck.m_drawEdges, 1);
  EXPECT_EQ(pushLikeCheck.m_textFormat, 0x26u);

  // Both low bits set is a check box, whatever else: the group box (7) and owner draw (11).
  EXPECT_EQ(InterpretButtonStyle(0x7).m_kind, kButtonKindCheckBox);
  EXPECT_EQ(InterpretButtonStyle(0xB).m_kind, kButtonKindCheckBox);
  // Bits 0 and 3 without bit 1: radio. Bit 0 alone: the default push button.
  EXPECT_EQ(InterpretButtonStyle(0xD).m_kind, kButtonKindRadio);
  const CButtonStyle def = InterpretButtonStyle(kButtonStyleDefPush);
  EXPECT_EQ(def.m_kind, kButtonKindPush);
  EXPECT_TRUE(def.m_defaultButton);

  const CButtonStyle flat = InterpretButtonStyle(kButtonStyleFlat | kButtonStyleCenter);
  EXPECT_TRUE(flat.m_flat);
  EXPECT_EQ(flat.m_textFormat, 0x25u);
  EXPECT_EQ(flat.m_drawEdges, 1);
}

TEST(FaceIcon, PlacementByAlignment) {
  // A 16 x 16 icon at the right of a 130 x 30 button.
  CIconPlacement right = PlaceFaceIcon(16, 16, kIconRight, 130, 30, 4);
  EXPECT_EQ(right.m_rect, (CRect{110, 7, 126, 23}));
  EXPECT_EQ(right.m_align, kIconRight);
  // A 28 x 28 icon at the left of a 34 x 30 button.
  CIconPlacement left = PlaceFaceIcon(28, 28, kIconLeft, 34, 30, 4);
  EXPECT_EQ(left.m_rect, (CRect{4, 1, 32, 29}));
  EXPECT_EQ(left.m_align, kIconLeft);
  // Above the caption: the lower edge on the middle, clamped to the top for a tall icon.
  CIconPlacement above = PlaceFaceIcon(16, 16, kIconAbove, 100, 40, 4);
  EXPECT_EQ(above.m_rect, (CRect{42, 4, 58, 20}));
  CIconPlacement tall = PlaceFaceIcon(20, 20, 0, 40, 30, 4);
  EXPECT_EQ(tall.m_rect, (CRect{10, 0, 30, 20}));
  EXPECT_EQ(tall.m_align, kIconAbove);
  // A taller-than-the-button icon on the left is clamped at the top too.
  EXPECT_EQ(PlaceFaceIcon(28, 28, kIconLeft, 34, 20, 4).m_rect, (CRect{4, 0, 32, 28}));
  // An odd size counts as twice its centre; the right edge is not clamped.
  EXPECT_EQ(PlaceFaceIcon(15, 15, kIconLeft, 50, 30, 2).m_rect, (CRect{2, 8, 16, 22}));
  EXPECT_EQ(PlaceFaceIcon(16, 16, kIconRight, 10, 30, 4).m_rect, (CRect{-10, 7, 6, 23}));
}

TEST(FaceIcon, CaptionRectMakesRoomForTheIcon) {
  const CRect item{0, 0, 130, 30};
  EXPECT_EQ(CaptionRect(item, 4, false, kIconRight, CRect{}), (CRect{6, 0, 124, 30}));
  EXPECT_EQ(CaptionRect(item, 0, false, kIconAbove, CRect{}), (CRect{2, 0, 128, 30}));
  const CRect icon{110, 7, 126, 23};
  EXPECT_EQ(CaptionRect(item, 4, true, kIconRight, icon), (CRect{6, 0, 108, 30}));
  EXPECT_EQ(CaptionRect(item, 4, true, kIconLeft, icon), (CRect{22, 0, 124, 30}));
  EXPECT_EQ(CaptionRect(item, 4, true, kIconAbove, icon), (CRect{6, 23, 124, 25}));
  // The icon rectangle is ignored without an icon.
  EXPECT_EQ(CaptionRect(item, 4, false, kIconLeft, icon), (CRect{6, 0, 124, 30}));
}

}  // namespace
}  // namespace kv
