// CommandLine: walks argv for the tools' options, written "--name value" or
// "--name=value", and their operands.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CommandLine {
 public:
  explicit CommandLine(std::vector<std::string> arguments) : m_arguments(std::move(arguments)) {}

  bool AtEnd() const { return m_next >= m_arguments.size(); }
  bool CurrentIsOption() const { return m_arguments[m_next].size() > 1 && m_arguments[m_next][0] == '-'; }
  const std::string& Current() const { return m_arguments[m_next]; }
  std::string TakeOperand() { return m_arguments[m_next++]; }

  // Consumes the current argument when it is this flag.
  bool TakeFlag(std::string_view name) {
    if (m_arguments[m_next] != name) return false;
    ++m_next;
    return true;
  }

  // Consumes this option and its value. The option as the last argument is
  // not taken and sets MissingValue().
  bool TakeOption(std::string_view name, std::string* value) {
    const std::string& argument = m_arguments[m_next];
    if (argument.size() > name.size() && argument.starts_with(name) && argument[name.size()] == '=') {
      *value = argument.substr(name.size() + 1);
      ++m_next;
      return true;
    }
    if (argument != name) return false;
    if (m_next + 1 >= m_arguments.size()) {
      m_missingValue = true;
      return false;
    }
    *value = m_arguments[m_next + 1];
    m_next += 2;
    return true;
  }
  bool MissingValue() const { return m_missingValue; }

 private:
  std::vector<std::string> m_arguments;
  size_t m_next = 0;
  bool m_missingValue = false;
};
