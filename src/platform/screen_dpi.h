#pragma once

#include <QPixmap>
#include <QString>
#include <functional>

namespace kv {

// The dpi at which fonts are drawn at their nominal size; above it the screen is in
// large-font mode.
inline constexpr int kNormalDpi = 96;

// The screen's logical pixels per inch on each axis, as whole numbers.
struct LogicalDpi {
  int x = kNormalDpi;
  int y = kNormalDpi;
};

struct ScreenDpi {
  int dpi = kNormalDpi;     // (x + y) / 2, truncated
  bool largeFonts = false;  // dpi > kNormalDpi
};

// Where the logical dpi comes from. The default asks the primary screen; tests put in a
// fixed value. An empty source restores the default.
using DpiSource = std::function<LogicalDpi()>;
void SetDpiSource(DpiSource source);

// The logical dpi of the primary screen (kNormalDpi on both axes when there is no screen).
LogicalDpi QueryLogicalDpi();

// Reduces a logical dpi pair to the one dpi and the large-font flag.
ScreenDpi ScreenDpiOf(LogicalDpi logical);

// Asks the screen afresh on every call; nothing is cached, so a dpi change shows at once.
ScreenDpi QueryScreenDpi();

// The size, in tenths of a point, at which a font of `tenths` is created: in large-font
// mode ((10 * tenths) / dpi) * 96 / 10 with each division truncating, otherwise `tenths`.
int ScaleForLargeFonts(int tenths, const ScreenDpi& screen);
// The same for the screen as it is now.
int ScaleForLargeFonts(int tenths);

// The picture at `path` (a ".png" file) for a screen of `ratio` device pixels per pixel, at the
// plain picture's size in the screen's own units: on a denser screen the one drawn at twice
// the pixels ("name@2x.png"), brought to the screen's density, so that nothing is drawn
// enlarged from fewer pixels than the screen has up to twice the density.
QPixmap PixmapForDensity(const QString& path, qreal ratio);

}  // namespace kv
