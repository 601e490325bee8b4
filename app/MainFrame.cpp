#include "app/MainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStringList>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <optional>

#include "app/AboutDlg.h"
#include "app/CalibrationDlg.h"
#include "app/CommandHelp.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/ExportFileDialog.h"
#include "app/ExportSizeDlg.h"
#include "app/LatticeDlg.h"
#include "app/PeakTableDock.h"
#include "app/PlotWidget.h"
#include "app/Printing.h"
#include "app/QtHost.h"
#include "app/ReportSettingsDlg.h"
#include "app/SeriesDlg.h"
#include "app/SeriesWindow.h"
#include "app/SessionKeeper.h"
#include "app/UndoSteps.h"
#include "app/ViewMenu.h"
#include "app/WilliamsonHallPanel.h"
#include "commands/Calibration.h"
#include "commands/Commands.h"
#include "commands/PeakAnalysis.h"
#include "history/UndoHistory.h"
#include "profile/TavDoc.h"
#include "render/ExportPlot.h"
#include "series/SeriesFit.h"
#include "view/AnsweringHost.h"
#include "view/PictureWriters.h"
#include "view/TavView.h"

using namespace cmd;

namespace {

QList<QKeySequence> ParseShortcuts(const char* text) {
  QList<QKeySequence> sequences;
  for (const QString& part : QString::fromUtf8(text).split(';', Qt::SkipEmptyParts)) {
    sequences.append(QKeySequence(part, QKeySequence::PortableText));
  }
  return sequences;
}

constexpr int kKeyLockPollMs = 250;
// The width the plot needs to show its whole frame and labels.
constexpr int kPlotWidth = 700;

QString IdleText() { return QCoreApplication::translate("CMainFrame", "ﾚﾃﾞｨ"); }

QString ProgramTitle() {
  return QCoreApplication::translate("CMainFrame",
                                     "カーブフィッティングプログラム（バックグランド自動）");
}

// The local file a drag carries (the first, when it carries several), or "".
QString DraggedFile(const QMimeData* data) {
  if (data == nullptr) return {};
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) return url.toLocalFile();
  }
  return {};
}

// An indicator pane of the status bar, in the "off" look until its key's
// state lights it.
QLabel* IndicatorPane(const char* text) {
  auto* pane = new QLabel(QCoreApplication::translate("CMainFrame", text));
  pane->setAlignment(Qt::AlignCenter);
  pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
  pane->setEnabled(false);
  return pane;
}

QString WavelengthSourceText(WavelengthSource source) {
  switch (source) {
    case WavelengthSource::kFile:
      return QCoreApplication::translate("CMainFrame", "ファイルから");
    case WavelengthSource::kUser:
      return QCoreApplication::translate("CMainFrame", "入力値");
    case WavelengthSource::kDefault:
      return QCoreApplication::translate("CMainFrame", "既定値");
    case WavelengthSource::kNone:
      break;
  }
  return QCoreApplication::translate("CMainFrame", "なし");
}

}  // namespace

