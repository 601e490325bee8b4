#include "app/CalibrationDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <set>

#include "app/CalibrationPlot.h"
#include "app/PeakTableDock.h"
#include "commands/Calibration.h"
#include "fit/PeakShapes.h"
#include "view/Host.h"
#include "view/TavView.h"

namespace {

Estimate EstimateOf(double value, double error) { return Estimate{value, error}; }

Estimate EstimateOf(const std::optional<double>& value, const std::optional<double>& error) {
  return Estimate{value, error};
}

QString ShapeName(int shape) {
  const PeakShape* s = FindPeakShape(shape);
  return s != nullptr ? QString::fromUtf8(s->name) : QString();
}

QString Number(double value) {
  return std::isfinite(value) ? QString::number(value, 'g', 6) : QStringLiteral("-");
}

QString ResultText(const InstrumentFunction& f) {
  const ResolutionFunction& r = f.resolution;
  const auto term = [&](double value, int i) {
    return EstimateText(EstimateOf(value, std::sqrt(r.covariance[i][i])));
  };
  QString text = QObject::tr(
                     "FWHM² = U·tan²θ + V·tanθ + W\nU = %1\nV = %2\nW = %3\n"
                     "範囲 2θ = %4 – %5°、%6 本、換算χ² = %7")
                     .arg(term(r.u, 0), term(r.v, 1), term(r.w, 2), Number(r.minTwoTheta),
                          Number(r.maxTwoTheta))
                     .arg(r.peaks)
                     .arg(Number(r.reducedChisq));
  if (r.mixing) {
    text +=
        QObject::tr("\n%1 = %2 + %3·2θ")
            .arg(ShapeName(r.mixing->shape) == QStringLiteral("pearson7") ? QStringLiteral("m")
                                                                          : QStringLiteral("η"),
                 EstimateText(
                     EstimateOf(r.mixing->intercept, std::sqrt(r.mixing->covariance[0][0]))),
                 EstimateText(EstimateOf(r.mixing->slope, std::sqrt(r.mixing->covariance[1][1]))));
  }
  text += QObject::tr("\n標準試料: %1  λ = %2 Å  %3")
              .arg(QString::fromStdString(f.standard),
                   f.wavelength ? Number(*f.wavelength) : QStringLiteral("-"),
                   QString::fromStdString(f.date));
  return text;
}

}  // namespace

CCalibrationDlg::CCalibrationDlg(CTavView& view, QWidget* parent)
    : QDialog(parent),
      m_view(view),
      m_table(new QTableWidget(0, 5, this)),
      m_add(new QPushButton(tr("フィットを追加"), this)),
      m_remove(new QPushButton(tr("削除"), this)),
      m_clear(new QPushButton(tr("すべて削除"), this)),
      m_fit(new QPushButton(tr("分解能関数をフィット"), this)),
      m_save(new QPushButton(tr("保存..."), this)),
      m_load(new QPushButton(tr("読み込み..."), this)),
      m_use(new QCheckBox(tr("Scherrer と Williamson–Hall に使う"), this)),
      m_result(new QLabel(this)),
      m_file(new QLabel(this)),
      m_plot(new CalibrationPlot(this)) {
  setWindowTitle(tr("装置関数"));
  m_table->setObjectName(QStringLiteral("calibrationSet"));
  m_table->setHorizontalHeaderLabels(
      {tr("位置 (2θ)"), tr("半値幅"), QStringLiteral("η / m"), tr("形"), tr("装置関数との差")});
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_file->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_file->setWordWrap(true);

  auto* setButtons = new QHBoxLayout;
  for (QPushButton* b : {m_add, m_remove, m_clear}) setButtons->addWidget(b);
  setButtons->addStretch(1);
  auto* fileButtons = new QHBoxLayout;
  for (QPushButton* b : {m_fit, m_save, m_load}) fileButtons->addWidget(b);
  fileButtons->addStretch(1);
  auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* left = new QVBoxLayout;
  left->addWidget(new QLabel(tr("校正セット（標準試料のピーク）"), this));
  left->addWidget(m_table, 1);
  left->addLayout(setButtons);
  auto* right = new QVBoxLayout;
  right->addWidget(m_plot, 1);
  right->addWidget(m_result);
  right->addLayout(fileButtons);
  right->addWidget(m_file);
  right->addWidget(m_use);
  m_use->setToolTip(tr("結晶子径と Williamson–Hall で、各ピークの装置の半値幅をこの関数から取る"));
  auto* body = new QHBoxLayout;
  body->addLayout(left, 1);
  body->addLayout(right, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body, 1);
  layout->addWidget(close);

  connect(m_add, &QPushButton::clicked, this, [this] { Run(AddFitToCalibration); });
  connect(m_remove, &QPushButton::clicked, this, &CCalibrationDlg::RemoveSelected);
  connect(m_clear, &QPushButton::clicked, this, [this] { Run(ClearCalibration); });
  connect(m_fit, &QPushButton::clicked, this, [this] { Run(FitInstrumentFunction); });
  connect(m_save, &QPushButton::clicked, this, &CCalibrationDlg::Save);
  connect(m_load, &QPushButton::clicked, this, &CCalibrationDlg::Load);
  connect(m_use, &QCheckBox::clicked, this,
          [this](bool on) { Run([on](CTavView& v) { SetInstrumentUse(v, on); }); });
  Refresh();
  resize(900, 480);
}

