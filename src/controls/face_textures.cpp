#include "controls/face_textures.h"

#include <algorithm>
#include <climits>

namespace kv {

namespace {

// The pattern arithmetic is that of 32-bit integers with truncating division; it is carried
// out 64 bits wide so that no button size can overflow an intermediate product. Results are
// the same wherever the narrow arithmetic would not overflow.
using Wide = std::int64_t;

constexpr int kPaletteMid = 128;
constexpr int kFocusDark = 0;
constexpr int kFocusLight = 255;
constexpr int kStreakCount = 200;
constexpr int kStreakValueDivisor = 819;  // 32767 / 819 = 40, the darkest streak index
constexpr int kStreakRange = 40;
constexpr int kRoundedEndMaxWidth = 16;
constexpr int kRoundedEndMinWidth = 6;   // below this the lens width W / 6 is 0
constexpr int kRoundedEndMinHeight = 2;  // below this the lens curvature H * H / 4 is 0

Wide Cube(Wide t) { return ((t * t * t) / 128) / 128; }

int ClampToInt(Wide value) { return static_cast<int>(std::clamp<Wide>(value, INT_MIN, INT_MAX)); }

std::uint8_t Channel(Colour colour, int shift) {
  return static_cast<std::uint8_t>((colour >> shift) & 0xFF);
}

std::uint8_t Mix(int from, int to, int weightTo) {
  return static_cast<std::uint8_t>((from * (128 - weightTo) + to * weightTo) / 128);
}

// Shadow -> face over entries 0..128, then face -> highlight over 128..255; entry 128 is
// written twice and keeps the second value.
void FillRampPalette(CPaletteBitmap& bitmap, const CFaceColours& colours) {
  if (!bitmap.IsValid()) return;
  auto set = [&](int index, Colour from, Colour to, int weightTo) {
    bitmap.SetPaletteEntry(index, Mix(Channel(from, 0), Channel(to, 0), weightTo),
                           Mix(Channel(from, 8), Channel(to, 8), weightTo),
                           Mix(Channel(from, 16), Channel(to, 16), weightTo));
  };
  for (int i = 0; i <= 128; ++i) set(i, colours.m_shadow, colours.m_face, i);
  for (int j = 1; j <= 128; ++j) set(127 + j, colours.m_face, colours.m_highlight, j);
}

void DrawFocusDots(CFaceSet& faces) {
  CPaletteBitmap& lineH = faces.m_focusLineH;
  for (int x = 0; x < lineH.Width() && lineH.IsValid(); ++x) {
    lineH.SetPixel(x, 0, (x % 2 == 0) ? kFocusDark : kFocusLight);
  }
  CPaletteBitmap& lineV = faces.m_focusLineV;
  for (int row = 0; row < lineV.Height() && lineV.IsValid(); ++row) {
    // Rows count from the bottom of the stored image, SetPixel from the top.
    lineV.SetPixel(0, lineV.Height() - 1 - row, (row % 2 == 0) ? kFocusDark : kFocusLight);
  }
}

// Writes the pattern pixels of one 8-bit face, addressing stored rows (row 0 = bottom).
class CPatternPainter {
 public:
  CPatternPainter(CPaletteBitmap& face, int noise, const RandomSource& random)
      : m_face(face),
        m_width(face.Width()),
        m_height(face.Height()),
        m_noise(noise),
        m_divisor(kRandomMax / std::max(1, 2 * noise)),
        m_random(random) {}

  void Paint(int style) {
    if (!m_face.IsValid() || m_face.BitCount() != 8) return;
    if (style == kFaceRoundedEnds &&
        (m_width < kRoundedEndMinWidth || m_height < kRoundedEndMinHeight)) {
      style = kFaceVertical;
    }
    // Streak positions are drawn as rnd() / (32767 / size); a side beyond 32767 pixels would
    // make that divisor 0.
    if (style == kFaceStreaks && (m_width > kRandomMax || m_height > kRandomMax)) {
      style = kFaceVertical;
    }
    const Wide n = m_noise;
    const Wide w = m_width;
    const Wide h = m_height;
    switch (style) {
      case kFaceDiagonal: {
        const Wide span = (255 - 2 * n) / 2;
        Shade([&](Wide x, Wide r) { return (span * (w - x)) / w + (r * span) / h + n; });
        break;
      }
      case kFaceVertical:
        Shade([&](Wide, Wide r) { return (r * (255 - 2 * n)) / h + n; });
        break;
      case kFaceHorizontal:
        Shade([&](Wide x, Wide) { return ((255 - 2 * n) * (w - x)) / w + n; });
        break;
      case kFaceVerticalCurve:
        Shade([&](Wide, Wide r) { return (Cube(RowT(r)) * (128 - n)) / 128 + kPaletteMid; });
        break;
      case kFaceHorizontalCurve:
        Shade([&](Wide x, Wide) { return (Cube(ColumnT(x)) * (128 - n)) / 128 + kPaletteMid; });
        break;
      case kFaceCushion:
        Shade([&](Wide x, Wide r) {
          Wide value = ((Cube(RowT(r)) + Cube(ColumnT(x))) * (128 - n)) / 128 + kPaletteMid;
          value = std::max(value, n);
          return std::min(value, 255 - n);
        });
        break;
      case kFaceRoundedEnds:
        PaintRoundedEnds();
        break;
      case kFaceStreaks:
        PaintStreaks();
        break;
      default:
        for (int r = 0; r < m_height; ++r) {
          for (int x = 0; x < m_width; ++x) Set(x, r, Random() / m_divisor - n + kPaletteMid);
        }
        break;
    }
  }

