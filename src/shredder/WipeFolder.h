#pragma once
// The one folder a free-space wipe writes in, at a drive's root: its name, the note inside
// that says what it is, its filler files, and removing it again. A crash or a power cut
// during a wipe leaves it; start-up removes it, and nothing that is not the program's.
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace app {
struct Session;
}

namespace shredder {

extern const char kWipeFolderName[];  // "Quellery Free Space Wipe"
extern const char kWipeNoteName[];    // the note inside it
extern const char kWipeNoteText[];

// "fill00001.tmp" for 1.
std::string fillerName(int number);

// Removes the files `names` of the held wipe folder through it, each judged by its own
// handle (a link or a folder put in a filler's place is left alone): how many stay.
int removeFillers(platform::HeldFolder& folder, const std::vector<std::string>& names);

// What start-up found of a wipe folder on one drive.
enum class Leftover { None, Removed, LeftWhole };

// The wipe folder in the held drive root `root` ("C:\\"), when it is the program's: its
// note is there and every other entry is a plain filler file. Then the fillers, the note
// and the folder go, through held handles. A folder of that name holding anything else (a
// user's file, a sub-folder, a link), or that is a link itself, is left whole and logged.
Leftover removeLeftoverWipeFolder(platform::HeldFolder& root, const std::string& rootPath);

// Start-up: the leftover wipe folder of each local fixed drive.
void RemoveLeftoverWipeFolders(app::Session& session);

}  // namespace shredder
