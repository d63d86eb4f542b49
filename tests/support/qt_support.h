#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include "platform/screen_dpi.h"

namespace kv::test {

// A folder that holds no dictionary: the widget tests' XDG data folders.
inline constexpr char kNoDictionaries[] = KV_BUILD_DIR "/tests/no-dictionaries";

// Puts a fixed logical dpi in place of the screen's for the lifetime of the object.
class CFixedDpi {
 public:
  CFixedDpi(int x, int y) {
    SetDpiSource([x, y] { return LogicalDpi{x, y}; });
  }
  ~CFixedDpi() { SetDpiSource(nullptr); }
  CFixedDpi(const CFixedDpi&) = delete;
  CFixedDpi& operator=(const CFixedDpi&) = delete;
};

// The smallest rectangle holding every pixel of `image` that differs from `background`
// (empty when there is none).
QRect InkBounds(const QImage& image, QColor background);

// Saves `image` as screenshots/<name>.png in the build tree, for a person to look at.
bool SaveScreenshot(const QImage& image, const char* name);

}  // namespace kv::test
