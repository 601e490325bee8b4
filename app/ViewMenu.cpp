#include "app/ViewMenu.h"

#include <QAction>
#include <QActionGroup>
#include <utility>

#include "app/CommandIds.h"

using namespace cmd;

namespace {

// The menu's check boxes and the option each one switches.
struct ViewSwitch {
  int id;
  bool ViewPreferences::*flag;
  bool PlotOptions::*option;
};

constexpr ViewSwitch kViewSwitches[] = {
    {ID_VIEW_TICKS, nullptr, &PlotOptions::ticks},
    {ID_VIEW_GRID, nullptr, &PlotOptions::grid},
    {ID_VIEW_RESIDUALS, nullptr, &PlotOptions::residuals},
    {ID_VIEW_CLIP, nullptr, &PlotOptions::clip},
    {ID_VIEW_FIT_WINDOW, &ViewPreferences::fitWindow, nullptr},
};

bool& SwitchedValue(ViewPreferences& p, const ViewSwitch& s) {
  return s.flag != nullptr ? p.*s.flag : p.plot.*s.option;
}

struct ScaleChoice {
  int id;
  IntensityScale scale;
};

constexpr ScaleChoice kScaleChoices[] = {{ID_VIEW_SCALE_LINEAR, IntensityScale::kLinear},
                                         {ID_VIEW_SCALE_SQRT, IntensityScale::kSqrt},
                                         {ID_VIEW_SCALE_LOG, IntensityScale::kLog}};

}  // namespace

ViewPreferences WithViewStyle(ViewPreferences preferences, PlotStyle style) {
  preferences.plot = WithStyle(preferences.plot, style);
  preferences.fitWindow = style == PlotStyle::kModern;
  return preferences;
}

ViewMenu::ViewMenu(std::function<QAction*(int)> action,
                   std::function<void(const ViewPreferences&)> apply)
    : m_action(std::move(action)), m_apply(std::move(apply)) {}

void ViewMenu::MakeCheckable(QObject* parent) {
  auto* scales = new QActionGroup(parent);
  for (const ScaleChoice& choice : kScaleChoices) {
    m_action(choice.id)->setCheckable(true);
    scales->addAction(m_action(choice.id));
  }
  for (const ViewSwitch& option : kViewSwitches) m_action(option.id)->setCheckable(true);
}

void ViewMenu::ConnectItems(const std::function<void(int, std::function<void()>)>& connect) {
  for (const ScaleChoice& choice : kScaleChoices) {
    const IntensityScale scale = choice.scale;
    connect(choice.id,
            [this, scale] { Change([scale](ViewPreferences& p) { p.plot.scale = scale; }); });
  }
  for (const ViewSwitch& option : kViewSwitches) {
    connect(option.id, [this, option] {
      Change([option](ViewPreferences& p) {
        bool& value = SwitchedValue(p, option);
        value = !value;
      });
    });
  }
}

void ViewMenu::Load() {
  m_preferences = LoadViewPreferences();
  m_apply(m_preferences);
}

void ViewMenu::Change(const std::function<void(ViewPreferences&)>& change) {
  change(m_preferences);
  SaveViewPreferences(m_preferences);
  m_apply(m_preferences);
}

void ViewMenu::ShowChoices() const {
  for (const ScaleChoice& choice : kScaleChoices) {
    m_action(choice.id)->setChecked(m_preferences.plot.scale == choice.scale);
  }
  ViewPreferences shown = m_preferences;
  for (const ViewSwitch& option : kViewSwitches) {
    m_action(option.id)->setChecked(SwitchedValue(shown, option));
  }
}

void ViewMenu::ChooseStyle(PlotStyle style) {
  Change([style](ViewPreferences& p) { p = WithViewStyle(p, style); });
}

void ViewMenu::Follow(const PlotOptions& restored) {
  Change([&restored](ViewPreferences& p) {
    p.plot = restored;
    p.fitWindow = restored.size.width > 0;
  });
}

void ViewMenu::SetOption(bool PlotOptions::*option, bool on) {
  Change([option, on](ViewPreferences& p) { p.plot.*option = on; });
}
