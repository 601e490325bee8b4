#include "app/CommandHelp.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>
#include <QList>
#include <QStringList>

#include "app/CommandIds.h"
#include "app/CommandTable.h"

using namespace cmd;

namespace {

// What the modern view adds to a command: its prompt (marked for
// translation; nullptr keeps the classic one) and its keys ("" for none).
struct ModernHelp {
  int id;
  const char* prompt;
  const char* shortcut;
};

constexpr ModernHelp kModernHelp[] = {
    {ID_LSQ_START, QT_TRANSLATE_NOOP("CMainFrame", "置いたピークを最小二乗法でフィットします"),
     "F5"},
    {ID_SAVE_RESULT,
     QT_TRANSLATE_NOOP("CMainFrame", "フィットしたパラメータとモデル曲線をファイルに保存"), ""},
    {ID_BACK_REMOVE,
     QT_TRANSLATE_NOOP("CMainFrame",
                       "表示範囲を区切った最小値に三次式を当てはめてバックグラウンドを推定します"),
     ""},
    {ID_POLAR_CORRECT, QT_TRANSLATE_NOOP("CMainFrame", "強度に偏光補正をかけます（1 回だけ）"), ""},
    {ID_EXPORT_PLOT,
     QT_TRANSLATE_NOOP("CMainFrame", "プロットを PNG・SVG の画像または PDF として保存"), ""},
    {ID_FIND_PEAKS, nullptr, "Ctrl+F"},
};

QString Text(const char* source) { return QCoreApplication::translate("CMainFrame", source); }

QList<QKeySequence> Keys(const char* shortcuts) {
  QList<QKeySequence> keys;
  for (const QString& key : QString::fromLatin1(shortcuts).split(';', Qt::SkipEmptyParts)) {
    keys << QKeySequence(key);
  }
  return keys;
}

}  // namespace

void ShowCommandHelp(const std::function<QAction*(int)>& action, bool modern) {
  for (const ModernHelp& help : kModernHelp) {
    QAction* command = action(help.id);
    const CommandInfo* classic = FindCommand(help.id);
    if (command == nullptr || classic == nullptr) continue;
    const char* prompt = modern && help.prompt != nullptr ? help.prompt : classic->prompt;
    command->setStatusTip(Text(prompt).split('\n').value(0));
    QList<QKeySequence> keys = Keys(classic->shortcuts);
    if (modern) keys << Keys(help.shortcut);
    command->setShortcuts(keys);
  }
}
