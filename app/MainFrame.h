#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/KeyLocks.h"
#include "app/Preferences.h"
#include "fit/FitConstraints.h"
#include "profile/FileType.h"
#include "view/CalibrationState.h"

class CTavDoc;
class AnsweringHost;
class CTavView;
class PeakTableDock;
struct PeakReport;
class PlotWidget;
class QAction;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QTimer;
class QtHost;
class UndoHistory;
class UndoSteps;
class ViewMenu;
class SessionKeeper;

// The main window: menus, accelerators, tool bar and status bar around the
// plot widget. Each command's action calls one handler; the view's update
// rules set check marks and enabling before a menu opens and after every
// command or input.
class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  explicit CMainFrame(CTavDoc& doc, QWidget* parent = nullptr);
  ~CMainFrame() override;

  CTavView& View() { return *m_view; }
  // The host the view talks to: answers given ahead, then the platform
  // behind it, the real windows of GuiHost().
  AnsweringHost& Answers() { return *m_answers; }
  QtHost& GuiHost() { return *m_host; }
  PlotWidget& Plot() { return *m_plot; }
  // The peak table beside the plot; hidden until the first report.
  PeakTableDock& PeakTable() { return *m_peakTable; }
  // The steps the edit menu takes back and does again.
  UndoHistory& History() { return *m_history; }
  // The view menu's choices, which other menus may change too.
  ViewMenu& ViewChoices() { return *m_viewMenu; }
  // Session files, the session saved by itself and offered back.
  SessionKeeper& Sessions() { return *m_sessions; }
  // The action of a command id (see CommandIds.h), or nullptr.
  QAction* Action(int id) const;
  QLabel* IdlePane() const { return m_idle; }
  // The CAP, NUM and SCRL panes light while their lock is on. Where the
  // platform reports the locks they are polled; elsewhere they stay off.
  void ShowKeyLocks(const KeyLockState& state);
  bool PollsKeyLocks() const { return m_lockPoll != nullptr; }

  // Runs a command as its menu item, accelerator or button does: one undo
  // step, then the status bar names what a save wrote.
  void Execute(int id);
  // Removes peak k (from the plot's or the table's context menu) as one
  // undo step.
  void RemovePeak(int k);
  // Runs a change the peak table's cell menu asked for as one undo step.
  void ChangeInOneStep(const std::function<void()>& change);
  void UpdateCommandStates();
  // Opens path through the open command with the dialogs answered ahead: the
  // type, and for X-Y the reading settings as the column dialog shows them.
  void OpenWithoutDialogs(const std::string& path, FileType type);

  void PrintPreview();
  void FollowOpenedSession();

 signals:
  // A file dropped on the window was opened (detected by content).
  void FileDropped(const QString& path);

 protected:
  void closeEvent(QCloseEvent* event) override;
  // A local file dropped on the window opens as "自動判別" does, once the
  // drop is over; the first of several is opened.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  void PollKeyLocks();
  void TrackOpenMenus(int change);
  void ConnectCommands();
  void Connect(int id, std::function<void()> handler);
  void OnReportSettings();
  void OnSeriesFit();
  void ShowReportInTable();
  void ShowConstraintsInTable();
  void OpenPeakTable();
  void PlacePeakTable();
  void TogglePeakTable();
  void SaveTableLayout();
  void ConnectCalibration();
  // The table's cell menu: held, bounded and shared parameters.
  void ConnectConstraints();
  void ShowPeakChoices(const PeakReport& report);
  void ApplyView(const ViewPreferences& preferences);
  void ShowFileInTitle();
  void Undo();
  void Redo();
  void ShowRestoredStep();
  void OnExportPlot();

  std::unique_ptr<QtHost> m_host;
  std::unique_ptr<AnsweringHost> m_answers;
  std::unique_ptr<CTavView> m_view;
  std::unique_ptr<UndoHistory> m_history;
  std::unique_ptr<UndoSteps> m_steps;
  std::unique_ptr<SessionKeeper> m_sessions;
  PlotWidget* m_plot;
  std::unique_ptr<ViewMenu> m_viewMenu;
  PeakTableDock* m_peakTable = nullptr;
  // What the table shows, to rebuild it only when the report changes.
  int m_shownReportRevision = -1;
  CalibrationState m_shownCalibration;
  // The constraints (and the shape they are for) the table's marks show.
  FitConstraints m_shownConstraints;
  int m_shownShape = -2;
  // Where the table sits and whether it opens after a fit, kept between runs.
  PeakTableLayout m_tableLayout;
  QLabel* m_idle = nullptr;
  QLabel* m_capsPane = nullptr;
  QLabel* m_numPane = nullptr;
  QLabel* m_scrollPane = nullptr;
  QTimer* m_lockPoll = nullptr;
  int m_openMenus = 0;
  std::map<int, QAction*> m_actions;
  std::map<int, std::function<void()>> m_handlers;
};
