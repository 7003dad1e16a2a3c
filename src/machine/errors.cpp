#include "machine/errors.h"

namespace tpl {
namespace {

struct SystemText {
  ErrorCode code;
  const char* text;
};

// Windows' English texts, so a log written by the native build reads like
// one written on Windows.
constexpr SystemText kSystemTexts[] = {
    {kErrorSuccess, "The operation completed successfully."},
    {kErrorFileNotFound, "The system cannot find the file specified."},
    {kErrorPathNotFound, "The system cannot find the path specified."},
    {kErrorAccessDenied, "Access is denied."},
    {kErrorNotEnoughMemory, "Not enough memory resources are available to process this command."},
    {kErrorInvalidData, "The data is invalid."},
    {kErrorNoMoreFiles, "There are no more files."},
    {kErrorWriteProtect, "The media is write protected."},
    {kErrorSharingViolation,
     "The process cannot access the file because it is being used by another process."},
    {kErrorHandleEof, "Reached the end of the file."},
    {kErrorFileExists, "The file exists."},
    {kErrorInvalidParameter, "The parameter is incorrect."},
    {kErrorDiskFull, "There is not enough space on the disk."},
    {kErrorInsufficientBuffer, "The data area passed to a system call is too small."},
    {kErrorInvalidName, "The filename, directory name, or volume label syntax is incorrect."},
    {kErrorDirNotEmpty, "The directory is not empty."},
    {kErrorAlreadyExists, "Cannot create a file when that file already exists."},
    {kErrorFilenameExcedRange, "The filename or extension is too long."},
    {kErrorMoreData, "More data is available."},
    {kErrorOperationAborted,
     "The I/O operation has been aborted because of either a thread exit or an application "
     "request."},
    {kErrorIoDevice, "The request could not be performed because of an I/O device error."},
    {kErrorCantAccessFile, "The file cannot be accessed by the system."},
    {kErrorCantResolveFilename, "The name of the file cannot be resolved by the system."},
};

}  // namespace

std::string WindowsSystemMessage(ErrorCode code) {
  for (const SystemText& entry : kSystemTexts) {
    if (entry.code == code) return std::string(entry.text) + "\r\n";
  }
  return "";
}

}  // namespace tpl