CMainFrame::CMainFrame(CTavDoc& doc, QWidget* parent)
    : QMainWindow(parent), m_plot(new PlotWidget(this)) {
  m_viewMenu = std::make_unique<ViewMenu>(
      [this](int id) { return Action(id); },
      [this](const ViewPreferences& preferences) { ApplyView(preferences); });
  m_host = std::make_unique<QtHost>(*m_plot);
  m_answers = std::make_unique<AnsweringHost>(m_host.get());
  m_answers->RecordMessages(false);
  m_view = std::make_unique<CTavView>(doc, *m_answers);
  m_history = std::make_unique<UndoHistory>();
  m_steps = std::make_unique<UndoSteps>(*m_history, *m_view);
  m_sessions = std::make_unique<SessionKeeper>(
      *m_view, *m_answers, *m_history,
      SessionKeeper::Window{
          this, [this](const std::function<void()>& change) { ChangeInOneStep(change); },
          [this] { FollowOpenedSession(); }});
  m_plot->SetView(m_view.get());
  m_plot->SetUndoSteps(m_steps.get());
  setCentralWidget(m_plot);
  setWindowTitle(ProgramTitle());
  setWindowIcon(QIcon(QStringLiteral(":/icons/tav.png")));

  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  // The table takes room from the plot only once there is a report to show.
  m_peakTable = new PeakTableDock(this);
  PlacePeakTable();
  m_view->SetDefaultWavelengths(LoadDefaultWavelengths());
  ConnectCommands();
  m_viewMenu->Load();
  setAcceptDrops(true);
  connect(m_plot, &PlotWidget::ViewInputHandled, this, &CMainFrame::UpdateCommandStates);
  connect(m_plot, &PlotWidget::RemovePeakRequested, this, &CMainFrame::RemovePeak);
  connect(m_peakTable, &PeakTableDock::RemovePeakRequested, this, &CMainFrame::RemovePeak);
  ConnectConstraints();
  UpdateCommandStates();
  m_plot->setFocus();
}

CMainFrame::~CMainFrame() {
  // The widget outlives the view as a child of this window: detach it first.
  m_plot->SetView(nullptr);
  m_plot->SetUndoSteps(nullptr);
}

QAction* CMainFrame::Action(int id) const {
  const auto it = m_actions.find(id);
  return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::CreateActions() {
  for (const CommandInfo& info : Commands()) {
    auto* action = new QAction(tr(info.text), this);
    action->setData(info.id);
    action->setShortcuts(ParseShortcuts(info.shortcuts));
    action->setShortcutContext(Qt::WindowShortcut);
    const QStringList prompt = tr(info.prompt).split('\n');
    action->setStatusTip(prompt.value(0));
    if (prompt.size() > 1) action->setToolTip(prompt.value(1));
    if (*info.icon != '\0') action->setIcon(QIcon(QString::fromUtf8(info.icon)));
    // No command has a handler until ConnectCommands gives it one.
    action->setEnabled(false);
    const int id = info.id;
    connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
    // Accelerators work without a menu item or button.
    addAction(action);
    m_actions[id] = action;
  }
  Action(ID_RANGE_SET)->setCheckable(true);
  Action(ID_PEAK_POSITION)->setCheckable(true);
  Action(ID_PEAK_TABLE)->setCheckable(true);
  m_viewMenu->MakeCheckable(this);
}

void CMainFrame::CreateMenus() {
  for (const MenuInfo& info : MainMenu()) {
    QMenu* menu = menuBar()->addMenu(tr(info.title));
    // The file menu has two separators in a row: keep both.
    menu->setSeparatorsCollapsible(false);
    for (int id : info.items) {
      if (id == 0) {
        menu->addSeparator();
      } else {
        menu->addAction(Action(id));
      }
    }
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    connect(menu, &QMenu::aboutToShow, this, [this] { TrackOpenMenus(+1); });
    connect(menu, &QMenu::aboutToHide, this, [this] { TrackOpenMenus(-1); });
  }
}

void CMainFrame::CreateToolBar() {
  QToolBar* bar = addToolBar(tr("ﾂｰﾙ ﾊﾞｰ"));
  bar->setObjectName(QStringLiteral("toolBar"));
  bar->setIconSize(QSize(16, 15));
  bar->setMovable(true);
  bar->setFloatable(true);
  bar->setAllowedAreas(Qt::AllToolBarAreas);
  for (int id : ToolBarButtons()) {
    if (id == 0) {
      bar->addSeparator();
    } else {
      bar->addAction(Action(id));
    }
  }
}

void CMainFrame::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  // A normal widget of the status bar hides while a prompt shows: the idle
  // text comes back by itself when the prompt goes.
  m_idle = new QLabel(IdleText());
  bar->addWidget(m_idle, 1);
  // A message shown before the window itself (the start's hint) would
  // otherwise leave the idle text showing beneath it once the window shows.
  connect(bar, &QStatusBar::messageChanged, m_idle,
          [this](const QString& message) { m_idle->setVisible(message.isEmpty()); });
  m_capsPane = IndicatorPane("CAP");
  m_numPane = IndicatorPane("NUM");
  m_scrollPane = IndicatorPane("SCRL");
  for (QLabel* pane : {IndicatorPane(QT_TRANSLATE_NOOP("CMainFrame", "ｶﾅ")), m_capsPane, m_numPane,
                       m_scrollPane}) {
    bar->addPermanentWidget(pane);
  }
  PollKeyLocks();
}

