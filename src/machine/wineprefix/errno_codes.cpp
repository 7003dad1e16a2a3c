#include "machine/wineprefix/errno_codes.h"

#include <cerrno>

namespace tpl {

ErrorCode ErrorFromErrno(int error, ErrorCode missing) {
  switch (error) {
    case 0:
      return kErrorSuccess;
    case ENOENT:
      return missing;
    case ENOTDIR:
      return kErrorPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
      return kErrorAccessDenied;
    case ENOMEM:
      return kErrorNotEnoughMemory;
    case EEXIST:
      return kErrorAlreadyExists;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return kErrorDiskFull;
    case EROFS:
      return kErrorWriteProtect;
    case ELOOP:
      return kErrorCantResolveFilename;
    case ENAMETOOLONG:
      return kErrorFilenameExcedRange;
    case ENOTEMPTY:
      return kErrorDirNotEmpty;
    case EBUSY:
    case ETXTBSY:
      return kErrorSharingViolation;
    case EINVAL:
      return kErrorInvalidParameter;
    default:
      return kErrorIoDevice;
  }
}

}  // namespace tpl
