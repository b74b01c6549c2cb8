#include "monitor/grid/font_ink.h"

#include <climits>

#include "monitor/grid/paint_grid.h"

namespace zorvel {

namespace {

// Smoothed glyphs may shade the pixel beside their ink.
constexpr int kSpill = 1;

const GlyphInk* Glyph(const FontInk& font, char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < font.size() && font[byte].Known ? &font[byte] : nullptr;
}

}  // namespace

bool JoinTexts(const TextPiece* pieces, size_t count, const FontInk& font, std::string& chars,
               std::vector<int>& advances) {
    chars.clear();
    advances.clear();
    for (size_t i = 0; i < count; ++i) {
        const TextPiece& piece = pieces[i];
        if (piece.Text->empty()) {
            return false;
        }
        const int limit = i + 1 < count ? pieces[i + 1].X : INT_MAX;
        // The joined text is clipped to the outer edges of the first and last
        // pieces, as each would be alone; the edges between must not be
        // crossed, but for shade on the frame line left of a cell, drawn after.
        const int left = i == 0 ? INT_MIN : piece.Clip.Left;
        const int right = i + 1 == count ? INT_MAX : piece.Clip.Right - kSpill;
        int at = piece.X;
        for (const char c : *piece.Text) {
            const GlyphInk* glyph = Glyph(font, c);
            if (glyph == nullptr || at + glyph->Before < left || at + glyph->Before + glyph->Width > right) {
                return false;
            }
            chars.push_back(c);
            advances.push_back(glyph->Advance);
            at += glyph->Advance;
        }
        if (at > limit) {
            return false;
        }
        if (limit != INT_MAX) {
            advances.back() += limit - at;
        }
    }
    return !chars.empty();
}

}  // namespace zorvel
