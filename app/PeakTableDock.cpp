#include "app/PeakTableDock.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>

#include "app/BoundsDlg.h"
#include "app/WilliamsonHallPanel.h"
#include "fit/Correlations.h"

namespace {

struct Column {
  const char* title;
  Estimate PeakResult::*field;
};

const Column kColumns[] = {
    {QT_TRANSLATE_NOOP("PeakTableDock", "位置 (2θ)"), &PeakResult::position},
    {QT_TRANSLATE_NOOP("PeakTableDock", "高さ"), &PeakResult::height},
    {QT_TRANSLATE_NOOP("PeakTableDock", "半値幅"), &PeakResult::fwhm},
    {QT_TRANSLATE_NOOP("PeakTableDock", "面積"), &PeakResult::area},
    {"d (Å)", &PeakResult::dSpacing},
    {QT_TRANSLATE_NOOP("PeakTableDock", "結晶子径 (nm)"), &PeakResult::sizeNm},
    {"η / m", &PeakResult::shapeParameter},
};
constexpr int kColumnCount = static_cast<int>(std::size(kColumns));
// Only the shapes that have a shape parameter have this last column.
constexpr int kShapeParameterColumn = kColumnCount - 1;

constexpr int kPositionColumn = 0;
constexpr int kHeightColumn = 1;
constexpr int kFwhmColumn = 2;
// The peak's position in the position cell, for sorting the rows.
constexpr int kPositionRole = Qt::UserRole;

// A padlock: the mark of a held parameter.
QIcon LockIcon() {
  QPixmap pixmap(12, 12);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setPen(QPen(QColor(90, 90, 90), 1.5));
  painter.drawArc(QRectF(3, 0.5, 6, 8), 0, 180 * 16);
  painter.drawLine(QPointF(3, 4.5), QPointF(3, 6));
  painter.drawLine(QPointF(9, 4.5), QPointF(9, 6));
  painter.fillRect(QRectF(1.5, 5.5, 9, 6), QColor(200, 150, 40));
  return QIcon(pixmap);
}

QString BoundText(double value) {
  return std::isinf(value) ? QString(value < 0 ? QStringLiteral("−∞") : QStringLiteral("∞"))
                           : QString::number(value, 'g', 6);
}

QString SixDigits(double value) { return QString::number(value, 'g', 6); }

// A statistic that may be NaN (reduced χ² with too few points, Rwp and Rp of
// an all-zero window).
QString StatisticText(double value) {
  return std::isfinite(value) ? SixDigits(value) : QStringLiteral("-");
}

QString StatisticsText(const FitStatistics& s) {
  QString text =
      QCoreApplication::translate(
          "PeakTableDock", "χ² = %1\n換算χ² = %2\nRwp = %3 %\nRp = %4 %\n収束: %5\n反復回数: %6")
          .arg(StatisticText(s.chisq), StatisticText(s.reducedChisq), StatisticText(s.rwp),
               StatisticText(s.rp),
               s.converged ? QCoreApplication::translate("PeakTableDock", "あり")
                           : QCoreApplication::translate("PeakTableDock", "なし"))
          .arg(s.steps);
  if (s.weights != FitWeights::kUnit) {
    text += QCoreApplication::translate("PeakTableDock", "\n重み: %1\nRexp = %2 %\ngof = %3")
                .arg(QString::fromUtf8(FitWeightsName(s.weights)), StatisticText(s.rexp),
                     StatisticText(s.gof));
  }
  return text;
}

}  // namespace

