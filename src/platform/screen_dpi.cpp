#include "platform/screen_dpi.h"

#include <QGuiApplication>
#include <QScreen>
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

}  // namespace kv
