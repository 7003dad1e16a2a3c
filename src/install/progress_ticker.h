// Steps the install driver's progress bar once per file copied, so that it
// is full exactly when the last counted file has been copied.
//
// A progress bar's range travels as 16 bits. Up to 65,535 files the bar
// counts files (range 0..total, step 1, one PBM_STEPIT per file). Beyond,
// the range is 0..65,535 and a file steps the bar only when it moves the
// scaled position total -> 65,535 on by one, so the bar still ends full.
#pragma once

#include <cstdint>

#include "ui/controls.h"

namespace tpl {

class ProgressTicker {
 public:
  static constexpr int kMaxRange = 0xFFFF;

  // Sets the bar's range for `total` files, a step of 1 and position 0.
  void Start(CProgressCtrl& bar, int total);
  // One file: steps the bar when its scaled position moves on.
  void Tick();

 private:
  CProgressCtrl* bar_ = nullptr;
  int64_t total_ = 0;
  int64_t done_ = 0;
};

}  // namespace tpl
