// The Win32 code Windows gives for what a Unix call reported.
#pragma once

#include "machine/errors.h"

namespace tpl {

// `missing` is the code for ENOENT: 2 when the last part of a path is
// missing, 3 when a folder on the way is.
ErrorCode ErrorFromErrno(int error, ErrorCode missing = kErrorFileNotFound);

}  // namespace tpl
