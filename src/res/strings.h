// The string table: the wizard's user-visible texts, by number.
#pragma once

#include <string>

namespace tpl {

constexpr int kIdsAboutMenu = 101;
constexpr int kIdsTitleLine = 102;
constexpr int kIdsIntro = 128;
constexpr int kIdsSearching = 129;
constexpr int kIdsFailed = 130;
constexpr int kIdsNotFound = 131;
constexpr int kIdsSucceeded = 132;
constexpr int kIdsIntroError = 136;
constexpr int kIdsCancelled = 142;
constexpr int kIdsCopying = 143;
constexpr int kIdsNoticeLine = 146;
constexpr int kIdsReady = 148;
constexpr int kIdsPlanHeading = 151;
constexpr int kIdsPlanPages = 152;
constexpr int kIdsPlanWebs = 153;
constexpr int kIdsPlanNone = 154;
constexpr int kIdsPlanFrames = 157;
constexpr int kIdsChooseLanguage = 159;
constexpr int kIdsAppTitle = 57344;  // the application title: every message box's caption

// The text of entry `id`, or "" when the table has no such entry.
std::string LoadResString(int id);

}  // namespace tpl
