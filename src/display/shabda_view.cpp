#include "display/shabda_view.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cstring>
#include <string_view>

#include "dictionary/found_rows.h"
#include "platform/clipboard.h"
#include "platform/screen_dpi.h"

// Q_INIT_RESOURCE declares the generated registration function where it is expanded, so it
// must stay outside any namespace.
static void RegisterEntryViewResources() { Q_INIT_RESOURCE(entry_view); }

namespace kv {
namespace {

// A cursor drawn for the screen's pixel density, the hot spot given in the cursor's own units.
QCursor HandCursor(const char* picture, int hotX, int hotY, qreal ratio) {
  const QPixmap drawn = PixmapForDensity(QString::fromLatin1(picture), ratio);
  // The X11 platform hands the hot spot to the server as a place in the picture's own pixels,
  // where the others scale it by the picture's density themselves.
  const qreal scale =
      QGuiApplication::platformName() == QLatin1String("xcb") ? drawn.devicePixelRatio() : 1;
  return QCursor(drawn, qRound(hotX * scale), qRound(hotY * scale));
}

}  // namespace

void InitEntryViewResources() {
  static const bool registered = [] {
    RegisterEntryViewResources();
    return true;
  }();
  (void)registered;
}

CShabdaView::CShabdaView(QWidget* parent)
    : QAbstractScrollArea(parent),
      m_text(std::make_unique<char[]>(kEntryTextBytes)),
      m_layout(std::make_unique<CEntryLayout>()),
      m_arrowCursor(Qt::ArrowCursor) {
  InitEntryViewResources();
  MakeCursors();
  m_fonts.Create();
  m_fontMetrics.Reset(m_fonts, viewport()->font());

  viewport()->setMouseTracking(true);
  viewport()->setCursor(m_arrowCursor);
  viewport()->setAutoFillBackground(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  horizontalScrollBar()->setSingleStep(kLineStep);
  verticalScrollBar()->setSingleStep(kLineStep);
  horizontalScrollBar()->setPageStep(kPageStepX);
  verticalScrollBar()->setPageStep(kPageStepY);
}

CShabdaView::~CShabdaView() = default;

QPoint CShabdaView::ScrollOffset() const {
  return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QPoint CShabdaView::LogicalPoint(const QPointF& viewportPoint) const {
  return viewportPoint.toPoint() + ScrollOffset();
}

void CShabdaView::TakeText(const char* text) {
  // The text may be the pane's own: it is moved, not copied.
  const std::size_t length = text == nullptr ? 0 : strnlen(text, kEntryTextBytes - 1);
  if (length > 0) std::memmove(m_text.get(), text, length);
  m_text[length] = '\0';
}

void CShabdaView::LayoutNow() {
  CEntryTextDevice device(nullptr, m_fontMetrics);
  // The splitter column is the whole pane, scroll bar included, so the wrap never depends on
  // whether the scroll bar shows.
  m_layout->Layout(Text(), width(), device);
  m_laidOutWidth = width();
  m_layoutValid = true;
  UpdateScrollBars();
}

void CShabdaView::UpdateScrollBars() {
  // Both ranges follow the laid-out text: a text wrapped to the pane needs no sideways
  // scrolling, and only a word wider than the pane brings the horizontal bar.
  const QSize area = viewport()->size();
  const int contentHeight = m_layout->Height() + kScrollMargin;
  horizontalScrollBar()->setRange(0, std::max(0, m_layout->Width() - area.width()));
  verticalScrollBar()->setRange(0, std::max(0, contentHeight - area.height()));
}

void CShabdaView::ShowNewEntry(const char* text) {
  TakeText(text);
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
  m_layout->ClearSelection();
  m_layout->SetMarks({});
  LayoutNow();
  viewport()->update();
}

void CShabdaView::ShowText(const char* text) {
  TakeText(text);
  m_layout->SetMarks({});
  LayoutNow();
  viewport()->update();
}

void CShabdaView::MarkMatches(const std::vector<CMatchRange>& matches) {
  m_layout->SetMarks(matches);
  viewport()->update();
}

void CShabdaView::SetFontSizes(int textTenths, int translitTenths) {
  m_fonts.Create(textTenths, translitTenths);
  m_fontMetrics.Reset(m_fonts, viewport()->font());
  LayoutNow();
  viewport()->update();
}

void CShabdaView::SetSanskritScript(SanskritScript script) {
  if (script == m_layout->Script()) return;
  m_layout->SetSanskritScript(script);
  LayoutNow();
  viewport()->update();
}

void CShabdaView::CopySelection() {
  const std::string copied = BuildCopyText(Text(), *m_layout, m_layout->Script());
  if (!copied.empty()) {
    CopyTextToClipboard(QString::fromUtf8(copied.data(), static_cast<qsizetype>(copied.size())));
  }
}

void CShabdaView::paintEvent(QPaintEvent* event) {
  // A pane painted before its first layout, or resized while hidden, is laid out here;
  // scroll-range changes then only schedule another paint.
  if (!m_layoutValid || m_laidOutWidth != width()) {
    m_painting = true;
    LayoutNow();
    m_painting = false;
  }
  m_layout->ClearSelectionIfNoMatch(Text());

  QPainter painter(viewport());
  const QPoint offset = ScrollOffset();
  painter.translate(-offset);
  CEntryTextDevice device(&painter, m_fontMetrics);
  for (const QRect& area : event->region()) {
    const QRect logical = area.translated(offset);
    painter.fillRect(logical, Qt::white);
    m_layout->Draw(Text(), device,
                   CRect{logical.left(), logical.top(), logical.right() + 1, logical.bottom() + 1});
  }
}

void CShabdaView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  if (m_laidOutWidth != width()) {
    LayoutNow();
  } else {
    UpdateScrollBars();
  }
}

void CShabdaView::MakeCursors() {
  const qreal ratio = devicePixelRatio();
  if (ratio == m_cursorRatio) return;
  m_cursorRatio = ratio;
  m_wordCursor = HandCursor(":/cursors/132.png", 6, 0, ratio);
  m_paragraphCursor = HandCursor(":/cursors/133.png", 12, 1, ratio);
}

void CShabdaView::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  // The screen the pane shows on decides the cursors' pixels.
  MakeCursors();
  if (!m_shown) {
    m_shown = true;
    m_layout->ClearSelection();
    viewport()->update();
  }
}

void CShabdaView::scrollContentsBy(int dx, int dy) {
  if (m_painting) {
    viewport()->update();
  } else {
    viewport()->scroll(dx, dy);
  }
}

void CShabdaView::ShowCursor(EntryCursor cursor) {
  switch (cursor) {
    case EntryCursor::kArrow:
      viewport()->setCursor(m_arrowCursor);
      break;
    case EntryCursor::kWord:
      viewport()->setCursor(m_wordCursor);
      break;
    case EntryCursor::kParagraph:
      viewport()->setCursor(m_paragraphCursor);
      break;
  }
}

void CShabdaView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint point = LogicalPoint(event->position());
  ShowCursor(HoverCursor(*m_layout, point.x(), point.y()));
  QAbstractScrollArea::mouseMoveEvent(event);
}

void CShabdaView::mouseReleaseEvent(QMouseEvent* event) {
  // The pane gets the release of every press it got, wherever the pointer then is; a release
  // outside it is a drag away, which toggles nothing (not even a word scrolled out of sight
  // that happens to lie under that point).
  if (event->button() == Qt::LeftButton &&
      viewport()->rect().contains(event->position().toPoint())) {
    const QPoint point = LogicalPoint(event->position());
    const CToggleResult result = ToggleAt(*m_layout, point.x(), point.y());
    if (result.Changed()) {
      ShowCursor(result.Cursor());
      viewport()->update();
    }
  }
  QAbstractScrollArea::mouseReleaseEvent(event);
}

void CShabdaView::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) {
    // A sideways wheel: the scroll bars' own handling.
    QAbstractScrollArea::wheelEvent(event);
    return;
  }
  QScrollBar* bar = verticalScrollBar();
  bar->setValue(WheelTarget(bar->value(), delta, bar->maximum()));
  event->accept();
}

}  // namespace kv
