#include "shell/dictionary_menu.h"

#include <QActionGroup>
#include <QFile>
#include <algorithm>
#include <vector>

#include "dictionary/dictionary_locations.h"
#include "shell/main_frame.h"
#include "shell/shabda_app.h"

namespace kv {

CDictionaryMenu::CDictionaryMenu(CShabdaApp& app, QWidget* parent)
    : QMenu(QStringLiteral("&Dictionary"), parent), m_app(app) {
  setObjectName(QStringLiteral("dictionaryMenu"));
  connect(this, &QMenu::aboutToShow, this, &CDictionaryMenu::Refill);
}

void CDictionaryMenu::Refill() {
  clear();
  const std::vector<DictionaryFolder> found = ProgramDictionaries();
  if (found.empty()) {
    addAction(QStringLiteral("No dictionary found"))->setEnabled(false);
    return;
  }
  const std::string open = m_app.Dictionary().Folder().empty()
                               ? std::string()
                               : DictionaryIdentity(m_app.Dictionary().Folder());
  auto* group = new QActionGroup(this);
  for (const DictionaryFolder& folder : found) {
    const QString path = QFile::decodeName(folder.path.c_str());
    QString text = QFile::decodeName(folder.name.c_str()).replace('&', QStringLiteral("&&"));
    // Two folders of one name are told apart by where they are.
    const bool sameName = std::count_if(found.begin(), found.end(), [&](const auto& other) {
                            return other.name == folder.name;
                          }) > 1;
    if (sameName) text += QStringLiteral("  (%1)").arg(path);
    QAction* item = addAction(text);
    item->setCheckable(true);
    item->setChecked(DictionaryIdentity(folder.path) == open);
    item->setToolTip(path);
    item->setStatusTip(path);
    group->addAction(item);
    connect(item, &QAction::triggered, this,
            [this, chosen = folder.path] { m_app.OpenDictionary(chosen); });
  }
}

}  // namespace kv
