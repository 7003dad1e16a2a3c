// The machine of the Windows program: every call goes straight to the real
// Win32 API, so the core sees exactly what a 32-bit Windows program sees.
#pragma once

#include <memory>

#include "machine/machine.h"

namespace tpl {

std::unique_ptr<Machine> MakeWin32Machine();

}  // namespace tpl
