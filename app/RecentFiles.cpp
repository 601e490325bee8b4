#include "app/RecentFiles.h"

#include "app/Preferences.h"

void RecentFiles::Load() {
  QSettings settings = ProgramSettings();
  settings.beginGroup(QStringLiteral("Recent File List"));
  m_entries.clear();
  for (int i = 1; i <= kSize; ++i) {
    const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
    if (!path.isEmpty()) m_entries.append(path);
  }
}

void RecentFiles::Save() const {
  QSettings settings = ProgramSettings();
  settings.beginGroup(QStringLiteral("Recent File List"));
  for (int i = 1; i <= kSize; ++i) {
    const QString key = QStringLiteral("File%1").arg(i);
    if (i <= m_entries.size()) {
      settings.setValue(key, m_entries.at(i - 1));
    } else {
      settings.remove(key);
    }
  }
}

void RecentFiles::Add(const QString& path) {
  m_entries.removeAll(path);
  m_entries.prepend(path);
  while (m_entries.size() > kSize) m_entries.removeLast();
}
