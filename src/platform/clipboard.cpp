#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace kv {

void CopyTextToClipboard(const QString& text) {
  if (QGuiApplication::instance() == nullptr) return;
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(text);
}

}  // namespace kv
