// What a signal needs of the copy in progress: the temporary file it is
// writing, to be removed when the program must end at once; and, for tests,
// a signal raised once the copy loop has copied a chosen number of bytes, so
// that an interruption lands mid-file without any timing.
#pragma once

#include <string>

namespace tpl {

// The temporary `name` in the Unix folder `folder`.
void HoldTemporary(const std::string& folder, const std::string& name);
void ReleaseTemporary();
// Async-signal-safe.
void RemoveHeldTemporary();

// Test hook: raise `signalNumber` once `bytes` more bytes have been copied
// (0 disarms). How many bytes the next step may copy before that point;
// `copied` reports what a step did copy.
void RaiseSignalAfterCopiedBytes(int signalNumber, long long bytes);
size_t CopyStepLimit(size_t wanted);
void NoteCopiedBytes(size_t copied);

}  // namespace tpl
