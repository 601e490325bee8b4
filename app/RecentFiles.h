#pragma once

#include <QStringList>

// The recent-file list of 4 entries, kept with QSettings under the
// organisation "Local AppWizard-Generated Applications" (section
// "Recent File List", keys File1..File4). The menu has no slot for it.
class RecentFiles {
 public:
  static constexpr int kSize = 4;

  void Load();
  void Save() const;
  // Moves path to the front, dropping the oldest entry beyond kSize.
  void Add(const QString& path);
  const QStringList& Entries() const { return m_entries; }

 private:
  QStringList m_entries;
};
