#include "shell/shell_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

// Q_INIT_RESOURCE declares the generated registration function where it is expanded, so it
// must be expanded outside any namespace. The shell is a static library: without the call the
// linker would drop the compiled resource.
static void RegisterShellResources() { Q_INIT_RESOURCE(shell); }

namespace kv {
namespace {

constexpr int kIconSize = 32;
// The sizes the program icon is drawn in (data/icons), as the hicolor theme has them.
constexpr int kProgramIconSizes[] = {16, 32, 48, 64, 128, 256};

QPixmap BlankIcon() {
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
  static const bool registered = [] {
    RegisterShellResources();
    return true;
  }();
  (void)registered;
  QIcon icon;
  for (int size : kProgramIconSizes) {
    icon.addFile(QStringLiteral(":/icons/program/%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

QIcon DocumentIcon() {
  QPixmap pixmap = BlankIcon();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath page;
  page.moveTo(7, 3);
  page.lineTo(20, 3);
  page.lineTo(26, 9);
  page.lineTo(26, 29);
  page.lineTo(7, 29);
  page.closeSubpath();
  painter.setPen(QPen(QColor(60, 60, 60), 1.2));
  painter.setBrush(Qt::white);
  painter.drawPath(page);
  painter.drawLine(20, 3, 20, 9);
  painter.drawLine(20, 9, 26, 9);
  painter.setPen(QPen(QColor(30, 40, 170), 1.5));
  for (int y = 13; y <= 25; y += 4) painter.drawLine(10, y, 23, y);
  return QIcon(pixmap);
}

}  // namespace kv
