#pragma once

namespace ardl {

// Stored positions and sizes are in twips, 15 to the pixel whatever the screen.
constexpr int TwipsPerPixel = 15;

constexpr int PixelsToTwips(int pixels) { return pixels * TwipsPerPixel; }
constexpr int TwipsToPixels(int twips)
{
    // Rounds to the nearest pixel, halves away from zero.
    return twips >= 0 ? (twips + TwipsPerPixel / 2) / TwipsPerPixel
                      : -((-twips + TwipsPerPixel / 2) / TwipsPerPixel);
}

} // namespace ardl