void CMainFrame::PollKeyLocks() {
  const std::optional<KeyLockState> state = ReadKeyLocks();
  // A platform that does not report the locks is not asked again.
  if (!state) return;
  ShowKeyLocks(*state);
  m_lockPoll = new QTimer(this);
  connect(m_lockPoll, &QTimer::timeout, this, [this] {
    if (const std::optional<KeyLockState> now = ReadKeyLocks()) ShowKeyLocks(*now);
  });
  m_lockPoll->start(kKeyLockPollMs);
}

void CMainFrame::ShowKeyLocks(const KeyLockState& state) {
  m_capsPane->setEnabled(state.capsLock);
  m_numPane->setEnabled(state.numLock);
  m_scrollPane->setEnabled(state.scrollLock);
}

// While a menu is open the status bar shows the prompt of the highlighted
// item, and nothing for an item (or a separator) without one; the idle text
// comes back when the menus close.
void CMainFrame::TrackOpenMenus(int change) {
  m_openMenus = std::max(0, m_openMenus + change);
  m_idle->setText(m_openMenus > 0 ? QString() : IdleText());
}

void CMainFrame::Connect(int id, std::function<void()> handler) {
  m_handlers[id] = std::move(handler);
  Action(id)->setEnabled(true);
}

void CMainFrame::ConnectCommands() {
  CTavView& view = *m_view;
  // The framework's new document clears neither the spectrum nor the view:
  // it only repaints.
  Connect(ID_FILE_NEW, [this] { m_plot->update(); });
  Connect(ID_FILE_OPEN, [&view] { OnFileOpen(view); });
  Connect(ID_FILE_SAVE, [&view] { OnFileSave(view); });
  Connect(ID_FILE_SAVE_AS, [&view] { OnFileSaveAs(view); });
  Connect(ID_FILE_PRINT, [this] { PrintWithDialog(*m_view, this); });
  Connect(ID_FILE_PRINT_PREVIEW, [this] { PrintPreview(); });
  Connect(ID_APP_EXIT, [this] { close(); });
  Connect(ID_APP_ABOUT, [this] {
    CAboutDlg about(this);
    about.exec();
  });
  Connect(ID_RANGE_SET, [&view] { view.OnRangeSet(); });
  Connect(ID_RANGE_INPUT, [&view] { view.OnRangeInput(); });
  Connect(ID_PEAK_POSITION, [&view] { view.OnPeakPosition(); });
  Connect(ID_RANGE_RESET, [&view] { view.OnRangeReset(); });
  Connect(ID_LSQ_CONDITION, [&view] { OnLsqCondition(view); });
  Connect(ID_LSQ_START, [&view] { OnLsqStart(view); });
  Connect(ID_SAVE_RESULT, [&view] { OnSaveResult(view); });
  Connect(ID_BACK_REMOVE, [&view] { OnBackRemove(view); });
  Connect(ID_BACK_SNIP, [&view] { OnBackSnip(view); });
  Connect(ID_POLAR_CORRECT, [&view] { OnPolarCorrect(view); });
  Connect(ID_SAVE_REPORT, [&view] { OnSaveReport(view); });
  Connect(ID_REPORT_SETTINGS, [this] { OnReportSettings(); });
  Connect(ID_PEAK_TABLE, [this] { TogglePeakTable(); });
  Connect(ID_SERIES_FIT, [this] { OnSeriesFit(); });
  Connect(ID_FIND_PEAKS, [&view] { OnFindPeaks(view); });
  Connect(ID_BACK_SUBTRACT, [&view] { OnBackSubtract(view); });
  Connect(ID_EXPORT_PLOT, [this] { OnExportPlot(); });
  Connect(ID_SESSION_SAVE, [this] { m_sessions->SaveWithDialog(); });
  Connect(ID_SESSION_OPEN, [this] { m_sessions->OpenWithDialog(); });
  Connect(ID_EXPORT_FIT, [this] { m_sessions->ExportFitWithDialog(); });
  ConnectCalibration();
  Connect(ID_EDIT_UNDO, [this] { Undo(); });
  Connect(ID_EDIT_REDO, [this] { Redo(); });
  m_viewMenu->ConnectItems(
      [this](int id, std::function<void()> handler) { Connect(id, std::move(handler)); });
  // Cut, copy, paste and the pane commands have no handler: they stay
  // disabled.
}

