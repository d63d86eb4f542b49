#include "display/shabda_view.h"

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
#include "display/entry_fonts.h"
#include "platform/clipboard.h"

// Q_INIT_RESOURCE declares the generated registration function where it is expanded, so it
// must stay outside any namespace.
static void RegisterEntryViewResources() { Q_INIT_RESOURCE(entry_view); }

namespace kv {

namespace {

constexpr char kEmptyText[] = "";

}  // namespace

void InitEntryViewResources() {
  static const bool registered = [] {
    RegisterEntryViewResources();
    return true;
  }();
  (void)registered;
}

CShabdaView::CShabdaView(CShabdaView** registry, char* const* entryText, QWidget* parent)
    : QAbstractScrollArea(parent),
      m_entryText(entryText),
      m_registry(registry),
      m_layout(std::make_unique<CEntryLayout>()),
      m_laidOutText(std::make_unique<char[]>(kEntryTextBytes)),
      m_arrowCursor(Qt::ArrowCursor) {
  if (m_registry != nullptr) {
    *m_registry = this;
  }
  InitEntryViewResources();
  m_wordCursor = QCursor(QPixmap(QStringLiteral(":/cursors/132.png")), 6, 0);
  m_paragraphCursor = QCursor(QPixmap(QStringLiteral(":/cursors/133.png")), 12, 1);
  CreateEntryFonts();

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

CShabdaView::~CShabdaView() {
  // The application keeps the pointer; it must not outlive the pane.
  if (m_registry != nullptr && *m_registry == this) {
    *m_registry = nullptr;
  }
}

const char* CShabdaView::Text() const {
  return m_entryText != nullptr && *m_entryText != nullptr ? *m_entryText : kEmptyText;
}

QPoint CShabdaView::ScrollOffset() const {
  return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QPoint CShabdaView::LogicalPoint(const QPointF& viewportPoint) const {
  return viewportPoint.toPoint() + ScrollOffset();
}

bool CShabdaView::LayoutIsCurrent(const char* text) const {
  return m_layoutValid && m_laidOutWidth == width() &&
         m_laidOutTextFont == CFontKey{g_entryFont.HoldsFont(), g_entryFont.Font()} &&
         m_laidOutTranslitFont ==
             CFontKey{g_entryTranslitFont.HoldsFont(), g_entryTranslitFont.Font()} &&
         std::strncmp(text, m_laidOutText.get(), kEntryTextBytes) == 0;
}

void CShabdaView::EnsureLayout() {
  if (!LayoutIsCurrent(Text())) {
    LayoutNow();
  }
}

void CShabdaView::LayoutNow() {
  const char* text = Text();
  const CFontKey textFont{g_entryFont.HoldsFont(), g_entryFont.Font()};
  const CFontKey translitFont{g_entryTranslitFont.HoldsFont(), g_entryTranslitFont.Font()};
  if (!m_metricsReady || !(textFont == m_laidOutTextFont) ||
      !(translitFont == m_laidOutTranslitFont)) {
    m_fontMetrics.Reset(g_entryFont, g_entryTranslitFont, viewport()->font());
    m_metricsReady = true;
  }
  CEntryTextDevice device(nullptr, m_fontMetrics);
  // The splitter column is the whole pane, scroll bar included, so the wrap never depends on
  // whether the scroll bar shows.
  m_layout->Layout(text, width(), device);
  const std::size_t length = strnlen(text, kEntryTextBytes - 1);
  std::memcpy(m_laidOutText.get(), text, length);
  m_laidOutText[length] = '\0';
  m_laidOutWidth = width();
  m_laidOutTextFont = textFont;
  m_laidOutTranslitFont = translitFont;
  m_layoutValid = true;
  UpdateScrollBars();
}

void CShabdaView::UpdateScrollBars() {
  const QSize area = viewport()->size();
  const int contentWidth = std::max(kMinScrollWidth, m_layout->Width() + kScrollMargin);
  const int contentHeight = m_layout->Height() + kScrollMargin;
  horizontalScrollBar()->setRange(0, std::max(0, contentWidth - area.width()));
  verticalScrollBar()->setRange(0, std::max(0, contentHeight - area.height()));
}

void CShabdaView::ShowNewEntry() {
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
  m_layout->ClearSelection();
  EnsureLayout();
  viewport()->update();
}

void CShabdaView::Refresh() {
  LayoutNow();
  viewport()->update();
}

void CShabdaView::FontsChanged() {
  m_metricsReady = false;
  LayoutNow();
  viewport()->update();
}

void CShabdaView::CopySelection() {
  EnsureLayout();
  const auto buffer = std::make_unique<char[]>(kEntryTextBytes);
  const int length = BuildCopyText(Text(), *m_layout, buffer.get(), kEntryTextBytes);
  if (length > 0) {
    CopyBytesToClipboard(std::string_view(buffer.get(), static_cast<std::size_t>(length)));
  }
}

void CShabdaView::paintEvent(QPaintEvent* event) {
  // Nobody need announce a change: a text, width or font that differs from the last layout's
  // is laid out again here. Scroll-range changes then only schedule another paint.
  m_painting = true;
  EnsureLayout();
  m_painting = false;
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

void CShabdaView::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
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
  if (event->button() == Qt::LeftButton) {
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
