#include "cli/ScriptRunner.h"

#include "cli/ScriptCommands.h"

ScriptRunner::ScriptRunner(std::ostream& out, std::ostream& err)
    : m_out(out), m_err(err), m_view(m_doc, m_host) {
  m_host.PrintMessagesTo(&m_out);
}

int ScriptRunner::Run(const std::vector<ScriptCommand>& commands) {
  for (const ScriptCommand& command : commands) {
    try {
      Execute(command.words);
    } catch (const ScriptError& e) {
      m_out.flush();
      m_err << "error: line " << command.line << ": " << e.what() << '\n';
      return 2;
    }
  }
  return 0;
}

void ScriptRunner::Execute(const std::vector<std::string>& words) {
  const std::string& name = words.at(0);
  const ScriptCommandEntry* command = FindScriptCommand(name);
  if (command == nullptr) throw ScriptError("unknown command: " + name);
  // Answers are given by the command that needs them and never outlive it.
  m_host.ClearAnswers();
  ScriptSession session{m_view, m_host, m_out, m_err, m_quietFailures, m_seriesOptions, m_history};
  // Every command but undo and redo themselves may make a step.
  const bool recorded = name != "undo" && name != "redo";
  if (recorded) m_history.Begin(m_view);
  try {
    command->run(session, Args(words.begin() + 1, words.end()));
  } catch (...) {
    if (recorded) m_history.End(m_view);
    m_host.ClearAnswers();
    throw;
  }
  if (recorded) m_history.End(m_view);
  m_host.ClearAnswers();
}

bool ScriptRunner::AnyFailure() const { return !m_host.failures.empty() || m_quietFailures > 0; }
