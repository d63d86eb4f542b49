#include "platform/message_box.h"

#include <QMessageBox>
#include <cstring>
#include <utility>

#include "platform/font.h"

namespace kv {
namespace {

MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}

QMessageBox::Icon QtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kInformation:
      return QMessageBox::Information;
    case MessageIcon::kExclamation:
      return QMessageBox::Warning;
    case MessageIcon::kStop:
      return QMessageBox::Critical;
    case MessageIcon::kQuestion:
      return QMessageBox::Question;
    case MessageIcon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

void ResetMessageBoxHook() { Hook() = nullptr; }

void ShowMessageBox(QWidget* parent, const QString& text, const QString& caption,
                    MessageIcon icon) {
  if (const MessageBoxHook& hook = Hook()) {
    hook(parent, text, caption, icon);
    return;
  }
  QMessageBox box(QtIcon(icon), caption, text, QMessageBox::Ok, parent);
  box.exec();
}

void ShowReaderWarning(const char* text) {
  const std::string_view bytes(text, std::strlen(text));
  ShowMessageBox(nullptr, DecodeForCodePage(bytes, CodePage::kWindows1252),
                 QStringLiteral("Warning !"), MessageIcon::kExclamation);
}

}  // namespace kv
