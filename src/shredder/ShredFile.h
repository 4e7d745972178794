#pragma once
// Overwriting a file with the shred stream and deleting it.
#include <string>

namespace app {
class App;
}

namespace shredder {

// Refuses what ShredGuard refuses. Otherwise writes the stream of factor N from the first
// byte on, repeated until the file's whole old length is covered (at least one whole
// stream), flushes it to the disk, cuts the file to nothing, renames it to a name of the
// same length made of one repeated character and deletes it. A file that cannot be written
// is left as it was. True when the file is gone.
bool ShredFile(app::App& app, const std::string& path, int factor);

// ShredFile at the level chosen in cmbOver ("Medium" when none is).
int chosenFactor(app::App& app);

}  // namespace shredder