QString EstimateText(const Estimate& estimate) {
  if (!estimate.value || !std::isfinite(*estimate.value)) return QString();
  const double value = *estimate.value;
  if (!estimate.error || !std::isfinite(*estimate.error) || *estimate.error <= 0.0) {
    return SixDigits(value);
  }
  const double error = *estimate.error;
  // The uncertainty's second significant digit sets the decimal place; a
  // rounding up to the next power of ten (0.0996 -> 0.10) moves it by one.
  int place = static_cast<int>(std::floor(std::log10(error))) - 1;
  if (std::round(error / std::pow(10.0, place)) >= 100.0) ++place;
  const double unit = std::pow(10.0, place);
  const int decimals = place < 0 ? -place : 0;
  const double roundedValue = std::round(value / unit) * unit;
  const double roundedError = std::round(error / unit) * unit;
  // Avoid "-0" for a value that rounds to zero.
  const double shownValue = roundedValue == 0.0 ? 0.0 : roundedValue;
  return QStringLiteral("%1 ± %2").arg(QString::number(shownValue, 'f', decimals),
                                       QString::number(roundedError, 'f', decimals));
}

QString PeakTableWidget::TabSeparatedText() const {
  QStringList lines;
  QStringList header;
  for (int c = 0; c < columnCount(); ++c) {
    const QTableWidgetItem* item = horizontalHeaderItem(c);
    header << (item != nullptr ? item->text() : QString());
  }
  lines << QCoreApplication::translate("PeakTableDock", "ピーク") + '\t' + header.join('\t');
  for (int r = 0; r < rowCount(); ++r) {
    QStringList cells;
    const QTableWidgetItem* label = verticalHeaderItem(r);
    cells << (label != nullptr ? label->text() : QString());
    for (int c = 0; c < columnCount(); ++c) {
      const QTableWidgetItem* cell = item(r, c);
      cells << (cell != nullptr ? cell->text() : QString());
    }
    lines << cells.join('\t');
  }
  return lines.join('\n') + '\n';
}

void PeakTableWidget::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    QApplication::clipboard()->setText(TabSeparatedText());
    event->accept();
    return;
  }
  QTableWidget::keyPressEvent(event);
}

PeakTableDock::PeakTableDock(QWidget* parent)
    : QDockWidget(QCoreApplication::translate("PeakTableDock", "ピーク表"), parent),
      m_table(new PeakTableWidget(0, kColumnCount)),
      m_statistics(new QLabel),
      m_notes(new QLabel),
      m_correlations(new QTableWidget),
      m_williamsonHall(new WilliamsonHallPanel) {
  setObjectName(QStringLiteral("peakTableDock"));
  setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
  QStringList titles;
  for (const Column& column : kColumns) {
    titles << QCoreApplication::translate("PeakTableDock", column.title);
  }
  m_table->setHorizontalHeaderLabels(titles);
  m_table->setColumnCount(kShapeParameterColumn);
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_table->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(m_table, &QWidget::customContextMenuRequested, this, &PeakTableDock::ShowRowMenu);
  m_table->horizontalHeader()->setToolTip(QCoreApplication::translate(
      "PeakTableDock", "位置の列見出しをクリックすると位置の順に並べます"));
  connect(m_table->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
    if (section == kPositionColumn) SortByPosition(!m_sortByPosition);
  });
  m_askBounds = [this](const QString& what, double& lower, double& upper) {
    CBoundsDlg dialog(what, lower, upper, this);
    if (dialog.exec() != QDialog::Accepted) return false;
    lower = dialog.m_lower;
    upper = dialog.m_upper;
    return true;
  };
  m_statistics->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_notes->setWordWrap(true);
  m_notes->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_correlations->setObjectName(QStringLiteral("correlationTable"));
  m_correlations->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_correlations->setToolTip(
      QCoreApplication::translate("PeakTableDock", "パラメータの相関係数 r"));
  m_correlations->hide();

  auto* body = new QWidget;
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(m_table, 1);
  auto* statistics = new QHBoxLayout;
  statistics->addWidget(m_statistics);
  statistics->addWidget(m_correlations, 1);
  layout->addLayout(statistics);
  layout->addWidget(m_notes);
  layout->addWidget(m_williamsonHall);
  setWidget(body);
  connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (item->column() != m_whColumn || m_whColumn < 0) return;
    const QTableWidgetItem* label = m_table->verticalHeaderItem(item->row());
    if (label == nullptr) return;
    emit WilliamsonHallChoice(label->text().toInt(), item->checkState() == Qt::Checked);
  });
}

