#pragma once
// The layout of the icon and cursor files the program carries: the numbers
// that the generator's writer and the program's reader both go by.

namespace Pictures::IconLayout {

// The file header: reserved 0, type, image count.
constexpr int kHeaderBytes = 6;
constexpr int kHeaderType = 2;
constexpr int kHeaderCount = 4;
constexpr int kTypeIcon = 1;
constexpr int kTypeCursor = 2;

// One directory entry per image, right after the header.
constexpr int kEntryBytes = 16;
constexpr int kEntryHotSpotX = 4; // an icon keeps its planes here
constexpr int kEntryHotSpotY = 6; // and its bits per pixel here
constexpr int kEntryOffset = 12;

// Each image starts with a bitmap information header.
constexpr int kInfoBytes = 40;
constexpr int kInfoWidth = 4;
constexpr int kInfoBitsPerPixel = 14;
constexpr int kInfoColoursUsed = 32;

} // namespace Pictures::IconLayout