template <typename Command>
void CCalibrationDlg::Run(Command command) {
  command(m_view);
  Refresh();
  m_view.Repaint();
}

void CCalibrationDlg::RemoveSelected() {
  std::set<int, std::greater<>> rows;
  for (const QModelIndex& index : m_table->selectionModel()->selectedRows()) {
    rows.insert(index.row());
  }
  Run([&rows](CTavView& v) {
    for (const int row : rows) RemoveCalibrationPeak(v, row + 1);
  });
}

void CCalibrationDlg::Save() {
  std::string path = "*.json";
  if (!m_view.GetHost().SaveFileDialog(path)) return;
  Run([&path](CTavView& v) { SaveInstrumentFunction(v, path); });
}

void CCalibrationDlg::Load() {
  std::string path = "*.json";
  if (!m_view.GetHost().OpenFileDialog(path)) return;
  Run([&path](CTavView& v) { LoadInstrumentFunction(v, path); });
}

void CCalibrationDlg::Refresh() {
  const CalibrationState& c = m_view.Calibration();
  ShowSet();
  m_add->setEnabled(m_view.IsReportEnabled());
  m_remove->setEnabled(!c.peaks.empty());
  m_clear->setEnabled(!c.peaks.empty());
  m_fit->setEnabled(!c.peaks.empty());
  m_save->setEnabled(c.instrument.has_value());
  m_use->setEnabled(c.instrument.has_value());
  m_use->setChecked(c.useInstrument);
  m_result->setText(c.instrument ? ResultText(*c.instrument) : tr("装置関数はまだありません"));
  m_file->setText(!c.instrument ? QString()
                  : c.instrumentPath.empty()
                      ? tr("ファイル: （未保存）")
                      : tr("ファイル: %1").arg(QString::fromStdString(c.instrumentPath)));
  m_plot->Show(c.peaks, c.instrument ? std::optional(c.instrument->resolution) : std::nullopt);
}

void CCalibrationDlg::ShowSet() {
  const CalibrationState& c = m_view.Calibration();
  m_table->clearContents();
  m_table->setRowCount(static_cast<int>(c.peaks.size()));
  for (int r = 0; r < m_table->rowCount(); ++r) {
    const CalibrationPeak& p = c.peaks[static_cast<std::size_t>(r)];
    const double offset =
        c.instrument ? p.fwhm - c.instrument->resolution.FwhmAt(p.position) : std::nan("");
    const QString cells[] = {EstimateText(EstimateOf(p.position, p.positionError)),
                             EstimateText(EstimateOf(p.fwhm, p.fwhmError)),
                             EstimateText(EstimateOf(p.shapeParameter, p.shapeParameterError)),
                             ShapeName(p.shape),
                             std::isfinite(offset) ? QString::number(offset, 'f', 5) : QString()};
    m_table->setVerticalHeaderItem(r, new QTableWidgetItem(QString::number(r + 1)));
    for (int col = 0; col < 5; ++col) {
      auto* item = new QTableWidgetItem(cells[col]);
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      m_table->setItem(r, col, item);
    }
  }
}
