#include "browsers/FirefoxDatabases.h"

#include <string>

#include "database/Database.h"

namespace browsers {

namespace {

using erase::TargetKind;

// A visit or a note is named by its page, set apart from the page's own row.
const char kVisitLabel[] = "'visit to ' || ifnull((SELECT url FROM moz_places WHERE moz_places.id = place_id), '')";
const char kNoteLabel[] = "'note on ' || ifnull((SELECT url FROM moz_places WHERE moz_places.id = place_id), '')";

// The places a user keeps: those a bookmark points to, and (Firefox 39 on) those a keyword
// names. Neither set shrinks while history goes, so a condition on it picks the same rows
// before and after the row sets ahead of it.
std::string keptPlaces(database::Database& db) {
  std::string kept = "SELECT fk FROM moz_bookmarks WHERE fk IS NOT NULL";
  if (db.hasColumn("moz_keywords", "place_id"))
    kept += " UNION SELECT place_id FROM moz_keywords WHERE place_id IS NOT NULL";
  return kept;
}

bool isPlaces(database::Database& db) {
  return db.hasTable("moz_places") && db.hasTable("moz_historyvisits") && db.hasTable("moz_bookmarks");
}

DatabaseEdit historyEdit(database::Database& db) {
  DatabaseEdit edit;
  if (!isPlaces(db)) return edit;
  const std::string kept = keptPlaces(db);
  const std::string unkept = "id NOT IN (" + kept + ")";
  edit.rows.push_back({"moz_historyvisits", "1", kVisitLabel, "8", TargetKind::HistoryEntry});
  if (db.hasTable("moz_inputhistory"))
    edit.rows.push_back({"moz_inputhistory", "1", "input", "length(input)", TargetKind::HistoryEntry});
  if (db.hasTable("moz_annos"))
    edit.rows.push_back({"moz_annos", "place_id NOT IN (" + kept + ")", kNoteLabel,
                         "length(CAST(content AS BLOB))", TargetKind::HistoryEntry});
  edit.rows.push_back({"moz_places", unkept, "url", "length(url) + ifnull(length(title), 0)",
                       TargetKind::HistoryEntry});
  // Favicons live in places.sqlite until Firefox 55; a bookmark's icon stays.
  if (db.hasTable("moz_favicons") && db.hasColumn("moz_places", "favicon_id"))
    edit.rows.push_back({"moz_favicons",
                         "id NOT IN (SELECT favicon_id FROM moz_places WHERE favicon_id IS NOT NULL AND id IN (" +
                             kept + "))",
                         "url", "length(url) + ifnull(length(data), 0)", TargetKind::HistoryEntry});
  // The hosts the address bar completes (Firefox 4 to 51), every one of them visited.
  if (db.hasTable("moz_hosts"))
    edit.rows.push_back({"moz_hosts", "1", "host", "length(host)", TargetKind::HistoryEntry});

  std::string set = "visit_count = 0";
  if (db.hasColumn("moz_places", "last_visit_date")) set += ", last_visit_date = NULL";
  if (db.hasColumn("moz_places", "typed")) set += ", typed = 0";
  // Negative: not yet worked out, which Firefox does anew from what is left.
  if (db.hasColumn("moz_places", "frecency")) set += ", frecency = -1";
  edit.resets.push_back({"moz_places", set,
                         "id IN (" + kept + ") AND (visit_count > 0 OR id IN (SELECT place_id FROM moz_historyvisits))",
                         "visit counts of bookmarked places"});
  return edit;
}

DatabaseEdit downloadPlacesEdit(database::Database& db) {
  DatabaseEdit edit;
  if (!isPlaces(db) || !db.hasColumn("moz_historyvisits", "visit_type")) return edit;
  // A download's visit has transition type 7.
  const std::string downloadAnnos =
      "anno_attribute_id IN (SELECT id FROM moz_anno_attributes WHERE name LIKE 'downloads/%')";
  const bool annotated = db.hasTable("moz_annos") && db.hasTable("moz_anno_attributes");
  // Places first: the download visits and annotations that single them out go next.
  std::string only = "id NOT IN (" + keptPlaces(db) +
                     ") AND NOT EXISTS (SELECT 1 FROM moz_historyvisits v WHERE v.place_id = moz_places.id "
                     "AND v.visit_type <> 7) AND (EXISTS (SELECT 1 FROM moz_historyvisits v WHERE v.place_id = "
                     "moz_places.id AND v.visit_type = 7)";
  if (annotated)
    only = only + " OR EXISTS (SELECT 1 FROM moz_annos a WHERE a.place_id = moz_places.id AND a." + downloadAnnos +
           ")) AND NOT EXISTS (SELECT 1 FROM moz_annos a WHERE a.place_id = moz_places.id AND NOT a." +
           downloadAnnos + ")";
  else
    only += ")";
  edit.rows.push_back({"moz_places", only, "url", "length(url) + ifnull(length(title), 0)", TargetKind::HistoryEntry});
  edit.rows.push_back({"moz_historyvisits", "visit_type = 7", kVisitLabel, "8", TargetKind::HistoryEntry});
  if (annotated)
    edit.rows.push_back({"moz_annos", downloadAnnos, kNoteLabel, "length(CAST(content AS BLOB))",
                         TargetKind::HistoryEntry});
  return edit;
}

DatabaseEdit downloadsEdit(database::Database& db) {
  DatabaseEdit edit;
  if (!db.hasTable("moz_downloads")) return edit;
  edit.rows.push_back({"moz_downloads", "1", "source", "length(source) + ifnull(length(target), 0)",
                       TargetKind::HistoryEntry});
  return edit;
}

DatabaseEdit cookiesEdit(database::Database& db) {
  DatabaseEdit edit;
  if (!db.hasTable("moz_cookies")) return edit;
  const char* label = "host || path || ' ' || name";
  const char* bytes = "length(name) + length(value) + length(host) + length(path)";
  edit.rows.push_back({"moz_cookies", "NOT kept_site(host)", label, bytes, TargetKind::Cookie, "host"});
  edit.rows.push_back({"moz_cookies", "kept_site(host)", label, bytes, TargetKind::Cookie, "host", true});
  return edit;
}

DatabaseEdit formHistoryEdit(database::Database& db) {
  DatabaseEdit edit;
  if (!db.hasTable("moz_formhistory")) return edit;
  // Where an entry came from (Firefox 50 on), before the entries.
  if (db.hasTable("moz_history_to_sources"))
    edit.rows.push_back({"moz_history_to_sources", "1", "'source of entry ' || history_id", "8",
                         TargetKind::FormEntry});
  if (db.hasTable("moz_sources"))
    edit.rows.push_back({"moz_sources", "1", "source", "length(source)", TargetKind::FormEntry});
  edit.rows.push_back({"moz_formhistory", "1", "fieldname || '=' || value", "length(fieldname) + length(value)",
                       TargetKind::FormEntry});
  // Entries deleted in Firefox, kept for Sync to pass on (Firefox 24 on): their ids only.
  if (db.hasTable("moz_deleted_formhistory"))
    edit.rows.push_back({"moz_deleted_formhistory", "1", "guid", "length(guid)", TargetKind::FormEntry});
  return edit;
}

}  // namespace

const DatabaseItem kFirefoxHistory{"places.sqlite", "Firefox", historyEdit};
const DatabaseItem kFirefoxDownloadPlaces{"places.sqlite", "Firefox", downloadPlacesEdit};
const DatabaseItem kFirefoxDownloads{"downloads.sqlite", "Firefox", downloadsEdit};
const DatabaseItem kFirefoxCookies{"cookies.sqlite", "Firefox", cookiesEdit, true};
const DatabaseItem kFirefoxFormHistory{"formhistory.sqlite", "Firefox", formHistoryEdit};

}  // namespace browsers
