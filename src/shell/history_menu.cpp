#include "shell/history_menu.h"

#include <QAction>
#include <string>
#include <vector>

#include "dictionary/browse_history.h"
#include "dictionary/transliteration.h"
#include "shell/shabda_app.h"

namespace kv {
namespace {

// A headword as the menus list it: IAST, then Devanagari.
QString HeadwordLabel(const CHeadwordRef& headword) {
  std::string iast;
  AppendIast(headword.m_letters, iast);
  std::string devanagari;
  AppendDevanagari(headword.m_letters, MarkerBytes::kJoin, devanagari);
  return QString::fromStdString(iast + "  " + devanagari).replace('&', QStringLiteral("&&"));
}

// Makes `menu` afresh: its two commands (which own their shortcuts, so they stay), a
// separator, then one item per headword the dictionary still holds, each showing its entry.
void RefillHeadwordMenu(QMenu& menu, QAction* first, QAction* second, CShabdaApp& app,
                        const std::vector<CHeadwordRef>& headwords, const char* noneText) {
  for (QAction* item : menu.actions()) {
    if (item != first && item != second) {
      menu.removeAction(item);
      item->deleteLater();
    }
  }
  menu.addSeparator();
  const std::vector<CHeadwordRef> held = app.HeldHeadwords(headwords);
  if (held.empty()) menu.addAction(QString::fromLatin1(noneText))->setEnabled(false);
  for (const CHeadwordRef& headword : held) {
    QObject::connect(menu.addAction(HeadwordLabel(headword)), &QAction::triggered, &menu,
                     [&app, headword] { app.ShowHeadword(headword); });
  }
}

}  // namespace

CHistoryMenu::CHistoryMenu(CShabdaApp& app, QWidget* parent)
    : QMenu(QStringLiteral("Hi&story"), parent),
      m_app(app),
      m_back(new QAction(QStringLiteral("&Back"), this)),
      m_forward(new QAction(QStringLiteral("&Forward"), this)) {
  setObjectName(QStringLiteral("historyMenu"));
  m_back->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
  m_forward->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
  for (QAction* action : {m_back, m_forward}) action->setShortcutContext(Qt::WindowShortcut);
  connect(m_back, &QAction::triggered, this, [this] { m_app.GoBack(); });
  connect(m_forward, &QAction::triggered, this, [this] { m_app.GoForward(); });
  addActions({m_back, m_forward});
  connect(this, &QMenu::aboutToShow, this, &CHistoryMenu::Refill);
}

void CHistoryMenu::UpdateActions() {
  m_back->setEnabled(m_app.History().CanGoBack());
  m_forward->setEnabled(m_app.History().CanGoForward());
}

void CHistoryMenu::Refill() {
  RefillHeadwordMenu(*this, m_back, m_forward, m_app, m_app.History().Viewed(), "No headword viewed");
  UpdateActions();
}

CFavouritesMenu::CFavouritesMenu(CShabdaApp& app, QWidget* parent)
    : QMenu(QStringLiteral("F&avourites"), parent),
      m_app(app),
      m_add(new QAction(QStringLiteral("&Add to Favourites"), this)),
      m_remove(new QAction(QStringLiteral("&Remove from Favourites"), this)) {
  setObjectName(QStringLiteral("favouritesMenu"));
  m_add->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
  m_add->setShortcutContext(Qt::WindowShortcut);
  connect(m_add, &QAction::triggered, this, [this] { m_app.AddFavourite(); });
  connect(m_remove, &QAction::triggered, this, [this] { m_app.RemoveFavourite(); });
  addActions({m_add, m_remove});
  connect(this, &QMenu::aboutToShow, this, &CFavouritesMenu::Refill);
}

void CFavouritesMenu::UpdateActions() {
  const CHeadwordRef& shown = m_app.ShownHeadword();
  const bool favourite = m_app.Favourites().Holds(shown);
  m_add->setEnabled(!shown.Empty() && !favourite);
  m_remove->setEnabled(favourite);
}

void CFavouritesMenu::Refill() {
  RefillHeadwordMenu(*this, m_add, m_remove, m_app, m_app.Favourites().Items(), "No favourites");
  UpdateActions();
}

}  // namespace kv
