#pragma once
// Vendor and product ID out of a hardware identifier or a device name.

#include <cstdint>
#include <string_view>

namespace audio77 {

// Both IDs become 0 first. The four characters after "VID_" (else "Vid_") give
// the vendor ID in hexadecimal, those after "PID_" (else "Pid_") the product
// ID; parsing stops at the first character that is not a hexadecimal digit or
// at the end of the text.
void ParseVidPid(std::string_view text, std::uint16_t& vendor_id, std::uint16_t& product_id);

}  // namespace audio77
