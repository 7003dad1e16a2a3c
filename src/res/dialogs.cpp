#include "res/dialogs.h"

namespace tpl {
namespace {

const DialogTemplate kAbout = {
    kIddAbout, "About Install", 172, 114, false,
    {
        {kIdStatic, ControlKind::kIcon, "", 18, 14, 20, 20},
        {kIdStatic, ControlKind::kStaticCenter, "FrontPage Theme Installation", 51, 14, 103, 8},
        {kIdStatic, ControlKind::kStaticCenter,
         "Installs themes and templates\ninto Microsoft FrontPage.\n(C) 2026 the tplsetup authors",
         23, 59, 126, 28},
        {kIdcAboutVersion, ControlKind::kStaticCenter, "Version", 59, 25, 88, 8},
        {kIdOk, ControlKind::kDefPushButton, "OK", 63, 93, 45, 14},
    }};

const DialogTemplate kWizard = {
    kIddWizard, "FrontPage Theme Installation", 253, 161, true,
    {
        {kIdStatic, ControlKind::kGroupBox, "Progress", 7, 7, 239, 114},
        {kIdcStatusText, ControlKind::kStaticLeft, "Text goes here", 17, 21, 211, 91},
        {kIdcLanguage, ControlKind::kDropDownList, "", 77, 65, 94, 60},
        {kIdcProgressText, ControlKind::kStaticLeft, "", 39, 89, 168, 8},
        {kIdcAbout, ControlKind::kPushButton, "About...", 187, 98, 40, 14},
        {kIdcProgress, ControlKind::kProgressSmooth, "", 40, 100, 168, 7},
        {kIdcViewReadme, ControlKind::kAutoCheckBox, "View Readme file", 13, 125, 71, 10},
        {kIdcCreateLog, ControlKind::kAutoCheckBox, "Create log file", 186, 125, 59, 10},
        {kIdCancel, ControlKind::kPushButton, "Cancel", 7, 140, 50, 14},
        {kIdcNext, ControlKind::kDefPushButton, "Next >", 99, 140, 50, 14},
        {kIdOk, ControlKind::kPushButton, "Finish", 191, 140, 50, 14},
    }};

const DialogTemplate kLicence = {
    kIddLicence, "FrontPage Theme Installation", 256, 183, false,
    {
        {kIdStatic, ControlKind::kStaticLeft, "LICENCE AGREEMENT", 88, 7, 78, 8},
        {kIdcLicenceText, ControlKind::kEditReadOnlyMultiline, "", 7, 22, 242, 131},
        {kIdCancel, ControlKind::kPushButton, "Don't Accept", 7, 162, 80, 14},
        {kIdOk, ControlKind::kDefPushButton, "Accept", 169, 162, 80, 14},
    }};

const DialogTemplate kVersions = {
    kIddVersions, "FrontPage Theme Installation", 192, 181, false,
    {
        {kIdStatic, ControlKind::kStaticCenter,
         "Install has detected that you have more than one version of FrontPage installed on your system.",
         7, 7, 178, 20},
        {kIdStatic, ControlKind::kStaticLeft, "Choose where you wish to install the theme(s):", 22, 27, 146, 8},
        {kIdcFP98, ControlKind::kAutoRadioGroup, "FrontPage 98", 62, 42, 59, 10},
        {kIdcFP2000, ControlKind::kAutoRadioGroup, "FrontPage 2000", 62, 53, 67, 10},
        {kIdcFP2002, ControlKind::kAutoRadioGroup, "FrontPage 2002", 62, 64, 67, 10},
        {kIdcFP2003, ControlKind::kAutoRadioGroup, "FrontPage 2003", 62, 75, 67, 10},
        {kIdStatic, ControlKind::kStaticCenter,
         "(You can repeat the installation for the other product(s) later, if you wish.)",
         15, 93, 161, 17},
        {kIdStatic, ControlKind::kStaticLeft,
         "NOTE: FrontPage 2000 and FrontPage 2002 share the same folders for themes and templates.  "
         "Installing for either of these versions will make them available to the other.",
         15, 117, 162, 36},
        {kIdOk, ControlKind::kDefPushButton, "OK", 68, 160, 50, 14},
    }};

}  // namespace

const DialogTemplate* FindDialogTemplate(int id) {
  switch (id) {
    case kIddAbout: return &kAbout;
    case kIddWizard: return &kWizard;
    case kIddLicence: return &kLicence;
    case kIddVersions: return &kVersions;
    default: return nullptr;
  }
}

}  // namespace tpl