// The calibration menu's dialogs change the session as their buttons are
// pressed: what one opening of a dialog changed is one undo step.
void CMainFrame::ConnectCalibration() {
  Connect(ID_CALIBRATE_ADD, [this] { AddFitToCalibration(*m_view); });
  Connect(ID_CALIBRATION, [this] {
    CCalibrationDlg dialog(*m_view, this);
    dialog.exec();
  });
  Connect(ID_LATTICE, [this] {
    CLatticeDlg dialog(*m_view, this);
    dialog.exec();
  });
  m_peakTable->WilliamsonHall()->SetAnalyser(
      [this](const PeakReport& report, const ReportSettings&, BreadthMeasure measure) {
        return AnalyseWilliamsonHallOf(*m_view, report, measure);
      });
  connect(m_peakTable, &PeakTableDock::WilliamsonHallChoice, this, [this](int peak, bool in) {
    {
      const UndoSteps::Scope step(m_steps.get());
      SetWilliamsonHallExcluded(*m_view, {peak}, !in);
    }
    UpdateCommandStates();
  });
}

// The view menu's choices in effect: the plot's options, the plot following
// the window, and the detailed box after a fit in the modern view.
void CMainFrame::ApplyView(const ViewPreferences& preferences) {
  PlotOptions options = preferences.plot;
  options.size = m_view->Plot().size;
  m_view->SetPlotOptions(options);
  m_plot->SetFollowsSize(preferences.fitWindow);
  const bool modern = preferences.plot.style == PlotStyle::kModern;
  SetDetailedFitMessage(*m_view, modern);
  ShowCommandHelp([this](int id) { return Action(id); }, modern);
  m_view->Repaint();
}

void CMainFrame::Execute(int id) {
  const auto it = m_handlers.find(id);
  if (it != m_handlers.end()) {
    // Undo and redo move through the steps; they make none.
    const bool makesStep = id != ID_EDIT_UNDO && id != ID_EDIT_REDO;
    m_host->ForgetSavedFile();
    {
      const UndoSteps::Scope step(makesStep ? m_steps.get() : nullptr);
      it->second();
    }
    if (const std::string& saved = m_host->SavedFile(); !saved.empty()) {
      m_host->ShowStatus(tr("保存しました: %1").arg(QString::fromStdString(saved)));
    }
  }
  UpdateCommandStates();
}

void CMainFrame::RemovePeak(int k) {
  ChangeInOneStep([this, k] { OnRemovePeak(*m_view, k); });
}

void CMainFrame::ChangeInOneStep(const std::function<void()>& change) {
  {
    const UndoSteps::Scope step(m_steps.get());
    change();
  }
  UpdateCommandStates();
}