void PeakTableDock::ShowPeakChoices(const std::vector<std::string>& hklByPeak,
                                    const std::vector<bool>& inWilliamsonHallByPeak) {
  const QSignalBlocker blocker(m_table);
  int column = m_table->columnCount();
  const auto peakOf = [this](int row) {
    const QTableWidgetItem* label = m_table->verticalHeaderItem(row);
    return label != nullptr ? label->text().toInt() : 0;
  };
  if (!hklByPeak.empty()) {
    m_table->setColumnCount(column + 1);
    m_table->setHorizontalHeaderItem(column, new QTableWidgetItem(QStringLiteral("hkl")));
    for (int r = 0; r < m_table->rowCount(); ++r) {
      const std::size_t k = static_cast<std::size_t>(peakOf(r) - 1);
      m_table->setItem(
          r, column,
          new QTableWidgetItem(k < hklByPeak.size() ? QString::fromStdString(hklByPeak[k])
                                                    : QString()));
    }
    ++column;
  }
  m_whColumn = -1;
  if (inWilliamsonHallByPeak.empty()) return;
  m_whColumn = column;
  m_table->setColumnCount(column + 1);
  auto* header = new QTableWidgetItem(QStringLiteral("W–H"));
  header->setToolTip(QCoreApplication::translate(
      "PeakTableDock", "チェックを外したピークは Williamson–Hall 解析から除きます"));
  m_table->setHorizontalHeaderItem(column, header);
  for (int r = 0; r < m_table->rowCount(); ++r) {
    const std::size_t k = static_cast<std::size_t>(peakOf(r) - 1);
    auto* cell = new QTableWidgetItem;
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    cell->setCheckState(k < inWilliamsonHallByPeak.size() && inWilliamsonHallByPeak[k]
                            ? Qt::Checked
                            : Qt::Unchecked);
    m_table->setItem(r, column, cell);
  }
}

void PeakTableDock::closeEvent(QCloseEvent* event) {
  emit ClosedByUser();
  QDockWidget::closeEvent(event);
}

int PeakTableDock::PeakOfRow(int r) const {
  const QTableWidgetItem* label = r >= 0 ? m_table->verticalHeaderItem(r) : nullptr;
  return label != nullptr ? label->text().toInt() : 0;
}

QMenu* PeakTableDock::RowMenu(int r, QWidget* parent) {
  const int k = PeakOfRow(r);
  if (k <= 0) return nullptr;
  auto* menu = new QMenu(parent);
  connect(menu->addAction(QCoreApplication::translate("PeakTableDock", "ピーク %1 を削除").arg(k)),
          &QAction::triggered, this, [this, k] { emit RemovePeakRequested(k); });
  return menu;
}

QMenu* PeakTableDock::CellMenu(int r, int c, QWidget* parent) {
  const int k = PeakOfRow(r);
  if (k <= 0) return nullptr;
  auto* menu = new QMenu(parent);
  AddParameterItems(menu, k, c);
  AddSharingItems(menu);
  menu->addSeparator();
  QAction* sort = menu->addAction(QCoreApplication::translate("PeakTableDock", "位置の順に並べる"));
  sort->setCheckable(true);
  sort->setChecked(m_sortByPosition);
  connect(sort, &QAction::triggered, this, [this](bool on) { SortByPosition(on); });
  menu->addSeparator();
  connect(menu->addAction(QCoreApplication::translate("PeakTableDock", "ピーク %1 を削除").arg(k)),
          &QAction::triggered, this, [this, k] { emit RemovePeakRequested(k); });
  return menu;
}

