// Sessions in the GUI: the session saved by itself and removed at a clean
// exit, sessions of processes that are gone offered back (never a running
// one's), and the question at quitting with unsaved work.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QMessageBox>
#include <QPushButton>
#include <chrono>
#include <thread>

#include "app/Autosave.h"
#include "app/SessionKeeper.h"
#include "session/SessionFile.h"
#include "tests/app/GuiFixture.h"
#include "tests/support/SharedData.h"

namespace {

constexpr const char* kNaCl = "AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc";

// A process that takes the lock of an autosave file and then either ends at
// once (its lock left behind, as after a crash) or waits to be killed.
pid_t LockInChild(const QString& sessionPath, bool stayAlive) {
  const QString lockPath = sessionPath.left(sessionPath.size() - 4) + QStringLiteral(".lock");
  const pid_t child = fork();
  if (child == 0) {
    QLockFile lock(lockPath);
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) _exit(1);
    if (stayAlive) pause();
    _exit(0);  // without unlocking: the lock file stays
  }
  return child;
}

void WaitForFile(const QString& path) {
  for (int i = 0; i < 200 && !QFile::exists(path); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

class SessionGuiTest : public GuiFixture {
 protected:
  // Places and fits a peak of the NaCl profile: work worth keeping.
  void FitAPeak() {
    OpenShared(kNaCl, FileType::Auto);
    answers.range = RangeValues{31.0, 33.5, 0.0, 100000.0};
    Action(cmd::ID_RANGE_INPUT)->trigger();
    Action(cmd::ID_PEAK_POSITION)->trigger();
    View().AppendPeakAt(31.7, 2800.0);
    frame->Execute(cmd::ID_LSQ_START);
  }
};

}  // namespace

TEST_F(SessionGuiTest, TheSessionIsSavedByItselfAndRemovedAtACleanExit) {
  SKIP_WITHOUT_SHARED_DATA();
  FitAPeak();
  SessionKeeper& sessions = frame->Sessions();
  sessions.AutosaveNow();
  const QString path = sessions.AutosavePath();
  EXPECT_TRUE(path.startsWith(AutosaveFolder()));
  frame->Sessions().AutosaveNow();  // waits for the first write
  ASSERT_TRUE(QFile::exists(path));
  // The file holds the session: another view opened from it has its state.
  CTavDoc otherDoc;
  AnsweringHost quiet;
  CTavView other(otherDoc, quiet);
  ASSERT_TRUE(ReadSession(other, QFile::encodeName(path).toStdString()));
  EXPECT_TRUE(other.State().peaks == View().State().peaks);
  EXPECT_NE(other.Report(), nullptr);
  // A running instance's session is never offered.
  EXPECT_TRUE(FindOrphanSessions().empty());
  frame = std::make_unique<CMainFrame>(doc);  // the first one exits cleanly
  EXPECT_FALSE(QFile::exists(path));
}

TEST_F(SessionGuiTest, OnlySessionsOfProcessesThatAreGoneAreOfferedBack) {
  SKIP_WITHOUT_SHARED_DATA();
  FitAPeak();
  ASSERT_TRUE(QDir().mkpath(AutosaveFolder()));
  const QString crashed = AutosaveFolder() + QStringLiteral("/autosave-1-1.tav");
  const QString running = AutosaveFolder() + QStringLiteral("/autosave-2-2.tav");
  std::string reason;
  for (const QString& path : {crashed, running})
    ASSERT_TRUE(WriteSession(View(), QFile::encodeName(path).toStdString(), false, reason));
  const pid_t gone = LockInChild(crashed, false);
  waitpid(gone, nullptr, 0);
  const pid_t alive = LockInChild(running, true);
  WaitForFile(running.left(running.size() - 4) + QStringLiteral(".lock"));

  std::vector<OrphanSession> orphans = FindOrphanSessions();
  ASSERT_EQ(orphans.size(), 1u);
  EXPECT_EQ(orphans[0].path, crashed);
  orphans.clear();  // released for the offer below

  // Offered at the start: restored as one step, and its file is removed.
  Action(cmd::ID_RANGE_RESET)->trigger();
  const ViewState changed = View().State();
  ModalScript script({[](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    for (QAbstractButton* button : box->buttons()) {
      if (button->text() == QStringLiteral("復元")) button->click();
    }
  }});
  frame->Sessions().OfferRecovery();
  EXPECT_FALSE(QFile::exists(crashed));
  EXPECT_FALSE(View().State().range == changed.range);
  // Restored work is in no saved session yet.
  EXPECT_TRUE(frame->Sessions().HasUnsavedWork());

  kill(alive, SIGKILL);
  waitpid(alive, nullptr, 0);
  orphans = FindOrphanSessions();
  ASSERT_EQ(orphans.size(), 1u);
  EXPECT_EQ(orphans[0].path, running);
  orphans[0].Remove();
}

TEST_F(SessionGuiTest, QuittingWithUnsavedWorkAsksFirst) {
  SKIP_WITHOUT_SHARED_DATA();
  SessionKeeper& sessions = frame->Sessions();
  EXPECT_FALSE(sessions.HasUnsavedWork());
  FitAPeak();
  EXPECT_TRUE(sessions.HasUnsavedWork());
  int asked = 0;
  sessions.SetQuitQuestion([&asked] {
    ++asked;
    return SessionKeeper::QuitAnswer::kCancel;
  });
  frame->close();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(frame->isVisible());
  sessions.SetQuitQuestion([&asked] {
    ++asked;
    return SessionKeeper::QuitAnswer::kDiscard;
  });
  frame->close();
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(frame->isVisible());
}
