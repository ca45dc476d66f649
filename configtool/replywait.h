#pragma once

namespace configtool {

// Whether a reply byte of 0 counts: the RS232 page takes it for line noise and
// keeps waiting, the analog page accepts it as a register value.
enum class ZeroByte { NoReply, Valid };

inline constexpr int ReplyByteTimeoutMs = 1000;

} // namespace configtool
