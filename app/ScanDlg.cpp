#include "app/ScanDlg.h"

#include <QLabel>
#include <QListWidget>

CScanDlg::CScanDlg(const std::vector<ScanSummary>& scans, int preset, QWidget* parent)
    : CTavDialog(parent, tr("スキャンの選択"), 400, 160),
      m_scan(preset),
      m_list(new QListWidget(this)) {
  auto* label = new QLabel(tr("このファイルにはスキャンが %1 個あります。読むスキャン:")
                               .arg(static_cast<int>(scans.size())),
                           this);
  label->setGeometry(Units().Rect(7, 7, 330, 10));
  m_list->setGeometry(Units().Rect(7, 20, 330, 133));
  m_list->setSelectionMode(QAbstractItemView::SingleSelection);
  for (const ScanSummary& scan : scans) {
    auto* item = new QListWidgetItem(QString::fromStdString(ScanLine(scan)), m_list);
    item->setData(Qt::UserRole, scan.number);
    if (!scan.error.empty()) item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
    if (scan.number == preset) m_list->setCurrentItem(item);
  }
  // The arrow keys move through the scans at once.
  m_list->setFocus();
  connect(m_list, &QListWidget::itemDoubleClicked, this, &CScanDlg::accept);
}

bool CScanDlg::Exchange() {
  const QListWidgetItem* item = m_list->currentItem();
  if (item == nullptr || !(item->flags() & Qt::ItemIsEnabled)) return false;
  m_scan = item->data(Qt::UserRole).toInt();
  return true;
}
