// One running dialog as a terminal screen: its texts and controls in the
// order a reader meets them (top to bottom, left to right), a key for each
// control the user can work now, and what a typed answer means.
//
//   === FrontPage Theme Installation ======================================
//
//   This program will install your new theme(s).
//   ...
//     l) [x] Create log file
//
//   n) Next > (Enter)   c) Cancel   a) About...   i) About Install...
//
// Push buttons and check boxes get letters (their '&' letter, else the
// first free initial of their words), automatic radio buttons and combo
// items get numbers, the system menu's entries get letters too. A long
// read-only text (the licence) is shown a page at a time.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "ui/memory_dialog.h"

namespace tpl {

struct ScreenLayout {
  int columns = 80;
  int rows = 0;          // 0: unknown; long texts are then shown whole
  bool utf8 = true;      // the terminal takes UTF-8
  bool colour = false;   // bold title
};

struct ScreenAction {
  enum class Kind {
    kEnter,          // an empty answer: the next page, else the default button
    kEscape,         // Esc: the dialog's cancel
    kClick,          // `id`: a button, check box or radio button
    kSelect,         // `id`, `index`: a combo box item
    kSystemCommand,  // `command`: a system-menu entry
    kPageBack,       // the previous page of the long text
  };
  Kind kind = Kind::kEnter;
  int id = 0;
  int index = 0;
  unsigned command = 0;
};

class DialogScreen {
 public:
  // After OnInitDialog: the system menu's entries are taken from the window.
  DialogScreen(MemoryDialog& peers, ScreenLayout layout);

  void SetLayout(const ScreenLayout& layout) { layout_ = layout; }

  // The screen from the controls' state now, lines ending in '\n'. What the
  // answers mean is settled by it until the next call.
  std::string Render();

  // What a typed answer means; false, with the reason for the user, when it
  // means nothing now.
  bool Interpret(const std::string& answer, ScreenAction* action, std::string* problem) const;

  // Whether the last render showed a long text: Enter then turns its pages
  // and never clicks the default button (accepting a licence takes its key).
  bool ShowsLongText() const { return longTextShown_; }
  // The long text's pages: whether one follows the one shown; turning them.
  bool MoreText() const;
  void NextPage();
  void PreviousPage();

 private:
  struct Choice {
    std::string key;    // "n", "2"
    std::string label;  // what it says, for answers that spell it out
    ScreenAction action;
    bool usable = true;
  };

  int Width() const;
  int PageLines() const;
  std::string DisplayText(const std::string& text) const;
  std::string Label(int id) const;
  void RenderToggle(const ControlTemplate& control, MemoryPeer& peer, int* number,
                    std::vector<std::string>* lines);
  void RenderCombo(const ControlTemplate& control, MemoryPeer& peer, int* number,
                   std::vector<std::string>* lines);
  void RenderLongText(MemoryPeer& peer, std::vector<std::string>* lines);
  void RenderKeyBar(std::vector<std::string>* lines);

  MemoryDialog& peers_;
  ScreenLayout layout_;
  std::vector<const ControlTemplate*> readingOrder_;
  std::map<int, char> letters_;          // control id -> key
  std::map<unsigned, char> menuLetters_; // system-menu command -> key
  int pagerId_ = 0;                      // the long text's control, if any
  int pageTop_ = 0;                      // its first line shown
  int pageTextLines_ = 0;                // its lines at the last render
  bool longTextShown_ = false;
  std::vector<Choice> choices_;
};

}  // namespace tpl
