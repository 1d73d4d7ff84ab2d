#pragma once
// The serial protocol between the editor and the ZT461: frame bytes, command codes, the
// system-page addresses and the values written to them. The processor simulator includes this
// header too, so both sides of the line agree on every number.

#include <cstdint>

#include "params/param_address.h"

namespace zt {

// Frame layout: F5 B1, length, command, address high, address low, data, checksum.
inline constexpr uint8_t kFrameStart = 0xF5;
inline constexpr uint8_t kFrameSecondStart = 0xB1;
inline constexpr uint8_t kCommandWrite = 0xB7;
inline constexpr uint8_t kCommandRead = 0xB0;

// Bytes of a frame around its data: two start bytes, length, command, two address bytes and
// the checksum.
inline constexpr int kFrameOverhead = 7;
// The length byte counts command, address, data and checksum: n + 4.
inline constexpr int kLengthOverhead = 4;
// The length byte tops out at 255, so a frame carries at most 251 data bytes.
inline constexpr int kMaxFrameData = 251;
// A CommandFrame carries one 16-bit value, low byte first.
inline constexpr int kCommandFrameSize = 9;

// Short message from the processor: EE followed by BB or AA, both an acknowledgement.
inline constexpr uint8_t kShortStart = 0xEE;
inline constexpr uint8_t kShortAccept = 0xBB;
inline constexpr uint8_t kShortAcceptAlt = 0xAA;

// Addresses on the processor's system page (page 30).
inline constexpr ParamAddress kAddrModeName = 0x1E00;  // read: one mode name
inline constexpr ParamAddress kAddrSaveMode = 0x1E01;  // write: index, 0, name
inline constexpr ParamAddress kAddrLoadMode = 0x1E02;  // write: mode index; read: current
inline constexpr ParamAddress kAddrSystemItem3 = 0x1E03;
inline constexpr ParamAddress kAddrPanelKeyLock = 0x1E04;    // panel key lock switch
inline constexpr ParamAddress kAddrPanelPassword = 0x1E05;   // 4 characters
inline constexpr ParamAddress kAddrSystemPassword = 0x1E07;  // 6 characters
inline constexpr ParamAddress kAddrManagerFlag = 0x1E08;     // 1 manager, 0 user
inline constexpr ParamAddress kAddrPageUpload = 0x1E0F;      // write: page, chunk, values
inline constexpr ParamAddress kAddrPageRequest = 0x1E10;     // read: value = page
inline constexpr ParamAddress kAddrUploadTail = 0x1E14;      // sent after the last page
inline constexpr ParamAddress kAddrLinkControl = 0x1E30;     // connect, keep-alive, disconnect
inline constexpr ParamAddress kAddrDeviceId = 0x1E40;        // answer carries the device ID

// Values written to kAddrLinkControl.
inline constexpr int kLinkConnect = 0x11;
inline constexpr int kLinkKeepAlive = 0x66;
inline constexpr int kLinkDisconnect = 0xAA;

// Slots of the system page that carry texts or are ignored when they arrive.
inline constexpr int kSlotModeName = 0;
inline constexpr int kSlotPanelPassword = 5;
inline constexpr int kSlotSystemPassword = 7;
inline constexpr int kSlotDeviceId = 64;
// Answers for system slots from here on are not values of the device image.
inline constexpr int kFirstNonValueSystemSlot = 48;

// Pages carried by a transfer (the system page 30 is read item by item).
inline constexpr int kTransferPageCount = 30;
// Page 0 does not fit one frame: slots 0..111 go first, the rest in a second frame.
inline constexpr int kFirstChunkSlots = 112;

// The processor keeps 16 user modes and 6 factory modes.
inline constexpr int kDeviceModeCount = 22;
inline constexpr int kUserModeCount = 16;
// Mode indexes: user modes 0..15, factory modes from 16 on; the mode box lists user modes 5..16.
inline constexpr int kFirstFactoryMode = kUserModeCount;
inline constexpr int kFirstBoxedUserMode = 4;
inline constexpr int kModeNameLength = 20;
// A saved mode is sent as index, 0x00 and the name padded to 20 bytes.
inline constexpr int kSaveModeDataSize = 22;

}  // namespace zt
