#pragma once
// The layout of icon and cursor files (.ico, .cur): the numbers that the
// picture generator's writer and the programs' readers all go by.

namespace IconLayout {

// The file header: reserved 0, type, image count.
constexpr int kHeaderBytes = 6;
constexpr int kHeaderType = 2;
constexpr int kHeaderCount = 4;
constexpr int kTypeIcon = 1;
constexpr int kTypeCursor = 2;

// One directory entry per image, right after the header.
constexpr int kEntryBytes = 16;
constexpr int kEntryWidth = 0;    // one byte; 0 for kLargestSide
constexpr int kEntryHeight = 1;   // likewise
constexpr int kEntryHotSpotX = 4; // an icon keeps its planes here
constexpr int kEntryHotSpotY = 6; // and its bits per pixel here
constexpr int kEntryImageBytes = 8;
constexpr int kEntryOffset = 12;
constexpr int kLargestSide = 256;

// Each image starts with a bitmap information header, or is a whole PNG file.
constexpr int kInfoBytes = 40;
constexpr int kInfoWidth = 4;
constexpr int kInfoBitsPerPixel = 14;
constexpr int kInfoColoursUsed = 32;

} // namespace IconLayout
