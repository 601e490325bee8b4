#include "app/SeriesDlg.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QThread>
#include <QVBoxLayout>
#include <algorithm>

#include "app/Preferences.h"

CSeriesDlg::CSeriesDlg(QWidget* parent)
    : QDialog(parent),
      m_files(new QListWidget(this)),
      m_chained(new QRadioButton(tr("連続 (前のファイルの結果から)"), this)),
      m_independent(new QRadioButton(tr("独立 (どのファイルも現在のピークから)"), this)),
      m_jobs(new QSpinBox(this)) {
  setWindowTitle(tr("シリーズフィット"));
  m_files->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_files->setMinimumSize(420, 200);
  auto* add = new QPushButton(tr("追加..."), this);
  auto* remove = new QPushButton(tr("削除"), this);
  connect(add, &QPushButton::clicked, this, &CSeriesDlg::ChooseFiles);
  connect(remove, &QPushButton::clicked, this, &CSeriesDlg::RemoveSelected);
  auto* fileButtons = new QVBoxLayout;
  fileButtons->addWidget(add);
  fileButtons->addWidget(remove);
  fileButtons->addStretch();
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(m_files);
  fileRow->addLayout(fileButtons);

  m_chained->setChecked(true);
  m_files->setToolTip(tr("フィットするファイル（パスの順に並べ替えてフィットする）"));
  m_chained->setToolTip(tr("各ファイルを、前に成功したファイルの結果から始める"));
  m_independent->setToolTip(
      tr("どのファイルも現在のピークから始める（複数のスレッドで並行できる）"));
  m_jobs->setToolTip(tr("独立フィットで同時に使うスレッドの数"));
  m_jobs->setRange(1, kMaxSeriesJobs);
  m_jobs->setValue(std::clamp(QThread::idealThreadCount(), 1, kMaxSeriesJobs));
  auto* jobsRow = new QHBoxLayout;
  jobsRow->addWidget(new QLabel(tr("スレッド数"), this));
  jobsRow->addWidget(m_jobs);
  jobsRow->addStretch();
  auto* mode = new QGroupBox(tr("初期値"), this);
  auto* modeLayout = new QVBoxLayout(mode);
  modeLayout->addWidget(m_chained);
  modeLayout->addWidget(m_independent);
  modeLayout->addLayout(jobsRow);
  connect(m_independent, &QRadioButton::toggled, this, &CSeriesDlg::UpdateState);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  m_ok = buttons->button(QDialogButtonBox::Ok);
  m_ok->setText(tr("実行"));
  buttons->button(QDialogButtonBox::Cancel)->setText(tr("ｷｬﾝｾﾙ"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("ファイル (パスの順にフィットします)"), this));
  layout->addLayout(fileRow);
  layout->addWidget(mode);
  layout->addWidget(buttons);
  UpdateState();
}

QStringList CSeriesDlg::Files() const {
  QStringList files;
  for (int i = 0; i < m_files->count(); ++i) files << m_files->item(i)->text();
  return files;
}

SeriesOptions CSeriesDlg::Options() const {
  SeriesOptions options;
  options.mode = m_independent->isChecked() ? SeriesMode::kIndependent : SeriesMode::kChained;
  options.jobs = m_jobs->value();
  return options;
}

void CSeriesDlg::AddFiles(const QStringList& files) {
  QStringList all = Files() + files;
  // The order the series fits them in.
  std::sort(all.begin(), all.end(), [](const QString& a, const QString& b) {
    return QFile::encodeName(a) < QFile::encodeName(b);
  });
  m_files->clear();
  m_files->addItems(all);
  UpdateState();
}

void CSeriesDlg::ChooseFiles() {
  const QStringList files =
      QFileDialog::getOpenFileNames(this, tr("シリーズのファイル"), StartFolder());
  if (files.isEmpty()) return;
  RememberFolderOf(files.first());
  AddFiles(files);
}

void CSeriesDlg::RemoveSelected() {
  qDeleteAll(m_files->selectedItems());
  UpdateState();
}

void CSeriesDlg::UpdateState() {
  m_jobs->setEnabled(m_independent->isChecked());
  m_ok->setEnabled(m_files->count() > 0);
}
