#include <QAction>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>

#include "app/AboutDlg.h"
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
  ASSERT_EQ(menus.size(), 7);
  EXPECT_EQ(menus[0]->text(), QStringLiteral("ﾌｧｲﾙ(&F)"));
  EXPECT_EQ(menus[1]->text(), QStringLiteral("編集(&E)"));
  EXPECT_EQ(menus[2]->text(), QStringLiteral("表示(&V)"));
  EXPECT_EQ(menus[3]->text(), QStringLiteral("範囲設定"));
  EXPECT_EQ(menus[4]->text(), QStringLiteral("フィッテング"));
  EXPECT_EQ(menus[5]->text(), QStringLiteral("補正"));
  EXPECT_EQ(menus[6]->text(), QStringLiteral("校正"));

  const std::vector<std::vector<Item>> expected = {
      {{"開く(&O)...", "Ctrl+O"},
       {"TXTファイル保存(&S)", "Ctrl+S"},
       {"DATファイル保存(&A)...", ""},
       {"プロットを書き出す...", ""},
       {"", ""},
       {"セッションを開く...", ""},
       {"セッションを保存...", ""},
       {"フィット結果をデータで書き出す...", ""},
       {"", ""},
       {"", ""},
       {"ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", ""}},
      {{"元に戻す(&U)", "Ctrl+Z"}, {"やり直し(&R)", "Ctrl+Y"}},
      {{"強度: 線形", ""},
       {"強度: 平方根", ""},
       {"強度: 対数", ""},
       {"", ""},
       {"目盛り", ""},
       {"グリッド", ""},
       {"残差", ""},
       {"枠内に描く", ""},
       {"", ""},
       {"ウィンドウに合わせる", ""}},
      {{"範囲設定", ""},
       {"範囲入力", ""},
       {"ピーク位置", ""},
       {"ピーク自動検索", ""},
       {"", ""},
       {"初期範囲", ""}},
      {{"最小二乗条件", ""},
       {"最小二乗スタート", ""},
       {"結果保存", ""},
       {"レポート保存(CSV)", ""},
       {"波長・Scherrer設定...", ""},
       {"ピーク表", ""},
       {"シリーズフィット...", ""}},
      {{"バック除去", ""},
       {"バックグラウンド推定 (SNIP)", ""},
       {"推定バックグラウンドを差し引く", ""},
       {"偏光補正", ""}},
      {{"フィットを校正セットに追加", ""}, {"装置関数...", ""}, {"格子定数...", ""}},
  };
  for (int m = 0; m < 7; ++m) {
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
                          cmd::ID_APP_ABOUT,  0,
                          cmd::ID_FIND_PEAKS};
  const QList<QAction*> buttons = bars[0]->actions();
  ASSERT_EQ(buttons.size(), 13);
  for (int i = 0; i < 13; ++i) {
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
  QMenu* rangeMenu = frame->menuBar()->actions()[3]->menu();
  QMenu* fitMenu = frame->menuBar()->actions()[4]->menu();
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

// The text the status bar shows now: the prompt, else the idle pane.
QString StatusText(CMainFrame& frame) {
  const QString message = frame.statusBar()->currentMessage();
  if (!message.isEmpty()) return message;
  return frame.IdlePane()->isVisible() ? frame.IdlePane()->text() : QString();
}

TEST_F(MainFrameTest, AnOpenMenuShowsTheHighlightedPromptOrNothing) {
  const QList<QAction*> menus = frame->menuBar()->actions();
  QMenu* fitMenu = menus[4]->menu();
  QMenu* correctMenu = menus[5]->menu();
  EXPECT_EQ(StatusText(*frame), QStringLiteral("ﾚﾃﾞｨ"));

  frame->menuBar()->setActiveAction(menus[4]);
  ASSERT_TRUE(fitMenu->isVisible());
  // Open, nothing highlighted yet.
  EXPECT_EQ(StatusText(*frame), QString());
  fitMenu->setActiveAction(Action(cmd::ID_LSQ_CONDITION));
  EXPECT_EQ(StatusText(*frame), QStringLiteral("最小二乗条件を入力します"));

  // Another menu of the bar: its commands have no prompt.
  frame->menuBar()->setActiveAction(menus[5]);
  ASSERT_TRUE(correctMenu->isVisible());
  EXPECT_FALSE(fitMenu->isVisible());
  correctMenu->setActiveAction(Action(cmd::ID_BACK_REMOVE));
  EXPECT_EQ(StatusText(*frame), QString());
  correctMenu->setActiveAction(Action(cmd::ID_POLAR_CORRECT));
  EXPECT_EQ(StatusText(*frame), QString());

  correctMenu->hide();
  EXPECT_EQ(StatusText(*frame), QStringLiteral("ﾚﾃﾞｨ"));
}

TEST_F(MainFrameTest, EveryPromptAndToolTip) {
  struct Texts {
    int id;
    const char* prompt;
    const char* toolTip;  // nullptr: none of its own
  };
  const Texts expected[] = {
      {cmd::ID_FILE_NEW, "新規にﾌｧｲﾙを作成", "新規ﾌｧｲﾙ"},
      {cmd::ID_FILE_OPEN, "既存のﾌｧｲﾙを開く", "開く"},
      {cmd::ID_FILE_SAVE, "TXT形式のﾌｧｲﾙを保存", "保存"},
      {cmd::ID_FILE_SAVE_AS, "DAT形式のファイルを保存", "保存"},
      {cmd::ID_FILE_PRINT, "作業中のﾌｧｲﾙを印刷", "印刷"},
      {cmd::ID_FILE_PRINT_PREVIEW, "ﾌﾙ ﾍﾟｰｼﾞ表示", "印刷ﾌﾟﾚﾋﾞｭｰ"},
      {cmd::ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示", "終了"},
      {cmd::ID_APP_ABOUT, "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝ、著作権を表示", "ﾊﾞｰｼﾞｮﾝ情報"},
      {cmd::ID_EDIT_UNDO, "直前に行った動作を元に戻す", "元に戻す"},
      {cmd::ID_EDIT_CUT, "選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに移動", "切り取り"},
      {cmd::ID_EDIT_COPY, "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存", "ｺﾋﾟｰ"},
      {cmd::ID_EDIT_PASTE, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を貼り付け", "貼り付け"},
      {cmd::ID_NEXT_PANE, "次のｳｨﾝﾄﾞｳ ﾍﾟｲﾝに切り替え", "次のﾍﾟｲﾝ"},
      {cmd::ID_PREV_PANE, "前のｳｨﾝﾄﾞｳ ﾍﾟｲﾝに切り替え", "前のﾍﾟｲﾝ"},
      {cmd::ID_RANGE_SET, "フィッテングする範囲を設定", nullptr},
      {cmd::ID_RANGE_INPUT, "グラフの範囲をキーボードから入力", nullptr},
      {cmd::ID_PEAK_POSITION, "ピーク位置の設定", nullptr},
      {cmd::ID_RANGE_RESET, "設定範囲をもとにもどす", nullptr},
      {cmd::ID_LSQ_CONDITION, "最小二乗条件を入力します", nullptr},
      {cmd::ID_LSQ_START, "", nullptr},
      {cmd::ID_SAVE_RESULT, "", nullptr},
      {cmd::ID_BACK_REMOVE, "", nullptr},
      {cmd::ID_POLAR_CORRECT, "", nullptr},
      {cmd::ID_SAVE_REPORT, "ピークの表をCSV形式で保存", nullptr},
      {cmd::ID_REPORT_SETTINGS, "波長とScherrer式の定数を入力します", nullptr},
      {cmd::ID_PEAK_TABLE, "ピーク表を表示または非表示にします", nullptr},
      {cmd::ID_SERIES_FIT, "同じピークを複数のファイルでフィットします", nullptr},
      {cmd::ID_FIND_PEAKS, "表示範囲のピークを探して、強い順に空いている欄へ置きます",
       "ピーク自動検索"},
      {cmd::ID_EDIT_REDO, "元に戻した動作をやり直す", "やり直し"},
      {cmd::ID_VIEW_SCALE_LINEAR, "強度を線形の目盛りで描く", nullptr},
      {cmd::ID_VIEW_SCALE_SQRT, "強度を平方根の目盛りで描く", nullptr},
      {cmd::ID_VIEW_SCALE_LOG, "強度を対数の目盛りで描く（0 以下は下端に）", nullptr},
      {cmd::ID_VIEW_TICKS, "軸に目盛りと数値を描く", nullptr},
      {cmd::ID_VIEW_GRID, "目盛りの位置に格子線を描く", nullptr},
      {cmd::ID_VIEW_RESIDUALS, "フィットの後、プロットの下に残差（データ − モデル）を描く",
       nullptr},
      {cmd::ID_VIEW_CLIP, "曲線をプロットの枠の内側だけに描く", nullptr},
      {cmd::ID_VIEW_FIT_WINDOW, "プロットをウィンドウの大きさに合わせる", nullptr},
      {cmd::ID_BACK_SUBTRACT, "推定したバックグラウンドを強度から差し引く", nullptr},
      {cmd::ID_BACK_SNIP, "ピークを刈り込む SNIP 法で、曲がったバックグラウンドを推定します",
       nullptr},
      {cmd::ID_EXPORT_PLOT, "プロットを PNG または SVG の画像として保存", nullptr},
      {cmd::ID_CALIBRATE_ADD, "標準試料のフィットしたピークを校正セットに加えます", nullptr},
      {cmd::ID_CALIBRATION, "校正セット、分解能関数のフィット、装置関数ファイルとその使用",
       nullptr},
      {cmd::ID_LATTICE, "相の格子と hkl、格子定数・零点・試料変位の精密化", nullptr},
      {cmd::ID_SESSION_SAVE, "プロファイル、ピーク、フィット、校正と表示をセッションファイルに保存",
       nullptr},
      {cmd::ID_SESSION_OPEN, "保存したセッションを開き、作業をその時の状態に戻す", nullptr},
      {cmd::ID_EXPORT_FIT, "データ、モデル、バックグラウンド、残差と各ピークを CSV で保存",
       nullptr},
  };
  ASSERT_EQ(frame->actions().size(), static_cast<qsizetype>(std::size(expected)));
  for (const Texts& t : expected) {
    QAction* action = Action(t.id);
    ASSERT_NE(action, nullptr) << t.id;
    EXPECT_EQ(action->statusTip(), QString::fromUtf8(t.prompt)) << t.id;
    if (t.toolTip != nullptr) {
      EXPECT_EQ(action->toolTip(), QString::fromUtf8(t.toolTip)) << t.id;
    }
  }
}

// The indicator panes that are lit.
QStringList LitPanes(CMainFrame& frame) {
  QStringList lit;
  for (QLabel* label : frame.statusBar()->findChildren<QLabel*>()) {
    if (label != frame.IdlePane() && label->isEnabled()) lit << label->text();
  }
  return lit;
}

TEST_F(MainFrameTest, LockPanesLightWithTheirKeys) {
  // The offscreen platform reports no lock keys: nothing is polled.
  if (QGuiApplication::platformName() == QStringLiteral("offscreen")) {
    EXPECT_FALSE(frame->PollsKeyLocks());
    EXPECT_EQ(LitPanes(*frame), QStringList());
  }
  frame->ShowKeyLocks({.capsLock = true, .numLock = false, .scrollLock = true});
  EXPECT_EQ(LitPanes(*frame), (QStringList{"CAP", "SCRL"}));
  frame->ShowKeyLocks({.capsLock = false, .numLock = true, .scrollLock = false});
  EXPECT_EQ(LitPanes(*frame), QStringList{"NUM"});
  frame->ShowKeyLocks({});
  EXPECT_EQ(LitPanes(*frame), QStringList());
}

TEST_F(MainFrameTest, AboutBoxShowsVersionCopyrightAndIconAndOkClosesIt) {
  ModalScript script({[](QWidget* w) {
    auto* about = qobject_cast<CAboutDlg*>(w);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), QStringLiteral("tavのﾊﾞｰｼﾞｮﾝ情報"));
    QStringList texts;
    QPixmap icon;
    for (QLabel* label : about->findChildren<QLabel*>()) {
      if (label->pixmap().isNull()) {
        texts << label->text();
      } else {
        icon = label->pixmap();
      }
    }
    EXPECT_EQ(texts, (QStringList{"tav Version 1.0", "Copyright (C) 2026 The tav authors"}));
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(icon.toImage(), QIcon(QStringLiteral(":/icons/tav.png")).pixmap(32, 32).toImage());
    auto* ok = about->findChild<QPushButton*>();
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_TRUE(ok->isDefault());
    ok->click();
    EXPECT_FALSE(about->isVisible());
  }});
  Action(cmd::ID_APP_ABOUT)->trigger();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
