#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <future>
#include <memory>

#include "app/Autosave.h"

class AnsweringHost;
class CTavView;
class QWidget;
class UndoHistory;

// The session as files in the GUI: ﾌｧｲﾙ → セッションを保存 / セッションを開く,
// フィット結果をデータで書き出す, sessions opened from the command line or
// dropped on the window, the session saved by itself after every change
// (off the GUI thread) and offered back after a crash, and the question at
// quitting with work that is in no saved session.
class SessionKeeper : public QObject {
  Q_OBJECT
 public:
  // What the main window does for it: run a change as one undo step, and
  // follow a session just opened (its plot options, the command states).
  struct Window {
    QWidget* widget = nullptr;
    std::function<void(const std::function<void()>&)> inOneStep;
    std::function<void()> opened;
  };
  // The answers to the question at quitting.
  enum class QuitAnswer { kSave, kDiscard, kCancel };

  SessionKeeper(CTavView& view, AnsweringHost& answers, const UndoHistory& history, Window window);
  ~SessionKeeper() override;

  void SaveWithDialog();
  void OpenWithDialog();
  void ExportFitWithDialog();
  // Opens the session file at path as one step; false when refused. A
  // session recovered from an autosave is in no saved session yet.
  bool Open(const QString& path, bool recovered = false);
  // Whether a file is a session (by its name: .tav).
  static bool IsSessionFile(const QString& path);

  // After every command: the session is saved by itself a moment after the
  // last change.
  void NoteCommandDone();
  // Writes the session's own file now (tests; the timer calls it).
  void AutosaveNow();
  QString AutosavePath() const { return m_autosave.Path(); }

  // Whether there are changes that are in no saved session: a step since the
  // last save or open, in a session with peaks, a fit or a calibration.
  bool HasUnsavedWork() const;
  // Asks whether to save them before quitting (the question can be answered
  // ahead by tests); false when quitting is to be cancelled.
  bool MayQuit();
  void SetQuitQuestion(std::function<QuitAnswer()> question) {
    m_quitQuestion = std::move(question);
  }

  // At the start: offers back the newest session a crashed or killed tav
  // left behind.
  void OfferRecovery();

 private:
  QuitAnswer AskQuitQuestion() const;
  void WaitForAutosave();

  CTavView& m_view;
  AnsweringHost& m_answers;
  const UndoHistory& m_history;
  Window m_window;
  std::size_t m_savedRevision = 0;
  std::size_t m_autosavedRevision = 0;
  QTimer m_autosaveTimer;
  AutosaveFile m_autosave;
  std::future<void> m_writing;
  std::function<QuitAnswer()> m_quitQuestion;
};
