#include "platform/screen_dpi.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QScreen>
#include <QSizeF>
#include <utility>

namespace kv {
namespace {

LogicalDpi AskPrimaryScreen() {
  if (QGuiApplication::instance() == nullptr) return {};
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  // The platform reports whole pixels per inch; a fractional value is cut as an integer
  // device capability would be.
  return {static_cast<int>(screen->logicalDotsPerInchX()),
          static_cast<int>(screen->logicalDotsPerInchY())};
}

DpiSource& Source() {
  static DpiSource source;
  return source;
}

}  // namespace

void SetDpiSource(DpiSource source) { Source() = std::move(source); }

LogicalDpi QueryLogicalDpi() {
  const DpiSource& source = Source();
  return source ? source() : AskPrimaryScreen();
}

ScreenDpi ScreenDpiOf(LogicalDpi logical) {
  ScreenDpi result;
  result.dpi = (logical.x + logical.y) / 2;
  result.largeFonts = result.dpi > kNormalDpi;
  return result;
}

ScreenDpi QueryScreenDpi() { return ScreenDpiOf(QueryLogicalDpi()); }

int ScaleForLargeFonts(int tenths, const ScreenDpi& screen) {
  if (!screen.largeFonts || screen.dpi <= 0) return tenths;
  return ((10 * tenths) / screen.dpi) * kNormalDpi / 10;
}

int ScaleForLargeFonts(int tenths) { return ScaleForLargeFonts(tenths, QueryScreenDpi()); }

QPixmap PixmapForDensity(const QString& path, qreal ratio) {
  const QSize size = QImageReader(path).size();
  if (!size.isValid()) return QPixmap();
  QPixmap picture;
  if (ratio > 1) picture.load(path.chopped(4) + QStringLiteral("@2x.png"));
  if (picture.isNull()) picture.load(path);
  const QSize pixels = (QSizeF(size) * ratio).toSize();
  if (picture.size() != pixels) {
    picture = picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  picture.setDevicePixelRatio(ratio);
  return picture;
}

}  // namespace kv
