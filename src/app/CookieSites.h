#pragma once
// The page of kept sites: the cookies of every browser listed by site, the marks saved as
// the list every cookie item spares.
namespace app {

struct Session;

// "View Sites": lists the sites of every browser's cookies and marks the kept ones.
void cmdGetSites_Click(Session& session);
// A mark set or cleared: the list of kept sites is saved at once.
void lstSites_Click(Session& session);

}  // namespace app
