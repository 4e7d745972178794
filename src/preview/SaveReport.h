#pragma once
// What a user is told when a report could not be written to the file they chose.
#include <string>


namespace preview {

// What a user is told of a failed save ("The disk is full").
std::string saveErrorText(long error);

}  // namespace preview
