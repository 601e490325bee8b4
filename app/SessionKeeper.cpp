#include "app/SessionKeeper.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <chrono>

#include "app/Preferences.h"
#include "history/UndoHistory.h"
#include "profile/AtomicFile.h"
#include "session/FitExport.h"
#include "session/SessionFile.h"
#include "view/AnsweringHost.h"
#include "view/TavView.h"

namespace {

constexpr int kAutosaveDelayMs = 1500;

std::string ToStd(const QString& path) { return QFile::encodeName(path).toStdString(); }

// A file dialog of the session's own kinds, started in the last folder.
QString AskPath(QWidget* parent, QFileDialog::AcceptMode mode, const QString& title,
                const QStringList& filters, const QString& suffix) {
  QFileDialog dialog(parent, title);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  if (const QString folder = StartFolder(); !folder.isEmpty()) dialog.setDirectory(folder);
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString chosen = dialog.selectedFiles().first();
  RememberFolderOf(chosen);
  return chosen;
}

// The session of a view, formatted and written on a thread of its own from
// copies of the document, the state and the plot options.
void WriteCopy(CTavDoc doc, ViewState state, PlotOptions plot, std::string path) {
  AnsweringHost quiet;
  CTavView view(doc, quiet);
  view.RestoreState(state);
  view.SetPlotOptions(plot);
  std::string reason;
  WriteSession(view, path, false, reason);
}

}  // namespace

SessionKeeper::SessionKeeper(CTavView& view, AnsweringHost& answers, const UndoHistory& history,
                             Window window)
    : m_view(view), m_answers(answers), m_history(history), m_window(std::move(window)) {
  m_savedRevision = m_autosavedRevision = history.Revision();
  m_autosaveTimer.setSingleShot(true);
  m_autosaveTimer.setInterval(kAutosaveDelayMs);
  connect(&m_autosaveTimer, &QTimer::timeout, this, &SessionKeeper::AutosaveNow);
}

SessionKeeper::~SessionKeeper() { WaitForAutosave(); }

bool SessionKeeper::IsSessionFile(const QString& path) {
  return path.endsWith(QStringLiteral(".tav"), Qt::CaseInsensitive);
}

void SessionKeeper::SaveWithDialog() {
  const QString path = AskPath(m_window.widget, QFileDialog::AcceptSave, tr("セッションを保存"),
                               {tr("tav セッション (*.tav)")}, QStringLiteral("tav"));
  if (path.isEmpty()) return;
  m_answers.savePath = ToStd(path);
  OnSaveSession(m_view, false);
  m_answers.ClearAnswers();
  if (QFileInfo::exists(path)) m_savedRevision = m_history.Revision();
}

void SessionKeeper::OpenWithDialog() {
  const QString path =
      AskPath(m_window.widget, QFileDialog::AcceptOpen, tr("セッションを開く"),
              {tr("tav セッション (*.tav)"), tr("すべてのファイル (*)")}, QString());
  if (!path.isEmpty()) Open(path);
}

bool SessionKeeper::Open(const QString& path, bool recovered) {
  bool opened = false;
  m_window.inOneStep([&] { opened = ReadSession(m_view, ToStd(path)); });
  if (!opened) return false;
  m_savedRevision = recovered ? m_history.Revision() - 1 : m_history.Revision();
  m_window.opened();
  m_view.Repaint();
  return true;
}

void SessionKeeper::ExportFitWithDialog() {
  if (!m_view.IsSaveResultEnabled()) return;
  const QString path =
      AskPath(m_window.widget, QFileDialog::AcceptSave, tr("フィット結果をデータで書き出す"),
              {tr("CSV (*.csv)"), tr("タブ区切り (*.tsv *.txt)")}, QStringLiteral("csv"));
  if (path.isEmpty()) return;
  m_answers.savePath = ToStd(path);
  OnExportFit(m_view);
  m_answers.ClearAnswers();
}

void SessionKeeper::NoteCommandDone() {
  if (m_history.Revision() != m_autosavedRevision) m_autosaveTimer.start();
}

void SessionKeeper::AutosaveNow() {
  // One write at a time: a write still running is waited for.
  WaitForAutosave();
  if (!m_autosave.Claim()) return;
  m_autosavedRevision = m_history.Revision();
  m_writing = std::async(std::launch::async, WriteCopy, m_view.GetDocument(), m_view.State(),
                         m_view.Plot(), ToStd(m_autosave.Path()));
}

void SessionKeeper::WaitForAutosave() {
  if (m_writing.valid()) m_writing.wait();
}

bool SessionKeeper::HasUnsavedWork() const {
  if (m_history.Revision() == m_savedRevision) return false;
  return m_view.Peaks().m_nPeak > 0 || m_view.Report() != nullptr ||
         !m_view.Calibration().peaks.empty();
}

bool SessionKeeper::MayQuit() {
  if (!HasUnsavedWork()) return true;
  switch (m_quitQuestion ? m_quitQuestion() : AskQuitQuestion()) {
    case QuitAnswer::kDiscard:
      return true;
    case QuitAnswer::kCancel:
      return false;
    case QuitAnswer::kSave:
      SaveWithDialog();
      return m_history.Revision() == m_savedRevision;
  }
  return false;
}

SessionKeeper::QuitAnswer SessionKeeper::AskQuitQuestion() const {
  QMessageBox box(QMessageBox::Question, QStringLiteral("tav"),
                  tr("保存していない作業があります。終了する前にセッションとして保存しますか?"),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_window.widget);
  box.setDefaultButton(QMessageBox::Save);
  switch (box.exec()) {
    case QMessageBox::Save:
      return QuitAnswer::kSave;
    case QMessageBox::Discard:
      return QuitAnswer::kDiscard;
    default:
      return QuitAnswer::kCancel;
  }
}

void SessionKeeper::OfferRecovery() {
  std::vector<OrphanSession> orphans = FindOrphanSessions();
  if (orphans.empty()) return;
  OrphanSession& newest = orphans.front();
  QMessageBox box(QMessageBox::Question, QStringLiteral("tav"),
                  tr("前回の tav が終了する前の作業が残っています (%1 に自動保存)。復元しますか?")
                      .arg(QLocale().toString(newest.saved, QLocale::ShortFormat)),
                  QMessageBox::NoButton, m_window.widget);
  QPushButton* restore = box.addButton(tr("復元"), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(tr("破棄"), QMessageBox::DestructiveRole);
  box.addButton(tr("後で"), QMessageBox::RejectRole);
  box.setDefaultButton(restore);
  box.exec();
  if (box.clickedButton() == restore) {
    if (Open(newest.path, true)) newest.Remove();
  } else if (box.clickedButton() == discard) {
    newest.Remove();
  }
  // The others (and one kept for later) are released for a later start.
}
