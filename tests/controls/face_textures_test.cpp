#include "controls/face_textures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>

#include "test_files.h"

namespace kv {
namespace {

const CFaceColours kColours{Rgb(255, 255, 255), Rgb(100, 0, 200), Rgb(20, 40, 60)};
const Colour kTint = Rgb(22, 233, 130);

std::string PaletteSamples(const CPaletteBitmap& bitmap) {
  std::string out;
  for (const int index : {0, 1, 64, 128, 200, 255}) {
    char entry[8];
    std::snprintf(entry, sizeof entry, "%06x", bitmap.PaletteEntry(index));
    out += (out.empty() ? "" : " ") + std::string(entry);
  }
  return out;
}

bool SameBlock(const CPaletteBitmap& a, const CPaletteBitmap& b) {
  return a.IsValid() && b.IsValid() && a.TotalBytes() == b.TotalBytes() &&
         std::memcmp(a.Block(), b.Block(), a.TotalBytes()) == 0;
}

// Every pattern, the speckle, the tint and the hover blend, byte for byte.
TEST(FaceTextures, BuildTheGoldenFaces) {
  for (const auto& [recipe, expected] : test::ReadRows("controls/faces.txt")) {
    std::istringstream in(recipe);
    CFaceRecipe wanted{0, 0, 0, 0, kTint};
    int width = 0;
    int height = 0;
    char times = 0;
    std::string random;
    in >> wanted.m_style >> wanted.m_noise >> wanted.m_hoverPercent >> wanted.m_tintPercent >>
        width >> times >> height >> random;
    CRandom15 generator;
    const int constant = random == "seq" ? 0 : std::stoi(random);
    const RandomSource source = [&] { return random == "seq" ? generator.Next() : constant; };
    CFaceSet faces;
    BuildFaceTextures(faces, width, height, 4, kColours, wanted, source);
    const CPaletteBitmap& face = faces.m_faceNormal;
    ASSERT_TRUE(face.IsValid()) << recipe;
    EXPECT_EQ(test::Hex(std::string_view(reinterpret_cast<const char*>(face.Pixels()),
                                         face.Header().m_sizeImage)) +
                  " | " + PaletteSamples(face) + " | " + PaletteSamples(faces.m_faceHover),
              expected)
        << recipe;
    // All variants share the pixels; the disabled face is the normal one, the pressed the
    // hover one.
    EXPECT_TRUE(SameBlock(faces.m_faceDisabled, face)) << recipe;
    EXPECT_TRUE(SameBlock(faces.m_facePressed, faces.m_faceHover)) << recipe;
  }
}

// The dotted lines inside the border are held pixel by pixel by the hover button's focus
// frame; here their sizes, also where the button is too small for a frame, and their palette.
TEST(FaceTextures, FocusLinesKeepAtLeastOnePixelAndTheUntintedRamp) {
  const auto build = [](int width, int height, int border) {
    CFaceSet faces;
    BuildFaceTextures(faces, width, height, border, kColours, CFaceRecipe{0, 0, 0, 50, kTint},
                      [] { return 0; });
    return faces;
  };
  EXPECT_EQ(build(130, 30, 4).m_focusLineH.Width(), 121);
  EXPECT_EQ(build(130, 30, 4).m_focusLineV.Height(), 22);
  EXPECT_EQ(build(130, 30, 4).m_focusLineH.PaletteEntry(0), Rgb(20, 40, 60));
  // Narrower than 2b + 2 (and lower than 2b + 1): the lines keep one pixel.
  for (const int narrow : {10, 5, 1}) {
    EXPECT_EQ(build(narrow, 8, 4).m_focusLineH.Width(), 1) << narrow;
    EXPECT_EQ(build(narrow, 8, 4).m_focusLineV.Height(), 1) << narrow;
  }
  EXPECT_EQ(build(11, 8, 4).m_focusLineH.Width(), 2);
  EXPECT_EQ(build(11, 8, 0).m_focusLineH.Width(), 10);
}

TEST(FaceTextures, UnbuildableSizesLeaveTheFacesEmpty) {
  // Wider than the random range the streaks would divide by zero: the vertical gradient.
  CFaceSet faces;
  BuildFaceTextures(faces, 40000, 1, 4, kColours, CFaceRecipe{kFaceStreaks}, [] { return 7; });
  CFaceSet vertical;
  BuildFaceTextures(vertical, 40000, 1, 4, kColours, CFaceRecipe{kFaceVertical}, [] { return 7; });
  EXPECT_TRUE(SameBlock(faces.m_faceNormal, vertical.m_faceNormal));
  const int sizes[][2] = {{0, 30}, {30, 0}, {-5, 10}, {100000, 100000}};
  for (const auto& size : sizes) {
    for (const int style : {1, 2, 3, 4, 5, 6, 7, 8, 0}) {
      BuildFaceTextures(faces, size[0], size[1], 4, kColours, CFaceRecipe{style, 5, 10, 10, kTint},
                        [] { return 12345; });
      EXPECT_FALSE(faces.m_faceNormal.IsValid() || faces.m_faceHover.IsValid() ||
                   faces.m_facePressed.IsValid() || faces.m_faceDisabled.IsValid())
          << size[0] << " x " << size[1] << " style " << style;
      EXPECT_TRUE(faces.m_focusLineH.IsValid());
    }
  }
}

}  // namespace
}  // namespace kv