void CMainFrame::ConnectConstraints() {
  // The menu acts on the peaks placed: a table left from an earlier fit may
  // show more.
  const auto placed = [this](int k) { return k >= 1 && k <= m_view->Peaks().m_nPeak; };
  connect(m_peakTable, &PeakTableDock::FixRequested, this,
          [this, placed](int k, const QList<int>& parameters, bool fixed) {
            if (!placed(k)) return;
            ChangeInOneStep([&] {
              for (const int m : parameters) SetParameterFixed(*m_view, {k, m}, fixed);
            });
          });
  connect(m_peakTable, &PeakTableDock::BoundsRequested, this,
          [this, placed](int k, const QList<int>& parameters, double lower, double upper) {
            if (!placed(k)) return;
            ChangeInOneStep([&] {
              for (const int m : parameters) SetParameterBounds(*m_view, {k, m}, lower, upper);
            });
          });
  connect(m_peakTable, &PeakTableDock::SharingRequested, this, [this](bool width, bool shared) {
    ChangeInOneStep([&] {
      SetSharing(*m_view, width ? SharedParameter::kWidth : SharedParameter::kShape, shared);
    });
  });
}

void CMainFrame::Undo() {
  if (m_history->Undo(*m_view)) ShowRestoredStep();
}

void CMainFrame::Redo() {
  if (m_history->Redo(*m_view)) ShowRestoredStep();
}

// A step taken back or done again brings its fit options, but the box after
// a fit follows the style chosen now.
void CMainFrame::ShowRestoredStep() {
  SetDetailedFitMessage(*m_view, m_viewMenu->Preferences().plot.style == PlotStyle::kModern);
  m_view->Repaint();
}

void CMainFrame::UpdateCommandStates() {
  Action(ID_RANGE_SET)->setChecked(m_view->IsRangeSetChecked());
  Action(ID_PEAK_POSITION)->setChecked(m_view->IsPeakPositionChecked());
  Action(ID_LSQ_START)->setEnabled(m_view->IsLsqStartEnabled());
  Action(ID_SAVE_RESULT)->setEnabled(m_view->IsSaveResultEnabled());
  Action(ID_SAVE_REPORT)->setEnabled(m_view->IsReportEnabled());
  Action(ID_EXPORT_FIT)->setEnabled(m_view->IsSaveResultEnabled());
  m_sessions->NoteCommandDone();
  Action(ID_SERIES_FIT)->setEnabled(m_view->IsLsqStartEnabled());
  Action(ID_FIND_PEAKS)->setEnabled(IsFindPeaksEnabled(*m_view));
  Action(ID_PEAK_TABLE)->setChecked(m_peakTable->isVisible());
  Action(ID_BACK_SUBTRACT)->setEnabled(IsBackSubtractEnabled(*m_view));
  Action(ID_CALIBRATE_ADD)->setEnabled(m_view->IsReportEnabled());
  Action(ID_EDIT_UNDO)->setEnabled(m_history->CanUndo());
  Action(ID_EDIT_REDO)->setEnabled(m_history->CanRedo());
  m_viewMenu->ShowChoices();
  ShowReportInTable();
  ShowFileInTitle();
}

// The program's title, then the name of the file on screen when there is one.
void CMainFrame::ShowFileInTitle() {
  const std::string& path = m_view->GetDocument().m_path;
  QString title = ProgramTitle();
  if (!path.empty()) {
    title += QStringLiteral(" - ") + QFileInfo(QString::fromStdString(path)).fileName();
  }
  if (title != windowTitle()) setWindowTitle(title);
}

void CMainFrame::ShowReportInTable() {
  const FitProblem& problem = m_view->Problem();
  if (m_view->ReportRevision() == m_shownReportRevision &&
      m_view->Calibration() == m_shownCalibration) {
    if (problem.constraints == m_shownConstraints && problem.shape == m_shownShape) return;
    ShowConstraintsInTable();
    return;
  }
  m_shownReportRevision = m_view->ReportRevision();
  m_shownCalibration = m_view->Calibration();
  const PeakReport* report = m_view->Report();
  m_peakTable->ShowReport(report);
  if (report != nullptr) ShowPeakChoices(*report);
  m_peakTable->WilliamsonHall()->ShowReport(report, ReportSettingsOf(*m_view));
  ShowConstraintsInTable();
  if (report != nullptr && !m_peakTable->isVisible() && m_tableLayout.wanted) OpenPeakTable();
}

