#include "app/ReportSettingsDlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <iterator>

#include "app/DialogFont.h"

namespace {

constexpr int kLabelX = 7;
constexpr int kLabelWidth = 80;
constexpr int kEditX = 90;
constexpr int kEditWidth = 60;

QString PositiveNumberMessage() { return CReportSettingsDlg::tr("正の数値を入力してください。"); }

}  // namespace

CReportSettingsDlg::CReportSettingsDlg(const Wavelengths& wavelengths, const QString& source,
                                       const std::optional<Wavelengths>& defaults, double k,
                                       double instrumentalFwhm, QWidget* parent)
    : CTavDialog(parent, tr("波長・Scherrer設定"), 220, 204),
      m_wavelengths(wavelengths),
      m_defaults(defaults),
      m_k(k),
      m_instrumentalFwhm(instrumentalFwhm) {
  m_lambda1 = AddRow(tr("λ1 (Å)"), 7, wavelengths.lambda1);
  m_lambda2 = AddRow(tr("λ2 (Å)"), 25, wavelengths.lambda2);
  m_ratio = AddRow(tr("Kα2/Kα1 強度比"), 43, wavelengths.alpha2Ratio);
  m_source = new QLabel(tr("波長の値: ") + source, this);
  m_source->setGeometry(Units().Rect(kLabelX, 61, 140, 10));
  m_kEdit = AddRow(tr("Scherrer定数 K"), 84, k);
  m_instrumental = AddRow(tr("装置の半値幅 (2θ°)"), 102, instrumentalFwhm);
  m_useDefault = new QCheckBox(tr("波長のないファイルに既定の波長を使う"), this);
  m_useDefault->setGeometry(Units().Rect(kLabelX, 126, 200, 10));
  m_useDefault->setChecked(defaults.has_value());
  const Wavelengths shown = defaults.value_or(Wavelengths{});
  m_defaultLambda1 = AddRow(tr("既定の λ1 (Å)"), 140, shown.lambda1);
  m_defaultLambda2 = AddRow(tr("既定の λ2 (Å)"), 158, shown.lambda2);
  m_defaultRatio = AddRow(tr("既定の強度比"), 176, shown.alpha2Ratio);
  EnableDefaults(m_useDefault->isChecked());
  connect(m_useDefault, &QCheckBox::toggled, this, &CReportSettingsDlg::EnableDefaults);
  QWidget* order[] = {m_lambda1,      m_lambda2,    m_ratio,          m_kEdit,
                      m_instrumental, m_useDefault, m_defaultLambda1, m_defaultLambda2,
                      m_defaultRatio, OkButton(),   CancelButton()};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  m_lambda1->setToolTip(tr("Kα1 線の波長（空欄は不明）"));
  m_lambda2->setToolTip(tr("Kα2 線の波長（空欄は不明）"));
  m_ratio->setToolTip(tr("Kα2 と Kα1 の強度の比（空欄はファイルの値、なければ 0.5）"));
  m_kEdit->setToolTip(tr("Scherrer の式の形状因子（ふつう 0.9）"));
  m_instrumental->setToolTip(tr("結晶子径を求める前に差し引く装置の半値幅"));
  m_useDefault->setToolTip(tr("X-Y ファイルなど波長を書いていないファイルに使う波長"));
  for (QLineEdit* edit : {m_defaultLambda1, m_defaultLambda2, m_defaultRatio}) {
    edit->setToolTip(tr("波長のないファイルが受け取る値"));
  }
}

void CReportSettingsDlg::EnableDefaults(bool enabled) {
  for (QLineEdit* edit : {m_defaultLambda1, m_defaultLambda2, m_defaultRatio}) {
    edit->setEnabled(enabled);
  }
}

QLineEdit* CReportSettingsDlg::AddRow(const QString& label, int y,
                                      const std::optional<double>& value) {
  auto* text = new QLabel(WithGreekInInterfaceFont(label), this);
  text->setTextFormat(Qt::RichText);
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

bool CReportSettingsDlg::ReadWavelengths(QLineEdit* lambda1, QLineEdit* lambda2, QLineEdit* ratio,
                                         Wavelengths& read) {
  return ReadOptionalPositive(lambda1, read.lambda1) &&
         ReadOptionalPositive(lambda2, read.lambda2) &&
         ReadOptionalPositive(ratio, read.alpha2Ratio);
}

// A default is kept only with its λ1: without it nothing could be computed.
bool CReportSettingsDlg::ReadDefaults() {
  if (!m_useDefault->isChecked()) {
    m_defaults.reset();
    return true;
  }
  Wavelengths read;
  if (!ReadWavelengths(m_defaultLambda1, m_defaultLambda2, m_defaultRatio, read)) return false;
  if (!read.lambda1) {
    Refuse(m_defaultLambda1, PositiveNumberMessage());
    return false;
  }
  m_defaults = read;
  return true;
}

bool CReportSettingsDlg::Exchange() {
  Wavelengths read;
  if (!ReadWavelengths(m_lambda1, m_lambda2, m_ratio, read)) return false;
  double k = 0.0, instrumental = 0.0;
  if (!ReadDouble(m_kEdit, k)) return false;
  if (k <= 0.0) {
    Refuse(m_kEdit, PositiveNumberMessage());
    return false;
  }
  if (!ReadDouble(m_instrumental, instrumental)) return false;
  if (instrumental < 0.0) {
    Refuse(m_instrumental, tr("0 以上の数値を入力してください。"));
    return false;
  }
  if (!ReadDefaults()) return false;
  m_wavelengths = read;
  m_k = k;
  m_instrumentalFwhm = instrumental;
  return true;
}
