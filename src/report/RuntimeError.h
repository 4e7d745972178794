#pragma once
// A run-time failure with a Windows-style number and description. Operations throw it
// (or let a std::exception escape); error tails catch it, report it and go on.
#include <stdexcept>
#include <string>

namespace report {

struct RuntimeError : std::runtime_error {
  RuntimeError(long number, const std::string& description)
      : std::runtime_error(description), number(number) {}
  long number;
};

// The number and description of whatever was caught.
long errorNumber(const std::exception& e);

}  // namespace report

namespace report {

// Runs one step and skips it when it fails: a failing step never stops the next.
template <typename Step>
void resumeNext(Step&& step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

}  // namespace report
