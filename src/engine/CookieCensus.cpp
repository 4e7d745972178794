#include "engine/CookieCensus.h"

#include "cookies/KeptSites.h"
#include "engine/Catalogue.h"
#include "engine/Executor.h"
#include "erase/RunFlags.h"

namespace engine {

namespace {

// The flags a preview of one item sets, put back after: the census is no run.
class ScratchItem {
 public:
  explicit ScratchItem(erase::RunFlags& flags)
      : flags_(flags), plan_(flags.plan), skipped_(flags.skipped), leftBehind_(flags.leftBehind) {
    flags.plan = &item_;
  }
  ~ScratchItem() {
    flags_.plan = plan_;
    flags_.skipped = skipped_;
    flags_.leftBehind = leftBehind_;
  }
  ScratchItem(const ScratchItem&) = delete;
  ScratchItem& operator=(const ScratchItem&) = delete;
  const erase::ItemPlan& item() const { return item_; }
  const std::string& skipped() const { return flags_.skipped; }

 private:
  erase::RunFlags& flags_;
  erase::ItemPlan item_;
  erase::ItemPlan* plan_;
  std::string skipped_;
  erase::LeftBehind leftBehind_;
};

bool counted(const erase::Target& target) {
  return target.kind == erase::TargetKind::Cookie && !target.host.empty() &&
         (target.outcome == erase::Outcome::Planned || target.outcome == erase::Outcome::Kept ||
          target.outcome == erase::Outcome::Shared);
}

}  // namespace

CookieCensus TakeCookieCensus(const erase::RunContext& run) {
  std::map<std::string, SiteCookies> bySite;
  CookieCensus census;
  for (const CleaningItem& item : catalogue()) {
    if (!item.cookiesOf) continue;
    ScratchItem scratch(run.flags);
    executeItem(item, run, Mode::Preview);
    for (const erase::Target& target : scratch.item().targets) {
      if (target.outcome == erase::Outcome::Failed || target.outcome == erase::Outcome::Refused)
        census.unread.push_back(target.where + ": " + target.reason);
      if (!counted(target)) continue;
      SiteCookies& site = bySite[cookies::siteOfHost(target.host)];
      ++site.browsers[item.cookiesOf];
      ++site.total;
    }
    if (!scratch.skipped().empty() && scratch.item().targets.empty())
      census.unread.push_back(std::string(item.cookiesOf) + ": " + scratch.skipped());
  }
  for (auto& [name, site] : bySite) {
    site.site = name;
    census.sites.push_back(std::move(site));
  }
  return census;
}

}  // namespace engine
