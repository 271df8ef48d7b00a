#pragma once
// What the analysis window shows of a memory usage report: the values
// beside their captions, one row per section with the numbers its bar is
// drawn from, and whether the ERROR mark shows.

#include <string>
#include <vector>

#include "analysis/memory_usage.h"

namespace cuffware {

inline constexpr const char* kAnalysisTitle = "Cuffware Memory Usage Analysis";

// A caption and its value, in window order. name is the report's member
// the value comes from ("ImageSize"), by which both windows name the
// control that shows it.
struct MemoryUsageValue {
    const char* caption;  // "Code File:", "EEPROM Memory Usage", ...
    std::string value;
    const char* name;
    bool errorMark = false;  // the ERROR mark stands beside it when the overlay is exceeded
};

// The mark beside the maximum overlay usage when a section exceeds the overlay.
inline constexpr const char* kOverlayErrorMark = "ERROR";

// One section's row. The bar spans bytes [base, base + usage) of the
// overlay: a state's bar stands on the common section, which is in the
// overlay together with it.
struct MemoryUsageRow {
    std::string section;  // "Common", "State 0", ...
    std::string usageText;
    int usage;
    int base;
    int overlay;         // base + usage: the bytes it takes of the overlay
    bool exceeded;       // overlay above the overlay's size
    std::string barTip;  // "180 + 90 of 900 bytes", "180 of 900 bytes"
};

struct MemoryUsageView {
    std::vector<MemoryUsageValue> values;
    bool overlayExceeded = false;      // the ERROR mark shows
    std::vector<const char*> columns;  // "Section", "Memory Usage"
    std::vector<MemoryUsageRow> rows;
};

MemoryUsageView MemoryUsageViewOf(const MemoryUsageReport& report);

// How far a bar reaches, in pixels, for bytes of the overlay across a track
// of trackWidth pixels; bytes are clamped to 0..overlay.
int BarSpan(int bytes, int trackWidth);

// --- How every window draws a row's usage cell ---
// The number stands at the cell's left, in room for kUsageTextDigits digits;
// the bar's track fills the rest, kUsageBarPadding pixels (at 96 DPI) inside
// the cell and right of the number. On the track, the part the row stands
// on (the common section under a state) and then the row's own part, red
// when the two pass the overlay.

inline constexpr int kUsageTextDigits = 6;
inline constexpr int kUsageBarPadding = 4;

struct Colour {
    int red, green, blue;
    bool operator==(const Colour&) const = default;
};
inline constexpr Colour kBarBaseColour{160, 174, 192};
inline constexpr Colour kBarUsageColour{64, 128, 200};
inline constexpr Colour kBarExceededColour{200, 40, 40};
inline constexpr Colour kErrorMarkColour{255, 0, 0};

// The empty track: the list's background, a shade darker.
Colour TrackColour(Colour background);

struct Box {
    int left, top, width, height;
    bool operator==(const Box&) const = default;
};

struct UsageBar {
    bool shown;      // false when the cell is too small for a track
    Box number;      // where the number is written, left-aligned
    Box track;       // the whole track
    int baseWidth;   // the part it stands on, from the track's left
    int usageWidth;  // its own part, right after that
};

// cell is the usage cell, digitWidth the width of one digit in its font,
// padding kUsageBarPadding at the screen's scale.
UsageBar LayOutUsageBar(const MemoryUsageRow& row, Box cell, int digitWidth, int padding);

// The height a row needs for its bar: the font's height and the padding.
int UsageRowHeight(int fontHeight, int padding);

// --- What a screen reader says ---
inline constexpr const char* kSectionListAccessibleName = "Memory usage by section";

// "State 1: 90 bytes, with the common section 270 of 900 bytes of the overlay"
std::string AccessibleUsage(const MemoryUsageRow& row);

}  // namespace cuffware
