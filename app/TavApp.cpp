#include "app/TavApp.h"

#include <QFileInfo>

#include "app/LanguageMenu.h"
#include "app/MainFrame.h"
#include "app/SessionKeeper.h"
#include "app/ViewStyleMenu.h"
#include "profile/TavDoc.h"

CTavApp::CTavApp(Language language) : m_language(language) {}

CTavApp::~CTavApp() {
  // The frame holds the view, which refers to the document.
  m_frame.reset();
  m_doc.reset();
}

bool CTavApp::InitInstance(const QStringList& arguments) {
  m_recent.Load();
  m_doc = std::make_unique<CTavDoc>();
  m_frame = std::make_unique<CMainFrame>(*m_doc);
  AddViewStyleMenu(*m_frame);
  AddLanguageMenu(*m_frame, m_language);
  m_frame->resize(760, 520);
  m_frame->show();
  QObject::connect(m_frame.get(), &CMainFrame::FileDropped, m_frame.get(),
                   [this](const QString& path) { Remember(path); });
  if (!arguments.isEmpty() && !arguments.first().isEmpty()) {
    OpenFromCommandLine(arguments.first());
  } else {
    // A session a crash left behind is offered when no file is named (it
    // stays for a later start otherwise).
    m_frame->Sessions().OfferRecovery();
  }
  return true;
}

void CTavApp::OpenFromCommandLine(const QString& path) {
  if (SessionKeeper::IsSessionFile(path)) {
    m_frame->Sessions().Open(path);
  } else {
    m_frame->OpenWithoutDialogs(QFile::encodeName(path).toStdString(), FileType::Auto);
  }
  Remember(path);
}

void CTavApp::Remember(const QString& path) {
  if (QFileInfo::exists(path)) m_recent.Add(QFileInfo(path).absoluteFilePath());
}

void CTavApp::ExitInstance() { m_recent.Save(); }
