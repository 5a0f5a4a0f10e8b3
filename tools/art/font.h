// The game's bitmap font, drawn glyph by glyph.
#pragma once

void font_pcx();
