#include "schedule/RunEntry.h"

#include "app/App.h"

namespace schedule {

// The Run entry arrives with the start-up behaviour; saving already calls it in its place.
void LoadOnStartup(app::App&) {}

}  // namespace schedule
