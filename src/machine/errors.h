// Win32 error codes: the one error convention of every layer (0 = success).
#pragma once

#include <cstdint>
#include <string>

namespace tpl {

using ErrorCode = uint32_t;  // a Win32 DWORD error code

constexpr ErrorCode kErrorSuccess = 0;
constexpr ErrorCode kErrorFileNotFound = 2;
constexpr ErrorCode kErrorPathNotFound = 3;
constexpr ErrorCode kErrorAccessDenied = 5;
constexpr ErrorCode kErrorNotEnoughMemory = 8;
constexpr ErrorCode kErrorInvalidData = 13;
constexpr ErrorCode kErrorNoMoreFiles = 18;
constexpr ErrorCode kErrorWriteProtect = 19;
constexpr ErrorCode kErrorSharingViolation = 32;
constexpr ErrorCode kErrorHandleEof = 38;
constexpr ErrorCode kErrorFileExists = 80;
constexpr ErrorCode kErrorInvalidParameter = 87;
constexpr ErrorCode kErrorDiskFull = 112;
constexpr ErrorCode kErrorInsufficientBuffer = 122;
constexpr ErrorCode kErrorInvalidName = 123;
constexpr ErrorCode kErrorDirNotEmpty = 145;
constexpr ErrorCode kErrorAlreadyExists = 183;
constexpr ErrorCode kErrorFilenameExcedRange = 206;
constexpr ErrorCode kErrorMoreData = 234;
constexpr ErrorCode kErrorOperationAborted = 995;
constexpr ErrorCode kErrorIoDevice = 1117;
constexpr ErrorCode kErrorCantAccessFile = 1920;
constexpr ErrorCode kErrorCantResolveFilename = 1921;  // a link loop

// Windows' English system text for a code, as FormatMessageA(FROM_SYSTEM)
// gives it (ending in CR LF), or "" when the table does not know the code.
std::string WindowsSystemMessage(ErrorCode code);

}  // namespace tpl
