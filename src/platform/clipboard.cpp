#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "platform/font.h"

namespace kv {

void CopyTextToClipboard(const QString& text) {
  if (QGuiApplication::instance() == nullptr) return;
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(text);
}

void CopyBytesToClipboard(std::string_view bytes) {
  CopyTextToClipboard(DecodeForCodePage(bytes, CodePage::kWindows1252));
}

}  // namespace kv
