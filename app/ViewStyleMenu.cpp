#include "app/ViewStyleMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <utility>
#include <vector>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/ViewMenu.h"

namespace {

constexpr int kHintMs = 20000;

QString Text(const char* source) { return QCoreApplication::translate("ViewStyleMenu", source); }

// The window's view menu: the menu bar's third.
QMenu* ViewMenuOf(CMainFrame& frame) {
  const QList<QAction*> menus = frame.menuBar()->actions();
  return menus.size() > 2 ? menus[2]->menu() : nullptr;
}

QAction* NewItem(QMenu* menu, const char* text, const char* prompt) {
  auto* item = new QAction(Text(text), menu);
  item->setStatusTip(Text(prompt));
  item->setCheckable(true);
  return item;
}

// The plot's switches that only this menu offers.
struct OptionItem {
  const char* text;
  const char* prompt;
  bool PlotOptions::*option;
};

constexpr OptionItem kOptionItems[] = {
    {QT_TRANSLATE_NOOP("ViewStyleMenu", "軸の名前"),
     QT_TRANSLATE_NOOP("ViewStyleMenu", "軸の名前と単位を描く"), &PlotOptions::titles},
    {QT_TRANSLATE_NOOP("ViewStyleMenu", "凡例"),
     QT_TRANSLATE_NOOP("ViewStyleMenu", "データと曲線の凡例を描く"), &PlotOptions::legend},
};

}  // namespace

void AddViewStyleMenu(CMainFrame& frame) {
  QMenu* menu = ViewMenuOf(frame);
  if (menu == nullptr) return;
  ViewMenu& choices = frame.ViewChoices();
  QAction* first = menu->actions().value(0);
  auto* styles = new QActionGroup(menu);
  QAction* classic =
      NewItem(menu, QT_TRANSLATE_NOOP("ViewStyleMenu", "標準表示"),
              QT_TRANSLATE_NOOP("ViewStyleMenu", "従来どおりの固定した大きさのプロット"));
  QAction* modern =
      NewItem(menu, QT_TRANSLATE_NOOP("ViewStyleMenu", "見やすい表示"),
              QT_TRANSLATE_NOOP(
                  "ViewStyleMenu",
                  "目盛り・グリッド・軸の名前・凡例・残差を描き、プロットをウィンドウに合わせる"));
  for (QAction* style : {classic, modern}) {
    styles->addAction(style);
    menu->insertAction(first, style);
  }
  menu->insertSeparator(first);
  QObject::connect(classic, &QAction::triggered, menu,
                   [&choices] { choices.ChooseStyle(PlotStyle::kClassic); });
  QObject::connect(modern, &QAction::triggered, menu,
                   [&choices] { choices.ChooseStyle(PlotStyle::kModern); });
  // The switches go after the first block of switches (ticks, grid).
  QAction* before = frame.Action(cmd::ID_VIEW_RESIDUALS);
  std::vector<std::pair<QAction*, bool PlotOptions::*>> options;
  for (const OptionItem& item : kOptionItems) {
    QAction* action = NewItem(menu, item.text, item.prompt);
    menu->insertAction(before, action);
    const auto option = item.option;
    // The menu's own check mark may be stale: the choice decides.
    QObject::connect(action, &QAction::triggered, menu, [&choices, option] {
      choices.SetOption(option, !(choices.Preferences().plot.*option));
    });
    options.emplace_back(action, option);
  }
  const auto showChoices = [&choices, classic, modern, options] {
    const PlotOptions& plot = choices.Preferences().plot;
    classic->setChecked(plot.style == PlotStyle::kClassic);
    modern->setChecked(plot.style == PlotStyle::kModern);
    for (const auto& [action, option] : options) action->setChecked(plot.*option);
  };
  showChoices();
  QObject::connect(menu, &QMenu::aboutToShow, menu, showChoices);
  for (QAction* item : menu->actions()) {
    QObject::connect(item, &QAction::triggered, menu, showChoices);
  }
  if (choices.Preferences().plot.style == PlotStyle::kClassic) {
    frame.statusBar()->showMessage(
        Text(QT_TRANSLATE_NOOP(
            "ViewStyleMenu",
            "表示 → 見やすい表示 で、目盛り・軸の名前・凡例のある見やすい表示になります")),
        kHintMs);
  }
}
