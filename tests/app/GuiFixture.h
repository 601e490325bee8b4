#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/PlotWidget.h"
#include "app/QtHost.h"
#include "profile/TavDoc.h"
#include "tests/support/LoadedProfile.h"
#include "view/AnsweringHost.h"
#include "view/TavView.h"

// A shown main window whose dialogs and message boxes are answered by a
// scripted host behind the window's own; repaints go to the real plot widget.
class GuiFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = std::make_unique<CMainFrame>(doc);
    // Repaints reach the widget; dialogs and message boxes stay scripted.
    answers.SetPlatform(&frame->GuiHost());
    answers.AskPlatform(false);
    frame->Answers().SetPlatform(&answers);
    frame->resize(760, 520);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
  }
  void TearDown() override {
    // QTest keeps the last button "held" after a double-click.
    QTest::mouseRelease(&Plot(), Qt::LeftButton, {}, QPoint(1, 1));
    frame.reset();
  }

  CTavView& View() { return frame->View(); }
  PlotWidget& Plot() { return frame->Plot(); }
  QAction* Action(int id) { return frame->Action(id); }

  // Opens a measured profile through the file menu's open command.
  void OpenShared(const std::string& name, FileType type) {
    answers.fileType = type;
    answers.openPath = SharedData(name);
    Action(cmd::ID_FILE_OPEN)->trigger();
  }

  CTavDoc doc;
  AnsweringHost answers;
  std::unique_ptr<CMainFrame> frame;
};

// Answers the modal windows that a call opens, one step per new modal window
// (a message box over a dialog counts, and so does the dialog again once the
// box is gone). Steps left when the deadline passes fail the test, and every
// modal window is closed so that the call returns.
class ModalScript {
 public:
  using Step = std::function<void(QWidget*)>;

  explicit ModalScript(std::vector<Step> steps) : m_steps(std::move(steps)) {
    m_clock.start();
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
    m_timer.start(10);
  }
  ~ModalScript() { EXPECT_EQ(m_next, m_steps.size()) << "modal windows not answered"; }

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (m_clock.elapsed() > 5000) {
      if (modal != nullptr) modal->close();
      return;
    }
    if (modal == nullptr || modal == m_last || m_next >= m_steps.size()) return;
    m_last = modal;
    // A step may open a nested modal loop (a refusal's message box); the
    // polling timer does not fire again while its own handler runs, so the
    // step runs from an event of its own.
    Step& step = m_steps[m_next++];
    QPointer<QWidget> target(modal);
    QTimer::singleShot(0, &m_timer, [&step, target] {
      if (target) step(target);
    });
  }

  std::vector<Step> m_steps;
  std::size_t m_next = 0;
  QPointer<QWidget> m_last;
  QTimer m_timer;
  QElapsedTimer m_clock;
};