void PeakTableDock::AddParameterItems(QMenu* menu, int k, int c) {
  const QList<int> parameters = ParametersOfColumn(c);
  bool fixed = !parameters.isEmpty();
  bool bounded = false;
  for (const int m : parameters) {
    fixed = fixed && ConstraintOf(k, m).fixed;
    bounded = bounded || ConstraintOf(k, m).Bounded();
  }
  QAction* fix = menu->addAction(fixed ? QCoreApplication::translate("PeakTableDock", "固定を解除")
                                       : QCoreApplication::translate("PeakTableDock", "固定"));
  QAction* bound = menu->addAction(QCoreApplication::translate("PeakTableDock", "範囲を設定..."));
  QAction* unbound = menu->addAction(QCoreApplication::translate("PeakTableDock", "範囲を解除"));
  fix->setEnabled(!parameters.isEmpty());
  bound->setEnabled(!parameters.isEmpty());
  unbound->setEnabled(bounded);
  if (parameters.isEmpty()) return;
  connect(fix, &QAction::triggered, this,
          [this, k, parameters, fixed] { emit FixRequested(k, parameters, !fixed); });
  const QTableWidgetItem* header = m_table->horizontalHeaderItem(c);
  const QString what = QCoreApplication::translate("PeakTableDock", "ピーク %1: %2")
                           .arg(k)
                           .arg(header != nullptr ? header->text() : QString());
  const ParameterConstraint current = ConstraintOf(k, parameters.front());
  connect(bound, &QAction::triggered, this, [this, k, parameters, what, current] {
    double lower = current.lower;
    double upper = current.upper;
    if (m_askBounds && m_askBounds(what, lower, upper)) {
      emit BoundsRequested(k, parameters, lower, upper);
    }
  });
  connect(unbound, &QAction::triggered, this, [this, k, parameters] {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    emit BoundsRequested(k, parameters, -kInfinity, kInfinity);
  });
}

void PeakTableDock::AddSharingItems(QMenu* menu) {
  menu->addSeparator();
  QAction* width = menu->addAction(QCoreApplication::translate("PeakTableDock", "幅を共通にする"));
  width->setCheckable(true);
  width->setChecked(m_constraints.shareWidth);
  connect(width, &QAction::triggered, this, [this](bool on) { emit SharingRequested(true, on); });
  QAction* shape =
      menu->addAction(QCoreApplication::translate("PeakTableDock", "形状パラメータを共通にする"));
  shape->setCheckable(true);
  shape->setChecked(m_constraints.shareShape);
  shape->setEnabled(HasShapeParameter(m_shape));
  connect(shape, &QAction::triggered, this, [this](bool on) { emit SharingRequested(false, on); });
}

const ParameterConstraint& PeakTableDock::ConstraintOf(int k, int m) const {
  return m_constraints.Peak(k, m);
}

QList<int> PeakTableDock::ParametersOfColumn(int c) const {
  const PeakShape* shape = FindPeakShape(m_shape);
  if (shape == nullptr) return {};
  const bool split = shape->parametersPerPeak > kRightWidthParameter;
  switch (c) {
    case kPositionColumn:
      return {kPositionParameter};
    case kHeightColumn:
      return {kHeightParameter};
    case kFwhmColumn:
      if (split) return {kWidthParameter, kRightWidthParameter};
      return {kWidthParameter};
    case kShapeParameterColumn:
      if (!shape->HasShapeParameter()) return {};
      if (split) return {kShapeParameter, kRightShapeParameter};
      return {kShapeParameter};
    default:
      return {};
  }
}

void PeakTableDock::ShowConstraints(const FitConstraints& constraints, int shape) {
  m_constraints = constraints;
  m_shape = shape;
  const QSignalBlocker blocker(m_table);
  for (int r = 0; r < m_table->rowCount(); ++r) {
    for (const int c : {kPositionColumn, kHeightColumn, kFwhmColumn, kShapeParameterColumn}) {
      if (c < m_table->columnCount()) MarkCell(r, c);
    }
  }
}

