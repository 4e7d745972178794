#pragma once
// The activity log: every erasure names what it did, and the sink keeps none of it.
#include <functional>
#include <string>

namespace erase {

// Records nothing and shows nothing.
void LogActivity(const std::string& entry, const std::string& timeStamp);
// The long date, " @ ", the long time: "Sunday, December 07, 2003 @ 9:05:01 PM".
std::string ActivityTimeStamp();

// Lets a test watch the entries; the program itself never sets it.
using ActivityObserver = std::function<void(const std::string& entry, const std::string& timeStamp)>;
void setActivityObserver(ActivityObserver observer);

}  // namespace erase
