#include "app/SeriesWindow.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <exception>
#include <memory>
#include <utility>

#include "app/Preferences.h"
#include "app/SeriesPlot.h"
#include "app/SeriesXChooser.h"
#include "text/UncertainText.h"

namespace {

constexpr QSize kSavedPlotSize(800, 500);

// The columns a plot can show: every number of a row but the index, the
// peak number and the uncertainties, which become the error bars.
bool IsPlottable(const std::string& name) {
  if (name == "file" || name == "index" || name == "status" || name == "peak" || name == "shape") {
    return false;
  }
  return !(name.size() > 4 && name.compare(name.size() - 4, 4, "_err") == 0);
}

QString ColumnLabel(const std::string& name) {
  static const std::pair<const char*, const char*> kLabels[] = {
      {"position", QT_TRANSLATE_NOOP("CSeriesWindow", "位置 (2θ°)")},
      {"height", QT_TRANSLATE_NOOP("CSeriesWindow", "高さ")},
      {"fwhm", QT_TRANSLATE_NOOP("CSeriesWindow", "半値幅 FWHM (2θ°)")},
      {"area", QT_TRANSLATE_NOOP("CSeriesWindow", "積分強度")},
      {"shape_param", QT_TRANSLATE_NOOP("CSeriesWindow", "形状パラメータ")},
      {"d", QT_TRANSLATE_NOOP("CSeriesWindow", "面間隔 d (Å)")},
      {"size_nm", QT_TRANSLATE_NOOP("CSeriesWindow", "結晶子サイズ (nm)")},
      {"chisq", QT_TRANSLATE_NOOP("CSeriesWindow", "χ²")},
      {"reduced_chisq", QT_TRANSLATE_NOOP("CSeriesWindow", "換算 χ²")},
      {"rwp", QT_TRANSLATE_NOOP("CSeriesWindow", "Rwp (%)")},
  };
  for (const auto& [key, label] : kLabels) {
    if (name == key) return QCoreApplication::translate("CSeriesWindow", label);
  }
  return QString::fromStdString(name);
}

int ColumnOf(const SeriesTable& table, const std::string& name) {
  for (std::size_t i = 0; i < table.header.size(); ++i) {
    if (table.header[i] == name) return static_cast<int>(i);
  }
  return -1;
}

// A cell as a number; false for an empty cell.
bool CellNumber(const std::string& cell, double& value) {
  if (cell.empty()) return false;
  bool ok = false;
  value = QString::fromStdString(cell).toDouble(&ok);
  return ok;
}

// The paths of the files fitted, by their index in the series.
std::vector<SeriesXFile> SeriesXFiles(const SeriesResult& result) {
  std::vector<SeriesXFile> files;
  for (const SeriesFileResult& file : result.files) {
    if (file.index < 0) continue;
    if (files.size() <= static_cast<std::size_t>(file.index)) files.resize(file.index + 1);
    files[static_cast<std::size_t>(file.index)] = SeriesXFile{file.path, file.startTime};
  }
  return files;
}

bool IsUncertainty(const std::string& name) {
  return name.size() > 4 && name.compare(name.size() - 4, 4, "_err") == 0;
}

// A cell as the table shows it: a file by its name, a number with an
// uncertainty column to the precision of the uncertainty (value ± error), any
// other number with six significant digits, the rest as it is.
QString ShownCell(const SeriesTable& table, const std::vector<std::string>& row, std::size_t c) {
  const std::string& name = table.header[c];
  const std::string& cell = row[c];
  if (name == "file") return QFileInfo(QString::fromStdString(cell)).fileName();
  double value = 0.0;
  if (name == "index" || name == "peak" || IsUncertainty(name) || !CellNumber(cell, value)) {
    return QString::fromStdString(cell);
  }
  std::optional<double> error;
  const int errorColumn = ColumnOf(table, name + "_err");
  double e = 0.0;
  if (errorColumn >= 0 && CellNumber(row[static_cast<std::size_t>(errorColumn)], e)) error = e;
  return QString::fromStdString(UncertainText(value, error));
}

}  // namespace

