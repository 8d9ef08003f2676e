#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace pw {

// `popwright-cli render IN.kpf OUT.png [--angle DEG] [--size WxH] [--grid]`
// and `render IN.kpf OUT.gif --animate [--size WxH] [--grid]`: the card as the
// 3D view shows it at the home camera, drawn without a window: a PNG at the
// fold angle (default 90, the opened card), or an animated GIF of the card
// opening from 0 to 90 degrees and closing again, looping. The default size
// is 800x600. args are the words after "render".
int RunRenderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// `popwright-cli thumbnail IN.kpf OUT.png SIZE`: a three-quarter view of the
// opened card on a transparent background, its larger side SIZE pixels, as
// file managers show card files. OUT is written as PNG whatever its name:
// the desktops' thumbnailers hand over temporary names without an extension.
int RunThumbnailCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Both commands check every word before they read the card, and write their
// file whole or not at all: bad input prints one line on stderr, exits 2
// (usage) or 1 (card or file), and leaves no file behind.

}  // namespace pw
