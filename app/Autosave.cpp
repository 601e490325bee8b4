#include "app/Autosave.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

const QString kPrefix = QStringLiteral("autosave-");

QString LockPathOf(const QString& sessionPath) {
  return sessionPath.left(sessionPath.size() - 4) + QStringLiteral(".lock");
}

}  // namespace

QString AutosaveFolder() {
  QString base = qEnvironmentVariable("XDG_STATE_HOME");
  if (base.isEmpty() || QDir::isRelativePath(base))
    base = QDir::homePath() + QStringLiteral("/.local/state");
  return base + QStringLiteral("/tav");
}

void OrphanSession::Remove() {
  QFile::remove(path);
  if (lock) lock->unlock();  // removes the lock file
}

std::vector<OrphanSession> FindOrphanSessions() {
  std::vector<OrphanSession> orphans;
  const QDir folder(AutosaveFolder());
  const QFileInfoList files =
      folder.entryInfoList({kPrefix + QStringLiteral("*.tav")}, QDir::Files);
  for (const QFileInfo& file : files) {
    auto lock = std::make_unique<QLockFile>(LockPathOf(file.absoluteFilePath()));
    // A lock is taken from its holder only when that process is gone, not
    // for its age.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) continue;
    orphans.push_back(OrphanSession{file.absoluteFilePath(), file.lastModified(), std::move(lock)});
  }
  std::sort(orphans.begin(), orphans.end(),
            [](const OrphanSession& a, const OrphanSession& b) { return a.saved > b.saved; });
  return orphans;
}

AutosaveFile::AutosaveFile()
    : m_path(AutosaveFolder() + QLatin1Char('/') + kPrefix +
             QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-') +
             QString::number(QDateTime::currentMSecsSinceEpoch()) + QStringLiteral(".tav")) {}

AutosaveFile::~AutosaveFile() {
  if (!m_lock) return;
  QFile::remove(m_path);
  m_lock->unlock();
}

bool AutosaveFile::Claim() {
  if (m_lock) return true;
  if (!QDir().mkpath(AutosaveFolder())) return false;
  auto lock = std::make_unique<QLockFile>(LockPathOf(m_path));
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) return false;
  m_lock = std::move(lock);
  return true;
}
