#include "app/CommandTable.h"

#include <QtGlobal>

#include "app/CommandIds.h"

using namespace cmd;

const std::vector<CommandInfo>& Commands() {
  static const std::vector<CommandInfo> table = {
      {ID_FILE_NEW, QT_TRANSLATE_NOOP("CMainFrame", "新規作成(&N)"), "Ctrl+N",
       QT_TRANSLATE_NOOP("CMainFrame", "新規にﾌｧｲﾙを作成\n新規ﾌｧｲﾙ"), ":/icons/new.png"},
      {ID_FILE_OPEN, QT_TRANSLATE_NOOP("CMainFrame", "開く(&O)..."), "Ctrl+O",
       QT_TRANSLATE_NOOP("CMainFrame", "既存のﾌｧｲﾙを開く\n開く"), ":/icons/open.png"},
      {ID_FILE_SAVE, QT_TRANSLATE_NOOP("CMainFrame", "TXTファイル保存(&S)"), "Ctrl+S",
       QT_TRANSLATE_NOOP("CMainFrame", "TXT形式のﾌｧｲﾙを保存\n保存"), ":/icons/save.png"},
      {ID_FILE_SAVE_AS, QT_TRANSLATE_NOOP("CMainFrame", "DATファイル保存(&A)..."), "",
       QT_TRANSLATE_NOOP("CMainFrame", "DAT形式のファイルを保存\n保存"), ""},
      {ID_FILE_PRINT, QT_TRANSLATE_NOOP("CMainFrame", "印刷(&P)..."), "Ctrl+P",
       QT_TRANSLATE_NOOP("CMainFrame", "作業中のﾌｧｲﾙを印刷\n印刷"), ":/icons/print.png"},
      {ID_FILE_PRINT_PREVIEW, QT_TRANSLATE_NOOP("CMainFrame", "印刷ﾌﾟﾚﾋﾞｭｰ(&V)"), "",
       QT_TRANSLATE_NOOP("CMainFrame", "ﾌﾙ ﾍﾟｰｼﾞ表示\n印刷ﾌﾟﾚﾋﾞｭｰ"), ""},
      {ID_APP_EXIT, QT_TRANSLATE_NOOP("CMainFrame", "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"), "",
       QT_TRANSLATE_NOOP("CMainFrame", "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示\n終了"), ""},
      {ID_APP_ABOUT, QT_TRANSLATE_NOOP("CMainFrame", "ﾊﾞｰｼﾞｮﾝ情報(&A)..."), "",
       QT_TRANSLATE_NOOP("CMainFrame", "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝ、著作権を表示\nﾊﾞｰｼﾞｮﾝ情報"),
       ":/icons/about.png"},
      {ID_EDIT_UNDO, QT_TRANSLATE_NOOP("CMainFrame", "元に戻す(&U)"), "Ctrl+Z;Alt+Backspace",
       QT_TRANSLATE_NOOP("CMainFrame", "直前に行った動作を元に戻す\n元に戻す"), ""},
      {ID_EDIT_REDO, QT_TRANSLATE_NOOP("CMainFrame", "やり直し(&R)"), "Ctrl+Y",
       QT_TRANSLATE_NOOP("CMainFrame", "元に戻した動作をやり直す\nやり直し"), ""},
      {ID_EDIT_CUT, QT_TRANSLATE_NOOP("CMainFrame", "切り取り(&T)"), "Ctrl+X;Shift+Del",
       QT_TRANSLATE_NOOP("CMainFrame", "選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに移動\n切り取り"),
       ":/icons/cut.png"},
      {ID_EDIT_COPY, QT_TRANSLATE_NOOP("CMainFrame", "ｺﾋﾟｰ(&C)"), "Ctrl+C;Ctrl+Ins",
       QT_TRANSLATE_NOOP("CMainFrame", "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\nｺﾋﾟｰ"),
       ":/icons/copy.png"},
      {ID_EDIT_PASTE, QT_TRANSLATE_NOOP("CMainFrame", "貼り付け(&P)"), "Ctrl+V;Shift+Ins",
       QT_TRANSLATE_NOOP("CMainFrame", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を貼り付け\n貼り付け"),
       ":/icons/paste.png"},
      {ID_NEXT_PANE, QT_TRANSLATE_NOOP("CMainFrame", "次のﾍﾟｲﾝ"), "F6",
       QT_TRANSLATE_NOOP("CMainFrame", "次のｳｨﾝﾄﾞｳ ﾍﾟｲﾝに切り替え\n次のﾍﾟｲﾝ"), ""},
      {ID_PREV_PANE, QT_TRANSLATE_NOOP("CMainFrame", "前のﾍﾟｲﾝ"), "Shift+F6",
       QT_TRANSLATE_NOOP("CMainFrame", "前のｳｨﾝﾄﾞｳ ﾍﾟｲﾝに切り替え\n前のﾍﾟｲﾝ"), ""},
      {ID_RANGE_SET, QT_TRANSLATE_NOOP("CMainFrame", "範囲設定"), "",
       QT_TRANSLATE_NOOP("CMainFrame", "フィッテングする範囲を設定"), ""},
      {ID_RANGE_INPUT, QT_TRANSLATE_NOOP("CMainFrame", "範囲入力"), "",
       QT_TRANSLATE_NOOP("CMainFrame", "グラフの範囲をキーボードから入力"), ""},
      {ID_PEAK_POSITION, QT_TRANSLATE_NOOP("CMainFrame", "ピーク位置"), "",
       QT_TRANSLATE_NOOP("CMainFrame", "ピーク位置の設定"), ""},
      {ID_RANGE_RESET, QT_TRANSLATE_NOOP("CMainFrame", "初期範囲"), "",
       QT_TRANSLATE_NOOP("CMainFrame", "設定範囲をもとにもどす"), ""},
      {ID_LSQ_CONDITION, QT_TRANSLATE_NOOP("CMainFrame", "最小二乗条件"), "",
       QT_TRANSLATE_NOOP("CMainFrame", "最小二乗条件を入力します"), ""},
      {ID_LSQ_START, QT_TRANSLATE_NOOP("CMainFrame", "最小二乗スタート"), "", "", ""},
      {ID_SAVE_RESULT, QT_TRANSLATE_NOOP("CMainFrame", "結果保存"), "", "", ""},
      {ID_BACK_REMOVE, QT_TRANSLATE_NOOP("CMainFrame", "バック除去"), "", "", ""},
      {ID_BACK_SNIP, QT_TRANSLATE_NOOP("CMainFrame", "バックグラウンド推定 (SNIP)"), "",
       QT_TRANSLATE_NOOP("CMainFrame",
                         "ピークを刈り込む SNIP 法で、曲がったバックグラウンドを推定します"),
       ""},
      {ID_POLAR_CORRECT, QT_TRANSLATE_NOOP("CMainFrame", "偏光補正"), "", "", ""},
      {ID_SAVE_REPORT, QT_TRANSLATE_NOOP("CMainFrame", "レポート保存(CSV)"), "",
       QT_TRANSLATE_NOOP("CMainFrame", "ピークの表をCSV形式で保存"), ""},
      {ID_REPORT_SETTINGS, QT_TRANSLATE_NOOP("CMainFrame", "波長・Scherrer設定..."), "",
       QT_TRANSLATE_NOOP("CMainFrame", "波長とScherrer式の定数を入力します"), ""},
      {ID_PEAK_TABLE, QT_TRANSLATE_NOOP("CMainFrame", "ピーク表"), "",
       QT_TRANSLATE_NOOP("CMainFrame", "ピーク表を表示または非表示にします"), ""},
      {ID_SERIES_FIT, QT_TRANSLATE_NOOP("CMainFrame", "シリーズフィット..."), "",
       QT_TRANSLATE_NOOP("CMainFrame", "同じピークを複数のファイルでフィットします"), ""},
      {ID_FIND_PEAKS, QT_TRANSLATE_NOOP("CMainFrame", "ピーク自動検索"), "",
       QT_TRANSLATE_NOOP(
           "CMainFrame",
           "表示範囲のピークを探して、強い順に空いている欄へ置きます\nピーク自動検索"),
       ":/icons/findpeaks.png"},
      {ID_VIEW_SCALE_LINEAR, QT_TRANSLATE_NOOP("CMainFrame", "強度: 線形"), "",
       QT_TRANSLATE_NOOP("CMainFrame", "強度を線形の目盛りで描く"), ""},
      {ID_VIEW_SCALE_SQRT, QT_TRANSLATE_NOOP("CMainFrame", "強度: 平方根"), "",
       QT_TRANSLATE_NOOP("CMainFrame", "強度を平方根の目盛りで描く"), ""},
      {ID_VIEW_SCALE_LOG, QT_TRANSLATE_NOOP("CMainFrame", "強度: 対数"), "",
       QT_TRANSLATE_NOOP("CMainFrame", "強度を対数の目盛りで描く（0 以下は下端に）"), ""},
      {ID_VIEW_TICKS, QT_TRANSLATE_NOOP("CMainFrame", "目盛り"), "",
       QT_TRANSLATE_NOOP("CMainFrame", "軸に目盛りと数値を描く"), ""},
      {ID_VIEW_GRID, QT_TRANSLATE_NOOP("CMainFrame", "グリッド"), "",
       QT_TRANSLATE_NOOP("CMainFrame", "目盛りの位置に格子線を描く"), ""},
      {ID_VIEW_RESIDUALS, QT_TRANSLATE_NOOP("CMainFrame", "残差"), "",
       QT_TRANSLATE_NOOP("CMainFrame", "フィットの後、プロットの下に残差（データ − モデル）を描く"),
       ""},
      {ID_VIEW_CLIP, QT_TRANSLATE_NOOP("CMainFrame", "枠内に描く"), "",
       QT_TRANSLATE_NOOP("CMainFrame", "曲線をプロットの枠の内側だけに描く"), ""},
      {ID_VIEW_FIT_WINDOW, QT_TRANSLATE_NOOP("CMainFrame", "ウィンドウに合わせる"), "",
       QT_TRANSLATE_NOOP("CMainFrame", "プロットをウィンドウの大きさに合わせる"), ""},
      {ID_BACK_SUBTRACT, QT_TRANSLATE_NOOP("CMainFrame", "推定バックグラウンドを差し引く"), "",
       QT_TRANSLATE_NOOP("CMainFrame", "推定したバックグラウンドを強度から差し引く"), ""},
      {ID_EXPORT_PLOT, QT_TRANSLATE_NOOP("CMainFrame", "プロットを書き出す..."), "",
       QT_TRANSLATE_NOOP("CMainFrame", "プロットを PNG または SVG の画像として保存"), ""},
      {ID_SESSION_SAVE, QT_TRANSLATE_NOOP("CMainFrame", "セッションを保存..."), "",
       QT_TRANSLATE_NOOP("CMainFrame",
                         "プロファイル、ピーク、フィット、校正と表示をセッションファイルに保存"),
       ""},
      {ID_SESSION_OPEN, QT_TRANSLATE_NOOP("CMainFrame", "セッションを開く..."), "",
       QT_TRANSLATE_NOOP("CMainFrame", "保存したセッションを開き、作業をその時の状態に戻す"), ""},
      {ID_EXPORT_FIT, QT_TRANSLATE_NOOP("CMainFrame", "フィット結果をデータで書き出す..."), "",
       QT_TRANSLATE_NOOP("CMainFrame",
                         "データ、モデル、バックグラウンド、残差と各ピークを CSV で保存"),
       ""},
      {ID_CALIBRATE_ADD, QT_TRANSLATE_NOOP("CMainFrame", "フィットを校正セットに追加"), "",
       QT_TRANSLATE_NOOP("CMainFrame", "標準試料のフィットしたピークを校正セットに加えます"), ""},
      {ID_CALIBRATION, QT_TRANSLATE_NOOP("CMainFrame", "装置関数..."), "",
       QT_TRANSLATE_NOOP("CMainFrame",
                         "校正セット、分解能関数のフィット、装置関数ファイルとその使用"),
       ""},
      {ID_LATTICE, QT_TRANSLATE_NOOP("CMainFrame", "格子定数..."), "",
       QT_TRANSLATE_NOOP("CMainFrame", "相の格子と hkl、格子定数・零点・試料変位の精密化"), ""},
  };
  return table;
}

const CommandInfo* FindCommand(int id) {
  for (const CommandInfo& info : Commands()) {
    if (info.id == id) return &info;
  }
  return nullptr;
}

const std::vector<MenuInfo>& MainMenu() {
  static const std::vector<MenuInfo> menus = {
      {QT_TRANSLATE_NOOP("CMainFrame", "ﾌｧｲﾙ(&F)"),
       {ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_EXPORT_PLOT, 0, ID_SESSION_OPEN,
        ID_SESSION_SAVE, ID_EXPORT_FIT, 0, 0, ID_APP_EXIT}},
      {QT_TRANSLATE_NOOP("CMainFrame", "編集(&E)"), {ID_EDIT_UNDO, ID_EDIT_REDO}},
      {QT_TRANSLATE_NOOP("CMainFrame", "表示(&V)"),
       {ID_VIEW_SCALE_LINEAR, ID_VIEW_SCALE_SQRT, ID_VIEW_SCALE_LOG, 0, ID_VIEW_TICKS, ID_VIEW_GRID,
        ID_VIEW_RESIDUALS, ID_VIEW_CLIP, 0, ID_VIEW_FIT_WINDOW}},
      {QT_TRANSLATE_NOOP("CMainFrame", "範囲設定"),
       {ID_RANGE_SET, ID_RANGE_INPUT, ID_PEAK_POSITION, ID_FIND_PEAKS, 0, ID_RANGE_RESET}},
      {QT_TRANSLATE_NOOP("CMainFrame", "フィッテング"),
       {ID_LSQ_CONDITION, ID_LSQ_START, ID_SAVE_RESULT, ID_SAVE_REPORT, ID_REPORT_SETTINGS,
        ID_PEAK_TABLE, ID_SERIES_FIT}},
      {QT_TRANSLATE_NOOP("CMainFrame", "補正"),
       {ID_BACK_REMOVE, ID_BACK_SNIP, ID_BACK_SUBTRACT, ID_POLAR_CORRECT}},
      {QT_TRANSLATE_NOOP("CMainFrame", "校正"), {ID_CALIBRATE_ADD, ID_CALIBRATION, ID_LATTICE}},
  };
  return menus;
}

const std::vector<int>& ToolBarButtons() {
  static const std::vector<int> buttons = {ID_FILE_NEW,   ID_FILE_OPEN,
                                           ID_FILE_SAVE,  0,
                                           ID_EDIT_CUT,   ID_EDIT_COPY,
                                           ID_EDIT_PASTE, 0,
                                           ID_FILE_PRINT, 0,
                                           ID_APP_ABOUT,  0,
                                           ID_FIND_PEAKS};
  return buttons;
}
