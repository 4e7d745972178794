#include "app/CookieSites.h"

#include <algorithm>
#include <map>

#include "app/Session.h"
#include "cookies/KeptSites.h"
#include "engine/CookieCensus.h"
#include "erase/EraseFiles.h"
#include "platform/WinError.h"
#include "report/RuntimeError.h"

namespace app {

namespace {

const char kExplained[] =
    "Mark the sites whose cookies you keep. Their cookies, and those of every host below them, stay in every browser "
    "when cookies are cleaned.";

// "example.com  (Firefox 3, Opera 1)"
std::string lineOf(const std::string& site, const engine::SiteCookies* found) {
  std::string counts;
  if (found)
    for (const auto& [browser, count] : found->browsers)
      counts += (counts.empty() ? "" : ", ") + browser + " " + std::to_string(count);
  return site + "  (" + (counts.empty() ? std::string("no cookies now") : counts) + ")";
}

// The census taken as a preview's collection: no pass starts meanwhile.
engine::CookieCensus takeCensus(Session& session) {
  session.flags.collectionUnderWay = true;
  engine::CookieCensus census;
  report::resumeNext([&] { census = engine::TakeCookieCensus(session.run()); });
  session.flags.collectionUnderWay = false;
  return census;
}

}  // namespace

void cmdGetSites_Click(Session& session) {
  if (!passMayStart(session)) return;
  CookieSitesPage& page = session.frm.cookieSites;
  page.marksMaySave = false;
  page.lstSites.clear();
  page.siteOfLine.clear();
  const engine::CookieCensus census = takeCensus(session);
  cookies::KeptSites kept;
  std::string why;
  const bool read = cookies::ReadKeptSites(session.run(), &kept, &why);
  std::map<std::string, const engine::SiteCookies*> lines;
  for (const engine::SiteCookies& site : census.sites) lines[site.site] = &site;
  for (const std::string& site : kept.sites) lines.emplace(site, nullptr);  // kept, with no cookie now
  for (const auto& [site, found] : lines) {
    page.lstSites.addItem(lineOf(site, found));
    page.siteOfLine.push_back(site);
    if (std::find(kept.sites.begin(), kept.sites.end(), site) != kept.sites.end())
      page.lstSites.setSelected(page.lstSites.listCount() - 1, true);
  }
  page.marksMaySave = read;
  if (!read)
    page.lblSites.setCaption("Nothing is kept or removed: " + why + ".");
  else if (!census.unread.empty())
    page.lblSites.setCaption(std::string(kExplained) + " Not read: " + census.unread.front());
  else
    page.lblSites.setCaption(kExplained);
}

void lstSites_Click(Session& session) {
  CookieSitesPage& page = session.frm.cookieSites;
  if (!page.marksMaySave) return;
  cookies::KeptSites kept;
  for (int i = 0; i < page.lstSites.listCount() && i < static_cast<int>(page.siteOfLine.size()); ++i)
    if (page.lstSites.selected(i)) kept.sites.push_back(page.siteOfLine[i]);
  long saved = platform::winerr::Success;
  report::resumeNext([&] { saved = cookies::SaveKeptSites(session.run(), kept); });
  if (saved != platform::winerr::Success)
    page.lblSites.setCaption("The kept sites could not be saved (" + erase::describeError(saved) +
                             "); the cookie items spare the sites saved before.");
}

}  // namespace app
