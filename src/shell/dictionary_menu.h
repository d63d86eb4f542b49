#pragma once

#include <QMenu>

class QActionGroup;

namespace kv {

class CShabdaApp;

// The Dictionary menu: the dictionaries found, one radio item each, the open one checked;
// choosing one opens it in place of the other. The items are made afresh each time the menu
// opens, so a dictionary imported while the program runs is there.
class CDictionaryMenu : public QMenu {
  Q_OBJECT

 public:
  CDictionaryMenu(CShabdaApp& app, QWidget* parent);

  // Lists the dictionaries found now.
  void Refill();

 private:
  CShabdaApp& m_app;
};

}  // namespace kv
