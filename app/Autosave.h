#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <memory>
#include <vector>

// The sessions the GUI saves by itself, one file per running process in the
// user's state folder, each held by a lock file while its process runs, so
// that a session left behind by a crash or a kill can be offered back at the
// next start (and never one of another running instance).

// $XDG_STATE_HOME/tav, else ~/.local/state/tav.
QString AutosaveFolder();

// A session whose process is gone, with its lock now held by this process
// (so that no other instance offers it at the same time).
struct OrphanSession {
  QString path;
  QDateTime saved;
  std::unique_ptr<QLockFile> lock;
  // Removes the file and its lock (restored or discarded).
  void Remove();
};

// The sessions of processes that are gone, newest first.
std::vector<OrphanSession> FindOrphanSessions();

// This process's own file: named by its process id and start time, locked
// from the first write until the process ends; a clean exit (the destructor)
// removes both.
class AutosaveFile {
 public:
  AutosaveFile();
  ~AutosaveFile();
  AutosaveFile(const AutosaveFile&) = delete;
  AutosaveFile& operator=(const AutosaveFile&) = delete;

  const QString& Path() const { return m_path; }
  // Takes the lock (once); false when the folder cannot be made or the lock
  // cannot be had.
  bool Claim();

 private:
  QString m_path;
  std::unique_ptr<QLockFile> m_lock;
};
