#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "app/CommandIds.h"
#include "tests/app/GuiFixture.h"

namespace {

struct Item {
  QString text;  // empty for a separator
  QString shortcut;
};

std::vector<Item> ItemsOf(QMenu* menu) {
  std::vector<Item> items;
  for (QAction* action : menu->actions()) {
    if (action->isSeparator()) {
      items.push_back({QString(), QString()});
    } else {
      items.push_back({action->text(), action->shortcut().toString(QKeySequence::PortableText)});
    }
  }
  return items;
}

using MainFrameTest = GuiFixture;

TEST_F(MainFrameTest, MenusHaveTheirTextsSeparatorsAndShortcutsInOrder) {
  const QList<QAction*> menus = frame->menuBar()->actions();
  ASSERT_EQ(menus.size(), 4);
  EXPECT_EQ(menus[0]->text(), QStringLiteral("ﾌｧｲﾙ(&F)"));
  EXPECT_EQ(menus[1]->text(), QStringLiteral("範囲設定"));
  EXPECT_EQ(menus[2]->text(), QStringLiteral("フィッテング"));
  EXPECT_EQ(menus[3]->text(), QStringLiteral("補正"));

  const std::vector<std::vector<Item>> expected = {
      {{"開く(&O)...", "Ctrl+O"},
       {"TXTファイル保存(&S)", "Ctrl+S"},
       {"DATファイル保存(&A)...", ""},
       {"", ""},
       {"", ""},
       {"ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", ""}},
      {{"範囲設定", ""}, {"範囲入力", ""}, {"ピーク位置", ""}, {"", ""}, {"初期範囲", ""}},
      {{"最小二乗条件", ""}, {"最小二乗スタート", ""}, {"結果保存", ""}},
      {{"バック除去", ""}, {"偏光補正", ""}},
  };
  for (int m = 0; m < 4; ++m) {
    const std::vector<Item> items = ItemsOf(menus[m]->menu());
    ASSERT_EQ(items.size(), expected[m].size()) << "menu " << m;
    for (std::size_t i = 0; i < items.size(); ++i) {
      EXPECT_EQ(items[i].text, expected[m][i].text) << "menu " << m << " item " << i;
      EXPECT_EQ(items[i].shortcut, expected[m][i].shortcut) << "menu " << m << " item " << i;
    }
  }
  // Both separators of the file menu are really shown.
  EXPECT_FALSE(menus[0]->menu()->separatorsCollapsible());
}

TEST_F(MainFrameTest, StatusPromptsAndTitle) {
  EXPECT_EQ(frame->windowTitle(),
            QStringLiteral("カーブフィッティングプログラム（バックグランド自動）"));
  EXPECT_EQ(Action(cmd::ID_RANGE_SET)->statusTip(), QStringLiteral("フィッテングする範囲を設定"));
  EXPECT_EQ(Action(cmd::ID_PEAK_POSITION)->statusTip(), QStringLiteral("ピーク位置の設定"));
  EXPECT_EQ(Action(cmd::ID_RANGE_RESET)->statusTip(), QStringLiteral("設定範囲をもとにもどす"));
  EXPECT_EQ(Action(cmd::ID_LSQ_CONDITION)->statusTip(), QStringLiteral("最小二乗条件を入力します"));
  EXPECT_EQ(Action(cmd::ID_RANGE_INPUT)->statusTip(),
            QStringLiteral("グラフの範囲をキーボードから入力"));
  EXPECT_EQ(Action(cmd::ID_FILE_SAVE)->statusTip(), QStringLiteral("TXT形式のﾌｧｲﾙを保存"));
  EXPECT_EQ(Action(cmd::ID_FILE_SAVE_AS)->statusTip(), QStringLiteral("DAT形式のファイルを保存"));
  EXPECT_TRUE(Action(cmd::ID_LSQ_START)->statusTip().isEmpty());

  // The idle text shows when no prompt does; the four indicator panes follow.
  EXPECT_EQ(frame->IdlePane()->text(), QStringLiteral("ﾚﾃﾞｨ"));
  EXPECT_TRUE(frame->IdlePane()->isVisible());
  frame->statusBar()->showMessage(Action(cmd::ID_RANGE_SET)->statusTip());
  EXPECT_FALSE(frame->IdlePane()->isVisible());
  frame->statusBar()->clearMessage();
  EXPECT_TRUE(frame->IdlePane()->isVisible());
  QStringList panes;
  for (QLabel* label : frame->statusBar()->findChildren<QLabel*>()) {
    if (label != frame->IdlePane()) panes << label->text();
  }
  EXPECT_EQ(panes, (QStringList{"ｶﾅ", "CAP", "NUM", "SCRL"}));
}

TEST_F(MainFrameTest, ToolBarAndCommandsWithoutHandlers) {
  const QList<QToolBar*> bars = frame->findChildren<QToolBar*>();
  ASSERT_EQ(bars.size(), 1);
  const int expected[] = {cmd::ID_FILE_NEW,   cmd::ID_FILE_OPEN,
                          cmd::ID_FILE_SAVE,  0,
                          cmd::ID_EDIT_CUT,   cmd::ID_EDIT_COPY,
                          cmd::ID_EDIT_PASTE, 0,
                          cmd::ID_FILE_PRINT, 0,
                          cmd::ID_APP_ABOUT};
  const QList<QAction*> buttons = bars[0]->actions();
  ASSERT_EQ(buttons.size(), 11);
  for (int i = 0; i < 11; ++i) {
    if (expected[i] == 0) {
      EXPECT_TRUE(buttons[i]->isSeparator()) << i;
    } else {
      EXPECT_EQ(buttons[i]->data().toInt(), expected[i]) << i;
      // Images come from the resources compiled into the library.
      EXPECT_FALSE(buttons[i]->icon().isNull()) << i;
      EXPECT_EQ(buttons[i]->icon().availableSizes().value(0), QSize(16, 15)) << i;
    }
  }

  struct Disabled {
    int id;
    QStringList keys;
  };
  const Disabled disabled[] = {{cmd::ID_EDIT_UNDO, {"Ctrl+Z", "Alt+Backspace"}},
                               {cmd::ID_EDIT_CUT, {"Ctrl+X", "Shift+Del"}},
                               {cmd::ID_EDIT_COPY, {"Ctrl+C", "Ctrl+Ins"}},
                               {cmd::ID_EDIT_PASTE, {"Ctrl+V", "Shift+Ins"}},
                               {cmd::ID_NEXT_PANE, {"F6"}},
                               {cmd::ID_PREV_PANE, {"Shift+F6"}}};
  for (const Disabled& d : disabled) {
    QAction* action = Action(d.id);
    ASSERT_NE(action, nullptr);
    EXPECT_FALSE(action->isEnabled()) << d.id;
    QStringList keys;
    for (const QKeySequence& k : action->shortcuts())
      keys << k.toString(QKeySequence::PortableText);
    EXPECT_EQ(keys, d.keys) << d.id;
  }
  EXPECT_EQ(Action(cmd::ID_FILE_NEW)->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
  EXPECT_EQ(Action(cmd::ID_FILE_PRINT)->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
  EXPECT_TRUE(Action(cmd::ID_FILE_PRINT)->isEnabled());
  EXPECT_TRUE(Action(cmd::ID_APP_ABOUT)->isEnabled());
}

TEST_F(MainFrameTest, CheckMarksAndEnablingFollowTheView) {
  QMenu* rangeMenu = frame->menuBar()->actions()[1]->menu();
  QMenu* fitMenu = frame->menuBar()->actions()[2]->menu();
  // Fresh view: disarmed range mode, nothing to fit, nothing fitted.
  EXPECT_FALSE(Action(cmd::ID_RANGE_SET)->isChecked());
  EXPECT_FALSE(Action(cmd::ID_PEAK_POSITION)->isChecked());
  EXPECT_FALSE(Action(cmd::ID_LSQ_START)->isEnabled());
  EXPECT_FALSE(Action(cmd::ID_SAVE_RESULT)->isEnabled());

  frame->Execute(cmd::ID_RANGE_SET);
  EXPECT_TRUE(Action(cmd::ID_RANGE_SET)->isChecked());
  EXPECT_FALSE(Action(cmd::ID_PEAK_POSITION)->isChecked());
  Action(cmd::ID_PEAK_POSITION)->trigger();
  EXPECT_FALSE(Action(cmd::ID_RANGE_SET)->isChecked());
  EXPECT_TRUE(Action(cmd::ID_PEAK_POSITION)->isChecked());
  // Triggering a checked item does not uncheck it: the view decides.
  Action(cmd::ID_PEAK_POSITION)->trigger();
  EXPECT_TRUE(Action(cmd::ID_PEAK_POSITION)->isChecked());

  // State changed behind the menus' back is picked up when a menu opens.
  View().StateForTests().modes.m_bPeakMode = 0;
  View().StateForTests().peaks.m_nPeak = 2;
  View().StateForTests().peaks.m_bFitted = 1;
  QMetaObject::invokeMethod(rangeMenu, "aboutToShow");
  EXPECT_TRUE(Action(cmd::ID_RANGE_SET)->isChecked());
  EXPECT_FALSE(Action(cmd::ID_PEAK_POSITION)->isChecked());
  View().StateForTests().peaks.m_nPeak = 0;
  QMetaObject::invokeMethod(fitMenu, "aboutToShow");
  EXPECT_FALSE(Action(cmd::ID_LSQ_START)->isEnabled());
  EXPECT_TRUE(Action(cmd::ID_SAVE_RESULT)->isEnabled());
}

}  // namespace
