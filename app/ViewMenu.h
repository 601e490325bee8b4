#pragma once

#include <QString>
#include <functional>

#include "app/Preferences.h"

class QAction;
class QObject;

// The view menu's choices and what each one changes: the intensity scale,
// the plot's options one by one, the classic picture or the modern view at
// once, and the plot following the window. The choices are remembered
// between runs.
class ViewMenu {
 public:
  // action finds a command's action; apply puts chosen preferences into
  // effect (the view, the plot widget) and repaints.
  ViewMenu(std::function<QAction*(int)> action, std::function<void(const ViewPreferences&)> apply);

  // Makes the menu's items checkable, the scales a group of one choice that
  // parent owns.
  void MakeCheckable(QObject* parent);
  // Gives every item its handler through connect(id, handler).
  void ConnectItems(const std::function<void(int, std::function<void()>)>& connect);
  // Takes the remembered choices and puts them into effect.
  void Load();
  // Sets the check marks from the choices.
  void ShowChoices() const;
  const ViewPreferences& Preferences() const { return m_preferences; }

  // The classic picture or the modern view, at once.
  void ChooseStyle(PlotStyle style);
  // One of the plot's switches on or off.
  void SetOption(bool PlotOptions::*option, bool on);
  // The plot options a session brought: the choices follow them, the plot
  // following the window when they have a size.
  void Follow(const PlotOptions& restored);

 private:
  // Applies a change, remembers the choices and puts them into effect.
  void Change(const std::function<void(ViewPreferences&)>& change);

  std::function<QAction*(int)> m_action;
  std::function<void(const ViewPreferences&)> m_apply;
  ViewPreferences m_preferences;
};

// The choices of a style: the plot's options of the classic picture or of
// the modern view, the plot following the window in the modern view.
ViewPreferences WithViewStyle(ViewPreferences preferences, PlotStyle style);
