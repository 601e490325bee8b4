#include "app/LanguageMenu.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>

#include "app/Preferences.h"

namespace {

const QString kLanguageKey = QStringLiteral("Settings/Language");

QString Text(const char* source) { return QCoreApplication::translate("LanguageMenu", source); }

// Each language is named in itself, so that it can be found in either.
struct LanguageItem {
  Language language;
  const char* name;
  const char* code;
};
constexpr LanguageItem kLanguages[] = {{Language::kJapanese, "日本語", "ja"},
                                       {Language::kEnglish, "English", "en"}};

void Choose(QMainWindow& window, Language chosen, Language current) {
  StoreLanguage(chosen);
  if (chosen == current) return;
  QMessageBox::information(
      &window, QStringLiteral("tav"),
      Text(QT_TRANSLATE_NOOP("LanguageMenu", "言語の変更は次回の起動から有効になります。")));
}

// The window's own 表示 menu, when it has one.
QMenu* ExistingViewMenu(QMainWindow& window) {
  const QString title = QCoreApplication::translate("CMainFrame", "表示(&V)");
  for (QAction* action : window.menuBar()->actions()) {
    if (action->menu() != nullptr && action->text() == title) return action->menu();
  }
  return nullptr;
}

}  // namespace

std::optional<Language> StoredLanguage() {
  return LanguageNamed(ProgramSettings().value(kLanguageKey).toString().toStdString());
}

void StoreLanguage(Language language) {
  for (const LanguageItem& item : kLanguages) {
    if (item.language == language) ProgramSettings().setValue(kLanguageKey, item.code);
  }
}

void AddLanguageMenu(QMainWindow& window, Language current) {
  QMenu* view = ExistingViewMenu(window);
  if (view == nullptr) {
    view = window.menuBar()->addMenu(Text(QT_TRANSLATE_NOOP("LanguageMenu", "表示(&V)")));
  } else {
    view->addSeparator();
  }
  QMenu* languages = view->addMenu(Text(QT_TRANSLATE_NOOP("LanguageMenu", "言語(&L)")));
  auto* group = new QActionGroup(languages);
  for (const LanguageItem& item : kLanguages) {
    QAction* action = languages->addAction(QString::fromUtf8(item.name));
    action->setCheckable(true);
    action->setChecked(item.language == current);
    action->setStatusTip(
        Text(QT_TRANSLATE_NOOP("LanguageMenu", "次回の起動から使う言語を選びます")));
    group->addAction(action);
    const Language language = item.language;
    QObject::connect(action, &QAction::triggered, &window,
                     [&window, language, current] { Choose(window, language, current); });
  }
}
