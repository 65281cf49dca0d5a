#pragma once

#include <cctype>
#include <string>

namespace quill::test {

// A readable test name out of a table row's name: every character that a test name may not
// hold becomes "_".
template <class Info>
std::string RowName(const Info& info) {
  std::string name = info.param.name;
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
}

}  // namespace quill::test