CSeriesWindow::CSeriesWindow(SeriesSetup setup, std::vector<std::string> paths,
                             SeriesOptions options, QWidget* parent)
    : QDialog(parent),
      m_progress(new QProgressBar(this)),
      m_cancelButton(new QPushButton(tr("中止"), this)),
      m_status(new QLabel(this)),
      m_table(new QTableWidget(this)),
      m_column(new QComboBox(this)),
      m_peak(new QComboBox(this)),
      m_x(new SeriesXChooser(this)),
      m_plot(new SeriesPlot(this)),
      m_saveCsv(new QPushButton(tr("CSV保存..."), this)),
      m_savePlot(new QPushButton(tr("図を保存..."), this)) {
  setWindowTitle(tr("シリーズフィット"));
  auto* progressRow = new QHBoxLayout;
  progressRow->addWidget(m_progress, 1);
  progressRow->addWidget(m_cancelButton);
  auto* chooserRow = new QHBoxLayout;
  chooserRow->addWidget(new QLabel(tr("列"), this));
  chooserRow->addWidget(m_column, 1);
  chooserRow->addWidget(new QLabel(tr("ピーク"), this));
  chooserRow->addWidget(m_peak);
  chooserRow->addWidget(m_x, 1);
  chooserRow->addWidget(m_saveCsv);
  chooserRow->addWidget(m_savePlot);
  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->addWidget(m_table);
  splitter->addWidget(m_plot);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(progressRow);
  layout->addWidget(m_status);
  layout->addLayout(chooserRow);
  layout->addWidget(splitter, 1);
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  for (QWidget* w : {static_cast<QWidget*>(m_column), static_cast<QWidget*>(m_peak),
                     static_cast<QWidget*>(m_saveCsv), static_cast<QWidget*>(m_savePlot)}) {
    w->setEnabled(false);
  }
  connect(m_cancelButton, &QPushButton::clicked, this, &CSeriesWindow::Cancel);
  connect(m_column, &QComboBox::currentIndexChanged, this, &CSeriesWindow::UpdatePlot);
  connect(m_peak, &QComboBox::currentIndexChanged, this, &CSeriesWindow::UpdatePlot);
  connect(m_x, &SeriesXChooser::Changed, this, &CSeriesWindow::UpdatePlot);
  m_column->setToolTip(tr("グラフの縦軸にとる列"));
  m_peak->setToolTip(tr("グラフに描くピーク"));
  connect(m_saveCsv, &QPushButton::clicked, this, &CSeriesWindow::AskCsvPath);
  connect(m_savePlot, &QPushButton::clicked, this, &CSeriesWindow::AskPlotPath);
  resize(900, 700);
  Start(std::move(setup), std::move(paths), options);
}

CSeriesWindow::~CSeriesWindow() {
  m_cancel = true;
  if (m_thread.joinable()) m_thread.join();
}

void CSeriesWindow::Cancel() {
  m_cancel = true;
  m_cancelButton->setEnabled(false);
  m_status->setText(tr("中止しています..."));
}

void CSeriesWindow::Start(SeriesSetup setup, std::vector<std::string> paths,
                          SeriesOptions options) {
  m_running = true;
  m_progress->setRange(0, static_cast<int>(paths.size()));
  m_progress->setValue(0);
  m_status->setText(tr("%1 ファイルをフィットしています...").arg(paths.size()));
  m_thread = std::thread([this, setup = std::move(setup), paths = std::move(paths), options] {
    auto result = std::make_shared<SeriesResult>();
    QString error;
    try {
      *result = RunSeries(
          setup, paths, options,
          [this](const SeriesFileResult& file, int done, int total) {
            const bool failed = !file.Succeeded();
            QMetaObject::invokeMethod(
                this, [this, done, total, failed] { ShowProgress(done, total, failed); },
                Qt::QueuedConnection);
          },
          &m_cancel);
    } catch (const std::exception& e) {
      error = QString::fromLocal8Bit(e.what());
    }
    QMetaObject::invokeMethod(
        this, [this, result, error] { ShowResult(std::move(*result), error); },
        Qt::QueuedConnection);
  });
}

void CSeriesWindow::ShowProgress(int done, int total, int failed) {
  m_failed += failed;
  m_progress->setValue(done);
  if (!m_cancel) {
    m_status->setText(tr("%1 / %2 ファイル (失敗 %3)").arg(done).arg(total).arg(m_failed));
  }
}

void CSeriesWindow::ShowResult(SeriesResult result, const QString& error) {
  if (m_thread.joinable()) m_thread.join();
  m_running = false;
  m_result = std::move(result);
  m_cells = SeriesCells(m_result);
  m_cancelButton->setEnabled(false);
  int failed = 0;
  for (const SeriesFileResult& file : m_result.files) failed += file.Succeeded() ? 0 : 1;
  QString text = tr("%1 ファイル, 失敗 %2").arg(m_result.files.size()).arg(failed);
  if (m_result.cancelled) text += tr(" (中止しました)");
  if (!error.isEmpty()) text = tr("シリーズフィットできませんでした: %1").arg(error);
  m_status->setText(text);
  FillTable();
  FillChoosers();
  UpdatePlot();
  emit Finished();
}

