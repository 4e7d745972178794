#pragma once
// The window designs measure in twips: 15 to a pixel at 96 dots per inch.
namespace view {

constexpr int kTwipsPerPixel = 15;

// Rounds to the nearest pixel, so 255 twips (a tick's height) is 17 pixels.
constexpr int twipsToPixels(int twips) {
  return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                    : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

}  // namespace view
