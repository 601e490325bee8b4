#include "app/WilliamsonHallPanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <cmath>

#include "app/PeakTableDock.h"
#include "app/WilliamsonHallPlot.h"

namespace {

QString ResultText(const WilliamsonHall& wh) {
  if (!wh.line) return QObject::tr("使えるピークが2本未満のため、求められません");
  const QString size =
      wh.sizeNm.value ? EstimateText(wh.sizeNm) + QStringLiteral(" nm") : QStringLiteral("-");
  const double reduced = wh.line->reducedChisq;
  const QString chisq =
      std::isfinite(reduced) ? QString::number(reduced, 'g', 6) : QStringLiteral("-");
  QString text = QObject::tr("結晶子径 D = %1\n微小ひずみ ε = %2\n換算χ² = %3 (%4 本)")
                     .arg(size, EstimateText(wh.strain), chisq)
                     .arg(wh.points.size());
  if (wh.line->errorsScaled) {
    text += QObject::tr("\n不確かさは点のばらつきに合わせて √(換算χ²) 倍しています");
  }
  return text;
}

}  // namespace

WilliamsonHallPanel::WilliamsonHallPanel(QWidget* parent)
    : QWidget(parent),
      m_breadth(new QComboBox(this)),
      m_result(new QLabel(this)),
      m_notes(new QLabel(this)),
      m_plotButton(new QPushButton(tr("プロット..."), this)) {
  setObjectName(QStringLiteral("williamsonHallPanel"));
  m_breadth->addItem(tr("半値幅"));
  m_breadth->addItem(tr("積分幅"));
  m_breadth->setToolTip(tr("Williamson–Hall 解析に使う幅"));
  m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_notes->setWordWrap(true);
  m_notes->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 4, 0, 0);
  layout->addWidget(new QLabel(QStringLiteral("Williamson–Hall:"), this), 0, 0);
  layout->addWidget(m_breadth, 0, 1);
  layout->addWidget(m_plotButton, 0, 2);
  layout->setColumnStretch(3, 1);
  layout->addWidget(m_result, 1, 0, 1, 4);
  layout->addWidget(m_notes, 2, 0, 1, 4);
  connect(m_breadth, &QComboBox::currentIndexChanged, this, [this] { Analyse(); });
  connect(m_plotButton, &QPushButton::clicked, this, &WilliamsonHallPanel::ShowPlot);
  hide();
}

void WilliamsonHallPanel::ShowReport(const PeakReport* report, const ReportSettings& settings) {
  if (report == nullptr) {
    m_report.reset();
  } else {
    m_report = *report;
  }
  m_settings = settings;
  setVisible(report != nullptr && report->peaks.size() >= 2);
  Analyse();
}

void WilliamsonHallPanel::Analyse() {
  const BreadthMeasure measure =
      m_breadth->currentIndex() == 1 ? BreadthMeasure::kIntegralBreadth : BreadthMeasure::kFwhm;
  m_analysis = m_report ? m_analyser(*m_report, m_settings, measure) : WilliamsonHall{};
  m_result->setText(ResultText(m_analysis));
  QStringList notes;
  for (const std::string& note : m_analysis.notes) notes << QString::fromStdString(note);
  m_notes->setText(notes.join('\n'));
  m_plotButton->setEnabled(m_analysis.line.has_value());
  if (m_window != nullptr) m_window->SetAnalysis(m_analysis);
}

void WilliamsonHallPanel::ShowPlot() {
  if (m_window == nullptr) m_window = new WilliamsonHallWindow(window());
  m_window->SetAnalysis(m_analysis);
  m_window->show();
  m_window->raise();
}
