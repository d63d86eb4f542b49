#include "shell/about_box.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "shell/shell_icons.h"

namespace kv {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About Kavivani"));
  setModal(true);
  auto* icon = new QLabel(this);
  icon->setPixmap(ProgramIcon().pixmap(32, 32));
  auto* name = new QLabel(QStringLiteral("KVANI V1.4"), this);
  name->setTextFormat(Qt::PlainText);
  auto* notice =
      new QLabel(QStringLiteral("A Sanskrit-English dictionary. Free to use and to share."), this);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* grid = new QGridLayout(this);
  grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  grid->addWidget(name, 0, 1);
  grid->addWidget(notice, 1, 1);
  grid->addWidget(ok, 0, 2, 2, 1, Qt::AlignVCenter);
  grid->setHorizontalSpacing(16);
}

}  // namespace kv