void PeakTableDock::MarkCell(int r, int c) {
  QTableWidgetItem* cell = m_table->item(r, c);
  const int k = PeakOfRow(r);
  if (cell == nullptr || k <= 0) return;
  const QList<int> parameters = ParametersOfColumn(c);
  bool fixed = !parameters.isEmpty();
  QStringList tips;
  for (const int m : parameters) {
    const ParameterConstraint& constraint = ConstraintOf(k, m);
    fixed = fixed && constraint.fixed;
    if (constraint.Bounded()) {
      tips << QCoreApplication::translate("PeakTableDock", "範囲: %1 〜 %2")
                  .arg(BoundText(constraint.lower), BoundText(constraint.upper));
    }
  }
  if (fixed) tips.prepend(QCoreApplication::translate("PeakTableDock", "固定"));
  const bool shared = (c == kFwhmColumn && m_constraints.shareWidth) ||
                      (c == kShapeParameterColumn && m_constraints.shareShape);
  if (shared && !parameters.isEmpty()) {
    tips << QCoreApplication::translate("PeakTableDock", "全ピークで共通");
  }
  cell->setIcon(fixed ? LockIcon() : QIcon());
  cell->setToolTip(tips.join('\n'));
}

bool PeakTableDock::ShowsLock(int r, int c) const {
  const QTableWidgetItem* cell = m_table->item(r, c);
  return cell != nullptr && !cell->icon().isNull();
}

void PeakTableDock::SortByPosition(bool sorted) {
  m_sortByPosition = sorted;
  QHeaderView* header = m_table->horizontalHeader();
  header->setSortIndicatorShown(sorted);
  if (sorted) header->setSortIndicator(kPositionColumn, Qt::AscendingOrder);
  ArrangeRows();
}

void PeakTableDock::ArrangeRows() {
  struct Row {
    int peak;
    double position;
    QTableWidgetItem* label;
    QList<QTableWidgetItem*> cells;
  };
  const QSignalBlocker blocker(m_table);
  std::vector<Row> rows;
  for (int r = 0; r < m_table->rowCount(); ++r) {
    Row row{PeakOfRow(r), std::numeric_limits<double>::quiet_NaN(), nullptr, {}};
    if (const QTableWidgetItem* cell = m_table->item(r, kPositionColumn)) {
      const QVariant position = cell->data(kPositionRole);
      if (position.isValid()) row.position = position.toDouble();
    }
    row.label = m_table->takeVerticalHeaderItem(r);
    for (int c = 0; c < m_table->columnCount(); ++c) row.cells << m_table->takeItem(r, c);
    rows.push_back(row);
  }
  // By position, peaks without one last; by number otherwise and for ties.
  const auto before = [this](const Row& a, const Row& b) {
    if (m_sortByPosition) {
      const bool aKnown = std::isfinite(a.position);
      const bool bKnown = std::isfinite(b.position);
      if (aKnown != bKnown) return aKnown;
      if (aKnown && a.position != b.position) return a.position < b.position;
    }
    return a.peak < b.peak;
  };
  std::stable_sort(rows.begin(), rows.end(), before);
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const Row& row = rows[static_cast<std::size_t>(r)];
    m_table->setVerticalHeaderItem(r, row.label);
    for (int c = 0; c < row.cells.size(); ++c) m_table->setItem(r, c, row.cells[c]);
  }
}

void PeakTableDock::ShowRowMenu(const QPoint& pos) {
  const QModelIndex cell = m_table->indexAt(pos);
  QMenu* menu = CellMenu(cell.row(), cell.column(), this);
  if (menu == nullptr) return;
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(m_table->viewport()->mapToGlobal(pos));
}

