#include "app/LatticeDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/PeakTableDock.h"
#include "app/TavDialog.h"
#include "commands/Calibration.h"
#include "view/Host.h"
#include "view/TavView.h"

namespace {

constexpr CrystalSystem kSystems[] = {CrystalSystem::kCubic, CrystalSystem::kTetragonal,
                                      CrystalSystem::kHexagonal, CrystalSystem::kOrthorhombic};
constexpr Centring kCentrings[] = {Centring::kP, Centring::kI, Centring::kF, Centring::kC};

QString SystemLabel(CrystalSystem system) {
  switch (system) {
    case CrystalSystem::kCubic:
      return QObject::tr("立方晶");
    case CrystalSystem::kTetragonal:
      return QObject::tr("正方晶");
    case CrystalSystem::kHexagonal:
      return QObject::tr("六方晶");
    case CrystalSystem::kOrthorhombic:
      return QObject::tr("斜方晶");
  }
  return QString();
}

QString Sigma(double value, double error) {
  if (!std::isfinite(error)) return QString::number(value, 'g', 7);
  return EstimateText(Estimate{value, error});
}

QString RefinementText(const LatticeRefinement& r) {
  QStringList lines;
  const std::vector<double> lengths = CellParameters(r.cell);
  static const char* const kNames[] = {"a", "b", "c"};
  for (std::size_t j = 0; j < lengths.size(); ++j) {
    const bool twoLengths = lengths.size() == 2;
    const char* name = twoLengths && j == 1 ? "c" : kNames[j];
    const double error = j < r.cellErrors.size() ? r.cellErrors[j] : std::nan("");
    lines << QStringLiteral("%1 = %2 Å").arg(QLatin1String(name), Sigma(lengths[j], error));
  }
  if (std::isfinite(r.zeroError)) {
    lines << QObject::tr("零点 = %1°").arg(Sigma(r.zero, r.zeroError));
  }
  if (std::isfinite(r.displacementError)) {
    lines << QObject::tr("試料変位 = %1 mm").arg(Sigma(r.displacementMm, r.displacementError));
  }
  lines << QObject::tr("χ² = %1、換算χ² = %2、%3 本")
               .arg(QString::number(r.chisq, 'g', 5), QString::number(r.reducedChisq, 'g', 5))
               .arg(r.residuals.size());
  const std::size_t n = r.names.size();
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t k = i + 1; k < n; ++k) {
      lines << QObject::tr("相関 r(%1, %2) = %3")
                   .arg(QString::fromStdString(r.names[i]), QString::fromStdString(r.names[k]),
                        QString::number(r.correlation[i][k], 'f', 3));
    }
  }
  return lines.join('\n');
}

}  // namespace

