#include "ui/TimeFormat.h"

namespace ui {

std::string pickerTimeFormat(const std::string& amMarker, const std::string& pmMarker) {
  if (amMarker.empty() || pmMarker.empty()) return "HH':'mm";
  return "hh':'mm tt";
}

}  // namespace ui
