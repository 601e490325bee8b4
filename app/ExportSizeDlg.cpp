#include "app/ExportSizeDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace {

// The largest side of an exported picture, as tav-cli allows.
constexpr int kMaxSide = 20000;

QSpinBox* SideBox(int value, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setRange(1, kMaxSide);
  box->setValue(value);
  box->setSuffix(QStringLiteral(" px"));
  return box;
}

}  // namespace

CExportSizeDlg::CExportSizeDlg(int width, int height, QWidget* parent)
    : QDialog(parent), m_width(SideBox(width, this)), m_height(SideBox(height, this)) {
  setWindowTitle(tr("プロットの大きさ"));
  auto* form = new QFormLayout(this);
  form->addRow(tr("幅:"), m_width);
  form->addRow(tr("高さ:"), m_height);
  m_width->setToolTip(tr("書き出す画像の幅（PDF ではポイント）"));
  m_height->setToolTip(tr("書き出す画像の高さ（PDF ではポイント）"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

int CExportSizeDlg::Width() const { return m_width->value(); }
int CExportSizeDlg::Height() const { return m_height->value(); }
