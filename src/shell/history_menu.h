#pragma once

#include <QMenu>

class QAction;

namespace kv {

class CShabdaApp;
struct CHeadwordRef;

// The History menu: Back (Alt+Left) and Forward (Alt+Right), then the headwords viewed last,
// the latest first; choosing one searches for it and shows its entry. Headwords the dictionary
// no longer holds are left out; the items are made afresh each time the menu opens.
class CHistoryMenu : public QMenu {
  Q_OBJECT

 public:
  CHistoryMenu(CShabdaApp& app, QWidget* parent);

  QAction* BackAction() const { return m_back; }
  QAction* ForwardAction() const { return m_forward; }
  // Enables Back and Forward as the history allows.
  void UpdateActions();
  void Refill();

 private:
  CShabdaApp& m_app;
  QAction* m_back;
  QAction* m_forward;
};

// The Favourites menu: Add to Favourites (Ctrl+D) and Remove from Favourites for the headword
// whose entry is shown, then the favourites in the order added (those the dictionary still
// holds); choosing one shows its entry.
class CFavouritesMenu : public QMenu {
  Q_OBJECT

 public:
  CFavouritesMenu(CShabdaApp& app, QWidget* parent);

  QAction* AddAction() const { return m_add; }
  QAction* RemoveAction() const { return m_remove; }
  // Add with an entry shown that is no favourite, Remove with one that is.
  void UpdateActions();
  void Refill();

 private:
  CShabdaApp& m_app;
  QAction* m_add;
  QAction* m_remove;
};

}  // namespace kv
