#pragma once
// The cookie viewer on the IE page: the cookies in the cache, the selected ones kept.
#include "erase/RunContext.h"
#include "ui/Controls.h"

namespace cookies {

// Its marks are the keep list a cleaning run spares.
struct CookieViewer : erase::KeptCookies {
  explicit CookieViewer(ui::Control* iePage);
  // "Clean Cookies" in a run: the cookies the marks do not keep.
  void removeUnkept(const erase::RunContext& run) override;
  ui::Frame fraCashMgt;
  ui::ListBox lstCookies;  // multiple selection: a selected cookie is kept
  ui::Button cmdGetCache, cmdDeleteSelected, cmdDeleteAllCache;
  ui::Frame fraMessage;  // the wait notice, shown only while the cache is read
  ui::Label lblMessage;
  ui::Button cmdIEcustSettings;
  bool filled = false;  // the list has been read from the cache in this run
};

}  // namespace cookies
