// The start-up usage report: one signed log line, sent once per run to the
// operator's usage-log receiver; its answer is not used.
#pragma once

#include <cstdint>
#include <string>

namespace lv {

// The receiver's address for a report made at `now_seconds` (Unix time) by
// the user `uid` on the machine `mac`. `log_base` is the receiver's base
// address, without a trailing "/".
std::wstring BuildUsageReportUrl(const std::wstring& uid, const std::wstring& game, const std::wstring& kind,
                                 const std::wstring& mac, std::int64_t now_seconds, const std::wstring& log_base);

// Reads the machine identifier and the clock and sends the report. Blocks
// until the request is answered or has failed; every failure is silent.
void SendUsageReport(std::wstring uid, std::wstring game, std::wstring kind);

}  // namespace lv
