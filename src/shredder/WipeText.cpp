#include "shredder/WipeText.h"

#include "shredder/WipeFolder.h"

namespace shredder {

namespace {

constexpr uint64_t kMegabyte = 1ull << 20;

// "1,024" for 1024.
std::string grouped(uint64_t value) {
  std::string digits = std::to_string(value);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<size_t>(at), ",");
  return digits;
}

std::string megabytes(uint64_t bytes) { return grouped(bytes / kMegabyte); }

std::string seconds(uint64_t s) { return s < 120 ? grouped(s) + " s" : grouped(s / 60) + " min"; }

std::string doneOfTarget(const WipeFigures& figures) {
  return megabytes(figures.done) + " of " + megabytes(figures.target) + " MB";
}

std::string whatStays(char letter, const WipeResult& result) {
  const std::string folder = std::string(1, letter) + ":\\" + kWipeFolderName;
  if (result.fillersLeft == 1) return " A filler file could not be removed from " + folder + ".";
  if (result.fillersLeft > 1)
    return " " + std::to_string(result.fillersLeft) + " filler files could not be removed from " + folder + ".";
  if (result.folderLeft) return " The filler files are removed; the folder " + folder + " could not be.";
  return " The filler files are removed.";
}

}  // namespace

std::string wipeProgressText(const WipeFigures& figures) {
  std::string text = doneOfTarget(figures);
  if (figures.elapsedMs == 0 || figures.done == 0) return text;
  const uint64_t bytesPerSecond = figures.done * 1000 / figures.elapsedMs;
  text += ", " + megabytes(bytesPerSecond) + " MB/s";
  if (bytesPerSecond > 0 && figures.target > figures.done)
    text += ", " + seconds((figures.target - figures.done + bytesPerSecond - 1) / bytesPerSecond) + " left";
  return text;
}

std::string refusedText(char letter, const char* reason) {
  return std::string(1, letter) + ": is not wiped: " + reason + ".";
}

std::string endText(char letter, const WipeResult& result, const std::string& reason) {
  const std::string drive = std::string(1, letter) + ":";
  const WipeFigures& f = result.figures;
  switch (result.end) {
    case WipeEnd::Done:
      return "Wiped " + megabytes(f.done) + " MB of free space on " + drive + " in " + seconds(f.elapsedMs / 1000) +
             "." + whatStays(letter, result);
    case WipeEnd::Stopped:
      return "Stopped after " + doneOfTarget(f) + " on " + drive + "." + whatStays(letter, result);
    case WipeEnd::DriveFilled:
      return "Wiped " + doneOfTarget(f) + " free on " + drive + ": the drive filled up meanwhile." +
             whatStays(letter, result);
    case WipeEnd::Failed:
      return "The wipe of " + drive + " stopped after " + doneOfTarget(f) + ": " + reason + "." +
             whatStays(letter, result);
    case WipeEnd::Refused: break;
  }
  return refusedText(letter, reason.c_str());
}

}  // namespace shredder
