#pragma once

#include <vector>

#include "app/TavDialog.h"
#include "profile/ScanList.h"

class QListWidget;

// The choice of scan of a file with several: one line a scan (its range,
// points and, where the file says, its axis and conditions); a scan that
// cannot be read is listed with the reason and cannot be chosen. A double
// click chooses the scan.
class CScanDlg : public CTavDialog {
  Q_OBJECT
 public:
  CScanDlg(const std::vector<ScanSummary>& scans, int preset, QWidget* parent = nullptr);

  int m_scan;  // from 1

  QListWidget* List() const { return m_list; }

 protected:
  bool Exchange() override;

 private:
  QListWidget* m_list;
};
