#include "res/strings.h"

namespace tpl {

std::string LoadResString(int id) {
  switch (id) {
    case kIdsAboutMenu: return "&About Install...";
    case kIdsTitleLine: return "tplsetup 1.0";
    case kIdsIntro:
      return "This program will install your new theme(s).\n"
             "Ensure that Microsoft FrontPage is not running,\n"
             "or the installation may fail.\n\n"
             "Click Next to start, or Cancel to terminate.";
    case kIdsSearching: return "Searching for installed files...";
    case kIdsFailed: return "Installation failed. Please check the log file.";
    case kIdsNotFound: return "Installation Error.  FrontPage not found.";
    case kIdsSucceeded: return "The installation was successfully completed.";
    case kIdsIntroError: return "Error reading intro file";
    case kIdsCancelled: return "Installation cancelled.";
    case kIdsCopying: return "Copying files...";
    case kIdsNoticeLine:
      return "Installs themes and templates for Microsoft FrontPage 98, 2000, 2002 and 2003";
    case kIdsReady: return "Ready to install themes.\n\nClick Next to continue.";
    case kIdsPlanHeading:
      return "The following themes and templates will be installed.\n\nThemes:\t";
    case kIdsPlanPages: return "\nPage templates:  ";
    case kIdsPlanWebs: return "Web templates:   ";
    case kIdsPlanNone: return "(None)\n";
    case kIdsPlanFrames: return "Frame templates: ";
    case kIdsChooseLanguage:
      return "Please select the language for your FrontPage installation.";
    case kIdsAppTitle: return "FrontPage Theme Installation";
    default: return "";
  }
}

}  // namespace tpl