void CMainFrame::ShowConstraintsInTable() {
  m_shownConstraints = m_view->Problem().constraints;
  m_shownShape = m_view->Problem().shape;
  m_peakTable->ShowConstraints(m_shownConstraints, m_shownShape);
}

// The peaks' hkl while a phase is set, and which enter Williamson–Hall.
void CMainFrame::ShowPeakChoices(const PeakReport& report) {
  std::vector<bool> included;
  for (int k = 1; k <= m_view->Peaks().m_nPeak; ++k) {
    included.push_back(!IsExcludedFromWilliamsonHall(*m_view, k));
  }
  m_peakTable->ShowPeakChoices(HklLabelsOfPeaks(*m_view),
                               report.peaks.size() >= 2 ? included : std::vector<bool>{});
}

// The table starts hidden where it was last put: docked on a side, or
// floating where it was left.
void CMainFrame::PlacePeakTable() {
  m_tableLayout = LoadPeakTableLayout();
  addDockWidget(m_tableLayout.area, m_peakTable);
  m_peakTable->hide();
  if (m_tableLayout.floating) {
    m_peakTable->setFloating(true);
    m_peakTable->restoreGeometry(m_tableLayout.floatingGeometry);
  }
  // Closed by its own button: it stays closed until asked for again.
  connect(m_peakTable, &PeakTableDock::ClosedByUser, this, [this] {
    m_tableLayout.wanted = false;
    SaveTableLayout();
  });
}

// A new report brings the table back if it was closed. The window grows by
// the table's width where the screen has room, so that the plot keeps its
// size; the table never leaves the plot less than its 700 pixels.
void CMainFrame::OpenPeakTable() {
  if (m_peakTable->isFloating()) {
    m_peakTable->show();
    return;
  }
  const int wanted =
      m_tableLayout.dockedWidth > 0 ? m_tableLayout.dockedWidth : m_peakTable->PreferredWidth();
  const bool beside = dockWidgetArea(m_peakTable) != Qt::BottomDockWidgetArea;
  if (beside && !isMaximized() && !isFullScreen()) {
    int grown = width() + wanted;
    if (const QScreen* s = screen()) grown = std::min(grown, s->availableGeometry().width());
    if (grown > width()) resize(grown, height());
  }
  m_peakTable->show();
  if (beside) {
    resizeDocks({m_peakTable}, {std::max(0, std::min(wanted, width() - kPlotWidth))},
                Qt::Horizontal);
  }
}

void CMainFrame::TogglePeakTable() {
  m_tableLayout.wanted = !m_peakTable->isVisible();
  if (m_tableLayout.wanted) {
    OpenPeakTable();
    SaveTableLayout();
  } else {
    SaveTableLayout();
    m_peakTable->hide();
  }
}

// Remembers where the table is; its width only while it is docked and shown.
void CMainFrame::SaveTableLayout() {
  m_tableLayout.area = dockWidgetArea(m_peakTable);
  if (m_tableLayout.area == Qt::NoDockWidgetArea) m_tableLayout.area = Qt::RightDockWidgetArea;
  m_tableLayout.floating = m_peakTable->isFloating();
  if (m_tableLayout.floating) m_tableLayout.floatingGeometry = m_peakTable->saveGeometry();
  if (!m_tableLayout.floating && m_peakTable->isVisible() &&
      m_tableLayout.area != Qt::BottomDockWidgetArea) {
    m_tableLayout.dockedWidth = m_peakTable->width();
  }
  SavePeakTableLayout(m_tableLayout);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!m_sessions->MayQuit()) {
    event->ignore();
    return;
  }
  SaveTableLayout();
  QMainWindow::closeEvent(event);
}

