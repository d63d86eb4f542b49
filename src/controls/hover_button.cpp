#include "controls/hover_button.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QToolTip>
#include <algorithm>

#include "controls/controls_resources.h"
#include "controls/palette_image.h"
#include "platform/screen_dpi.h"

namespace kv {

namespace {

Colour FromQColor(const QColor& c) { return Rgb(c.red(), c.green(), c.blue()); }

// The button colours of the system, as the widget's palette names them.
struct CButtonColours {
  QColor m_face;       // button face
  QColor m_highlight;  // lit edge
  QColor m_light;      // between face and highlight
  QColor m_shadow;     // shaded edge
  QColor m_darkShadow;
  QColor m_grayText;
};

CButtonColours ButtonColours(const QPalette& palette) {
  return CButtonColours{palette.color(QPalette::Active, QPalette::Button),
                        palette.color(QPalette::Active, QPalette::Light),
                        palette.color(QPalette::Active, QPalette::Midlight),
                        palette.color(QPalette::Active, QPalette::Dark),
                        palette.color(QPalette::Active, QPalette::Shadow),
                        palette.color(QPalette::Disabled, QPalette::ButtonText)};
}

QRect ToQRect(const CRect& r) {
  return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

// One-pixel frame: top and left lines in topLeft, bottom and right lines in bottomRight.
void Draw3dRect(QPainter& painter, const QRect& r, const QColor& topLeft,
                const QColor& bottomRight) {
  const int x = r.x();
  const int y = r.y();
  const int cx = r.width();
  const int cy = r.height();
  painter.fillRect(x, y, cx - 1, 1, topLeft);
  painter.fillRect(x, y, 1, cy - 1, topLeft);
  painter.fillRect(x + cx - 1, y, 1, cy, bottomRight);
  painter.fillRect(x, y + cy - 1, cx, 1, bottomRight);
}

void DrawRaisedEdge(QPainter& painter, const QRect& r, const CButtonColours& colours) {
  Draw3dRect(painter, r, colours.m_light, colours.m_darkShadow);
  Draw3dRect(painter, r.adjusted(1, 1, -1, -1), colours.m_highlight, colours.m_shadow);
}

void DrawSunkenEdge(QPainter& painter, const QRect& r, const CButtonColours& colours) {
  Draw3dRect(painter, r, colours.m_shadow, colours.m_highlight);
  Draw3dRect(painter, r.adjusted(1, 1, -1, -1), colours.m_darkShadow, colours.m_light);
}

int TextFlags(unsigned format) {
  int flags = Qt::TextSingleLine | Qt::TextShowMnemonic;
  if ((format & kTextSingleLine) == 0) flags = Qt::TextWordWrap | Qt::TextShowMnemonic;
  if ((format & kTextRight) != 0) {
    flags |= Qt::AlignRight;
  } else if ((format & kTextCenter) != 0) {
    flags |= Qt::AlignHCenter;
  } else {
    flags |= Qt::AlignLeft;
  }
  flags |= ((format & kTextVCenter) != 0) ? Qt::AlignVCenter : Qt::AlignTop;
  return flags;
}

// A face record built at `ratio` device pixels per pixel, to be drawn at the widget's size.
QImage FaceImage(const CPaletteBitmap& bitmap, qreal ratio) {
  const QImage indexed = PaletteBitmapImage(bitmap);
  if (indexed.isNull()) return QImage();
  QImage face = indexed.convertToFormat(QImage::Format_RGB32);
  face.setDevicePixelRatio(ratio);
  return face;
}

// Icon ":/icons/<iconId>" as drawn for `ratio` device pixels per pixel.
QPixmap LoadIcon(unsigned iconId, qreal ratio) {
  InitControlsResources();
  return PixmapForDensity(QStringLiteral(":/icons/%1.png").arg(iconId & 0xFFFFu), ratio);
}

int DevicePixels(int pixels, qreal ratio) { return qRound(pixels * ratio); }

}  // namespace

CHoverButton::CHoverButton(QWidget* parent, unsigned style) : QAbstractButton(parent) {
  InitControlsResources();
  m_textColor = palette().color(QPalette::Active, QPalette::ButtonText);

  const CButtonStyle interpreted = InterpretButtonStyle(style);
  m_pushLike = interpreted.m_pushLike;
  m_flat = interpreted.m_flat;
  m_kind = interpreted.m_kind;
  m_textFormat = interpreted.m_textFormat;
  m_drawEdges = interpreted.m_drawEdges;
  m_defaultButton = interpreted.m_defaultButton;

  // The whole face is composed off-screen and copied opaque: no background erase.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

CHoverButton::~CHoverButton() = default;

void CHoverButton::BuildFaceTextures(int style, int noise, int hoverPercent, int tintPercent,
                                     Colour tintColor) {
  const QPalette& pal = palette();
  const CFaceColours colours{FromQColor(pal.color(QPalette::Active, QPalette::Light)),
                             FromQColor(pal.color(QPalette::Active, QPalette::Button)),
                             FromQColor(pal.color(QPalette::Active, QPalette::Dark))};
  const CFaceRecipe recipe{style, noise, hoverPercent, tintPercent, tintColor};
  // Built in the screen's own pixels, so that a dense screen shows the shading sharp.
  const qreal ratio = devicePixelRatio();
  kv::BuildFaceTextures(m_faces, DevicePixels(width(), ratio), DevicePixels(height(), ratio),
                        DevicePixels(m_border, ratio), colours, recipe,
                        [this] { return m_faceRandom.Next(); });
  RefreshFaceImages(ratio);
  update();
}

void CHoverButton::RefreshFaceImages(qreal ratio) {
  m_imageNormal = FaceImage(m_faces.m_faceNormal, ratio);
  m_imagePressed = FaceImage(m_faces.m_facePressed, ratio);
  m_imageDisabled = FaceImage(m_faces.m_faceDisabled, ratio);
  m_imageHover = FaceImage(m_faces.m_faceHover, ratio);
  m_imageFocusH = FaceImage(m_faces.m_focusLineH, ratio);
  m_imageFocusV = FaceImage(m_faces.m_focusLineV, ratio);
}

void CHoverButton::SetFaceIcon(unsigned iconId, int align, unsigned pressedIconId) {
  const QPixmap icon = LoadIcon(iconId, devicePixelRatio());
  if (icon.isNull()) return;
  m_icon = icon;
  const QSize iconSize = icon.deviceIndependentSize().toSize();
  const CIconPlacement placement =
      PlaceFaceIcon(iconSize.width(), iconSize.height(), align, width(), height(), m_border);
  m_iconRect = placement.m_rect;
  m_iconAlign = placement.m_align;

  QStyleOption option;
  option.initFrom(this);
  m_iconDisabled = style()->generatedIconPixmap(QIcon::Disabled, m_icon, &option);

  m_iconPressed = m_icon;
  if (pressedIconId != 0) {
    const QPixmap pressed = LoadIcon(pressedIconId, devicePixelRatio());
    if (!pressed.isNull()) m_iconPressed = pressed;
  }
  update();
}

void CHoverButton::SetCheck(bool checked) {
  m_checked = checked;
  if (m_kind == kButtonKindPush) m_checked = false;
  if (m_kind == kButtonKindRadio && m_checked && parentWidget() != nullptr) {
    // Walk the siblings from this button onwards, wrapping round, and post each the uncheck
    // event; they repaint once the current event has been handled.
    const QObjectList& siblings = parentWidget()->children();
    const qsizetype self = siblings.indexOf(this);
    for (qsizetype step = 1; step < siblings.size(); ++step) {
      QObject* other = siblings[(self + step) % siblings.size()];
      if (other->isWidgetType()) {
        QCoreApplication::postEvent(other, new QEvent(kHoverButtonUncheckEvent));
      }
    }
  }
  if (m_toolTipOn) {
    if (QToolTip::isVisible() && underMouse()) QToolTip::hideText();
    UpdateTip();
  }
  update();
}

void CHoverButton::Uncheck() {
  if (!m_checked) return;
  m_checked = false;
  if (m_toolTipOn) UpdateTip();
  update();
}

void CHoverButton::SetTipTexts(const QString& tip, const QString& tipChecked) {
  m_tipText = tip;
  m_tipTextChecked = tipChecked;
  m_toolTipOn = true;
  UpdateTip();
}

void CHoverButton::UpdateTip() {
  setToolTip((m_checked && !m_tipTextChecked.isEmpty()) ? m_tipTextChecked : m_tipText);
}

void CHoverButton::SetCaptionFont(const QFont& font) {
  m_font = font;
  updateGeometry();
  update();
}

QSize CHoverButton::sizeHint() const {
  const QFontMetrics metrics(m_font.value_or(font()));
  const QSize textSize = metrics.size(Qt::TextSingleLine | Qt::TextShowMnemonic, text());
  const int margin = 2 * (m_border + 2);
  int w = textSize.width() + margin;
  int h = textSize.height() + 2 * m_border;
  if (!m_icon.isNull()) {
    const int iconW = m_iconRect.right - m_iconRect.left;
    const int iconH = m_iconRect.bottom - m_iconRect.top;
    if (m_iconAlign == kIconAbove) {
      w = std::max(w, iconW + margin);
      h += iconH;
    } else {
      w += iconW + m_border;
      h = std::max(h, iconH + 2);
    }
  }
  return QSize(w, h);
}

bool CHoverButton::event(QEvent* event) {
  if (event->type() == kHoverButtonUncheckEvent) {
    Uncheck();
    return true;
  }
  return QAbstractButton::event(event);
}

void CHoverButton::resizeEvent(QResizeEvent* event) {
  const qreal ratio = devicePixelRatio();
  m_canvas = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
  m_canvas.setDevicePixelRatio(ratio);
  QAbstractButton::resizeEvent(event);
}

void CHoverButton::paintEvent(QPaintEvent*) {
  const qreal ratio = devicePixelRatio();
  if (m_canvas.size() != size() * ratio || m_canvas.devicePixelRatio() != ratio) {
    m_canvas = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    m_canvas.setDevicePixelRatio(ratio);
  }
  if (m_canvas.isNull()) return;
  {
    QPainter offscreen(&m_canvas);
    ComposeFace(offscreen);
  }
  QPainter painter(this);
  painter.drawImage(0, 0, m_canvas);
}

void CHoverButton::ComposeFace(QPainter& painter) {
  const CButtonColours colours = ButtonColours(palette());
  const QRect item = rect();
  const CRect itemRect{0, 0, width(), height()};
  const QString caption = text();
  painter.setFont(m_font.value_or(font()));

  const CRect captionArea =
      CaptionRect(itemRect, m_border, !m_icon.isNull(), m_iconAlign, m_iconRect);
  QRect captionRect = ToQRect(captionArea);
  const QPoint iconAt(m_iconRect.left, m_iconRect.top);
  const int textFlags = TextFlags(m_textFormat);

  // Whatever a face image does not cover (the widget grew after the faces were built, or
  // the pressed face drawn one pixel in) shows the plain face colour.
  painter.fillRect(item, colours.m_face);

  if (!isEnabled()) {
    if (!m_imageDisabled.isNull()) painter.drawImage(0, 0, m_imageDisabled);
    if (!m_iconDisabled.isNull()) painter.drawPixmap(iconAt, m_iconDisabled);
    if (m_drawEdges != 0 && !m_flat) DrawRaisedEdge(painter, item, colours);
    painter.setPen(colours.m_highlight);
    painter.drawText(captionRect, textFlags, caption);
    painter.setPen(colours.m_grayText);
    painter.drawText(captionRect.translated(-1, -1), textFlags, caption);
    return;
  }

  if (isDown() || m_checked) {
    if (!m_imagePressed.isNull()) painter.drawImage(m_drawEdges, m_drawEdges, m_imagePressed);
    if (!m_iconPressed.isNull()) {
      painter.drawPixmap(m_pushLike ? iconAt + QPoint(1, 1) : iconAt, m_iconPressed);
    }
    if (m_pushLike) captionRect.translate(1, 1);
    if (m_drawEdges != 0) {
      if (m_flat) {
        Draw3dRect(painter, item, colours.m_shadow, colours.m_highlight);
      } else {
        DrawSunkenEdge(painter, item, colours);
      }
    }
  } else {
    const QImage& face = (m_hover && !m_imageHover.isNull()) ? m_imageHover : m_imageNormal;
    if (!m_imageNormal.isNull()) painter.drawImage(0, 0, face);
    if (!m_icon.isNull()) painter.drawPixmap(iconAt, m_icon);
    if (m_drawEdges != 0 && (m_hover || !m_flat)) {
      if (m_defaultButton) {
        DrawSunkenEdge(painter, item, colours);
        DrawRaisedEdge(painter, item.adjusted(1, 1, -1, -1), colours);
      } else if (m_flat) {
        Draw3dRect(painter, item, colours.m_highlight, colours.m_shadow);
      } else {
        DrawRaisedEdge(painter, item, colours);
      }
    }
  }

  if (hasFocus() && m_border > 0) {
    const int left = m_border;
    const int top = m_border;
    const int right = width() - m_border;
    const int bottom = height() - m_border;
    if (!m_imageFocusH.isNull()) {
      painter.drawImage(left + 1, top, m_imageFocusH);
      painter.drawImage(left + 1, bottom, m_imageFocusH);
    }
    if (!m_imageFocusV.isNull()) {
      painter.drawImage(left, top + 1, m_imageFocusV);
      painter.drawImage(right, top + 1, m_imageFocusV);
    }
  }

  painter.setPen(m_textColor);
  painter.drawText(captionRect, textFlags, caption);
}

void CHoverButton::StartHover() {
  m_hover = true;
  update();
}

void CHoverButton::ToggleOnClick() {
  if (m_kind == kButtonKindCheckBox) SetCheck(!m_checked);
  if (m_kind == kButtonKindRadio) SetCheck(true);
}

void CHoverButton::mousePressEvent(QMouseEvent* event) {
  const bool left = event->button() == Qt::LeftButton;
  // No repaint for the lost hover here: the press repaints the button anyway.
  if (left) m_hover = false;
  QAbstractButton::mousePressEvent(event);
  if (left) m_tracking = true;
}

void CHoverButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    // The check state changes before the click is reported, so a handler of clicked()
    // already sees the new state. A release away from the button changes nothing.
    if (m_kind != kButtonKindPush && m_tracking && rect().contains(event->position().toPoint())) {
      ToggleOnClick();
    }
    m_tracking = false;
  }
  QAbstractButton::mouseReleaseEvent(event);
}

void CHoverButton::mouseMoveEvent(QMouseEvent* event) {
  // While the left button is held after a press, the base class un-pushes the button when
  // the mouse leaves it and pushes it again when the mouse comes back.
  const bool dragging = m_tracking && (event->buttons() & Qt::LeftButton);
  if (!dragging && !m_hover) StartHover();
  QAbstractButton::mouseMoveEvent(event);
}

void CHoverButton::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second click of a double click is a plain second press. Qt delivers that press
  // before the double-click event; only a double click that arrives without it acts as the
  // press here. Either way the parent never sees a double click.
  if (event->button() == Qt::LeftButton && !m_tracking) mousePressEvent(event);
  event->accept();
}

void CHoverButton::keyPressEvent(QKeyEvent* event) {
  // Check on the space bar's first down stroke only; holding the key does not toggle again.
  if (m_kind != kButtonKindPush && event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
    ToggleOnClick();
  }
  QAbstractButton::keyPressEvent(event);
}

void CHoverButton::focusOutEvent(QFocusEvent* event) {
  m_tracking = false;
  QAbstractButton::focusOutEvent(event);
}

void CHoverButton::enterEvent(QEnterEvent* event) {
  if (!m_tracking && !m_hover) StartHover();
  QAbstractButton::enterEvent(event);
}

void CHoverButton::leaveEvent(QEvent* event) {
  m_hover = false;
  update();
  QAbstractButton::leaveEvent(event);
}

void CHoverButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange && !isEnabled()) {
    m_tracking = false;
    m_hover = false;
  }
  QAbstractButton::changeEvent(event);
}

}  // namespace kv
