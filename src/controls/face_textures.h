#pragma once

#include <cstdint>
#include <functional>

#include "base/colour.h"
#include "controls/palette_bitmap.h"

namespace kv {

// Shading patterns of a button face. Any other number gives plain noise around the face
// colour.
enum FaceStyle : int {
  kFaceDiagonal = 1,
  kFaceVertical = 2,
  kFaceHorizontal = 3,
  kFaceVerticalCurve = 4,
  kFaceHorizontalCurve = 5,
  kFaceCushion = 6,
  kFaceRoundedEnds = 7,
  kFaceStreaks = 8,
};

// The three system colours the face palette runs through: index 0 is the shadow, about 128
// the face colour, 255 the highlight.
struct CFaceColours {
  Colour m_highlight = 0;
  Colour m_face = 0;
  Colour m_shadow = 0;
};

// What the owner asks for. Only the low byte of noise and of the two percentages counts,
// and the percentages act as 100 above 100.
struct CFaceRecipe {
  int m_style = kFaceDiagonal;
  int m_noise = 0;
  int m_hoverPercent = 0;
  int m_tintPercent = 0;
  Colour m_tintColour = 0;
};

// The six records a hover button draws from.
struct CFaceSet {
  CPaletteBitmap m_faceNormal;
  CPaletteBitmap m_facePressed;
  CPaletteBitmap m_faceDisabled;
  CPaletteBitmap m_faceHover;
  CPaletteBitmap m_focusLineH;
  CPaletteBitmap m_focusLineV;
};

// Random numbers 0..32767, one per call.
using RandomSource = std::function<int()>;

constexpr int kRandomMax = 32767;

// The classic linear congruential generator with 15-bit results. It is never seeded from
// the clock, so a program draws the same faces on every run.
class CRandom15 {
 public:
  explicit CRandom15(std::uint32_t seed = 1) : m_state(seed) {}
  int Next() {
    m_state = m_state * 214013u + 2531011u;
    return static_cast<int>((m_state >> 16) & 0x7FFFu);
  }

 private:
  std::uint32_t m_state;
};

// Builds the six records for a width x height button with the given border: the shaded
// normal face (8 bits per pixel, 256-entry palette tinted by the recipe), its disabled,
// hover and pressed copies, and the two dotted focus lines. A size that cannot be built
// leaves the records it concerns empty; nothing is written outside any record.
void BuildFaceTextures(CFaceSet& faces, int width, int height, int border,
                       const CFaceColours& colours, const CFaceRecipe& recipe,
                       const RandomSource& random);

}  // namespace kv