void PeakTableDock::ShowShapeParameterColumn(const PeakShape* shape) {
  const bool shown = shape != nullptr && shape->HasShapeParameter();
  m_table->setColumnCount(shown ? kColumnCount : kShapeParameterColumn);
  if (shown) {
    m_table->setHorizontalHeaderItem(
        kShapeParameterColumn,
        new QTableWidgetItem(QString::fromUtf8(kColumns[kShapeParameterColumn].title)));
  }
}

// The terms of a background other than the line, under the statistics.
static QString BackgroundTermsText(const PeakReport& report) {
  const BackgroundBasis& b = report.background;
  if (b.IsLine()) return QString();
  QString text = QCoreApplication::translate("PeakTableDock",
                                             "\nバックグラウンド: チェビシェフ %1 次 (%2〜%3)")
                     .arg(b.order)
                     .arg(SixDigits(b.lo), SixDigits(b.hi));
  for (std::size_t k = 0; k < report.backgroundTerms.size(); ++k) {
    text += QStringLiteral("\n%1 = %2")
                .arg(QString::fromStdString(BackgroundTermName(b.order, static_cast<int>(k))),
                     EstimateText(report.backgroundTerms[k]));
  }
  return text;
}

void PeakTableDock::ShowReport(const PeakReport* report) {
  m_whColumn = -1;
  m_table->clearContents();
  ShowShapeParameterColumn(report != nullptr ? FindPeakShape(report->shape) : nullptr);
  if (report == nullptr) {
    m_table->setRowCount(0);
    m_statistics->clear();
    m_notes->clear();
    m_correlations->hide();
    return;
  }
  m_table->setRowCount(static_cast<int>(report->peaks.size()));
  for (int r = 0; r < m_table->rowCount(); ++r) {
    const PeakResult& peak = report->peaks[static_cast<std::size_t>(r)];
    m_table->setVerticalHeaderItem(r, new QTableWidgetItem(QString::number(peak.peak)));
    for (int c = 0; c < m_table->columnCount(); ++c) {
      auto* cell = new QTableWidgetItem(EstimateText(peak.*kColumns[c].field));
      cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      m_table->setItem(r, c, cell);
    }
    if (peak.position.value) {
      m_table->item(r, kPositionColumn)->setData(kPositionRole, *peak.position.value);
    }
  }
  ArrangeRows();
  m_statistics->setText(StatisticsText(report->statistics) + BackgroundTermsText(*report));
  QStringList notes;
  for (const std::string& note : report->notes) notes << QString::fromStdString(note);
  ShowCorrelations(*report, notes);
  m_notes->setText(notes.join('\n'));
}

void PeakTableDock::ShowCorrelations(const PeakReport& report, QStringList& notes) {
  const Correlations c = CorrelationsOf(report);
  if (c.matrix.empty()) {
    m_correlations->hide();
    return;
  }
  const int n = static_cast<int>(c.names.size());
  QStringList names;
  for (const std::string& name : c.names) names << QString::fromStdString(name);
  m_correlations->clear();
  m_correlations->setRowCount(n);
  m_correlations->setColumnCount(n);
  m_correlations->setHorizontalHeaderLabels(names);
  m_correlations->setVerticalHeaderLabels(names);
  for (int j = 0; j < n; ++j) {
    for (int k = 0; k < n; ++k) {
      const double r = c.matrix[static_cast<std::size_t>(j * n + k)];
      auto* cell = new QTableWidgetItem(QString::number(r, 'f', 3));
      cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (j != k && std::fabs(r) > kStrongCorrelation) cell->setForeground(Qt::red);
      m_correlations->setItem(j, k, cell);
    }
  }
  m_correlations->resizeColumnsToContents();
  m_correlations->show();
  for (const std::string& note : c.notes) notes << QString::fromStdString(note);
}

int PeakTableDock::PreferredWidth() const {
  const int margins = 4 + 4 + 2 * m_table->frameWidth() + 4;
  return m_table->verticalHeader()->width() + m_table->horizontalHeader()->length() + margins +
         m_table->verticalScrollBar()->sizeHint().width();
}
