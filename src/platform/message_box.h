#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace kv {

enum class MessageIcon { kNone, kInformation, kExclamation, kStop, kQuestion };

// Replaces the modal box: while a hook is set, ShowMessageBox hands its arguments to the
// hook and shows nothing. Tests set one so that no run ever waits on a dialog.
using MessageBoxHook = std::function<void(QWidget* parent, const QString& text,
                                          const QString& caption, MessageIcon icon)>;
void SetMessageBoxHook(MessageBoxHook hook);
void ResetMessageBoxHook();

// A modal box with `text`, `caption`, `icon` and an OK button, owned by `parent` (none
// when null). Returns when the user has closed it.
void ShowMessageBox(QWidget* parent, const QString& text, const QString& caption, MessageIcon icon);

// Shows a line reader's warning in an ownerless "Warning !" box with an exclamation icon and
// an OK button; the program's dictionary sends its readers' warnings here.
void ShowReaderWarning(const char* text);

}  // namespace kv
