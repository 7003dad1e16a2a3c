// The log lines and error descriptions of the copy walk and folder creation.
#pragma once

namespace tpl {

inline constexpr char kCopiedFileLine[] = "Copied file: ";
inline constexpr char kCreatedFolderLine[] = "Created folder ";
inline constexpr char kFileCopyFailed[] = "File copy failed:";
inline constexpr char kCreateFolderFailed[] = "Failed to create folder:";

}  // namespace tpl
