// Where the grid font's characters leave ink across, so that texts side by
// side can be drawn by one call: each text output costs the platform far more
// than its characters do.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace zorvel {

struct TextPiece;

// A character's ink from its origin: Before it starts, Width wide; Advance to
// the next origin.
struct GlyphInk {
    bool Known;
    int Before;
    int Width;
    int Advance;
};

// The ASCII characters of the grid font; nothing is known of the others.
using FontInk = std::array<GlyphInk, 128>;

// The characters of `count` pieces as one text and each one's advance, the last
// of a piece reaching to where the next piece begins. False when ink would
// cross the left of a later piece's clip or come within a pixel of the right of
// an earlier one's, a character is not known, or the pieces overlap: drawn on
// their own, each is clipped to its cell.
bool JoinTexts(const TextPiece* pieces, size_t count, const FontInk& font, std::string& chars,
               std::vector<int>& advances);

}  // namespace zorvel