void CSeriesWindow::FillTable() {
  m_table->clear();
  m_table->setColumnCount(static_cast<int>(m_cells.header.size()));
  m_table->setRowCount(static_cast<int>(m_cells.rows.size()));
  QStringList header;
  for (const std::string& name : m_cells.header) header << QString::fromStdString(name);
  m_table->setHorizontalHeaderLabels(header);
  for (std::size_t r = 0; r < m_cells.rows.size(); ++r) {
    const std::vector<std::string>& row = m_cells.rows[r];
    for (std::size_t c = 0; c < row.size(); ++c) {
      auto* item = new QTableWidgetItem(ShownCell(m_cells, row, c));
      // The whole path and the full number stay at hand.
      item->setToolTip(QString::fromStdString(row[c]));
      m_table->setItem(static_cast<int>(r), static_cast<int>(c), item);
    }
  }
  // The uncertainties are shown with their values.
  for (std::size_t c = 0; c < m_cells.header.size(); ++c) {
    m_table->setColumnHidden(static_cast<int>(c), IsUncertainty(m_cells.header[c]));
  }
  m_table->resizeColumnsToContents();
}

void CSeriesWindow::FillChoosers() {
  const QSignalBlocker columnBlock(m_column);
  const QSignalBlocker peakBlock(m_peak);
  m_column->clear();
  for (const std::string& name : m_cells.header) {
    if (IsPlottable(name)) m_column->addItem(ColumnLabel(name), QString::fromStdString(name));
  }
  m_peak->clear();
  for (int k = 1; k <= m_result.peakCount; ++k) m_peak->addItem(QString::number(k), k);
  const bool any = !m_cells.rows.empty();
  for (QWidget* w : {static_cast<QWidget*>(m_column), static_cast<QWidget*>(m_peak),
                     static_cast<QWidget*>(m_saveCsv), static_cast<QWidget*>(m_savePlot)}) {
    w->setEnabled(any);
  }
}

void CSeriesWindow::UpdatePlot() {
  SeriesPlotData data;
  const std::string name = m_column->currentData().toString().toStdString();
  const int column = ColumnOf(m_cells, name);
  const int error = ColumnOf(m_cells, name + "_err");
  const int indexColumn = ColumnOf(m_cells, "index");
  const int peakColumn = ColumnOf(m_cells, "peak");
  const std::string peak = std::to_string(m_peak->currentData().toInt());
  data.title = m_column->currentText() + tr(" — ピーク %1").arg(QString::fromStdString(peak));
  data.xTitle = m_x->Title();
  std::vector<double> xs;
  QString reason;
  if (!m_x->Values(SeriesXFiles(m_result), xs, reason)) {
    m_status->setText(tr("横軸のパターンが正しくありません: %1").arg(reason));
  }
  if (column >= 0) {
    for (const std::vector<std::string>& row : m_cells.rows) {
      SeriesPoint point;
      if (row[static_cast<std::size_t>(peakColumn)] != peak) continue;
      if (!CellNumber(row[static_cast<std::size_t>(column)], point.value)) continue;
      double index = 0.0;
      CellNumber(row[static_cast<std::size_t>(indexColumn)], index);
      const auto at = static_cast<std::size_t>(index);
      // A file whose name gives no number has no place on X.
      if (at >= xs.size() || !std::isfinite(xs[at])) continue;
      point.index = xs[at];
      if (error >= 0) CellNumber(row[static_cast<std::size_t>(error)], point.error);
      data.points.push_back(point);
    }
  }
  m_plot->SetData(std::move(data));
}

bool CSeriesWindow::SaveCsvTo(const QString& path, QString& error) const {
  std::string reason;
  if (WriteSeriesCsv(QFile::encodeName(path).toStdString(), m_result, reason)) return true;
  error = QString::fromStdString(reason);
  return false;
}

bool CSeriesWindow::SavePlotTo(const QString& path, QString& error) const {
  return SaveSeriesPlot(path, m_plot->Data(), kSavedPlotSize, error);
}

void CSeriesWindow::AskCsvPath() {
  const QString path =
      QFileDialog::getSaveFileName(this, tr("CSV保存"), StartFolder(), tr("CSV ファイル (*.csv)"));
  if (path.isEmpty()) return;
  RememberFolderOf(path);
  QString error;
  if (!SaveCsvTo(path, error)) {
    QMessageBox::warning(this, windowTitle(), tr("保存できません: %1 (%2)").arg(path, error));
  }
}

void CSeriesWindow::AskPlotPath() {
  QString filter;
  QString path = QFileDialog::getSaveFileName(
      this, tr("図を保存"), StartFolder(),
      tr("PNG 画像 (*.png);;SVG 画像 (*.svg);;PDF 文書 (*.pdf)"), &filter);
  if (path.isEmpty()) return;
  RememberFolderOf(path);
  if (QFileInfo(path).suffix().isEmpty())
    path += filter.contains(QStringLiteral("svg"))   ? ".svg"
            : filter.contains(QStringLiteral("pdf")) ? ".pdf"
                                                     : ".png";
  QString error;
  if (!SavePlotTo(path, error)) {
    QMessageBox::warning(this, windowTitle(), tr("保存できません: %1 (%2)").arg(path, error));
  }
}
