// The sizes and bounds of one compilation, in one place.
#pragma once

namespace corvel::ground {

// The code image.
inline constexpr int kImageCapacity = 30256;
inline constexpr int kHeaderSize = 66;
inline constexpr int kBaseLimit = 3500;     // intermediate program; frame 0 plus one overlay
inline constexpr int kNativeLimit = 30000;  // native program; any program with overlays
inline constexpr long kNativeBase = 0xFEF10;  // MEMORYTOP: where native code is assembled

// Header bytes of the code image.
inline constexpr int kPortBlockSize = 20;
inline constexpr int kPortBlocks = 3;
inline constexpr int kPortBits = 16;
inline constexpr int kPinMapOffset = 4;         // in a port block: bit 15's pin-map byte
inline constexpr int kDirectionWordOffset = 2;  // in a port block
inline constexpr int kCompileModeByte = 60;
inline constexpr int kBoardNumberByte = 61;
inline constexpr int kEntryByte = 62;

// Tables of the program structure.
inline constexpr int kMaxFunctions = 100;
inline constexpr int kMaxFunctionName = 50;  // names must be shorter
inline constexpr int kMaxFrames = 16;        // frame 0 and 15 overlay frames
inline constexpr int kMaxOverlayFrame = 15;

// The board.
inline constexpr int kNoPort = 255;  // a pin without a port bit
inline constexpr int kMaxBoardPin = 40;

// What the front end reads and keeps.
inline constexpr int kLineBufferSize = 1000;  // a line read holds at most 999 bytes
inline constexpr int kMaxLoadedLine = 998;
inline constexpr int kMaxTokenText = 1023;
inline constexpr int kMaxDefineText = 254;
inline constexpr int kMaxItems = 100;
inline constexpr int kMaxItemText = 98;  // kind byte included
inline constexpr int kMaxPostfixItems = 19;
inline constexpr int kOperatorStackSize = 50;
inline constexpr int kLoopStackSize = 50;
inline constexpr int kMarkerPiece = 511;  // the [CODE] search reads at most this much a line
inline constexpr int kAsmPiece = 255;     // an #asm block is read in pieces of at most this much

// The import.
inline constexpr int kMaxUpdates = 500;
inline constexpr int kHexRunCapacity = 1000;

}  // namespace corvel::ground