 private:
  Wide RowT(Wide r) const { return (r * 255) / m_height - 127; }
  Wide ColumnT(Wide x) const { return (255 * (m_width - x)) / m_width - 127; }

  Wide Random() { return std::clamp(m_random(), 0, kRandomMax); }
  Wide Speckle() { return Random() / m_divisor - m_noise; }

  std::uint8_t& At(int x, int r) {
    return m_face
        .Pixels()[static_cast<std::size_t>(r) * m_face.Stride() + static_cast<std::size_t>(x)];
  }
  void Set(int x, int r, Wide value) { At(x, r) = static_cast<std::uint8_t>(value & 0xFF); }
  void Add(int x, int r, Wide value) { Set(x, r, At(x, r) + value); }

  // Every pixel gets its value and then a fresh speckle.
  template <typename ValueOf>
  void Shade(ValueOf valueOf) {
    for (int r = 0; r < m_height; ++r) {
      for (int x = 0; x < m_width; ++x) {
        Set(x, r, valueOf(x, r));
        Add(x, r, Speckle());
      }
    }
  }

  // A vertical curve whose ends are overdrawn with lens shapes: light at the left, dark at
  // the right, D pixels wide at the middle row and nothing at the top and bottom rows.
  void PaintRoundedEnds() {
    const Wide n = m_noise;
    const Wide w = m_width;
    Shade([&](Wide, Wide r) { return (Cube(RowT(r)) * (64 - n) * 2) / 128 + kPaletteMid; });
    const Wide d = std::min<Wide>(w / 6, kRoundedEndMaxWidth);
    const Wide q = (Wide{m_height} * m_height) / 4;
    const Wide half = m_height / 2;
    const Wide halfW = w / 2;
    for (int r = 0; r < m_height; ++r) {
      const Wide lim = ((d * (r - half)) * (r - half)) / q - d + halfW;
      for (int x = 0; x < m_width; ++x) {
        const Wide dx = x - halfW;
        if (dx > lim) Set(x, r, (128 * (w - x)) / d + n);
        if (lim + dx < 0) Set(x, r, (255 - n) - (128 * Wide{x}) / d);
      }
      for (int x = 0; x < m_width; ++x) Add(x, r, Speckle());
    }
  }

  // Short dark diagonal strokes at random places over a diagonal gradient.
  void PaintStreaks() {
    const Wide n = m_noise;
    const int w = m_width;
    const int h = m_height;
    m_face.Fill(0);
    for (int k = 0; k < kStreakCount; ++k) {
      const Wide x0 = Random() / (kRandomMax / w);
      const Wide y0 = Random() / (kRandomMax / h);
      const Wide len = Random() / (kRandomMax / std::min(w, h));
      const auto v = static_cast<std::uint8_t>(Random() / kStreakValueDivisor);
      for (Wide i = 0; i < len / 2; ++i) {
        if (x0 - i > 0 && y0 + i < h) m_face.SetPixel(ClampToInt(x0 - i), ClampToInt(y0 + i), v);
        if (x0 + i < w && y0 - i > 0) {
          m_face.SetPixel(ClampToInt(w - x0 + i), ClampToInt(y0 - i), v);
        }
      }
    }
    const Wide e = (255 - 2 * n - kStreakRange) / 2;
    for (int r = 0; r < h; ++r) {
      for (int x = 0; x < w; ++x) {
        Add(x, r, (e * (w - x)) / w + (r * e) / h);
        Add(x, r, Random() / m_divisor);
      }
    }
  }

  CPaletteBitmap& m_face;
  int m_width;
  int m_height;
  int m_noise;
  Wide m_divisor;
  const RandomSource& m_random;
};

}  // namespace

void BuildFaceTextures(CFaceSet& faces, int width, int height, int border,
                       const CFaceColours& colours, const CFaceRecipe& recipe,
                       const RandomSource& random) {
  const Wide b = border;
  faces.m_focusLineH.Create(ClampToInt(std::max<Wide>(1, Wide{width} - 2 * b - 1)), 1, 8);
  faces.m_focusLineV.Create(1, ClampToInt(std::max<Wide>(1, Wide{height} - 2 * b)), 8);
  faces.m_faceNormal.Create(width, height, 8);

  FillRampPalette(faces.m_focusLineH, colours);
  FillRampPalette(faces.m_focusLineV, colours);
  FillRampPalette(faces.m_faceNormal, colours);
  // The focus lines keep the untinted ramp so the dots stay shadow and highlight.
  faces.m_faceNormal.BlendPalette(recipe.m_tintColour, recipe.m_tintPercent & 0xFF);

  DrawFocusDots(faces);
  CPatternPainter(faces.m_faceNormal, recipe.m_noise & 0xFF, random).Paint(recipe.m_style);

  // All variants share the pixels; only their palettes differ.
  faces.m_faceDisabled.CopyFrom(faces.m_faceNormal);
  faces.m_faceHover.CopyFrom(faces.m_faceNormal);
  faces.m_faceHover.BlendPalette(colours.m_highlight, recipe.m_hoverPercent & 0xFF);
  faces.m_facePressed.CopyFrom(faces.m_faceHover);
}

}  // namespace kv
