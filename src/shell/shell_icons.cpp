#include "shell/shell_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kv {
namespace {

constexpr int kIconSize = 32;

QPixmap BlankIcon() {
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
  QPixmap pixmap = BlankIcon();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  // Two pages of an open book, with a spine down the middle.
  QPainterPath left;
  left.moveTo(16, 8);
  left.cubicTo(11, 5, 6, 5, 2, 7);
  left.lineTo(2, 27);
  left.cubicTo(6, 25, 11, 25, 16, 28);
  left.closeSubpath();
  QPainterPath right;
  right.moveTo(16, 8);
  right.cubicTo(21, 5, 26, 5, 30, 7);
  right.lineTo(30, 27);
  right.cubicTo(26, 25, 21, 25, 16, 28);
  right.closeSubpath();
  painter.setPen(QPen(QColor(30, 40, 170), 1.5));
  painter.setBrush(QColor(250, 244, 220));
  painter.drawPath(left);
  painter.drawPath(right);
  // A few lines of text on the right page, the first letters on the left one.
  painter.setPen(QPen(QColor(50, 140, 60), 1.5));
  for (int y = 12; y <= 22; y += 4) painter.drawLine(19, y, 27, y);
  painter.setPen(QPen(QColor(150, 20, 40), 2.0));
  painter.drawLine(5, 11, 13, 11);     // the head stroke
  painter.drawLine(10, 11, 10, 22);    // the stem
  painter.drawArc(4, 13, 6, 6, 90 * 16, 270 * 16);
  return QIcon(pixmap);
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
