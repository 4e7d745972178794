#include "erase/PassSetAside.h"

#include "erase/RunFlags.h"

namespace erase {

PassSetAside::PassSetAside(erase::RunFlags& flags)
    : flags_(flags),
      collecting_(flags.collecting),
      plan_(flags.plan),
      leftBehind_(flags.leftBehind),
      skipped_(flags.skipped),
      inMachineWideFolder_(flags.inMachineWideFolder) {
  flags.collecting = false;
  flags.plan = nullptr;
  flags.leftBehind = LeftBehind();
  flags.skipped.clear();
  flags.inMachineWideFolder = false;
}

PassSetAside::~PassSetAside() {
  flags_.collecting = collecting_;
  flags_.plan = plan_;
  flags_.leftBehind = leftBehind_;
  flags_.skipped = skipped_;
  flags_.inMachineWideFolder = inMachineWideFolder_;
}

}  // namespace erase
