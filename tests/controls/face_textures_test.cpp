#include "controls/face_textures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace kv {
namespace {

const CFaceColours kColours{Rgb(255, 255, 255), Rgb(100, 0, 200), Rgb(20, 40, 60)};
const Colour kTint = Rgb(22, 233, 130);

RandomSource Constant(int value, int* calls = nullptr) {
  return [value, calls] {
    if (calls != nullptr) ++*calls;
    return value;
  };
}

CFaceSet Build(int width, int height, const CFaceRecipe& recipe, const RandomSource& random,
               int border = 4) {
  CFaceSet faces;
  BuildFaceTextures(faces, width, height, border, kColours, recipe, random);
  return faces;
}

std::vector<std::uint8_t> PixelBytes(const CPaletteBitmap& bitmap) {
  if (!bitmap.IsValid()) return {};
  return {bitmap.Pixels(), bitmap.Pixels() + bitmap.Header().m_sizeImage};
}

bool SameBlock(const CPaletteBitmap& a, const CPaletteBitmap& b) {
  return a.IsValid() && b.IsValid() && a.TotalBytes() == b.TotalBytes() &&
         std::memcmp(a.Block(), b.Block(), a.TotalBytes()) == 0;
}

// Pixel at column x of stored row r (row 0 is the bottom row).
int StoredPixel(const CPaletteBitmap& bitmap, int x, int r) {
  return bitmap.PixelAt(x, bitmap.Height() - 1 - r);
}

TEST(FaceTextures, PaletteRunsFromShadowThroughFaceToHighlight) {
  const CFaceSet faces = Build(20, 10, CFaceRecipe{kFaceDiagonal, 0, 0, 0, kTint}, Constant(0));
  for (const CPaletteBitmap* bitmap :
       {&faces.m_focusLineH, &faces.m_focusLineV, &faces.m_faceNormal, &faces.m_faceDisabled}) {
    ASSERT_TRUE(bitmap->IsValid());
    EXPECT_EQ(bitmap->PaletteEntry(0), Rgb(20, 40, 60));
    // (20*127 + 100)/128 = 20, (40*127)/128 = 39, (60*127 + 200)/128 = 61
    EXPECT_EQ(bitmap->PaletteEntry(1), Rgb(20, 39, 61));
    EXPECT_EQ(bitmap->PaletteEntry(64), Rgb(60, 20, 130));
    // Written twice: the second ramp's first step, (127*face + highlight)/128, not the face.
    EXPECT_EQ(bitmap->PaletteEntry(128), Rgb(101, 1, 200));
    // j = 73: (100*55 + 255*73)/128 = 188, 18615/128 = 145, (200*55 + 255*73)/128 = 231
    EXPECT_EQ(bitmap->PaletteEntry(200), Rgb(188, 145, 231));
    EXPECT_EQ(bitmap->PaletteEntry(255), Rgb(255, 255, 255));
  }
}

TEST(FaceTextures, TintAppliesToTheFacesAndHoverGoesFurtherTowardHighlight) {
  const CFaceSet faces = Build(20, 10, CFaceRecipe{kFaceDiagonal, 0, 10, 10, kTint}, Constant(0));
  // Entry 0 (20, 40, 60) tinted 10 %: (1800+220)/100, (3600+2330)/100, (5400+1300)/100.
  EXPECT_EQ(faces.m_faceNormal.PaletteEntry(0), Rgb(20, 59, 67));
  EXPECT_EQ(faces.m_faceNormal.PaletteEntry(255), Rgb(231, 252, 242));
  // The focus lines keep the plain ramp.
  EXPECT_EQ(faces.m_focusLineH.PaletteEntry(0), Rgb(20, 40, 60));
  EXPECT_EQ(faces.m_focusLineV.PaletteEntry(255), Rgb(255, 255, 255));
  // Hover: the tinted entry a further 10 % toward the highlight.
  EXPECT_EQ(faces.m_faceHover.PaletteEntry(0), Rgb(43, 78, 85));
  EXPECT_TRUE(SameBlock(faces.m_faceDisabled, faces.m_faceNormal));
  EXPECT_TRUE(SameBlock(faces.m_facePressed, faces.m_faceHover));
  EXPECT_EQ(PixelBytes(faces.m_faceHover), PixelBytes(faces.m_faceNormal));

  // Only the low byte of a percentage counts, and above 100 it acts as 100.
  const CFaceSet full = Build(4, 4, CFaceRecipe{kFaceDiagonal, 0, 150, 150, kTint}, Constant(0));
  EXPECT_EQ(full.m_faceNormal.PaletteEntry(0), kTint);
  EXPECT_EQ(full.m_faceNormal.PaletteEntry(200), kTint);
  EXPECT_EQ(full.m_faceHover.PaletteEntry(9), Rgb(255, 255, 255));
  const CFaceSet wrapped = Build(4, 4, CFaceRecipe{kFaceDiagonal, 0, 0, 266, kTint}, Constant(0));
  EXPECT_EQ(wrapped.m_faceNormal.PaletteEntry(0), Rgb(20, 59, 67));
  const CFaceSet none = Build(4, 4, CFaceRecipe{kFaceDiagonal, 0, 0, 0, kTint}, Constant(0));
  EXPECT_EQ(none.m_faceNormal.PaletteEntry(0), Rgb(20, 40, 60));
  EXPECT_TRUE(SameBlock(none.m_faceHover, none.m_faceNormal));
}

TEST(FaceTextures, DiagonalGradientWithoutNoiseIsExactUpToTheRareSpeckle) {
  int calls = 0;
  const CFaceSet faces = Build(10, 4, CFaceRecipe{kFaceDiagonal, 0, 0, 0, 0}, Constant(0, &calls));
  const CPaletteBitmap& face = faces.m_faceNormal;
  // span 127: (127*(10-x))/10 + (r*127)/4
  EXPECT_EQ(StoredPixel(face, 0, 0), 127);
  EXPECT_EQ(StoredPixel(face, 9, 0), 12);
  EXPECT_EQ(StoredPixel(face, 0, 3), 222);
  EXPECT_EQ(StoredPixel(face, 5, 2), 126);
  EXPECT_EQ(face.PixelAt(0, 0), 222);  // light at the top left
  EXPECT_EQ(calls, 40);                // one random number per pixel

  // The largest random number gives the one-step speckle on every pixel.
  const CFaceSet bumped = Build(10, 4, CFaceRecipe{kFaceDiagonal, 0, 0, 0, 0}, Constant(32767));
  EXPECT_EQ(StoredPixel(bumped.m_faceNormal, 0, 0), 128);
  EXPECT_EQ(StoredPixel(bumped.m_faceNormal, 9, 0), 13);
  EXPECT_EQ(StoredPixel(bumped.m_faceNormal, 0, 3), 223);
}

TEST(FaceTextures, SpeckleWrapsAroundThePalette) {
  // Vertical gradient, noise 200: row 0 is 200, row 1 is (-145)/2 + 200 = 128.
  // Random 0 gives the speckle -200; 32767 gives 32767/81 - 200 = 204.
  const CFaceSet low = Build(3, 2, CFaceRecipe{kFaceVertical, 200, 0, 0, 0}, Constant(0));
  EXPECT_EQ(StoredPixel(low.m_faceNormal, 1, 0), 0);
  EXPECT_EQ(StoredPixel(low.m_faceNormal, 1, 1), 184);  // 128 - 200 wraps
  const CFaceSet high = Build(3, 2, CFaceRecipe{kFaceVertical, 200, 0, 0, 0}, Constant(32767));
  EXPECT_EQ(StoredPixel(high.m_faceNormal, 2, 0), 148);  // 404 wraps
  EXPECT_EQ(StoredPixel(high.m_faceNormal, 2, 1), 76);   // 332 wraps
  // Only the low byte of the noise counts: 456 is 200.
  const CFaceSet same = Build(3, 2, CFaceRecipe{kFaceVertical, 456, 0, 0, 0}, Constant(0));
  EXPECT_EQ(PixelBytes(same.m_faceNormal), PixelBytes(low.m_faceNormal));

  // Plain noise, n = 255: random/64 - 255 + 128 spans -127 .. 384.
  const CFaceSet noiseLow = Build(2, 2, CFaceRecipe{0, 255, 0, 0, 0}, Constant(0));
  EXPECT_EQ(StoredPixel(noiseLow.m_faceNormal, 0, 0), 129);
  const CFaceSet noiseHigh = Build(2, 2, CFaceRecipe{99, 255, 0, 0, 0}, Constant(32767));
  EXPECT_EQ(StoredPixel(noiseHigh.m_faceNormal, 1, 1), 128);
}

TEST(FaceTextures, CurvesAndCushion) {
  // Vertical curve, 1 x 2: t = -127 gives cube -125, so 3; t = 0 gives 128.
  const CFaceSet vertical = Build(1, 2, CFaceRecipe{kFaceVerticalCurve, 0, 0, 0, 0}, Constant(0));
  EXPECT_EQ(StoredPixel(vertical.m_faceNormal, 0, 0), 3);
  EXPECT_EQ(StoredPixel(vertical.m_faceNormal, 0, 1), 128);
  // Horizontal curve, 2 x 1: t = 128 gives 256, stored as 0; t = 0 gives 128.
  const CFaceSet horizontal =
      Build(2, 1, CFaceRecipe{kFaceHorizontalCurve, 0, 0, 0, 0}, Constant(0));
  EXPECT_EQ(StoredPixel(horizontal.m_faceNormal, 0, 0), 0);
  EXPECT_EQ(StoredPixel(horizontal.m_faceNormal, 1, 0), 128);
  // Cushion, 1 x 2: 3 + 128 and 256 clamped to 255.
  const CFaceSet cushion = Build(1, 2, CFaceRecipe{kFaceCushion, 0, 0, 0, 0}, Constant(0));
  EXPECT_EQ(StoredPixel(cushion.m_faceNormal, 0, 0), 131);
  EXPECT_EQ(StoredPixel(cushion.m_faceNormal, 0, 1), 255);
  // Horizontal gradient, noise 0: (255*(4-x))/4.
  const CFaceSet ramp = Build(4, 1, CFaceRecipe{kFaceHorizontal, 0, 0, 0, 0}, Constant(0));
  EXPECT_EQ(PixelBytes(ramp.m_faceNormal), (std::vector<std::uint8_t>{255, 191, 127, 63}));
}

TEST(FaceTextures, RoundedEndsDrawLensesAtBothEnds) {
  int calls = 0;
  const CFaceSet faces =
      Build(60, 20, CFaceRecipe{kFaceRoundedEnds, 0, 0, 0, 0}, Constant(0, &calls));
  const CPaletteBitmap& face = faces.m_faceNormal;
  // Middle row 10: D = 10, lim = 20. Dark right lens for x > 50, light left lens for x < 10.
  EXPECT_EQ(StoredPixel(face, 59, 10), 12);
  EXPECT_EQ(StoredPixel(face, 51, 10), 115);
  EXPECT_EQ(StoredPixel(face, 0, 10), 255);
  EXPECT_EQ(StoredPixel(face, 9, 10), 140);
  EXPECT_EQ(StoredPixel(face, 10, 10), 128);  // just outside the lens: the curve
  EXPECT_EQ(StoredPixel(face, 30, 10), 128);
  // Top row 19: lim = 81*10/100 - 10 + 30 = 28, so only x = 59 is in the right lens.
  EXPECT_EQ(StoredPixel(face, 59, 19), 12);
  EXPECT_EQ(StoredPixel(face, 58, 19), 220);  // the curve: t = 115, cube 92
  EXPECT_EQ(StoredPixel(face, 1, 19), 243);
  EXPECT_EQ(StoredPixel(face, 2, 19), 220);
  EXPECT_EQ(calls, 2 * 60 * 20);
}

TEST(FaceTextures, RoundedEndsAndStreaksFallBackToTheVerticalGradientWhenTooSmall) {
  const int sizes[][2] = {{5, 10}, {6, 1}, {1, 1}};
  for (const auto& size : sizes) {
    SCOPED_TRACE(testing::Message() << size[0] << " x " << size[1]);
    const CFaceSet rounded =
        Build(size[0], size[1], CFaceRecipe{kFaceRoundedEnds, 3, 0, 0, 0}, Constant(100));
    const CFaceSet vertical =
        Build(size[0], size[1], CFaceRecipe{kFaceVertical, 3, 0, 0, 0}, Constant(100));
    ASSERT_TRUE(rounded.m_faceNormal.IsValid());
    EXPECT_EQ(PixelBytes(rounded.m_faceNormal), PixelBytes(vertical.m_faceNormal));
  }
  // Wider than the random range: the streak positions would divide by zero.
  const CFaceSet streaks = Build(40000, 1, CFaceRecipe{kFaceStreaks, 0, 0, 0, 0}, Constant(7));
  const CFaceSet vertical = Build(40000, 1, CFaceRecipe{kFaceVertical, 0, 0, 0, 0}, Constant(7));
  ASSERT_TRUE(streaks.m_faceNormal.IsValid());
  EXPECT_EQ(PixelBytes(streaks.m_faceNormal), PixelBytes(vertical.m_faceNormal));
}

TEST(FaceTextures, StreaksOverAGradient) {
  int calls = 0;
  const CFaceSet plain = Build(50, 20, CFaceRecipe{kFaceStreaks, 0, 0, 0, 0}, Constant(0, &calls));
  // No streak has length with random 0; E = 107: (107*(50-x))/50 + (r*107)/20.
  EXPECT_EQ(StoredPixel(plain.m_faceNormal, 0, 0), 107);
  EXPECT_EQ(StoredPixel(plain.m_faceNormal, 25, 19), 53 + 101);
  EXPECT_EQ(calls, 200 * 4 + 50 * 20);

  // With random 16383 every streak starts at (25, 10) counted from the top, is 10 long and
  // has index 20: it covers (25 - i, 10 + i) and, mirrored, (25 + i, 10 - i) for i < 5.
  const CFaceSet drawn = Build(50, 20, CFaceRecipe{kFaceStreaks, 0, 0, 0, 0}, Constant(16383));
  const CPaletteBitmap& face = drawn.m_faceNormal;
  auto gradient = [](int x, int y) {
    const int r = 19 - y;
    return (107 * (50 - x)) / 50 + (r * 107) / 20;
  };
  EXPECT_EQ(face.PixelAt(22, 13), 20 + gradient(22, 13));
  EXPECT_EQ(face.PixelAt(28, 7), 20 + gradient(28, 7));
  EXPECT_EQ(face.PixelAt(21, 14), 20 + gradient(21, 14));
  EXPECT_EQ(face.PixelAt(20, 15), gradient(20, 15));  // one past the streak's end
  EXPECT_EQ(face.PixelAt(10, 15), gradient(10, 15));
  const CFaceSet tiny = Build(1, 1, CFaceRecipe{kFaceStreaks, 0, 0, 0, 0}, Constant(32767));
  EXPECT_TRUE(tiny.m_faceNormal.IsValid());
}

TEST(FaceTextures, FocusLinesAlternateShadowAndHighlight) {
  const CFaceSet faces = Build(130, 30, CFaceRecipe{}, Constant(0));
  ASSERT_EQ(faces.m_focusLineH.Width(), 121);
  ASSERT_EQ(faces.m_focusLineH.Height(), 1);
  ASSERT_EQ(faces.m_focusLineV.Width(), 1);
  ASSERT_EQ(faces.m_focusLineV.Height(), 22);
  EXPECT_EQ(faces.m_focusLineH.PixelAt(0, 0), 0);
  EXPECT_EQ(faces.m_focusLineH.PixelAt(1, 0), 255);
  EXPECT_EQ(faces.m_focusLineH.PixelAt(120, 0), 0);
  EXPECT_EQ(StoredPixel(faces.m_focusLineV, 0, 0), 0);
  EXPECT_EQ(StoredPixel(faces.m_focusLineV, 0, 1), 255);
  EXPECT_EQ(faces.m_focusLineV.PixelAt(0, 0), 255);  // stored row 21, odd

  // Narrower than 2b + 2 (and lower than 2b + 1): the lines keep one pixel.
  for (const int narrow : {9, 5, 1}) {
    const CFaceSet small = Build(narrow, 8, CFaceRecipe{}, Constant(0));
    EXPECT_EQ(small.m_focusLineH.Width(), 1) << narrow;
    EXPECT_EQ(small.m_focusLineV.Height(), 1) << narrow;
    EXPECT_EQ(small.m_focusLineH.PixelAt(0, 0), 0);
  }
  EXPECT_EQ(Build(10, 8, CFaceRecipe{}, Constant(0)).m_focusLineH.Width(), 1);
  EXPECT_EQ(Build(11, 8, CFaceRecipe{}, Constant(0)).m_focusLineH.Width(), 2);
  EXPECT_EQ(Build(11, 8, CFaceRecipe{}, Constant(0), 0).m_focusLineH.Width(), 10);
}

TEST(FaceTextures, UnbuildableSizesLeaveTheFacesEmpty) {
  CFaceSet faces = Build(40, 20, CFaceRecipe{}, Constant(0));
  ASSERT_TRUE(faces.m_facePressed.IsValid());
  const int sizes[][2] = {{0, 30}, {30, 0}, {-5, 10}, {100000, 100000}};
  for (const auto& size : sizes) {
    SCOPED_TRACE(testing::Message() << size[0] << " x " << size[1]);
    for (const int style : {1, 2, 3, 4, 5, 6, 7, 8, 0}) {
      BuildFaceTextures(faces, size[0], size[1], 4, kColours, CFaceRecipe{style, 5, 10, 10, kTint},
                        Constant(12345));
      EXPECT_FALSE(faces.m_faceNormal.IsValid());
      EXPECT_FALSE(faces.m_faceHover.IsValid());
      EXPECT_FALSE(faces.m_facePressed.IsValid());
      EXPECT_FALSE(faces.m_faceDisabled.IsValid());
      EXPECT_TRUE(faces.m_focusLineH.IsValid());
    }
  }
}

TEST(FaceTextures, GeneratorGivesFifteenBitNumbers) {
  CRandom15 random;
  EXPECT_EQ(random.Next(), 41);
  EXPECT_EQ(random.Next(), 18467);
  EXPECT_EQ(random.Next(), 6334);
  int highest = 0;
  for (int i = 0; i < 100000; ++i) highest = std::max(highest, random.Next());
  EXPECT_LE(highest, 32767);
  EXPECT_GT(highest, 32700);
}

}  // namespace
}  // namespace kv
