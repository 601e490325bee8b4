#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "profile/FileType.h"

class CTavDoc;
class AnsweringHost;
class CTavView;
class PlotWidget;
class QAction;
class QLabel;
class QtHost;

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
  // The action of a command id (see CommandIds.h), or nullptr.
  QAction* Action(int id) const;
  QLabel* IdlePane() const { return m_idle; }

  // Runs a command as its menu item, accelerator or button does.
  void Execute(int id);
  void UpdateCommandStates();
  // Opens path through the open command with the dialogs answered ahead: the
  // type, and for X-Y the reading settings as the column dialog shows them.
  void OpenWithoutDialogs(const std::string& path, FileType type);

  void PrintPreview();

 private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  void ConnectCommands();
  void Connect(int id, std::function<void()> handler);

  std::unique_ptr<QtHost> m_host;
  std::unique_ptr<AnsweringHost> m_answers;
  std::unique_ptr<CTavView> m_view;
  PlotWidget* m_plot;
  QLabel* m_idle = nullptr;
  std::map<int, QAction*> m_actions;
  std::map<int, std::function<void()>> m_handlers;
};
