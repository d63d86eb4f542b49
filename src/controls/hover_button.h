#pragma once

#include <QAbstractButton>
#include <QEvent>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <optional>

#include "base/colour.h"
#include "base/geometry.h"
#include "controls/button_layout.h"
#include "controls/face_textures.h"

namespace kv {

// Posted to the other buttons of a radio group when one becomes checked; no parameters.
inline const QEvent::Type kHoverButtonUncheckEvent =
    static_cast<QEvent::Type>(QEvent::User + 0x100);

// The owner-drawn push button of the search bar. It paints its whole face itself into an
// off-screen image that is copied in one call: a shaded face (or the plain button colour),
// an optional icon left of, right of or above the caption, the caption, 3-D edges and a
// dotted focus frame. It shows a lighter face while the mouse is over it, and with a
// check-box or radio style it keeps its own check state (the base class's checkable state
// is never used) and unchecks the other radio buttons among its siblings.
class CHoverButton : public QAbstractButton {
  Q_OBJECT

 public:
  // style holds the kButtonStyle* bits; 0 is a plain push button.
  explicit CHoverButton(QWidget* parent = nullptr, unsigned style = 0);
  ~CHoverButton() override;

  // Builds the six face records for the widget's current size; size the widget first.
  void BuildFaceTextures(int style, int noise, int hoverPercent, int tintPercent, Colour tintColor);
  // Loads icon ":/icons/<iconId>" (low 16 bits) and places it by align (kIconLeft,
  // kIconRight, anything else above the caption) for the widget's current size. A missing
  // icon changes nothing. pressedIconId 0 (or a missing one) uses the same icon pressed.
  void SetFaceIcon(unsigned iconId, int align, unsigned pressedIconId = 0);

  void SetCheck(bool checked);
  int GetCheck() const { return m_checked ? 1 : 0; }

  // Gives the button a tooltip: tip while unchecked, tipChecked (when not empty) while
  // checked. Until this is called the button has no tooltip of its own.
  void SetTipTexts(const QString& tip, const QString& tipChecked = QString());
  void SetCaptionFont(const QFont& font);
  void SetBorder(std::int16_t border) { m_border = border; }

  std::int16_t Border() const { return m_border; }
  int Kind() const { return m_kind; }
  bool PushLike() const { return m_pushLike; }
  bool Flat() const { return m_flat; }
  int DrawEdges() const { return m_drawEdges; }
  unsigned TextFormat() const { return m_textFormat; }
  bool IsDefaultLook() const { return m_defaultButton; }
  bool IsHovering() const { return m_hover; }
  bool IsTracking() const { return m_tracking; }
  bool HasIcon() const { return !m_icon.isNull(); }
  int IconAlign() const { return m_iconAlign; }
  const CRect& IconRect() const { return m_iconRect; }
  const CFaceSet& Faces() const { return m_faces; }

  QSize sizeHint() const override;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Uncheck();
  void UpdateTip();
  void StartHover();
  void ToggleOnClick();
  void RefreshFaceImages(qreal ratio);
  void ComposeFace(QPainter& painter);

  std::optional<QFont> m_font;
  QString m_tipText;
  QString m_tipTextChecked;
  bool m_checked = false;
  bool m_pushLike = true;
  int m_kind = kButtonKindPush;
  CFaceSet m_faces;
  // The speckle of this button's faces. Never seeded, so every run draws the same faces.
  CRandom15 m_faceRandom;
  bool m_hover = false;
  bool m_tracking = false;
  bool m_toolTipOn = false;
  std::int16_t m_border = 4;
  QColor m_textColor;
  int m_drawEdges = 1;
  QPixmap m_icon;
  QPixmap m_iconPressed;
  QPixmap m_iconDisabled;
  CRect m_iconRect;
  unsigned m_textFormat = kTextCenter;
  int m_iconAlign = kIconAbove;
  bool m_flat = false;
  bool m_defaultButton = false;

  // Drawing caches, remade when the faces are built and when the widget is resized, so that
  // painting itself allocates nothing.
  QImage m_imageNormal;
  QImage m_imagePressed;
  QImage m_imageDisabled;
  QImage m_imageHover;
  QImage m_imageFocusH;
  QImage m_imageFocusV;
  QImage m_canvas;
};

}  // namespace kv
