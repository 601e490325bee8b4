#include "app/UndoSteps.h"

#include "history/UndoHistory.h"

void UndoSteps::Begin() {
  if (m_depth++ == 0) m_history.Begin(m_view);
}

void UndoSteps::End() {
  if (m_depth == 0) return;
  if (--m_depth == 0) m_history.End(m_view);
}
