// The kit's folders as the wizard lists them. The kit's top folder is the
// working directory; names are matched without regard to case.
#pragma once

namespace tpl {

// Kit folders beside "common" (g_strKitCommon).
inline constexpr char kKitFolderFP98[] = "fp98";
inline constexpr char kKitFolderFP2000[] = "fp2000";

// Kind folders, as discovery spells them, and the search pattern of a folder.
inline constexpr char kKindThemes[] = "\\Themes";
inline constexpr char kKindPages[] = "\\Pages";
inline constexpr char kKindWebs[] = "\\Webs";
inline constexpr char kKindFrames[] = "\\Frames";
inline constexpr char kAllEntries[] = "\\*.*";

}  // namespace tpl