CLatticeDlg::CLatticeDlg(CTavView& view, QWidget* parent)
    : QDialog(parent),
      m_view(view),
      m_system(new QComboBox(this)),
      m_centring(new QComboBox(this)),
      m_lengths{new QLineEdit(this), new QLineEdit(this), new QLineEdit(this)},
      m_radius(new QLineEdit(this)),
      m_zero(new QCheckBox(tr("零点"), this)),
      m_displacement(new QCheckBox(tr("試料変位（Bragg–Brentano）"), this)),
      m_set(new QPushButton(tr("相を設定"), this)),
      m_refine(new QPushButton(tr("精密化"), this)),
      m_correct(new QCheckBox(tr("以後の d を零点と試料変位で補正する"), this)),
      m_result(new QLabel(this)),
      m_reflections(new QTableWidget(0, 5, this)) {
  setWindowTitle(tr("格子定数"));
  for (const CrystalSystem s : kSystems) m_system->addItem(SystemLabel(s));
  m_radius->setPlaceholderText(tr("なし"));
  m_system->setToolTip(tr("相の晶系"));
  m_centring->setToolTip(tr("格子の中心化（消滅則を決める）"));
  for (QLineEdit* length : m_lengths) length->setToolTip(tr("おおよその格子定数（Å）"));
  m_radius->setToolTip(tr("試料変位の項に要るゴニオメータの半径（空欄はなし）"));
  m_zero->setToolTip(tr("2θ の零点のずれも一緒に精密化する"));
  m_displacement->setToolTip(tr("試料面の変位も一緒に精密化する（ゴニオメータ半径が要る）"));
  m_correct->setToolTip(tr("これからの面間隔を、精密化した零点と試料変位で補正する"));
  m_zero->setChecked(true);
  m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_reflections->setObjectName(QStringLiteral("reflectionTable"));
  m_reflections->setHorizontalHeaderLabels(
      {tr("ピーク"), QStringLiteral("hkl"), tr("観測 2θ"), tr("計算 2θ"), tr("残差")});
  m_reflections->verticalHeader()->hide();
  m_reflections->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_reflections->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

  auto* form = new QFormLayout;
  form->addRow(tr("晶系"), m_system);
  form->addRow(tr("格子の種類"), m_centring);
  form->addRow(QStringLiteral("a (Å)"), m_lengths[0]);
  form->addRow(QStringLiteral("b (Å)"), m_lengths[1]);
  form->addRow(QStringLiteral("c (Å)"), m_lengths[2]);
  form->addRow(tr("ゴニオメータ半径 (mm)"), m_radius);
  auto* refineWith = new QHBoxLayout;
  refineWith->addWidget(m_zero);
  refineWith->addWidget(m_displacement);
  form->addRow(tr("格子と一緒に精密化"), refineWith);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_set);
  buttons->addWidget(m_refine);
  buttons->addStretch(1);
  auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* left = new QVBoxLayout;
  left->addLayout(form);
  left->addLayout(buttons);
  left->addWidget(m_result);
  left->addWidget(m_correct);
  left->addStretch(1);
  auto* body = new QHBoxLayout;
  body->addLayout(left);
  body->addWidget(m_reflections, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body, 1);
  layout->addWidget(close);

  connect(m_system, &QComboBox::currentIndexChanged, this, [this] {
    ShowCentrings();
    ShowSystemLengths();
  });
  connect(m_set, &QPushButton::clicked, this, [this] {
    ApplyFields();
    ShowIndexing();
  });
  connect(m_refine, &QPushButton::clicked, this, &CLatticeDlg::Refine);
  connect(m_correct, &QCheckBox::clicked, this, [this](bool on) {
    SetPositionCorrection(m_view, on);
    m_correct->setChecked(m_view.Calibration().correctPositions);
    m_view.Repaint();
  });
  ShowPhase();
  ShowIndexing();
  resize(820, 440);
}

// The session's phase (a cubic cell to start with when there is none).
void CLatticeDlg::ShowPhase() {
  const CalibrationState& c = m_view.Calibration();
  const UnitCell cell = c.phase.value_or(UnitCell{});
  m_system->setCurrentIndex(static_cast<int>(cell.system));
  ShowCentrings();
  m_centring->setCurrentIndex(m_centring->findData(static_cast<int>(cell.centring)));
  const double lengths[] = {cell.a, cell.b, cell.c};
  for (int j = 0; j < 3; ++j) {
    m_lengths[j]->setText(lengths[j] > 0.0 ? DoubleFieldText(lengths[j]) : QString());
  }
  ShowSystemLengths();
  m_radius->setText(c.goniometerRadiusMm ? DoubleFieldText(*c.goniometerRadiusMm) : QString());
  m_correct->setChecked(c.correctPositions);
}

void CLatticeDlg::ShowCentrings() {
  const QVariant current = m_centring->currentData();
  const auto system = kSystems[std::max(0, m_system->currentIndex())];
  m_centring->clear();
  for (const Centring c : kCentrings) {
    if (AllowsCentring(system, c)) {
      m_centring->addItem(QString::fromUtf8(CentringName(c)), static_cast<int>(c));
    }
  }
  const int kept = m_centring->findData(current);
  m_centring->setCurrentIndex(kept >= 0 ? kept : 0);
}

// b only for an orthorhombic cell, c for every system but the cubic one.
void CLatticeDlg::ShowSystemLengths() {
  const auto system = kSystems[std::max(0, m_system->currentIndex())];
  m_lengths[1]->setEnabled(system == CrystalSystem::kOrthorhombic);
  m_lengths[2]->setEnabled(system != CrystalSystem::kCubic);
}

