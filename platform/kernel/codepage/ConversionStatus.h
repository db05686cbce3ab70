// How a codec ended: it converted everything (possibly with replacements), it met invalid input while
// told to reject it, or the code page could not be opened on this system.
#pragma once

namespace platform::kernel::codepage {

enum class ConversionStatus { Done, Rejected, Unavailable };

}  // namespace platform::kernel::codepage