// The series runs in a window of its own, on a thread of its own, from the
// peaks and settings the session has now.
void CMainFrame::OnSeriesFit() {
  CSeriesDlg dialog(this);
  if (dialog.exec() != QDialog::Accepted) return;
  std::vector<std::string> paths;
  for (const QString& file : dialog.Files()) paths.push_back(QFile::encodeName(file).toStdString());
  auto* window =
      new CSeriesWindow(SeriesSetupOf(*m_view), std::move(paths), dialog.Options(), this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
}

void CMainFrame::OnReportSettings() {
  const CTavDoc& doc = m_view->GetDocument();
  const Wavelengths& current = doc.m_wavelengths;
  const ScherrerSettings& scherrer = m_view->Scherrer();
  CReportSettingsDlg dialog(current, WavelengthSourceText(doc.m_wavelengthSource),
                            m_view->DefaultWavelengths(), scherrer.m_k, scherrer.m_instrumentalFwhm,
                            this);
  if (dialog.exec() != QDialog::Accepted) return;
  if (dialog.m_defaults != m_view->DefaultWavelengths()) {
    m_view->SetDefaultWavelengths(dialog.m_defaults);
    SaveDefaultWavelengths(dialog.m_defaults);
  }
  if (!(dialog.m_wavelengths == current)) SetProfileWavelengths(*m_view, dialog.m_wavelengths);
  SetScherrerSettings(*m_view, dialog.m_k, dialog.m_instrumentalFwhm);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (!DraggedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  const QString path = DraggedFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  // Open once the drop is over: a message box must not hold the program the
  // file came from.
  QMetaObject::invokeMethod(
      this,
      [this, path] {
        if (SessionKeeper::IsSessionFile(path)) {
          m_sessions->Open(path);
        } else {
          const UndoSteps::Scope step(m_steps.get());
          OpenWithoutDialogs(QFile::encodeName(path).toStdString(), FileType::Auto);
        }
        UpdateCommandStates();
        emit FileDropped(path);
      },
      Qt::QueuedConnection);
}

void CMainFrame::OpenWithoutDialogs(const std::string& path, FileType type) {
  m_answers->fileType = type;
  m_answers->openPath = path;
  if (type == FileType::Xy) {
    // What the dialog shows: the current settings, the last line at its top.
    const ReadingSettings& r = m_view->Reading();
    m_answers->column =
        ColumnSettings{r.m_xColumn, r.m_yColumn, r.m_skipLines, limits::kLastLineMax};
  }
  OnFileOpen(*m_view);
  // Answers the command did not take must not answer a later dialog.
  m_answers->ClearAnswers();
  UpdateCommandStates();
}

void CMainFrame::PrintPreview() { ::PrintPreview(*m_view, this); }

// A session just opened brings its plot options: the view menu follows them.
void CMainFrame::FollowOpenedSession() {
  m_viewMenu->Follow(m_view->Plot());
  UpdateCommandStates();
}

// The file and its type first, then the picture's size (the plot's own to
// start with), then the picture through the plot's own drawing.
void CMainFrame::OnExportPlot() {
  const QString path = ChooseExportFile(this);
  if (path.isEmpty()) return;

  int width = 0, height = 0;
  DefaultExportSize(*m_view, width, height);
  CExportSizeDlg size(width, height, this);
  if (size.exec() != QDialog::Accepted) return;
  std::string error;
  if (!ExportPlot(*m_view, QFile::encodeName(path).toStdString(), size.Width(), size.Height(),
                  error)) {
    m_answers->ReportFailure(
        tr("%1 に書き出せませんでした: %2").arg(path, QString::fromStdString(error)).toStdString());
    return;
  }
  m_host->ShowStatus(tr("保存しました: %1").arg(path));
}
