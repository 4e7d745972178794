#include <gtest/gtest.h>

#include "ui/TimeFormat.h"

namespace {

TEST(PickerTimeFormat, TwentyFourHoursWhereTheLocaleHasNoMarkers) {
  EXPECT_EQ(ui::pickerTimeFormat("", ""), "HH':'mm");
  EXPECT_EQ(ui::pickerTimeFormat("AM", "PM"), "hh':'mm tt");
  EXPECT_EQ(ui::pickerTimeFormat("vorm.", ""), "HH':'mm");
}

}  // namespace
