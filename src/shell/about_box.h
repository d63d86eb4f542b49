#pragma once

#include <QDialog>

namespace kv {

// "About Kavivani": the program icon, its name and version, a notice line, and OK.
class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace kv
