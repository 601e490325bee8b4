#include "app/ReportSettingsDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kLabelX = 7;
constexpr int kLabelWidth = 80;
constexpr int kEditX = 90;
constexpr int kEditWidth = 60;

QString PositiveNumberMessage() { return QStringLiteral("正の数値を入力してください。"); }

}  // namespace

CReportSettingsDlg::CReportSettingsDlg(const Wavelengths& wavelengths, double k,
                                       double instrumentalFwhm, const QString& source,
                                       QWidget* parent)
    : CTavDialog(parent, QStringLiteral("波長・Scherrer設定"), 220, 132),
      m_wavelengths(wavelengths),
      m_k(k),
      m_instrumentalFwhm(instrumentalFwhm) {
  m_lambda1 = AddRow(QStringLiteral("λ1 (Å)"), 7, wavelengths.lambda1);
  m_lambda2 = AddRow(QStringLiteral("λ2 (Å)"), 25, wavelengths.lambda2);
  m_ratio = AddRow(QStringLiteral("Kα2/Kα1 強度比"), 43, wavelengths.alpha2Ratio);
  m_source = new QLabel(QStringLiteral("波長の値: ") + source, this);
  m_source->setGeometry(Units().Rect(kLabelX, 61, 140, 10));
  m_kEdit = AddRow(QStringLiteral("Scherrer定数 K"), 84, k);
  m_instrumental = AddRow(QStringLiteral("装置の半値幅 (2θ°)"), 102, instrumentalFwhm);
  setTabOrder(m_lambda1, m_lambda2);
  setTabOrder(m_lambda2, m_ratio);
  setTabOrder(m_ratio, m_kEdit);
  setTabOrder(m_kEdit, m_instrumental);
  setTabOrder(m_instrumental, OkButton());
  setTabOrder(OkButton(), CancelButton());
}

QLineEdit* CReportSettingsDlg::AddRow(const QString& label, int y,
                                      const std::optional<double>& value) {
  auto* text = new QLabel(label, this);
  text->setGeometry(Units().Rect(kLabelX, y + 2, kLabelWidth, 10));
  auto* edit = new QLineEdit(value ? DoubleFieldText(*value) : QString(), this);
  edit->setGeometry(Units().Rect(kEditX, y, kEditWidth, 14));
  return edit;
}

bool CReportSettingsDlg::ReadOptionalPositive(QLineEdit* edit, std::optional<double>& value) {
  if (edit->text().trimmed().isEmpty()) {
    value.reset();
    return true;
  }
  double parsed = 0.0;
  if (!ReadDouble(edit, parsed)) return false;
  if (parsed <= 0.0) {
    Refuse(edit, PositiveNumberMessage());
    return false;
  }
  value = parsed;
  return true;
}

bool CReportSettingsDlg::Exchange() {
  Wavelengths read;
  if (!ReadOptionalPositive(m_lambda1, read.lambda1)) return false;
  if (!ReadOptionalPositive(m_lambda2, read.lambda2)) return false;
  if (!ReadOptionalPositive(m_ratio, read.alpha2Ratio)) return false;
  double k = 0.0, instrumental = 0.0;
  if (!ReadDouble(m_kEdit, k)) return false;
  if (k <= 0.0) {
    Refuse(m_kEdit, PositiveNumberMessage());
    return false;
  }
  if (!ReadDouble(m_instrumental, instrumental)) return false;
  if (instrumental < 0.0) {
    Refuse(m_instrumental, QStringLiteral("0 以上の数値を入力してください。"));
    return false;
  }
  m_wavelengths = read;
  m_k = k;
  m_instrumentalFwhm = instrumental;
  return true;
}
