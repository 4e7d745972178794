#include "program/CommandLine.h"

#include <cctype>

#include "schedule/RunEntry.h"

namespace program {

const char* const kUsage =
    "Quellery.exe /clean [/report:PATH]\r\n"
    "    Cleans the items ticked when Quellery was last closed, without showing any window.\r\n"
    "Quellery.exe /preview /report:PATH\r\n"
    "    Writes what /clean would remove, changing nothing.\r\n"
    "Quellery.exe /?\r\n"
    "    Shows this text.\r\n"
    "\r\n"
    "/report:PATH writes one line per target, tab-separated. Quote a path with blanks:\r\n"
    "    \"/report:C:\\My Files\\report.txt\"\r\n"
    "\r\n"
    "Exit codes:\r\n"
    "    0  everything was removed (files in use that go at the next restart count as removed)\r\n"
    "    1  something failed or was refused, the report could not be written,\r\n"
    "       or the command line was not understood\r\n"
    "    2  another copy of Quellery is running: nothing was done";

const char* const kCommandLineLog = "Quellery-commandline.log";

std::vector<std::string> splitArguments(const std::string& line) {
  std::vector<std::string> arguments;
  size_t at = 0;
  const size_t end = line.size();
  for (;;) {
    while (at < end && (line[at] == ' ' || line[at] == '\t')) ++at;
    if (at >= end) break;
    std::string argument;
    bool quoted = false;
    while (at < end && (quoted || (line[at] != ' ' && line[at] != '\t'))) {
      if (line[at] == '\\') {
        size_t slashes = 0;
        while (at < end && line[at] == '\\') ++slashes, ++at;
        if (at < end && line[at] == '"') {
          // 2n backslashes and a quote: n backslashes, and the quote groups; 2n+1: n and a quote.
          argument.append(slashes / 2, '\\');
          if (slashes % 2) {
            argument += '"';
            ++at;
          }
        } else {
          argument.append(slashes, '\\');
        }
      } else if (line[at] == '"') {
        quoted = !quoted;
        ++at;
      } else {
        argument += line[at++];
      }
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

namespace {

std::string lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

CommandLine mistake(const std::string& why) {
  CommandLine line;
  line.action = CommandLine::Action::Mistake;
  line.mistake = why;
  return line;
}

bool asksForHelp(const std::string& argument) {
  if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-')) return false;
  const std::string name = lowered(argument.substr(1));
  return name == "?" || name == "h" || name == "help";
}

bool isSwitch(const std::string& argument, const char* name) {
  return argument.size() >= 2 && (argument[0] == '/' || argument[0] == '-') && lowered(argument.substr(1)) == name;
}

// A line that is not carried out still says whether it asked for a run, and the one report
// it names, if any: that is where the run's administrator looks for its answer.
void noteWhereToAnswer(const std::vector<std::string>& arguments, CommandLine* line) {
  std::vector<std::string> reports;
  for (const std::string& argument : arguments) {
    if (isSwitch(argument, "clean") || isSwitch(argument, "preview")) line->unattended = true;
    if (argument.size() > 8 && (argument[0] == '/' || argument[0] == '-') &&
        lowered(argument.substr(1, 7)) == "report:")
      reports.push_back(argument.substr(8));
  }
  if (reports.size() == 1) line->reportPath = reports[0];
}

CommandLine parseArguments(const std::vector<std::string>& arguments) {
  CommandLine line;
  // Asking for the usage is never a mistake, whatever else the line holds.
  for (const std::string& argument : arguments)
    if (asksForHelp(argument)) {
      line.action = CommandLine::Action::Usage;
      return line;
    }
  if (arguments.size() == 1 && lowered(arguments[0]) == schedule::kRunEntryArgument) return line;
  bool reportGiven = false;
  for (const std::string& argument : arguments) {
    if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-'))
      return mistake("Not a switch: " + argument);
    const std::string name = lowered(argument.substr(1));
    if (name == "clean" || name == "preview") {
      const auto action = name == "clean" ? CommandLine::Action::Clean : CommandLine::Action::Preview;
      if (line.action != CommandLine::Action::ShowWindow && line.action != action)
        return mistake("/clean and /preview cannot be asked together.");
      line.action = action;
    } else if (name.compare(0, 7, "report:") == 0 || name == "report") {
      if (reportGiven) return mistake("Only one /report:PATH can be given.");
      reportGiven = true;
      line.reportPath = argument.size() > 8 ? argument.substr(8) : std::string();
      if (line.reportPath.empty()) return mistake("/report needs a file: /report:PATH");
    } else {
      return mistake("Unknown switch: " + argument);
    }
  }
  // A report alone, or a preview with nowhere to write it, would do nothing the user can see.
  if (reportGiven && line.action == CommandLine::Action::ShowWindow)
    return mistake("/report:PATH goes with /clean or /preview.");
  if (line.action == CommandLine::Action::Preview && !reportGiven)
    return mistake("/preview writes its list to the file that /report:PATH names.");
  return line;
}

}  // namespace

CommandLine parseCommandLine(const std::string& text) {
  const std::vector<std::string> arguments = splitArguments(text);
  CommandLine line = parseArguments(arguments);
  if (line.action == CommandLine::Action::Mistake || line.action == CommandLine::Action::Usage)
    noteWhereToAnswer(arguments, &line);
  return line;
}

std::string argumentsAfterProgram(const std::string& commandLine, const std::string& programPath) {
  size_t at = 0;
  const size_t end = commandLine.size();
  while (at < end && (commandLine[at] == ' ' || commandLine[at] == '\t')) ++at;
  if (at < end && commandLine[at] == '"') {
    const size_t close = commandLine.find('"', at + 1);
    at = close == std::string::npos ? end : close + 1;
  } else if (!programPath.empty() && lowered(commandLine.substr(at, programPath.size())) == lowered(programPath) &&
             (at + programPath.size() == end || commandLine[at + programPath.size()] == ' ' ||
              commandLine[at + programPath.size()] == '\t')) {
    at += programPath.size();
  } else {
    while (at < end && commandLine[at] != ' ' && commandLine[at] != '\t') ++at;
  }
  while (at < end && (commandLine[at] == ' ' || commandLine[at] == '\t')) ++at;
  return commandLine.substr(at);
}

}  // namespace program