std::optional<UnitCell> CLatticeDlg::ReadCell() {
  UnitCell cell;
  cell.system = kSystems[std::max(0, m_system->currentIndex())];
  cell.centring = static_cast<Centring>(m_centring->currentData().toInt());
  std::vector<double> values;
  for (int j = 0; j < 3; ++j) {
    if (!m_lengths[j]->isEnabled()) continue;
    bool ok = false;
    const double v = m_lengths[j]->text().trimmed().toDouble(&ok);
    if (!ok || !(v > 0.0) || !std::isfinite(v)) {
      m_view.GetHost().ReportFailure(tr("格子定数は正の数で入力してください").toStdString());
      m_lengths[j]->setFocus();
      m_lengths[j]->selectAll();
      return std::nullopt;
    }
    values.push_back(v);
  }
  return WithCellParameters(cell, values);
}

bool CLatticeDlg::ReadRadius(std::optional<double>& radius) {
  const QString text = m_radius->text().trimmed();
  radius.reset();
  if (text.isEmpty()) return true;
  bool ok = false;
  const double v = text.toDouble(&ok);
  if (!ok || !(v > 0.0) || !std::isfinite(v)) {
    m_view.GetHost().ReportFailure(
        tr("ゴニオメータ半径は正の数で入力するか、空にしてください").toStdString());
    m_radius->setFocus();
    m_radius->selectAll();
    return false;
  }
  radius = v;
  return true;
}

bool CLatticeDlg::ApplyFields() {
  const std::optional<UnitCell> cell = ReadCell();
  std::optional<double> radius;
  if (!cell || !ReadRadius(radius)) return false;
  const CalibrationState& c = m_view.Calibration();
  if (radius != c.goniometerRadiusMm) SetGoniometerRadius(m_view, radius);
  if (!c.phase || !(*c.phase == *cell)) SetPhase(m_view, *cell);
  m_view.Repaint();
  return true;
}

void CLatticeDlg::Refine() {
  if (!ApplyFields()) return;
  const std::optional<LatticeRefinement> r =
      RefinePhase(m_view, m_zero->isChecked(), m_displacement->isChecked());
  if (!r) return;
  ShowPhase();
  m_result->setText(RefinementText(*r));
  m_reflections->setRowCount(static_cast<int>(r->residuals.size()));
  for (int row = 0; row < m_reflections->rowCount(); ++row) {
    const ReflectionResidual& x = r->residuals[static_cast<std::size_t>(row)];
    const QString cells[] = {
        QString::number(x.peak), QString::fromStdString(x.hkl), QString::number(x.observed, 'f', 4),
        QString::number(x.calculated, 'f', 4), QString::number(x.residual, 'f', 4)};
    for (int col = 0; col < 5; ++col) {
      auto* item = new QTableWidgetItem(cells[col]);
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      m_reflections->setItem(row, col, item);
    }
  }
  m_view.Repaint();
}

// Before a refinement: each peak's hkl (or why it has none) in the table.
void CLatticeDlg::ShowIndexing() {
  const std::vector<IndexedPosition> peaks = IndexPeaks(m_view);
  m_result->setText(m_view.Calibration().phase
                        ? tr("%1 本のピークに hkl を付けました")
                              .arg(std::count_if(peaks.begin(), peaks.end(),
                                                 [](const IndexedPosition& p) {
                                                   return p.assignment.kind ==
                                                          HklAssignment::Kind::kAssigned;
                                                 }))
                        : tr("相が設定されていません"));
  m_reflections->setRowCount(static_cast<int>(peaks.size()));
  for (int row = 0; row < m_reflections->rowCount(); ++row) {
    const IndexedPosition& p = peaks[static_cast<std::size_t>(row)];
    QString hkl;
    if (p.assignment.kind == HklAssignment::Kind::kAssigned) {
      hkl = QString::fromStdString(ReflectionLabel(*p.assignment.reflection));
    } else if (p.assignment.kind == HklAssignment::Kind::kAmbiguous) {
      QStringList names;
      for (const Reflection& r : p.assignment.candidates) {
        names << QString::fromStdString(ReflectionLabel(r));
      }
      hkl = tr("? (%1)").arg(names.join(QStringLiteral(", ")));
    }
    const QString cells[] = {QString::number(p.peak), hkl, QString::number(p.twoTheta, 'f', 4),
                             QString(), QString()};
    for (int col = 0; col < 5; ++col) {
      auto* item = new QTableWidgetItem(cells[col]);
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      m_reflections->setItem(row, col, item);
    }
  }
}
