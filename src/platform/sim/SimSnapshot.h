#pragma once
// Everything on a simulated machine that cleaning could change, captured to compare one
// moment with another: files with their contents, attributes and times, links, registry
// keys and values, the clipboard, the recycle bins, recent documents, the URL cache and
// history, and the programs started.
#include <map>
#include <string>

#include "platform/sim/SimMachine.h"

namespace platform::sim {

// One line per thing: "file C\\dir\\a.txt" -> "attributes=0x20 ... data=...".
using MachineState = std::map<std::string, std::string>;

MachineState captureMachine(SimMachine& machine);

// The first `limit` differences, one a line ("changed ...", "gone ...", "new ..."), and how
// many more; empty when the two are the same.
std::string machineDifferences(const MachineState& before, const MachineState& after, size_t limit = 10);

}  // namespace platform::sim
