#include "browsers/ChromeDatabases.h"

#include "database/Database.h"

namespace browsers {

namespace {

using erase::TargetKind;

const char kVisitLabel[] = "'visit to ' || ifnull((SELECT url FROM urls WHERE urls.id = visits.url), '')";

DatabaseEdit historyEdit(database::Database& db) {
  DatabaseEdit edit;
  if (!db.hasTable("urls") || !db.hasTable("visits")) return edit;
  // What refers to a visit or a page first, then the visits and pages.
  if (db.hasTable("visit_source"))
    edit.rows.push_back({"visit_source", "1", "'source of visit ' || id", "8", TargetKind::HistoryEntry});
  if (db.hasTable("keyword_search_terms"))
    edit.rows.push_back({"keyword_search_terms", "1", "term", "length(term)", TargetKind::HistoryEntry});
  if (db.hasTable("segment_usage"))
    edit.rows.push_back({"segment_usage", "1", "'use of segment ' || segment_id", "8", TargetKind::HistoryEntry});
  if (db.hasTable("segments"))
    edit.rows.push_back({"segments", "1", "name", "length(name)", TargetKind::HistoryEntry});
  edit.rows.push_back({"visits", "1", kVisitLabel, "8", TargetKind::HistoryEntry});
  edit.rows.push_back({"urls", "1", "url", "length(url) + ifnull(length(title), 0)", TargetKind::HistoryEntry});
  return edit;
}

DatabaseEdit downloadsEdit(database::Database& db) {
  DatabaseEdit edit;
  if (!db.hasTable("downloads")) return edit;
  if (db.hasTable("downloads_url_chains"))
    edit.rows.push_back({"downloads_url_chains", "1", "url", "length(url)", TargetKind::HistoryEntry});
  // The saved file's path: full_path before Chrome 26, current_path since.
  const char* path = db.hasColumn("downloads", "current_path") ? "current_path" : "full_path";
  if (!db.hasColumn("downloads", path)) path = "id";
  edit.rows.push_back({"downloads", "1", path, std::string("length(") + path + ")", TargetKind::HistoryEntry});
  return edit;
}

DatabaseEdit cookiesEdit(database::Database& db) {
  DatabaseEdit edit;
  if (!db.hasTable("cookies")) return edit;
  const char* label = "host_key || path || ' ' || name";
  const char* bytes = "length(name) + length(value) + length(host_key) + length(path)";
  edit.rows.push_back({"cookies", "NOT kept_site(host_key)", label, bytes, TargetKind::Cookie, "host_key"});
  edit.rows.push_back({"cookies", "kept_site(host_key)", label, bytes, TargetKind::Cookie, "host_key", true});
  return edit;
}

DatabaseEdit formDataEdit(database::Database& db) {
  DatabaseEdit edit;
  if (!db.hasTable("autofill")) return edit;
  // When each entry was used (before Chrome 35), then the entries.
  if (db.hasTable("autofill_dates"))
    edit.rows.push_back({"autofill_dates", "1", "'use of entry ' || pair_id", "8", TargetKind::FormEntry});
  edit.rows.push_back({"autofill", "1", "name || '=' || value", "length(name) + length(value)",
                       TargetKind::FormEntry});
  return edit;
}

}  // namespace

const DatabaseItem kChromeHistory{"History", "Chrome", historyEdit};
const DatabaseItem kChromeDownloads{"History", "Chrome", downloadsEdit};
const DatabaseItem kChromeCookies{"Cookies", "Chrome", cookiesEdit, true};
const DatabaseItem kChromeFormData{"Web Data", "Chrome", formDataEdit};

}  // namespace browsers
