// Directory listings kept in memory, so resolving the paths of a deep copy
// does not re-list the same folders. The machine's own changes are applied
// to the cache as they are made; changes made by others are picked up when
// a name is not found (the exact spelling is checked on disk, and a folder
// whose modification time moved is listed again), or, in a folder the copies
// are filling file after file, once they have moved on.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <array>
#include <string>
#include <unordered_map>
#include <vector>

#include "machine/errors.h"
#include "machine/wineprefix/folder_handles.h"

namespace tpl {

class DirectoryCache {
 public:
  // The on-disk name of `name` in the folder `dir` (a Unix path): the exact
  // spelling if it exists, else the first name equal to it ignoring ASCII
  // case. 0: found. 2: no such entry. Other codes: the folder cannot be
  // listed (3 when it is missing or not a folder).
  // A name missing from the listing is looked for on disk when `lookOnDisk`;
  // without it, only a folder that changed since it was listed is listed
  // again (the caller's exclusive create notices the exact name itself).
  ErrorCode Find(const std::string& dir, const std::string& name, bool lookOnDisk,
                 std::string* onDisk);

  // The machine made `name` appear in (or vanish from) `dir`.
  void Added(const std::string& dir, const std::string& name);
  // A copy made the file `name` in `dir`. Copies fill a folder file after
  // file; while they do, a new name is created without asking the folder's
  // time before it and after it (two calls per file). Once the copies move on
  // to another folder, the first name missing from this one has it listed
  // again, so a name someone else made there meanwhile is seen then.
  void Copied(const std::string& dir, const std::string& name);
  void Removed(const std::string& dir, const std::string& name);
  // The machine deleted `name` from `dir` itself: the listing follows (an
  // uninstall deletes many names; reading each folder again would be slow),
  // and a name missing from it has the folder read again.
  void Deleted(const std::string& dir, const std::string& name);
  // The machine made the folder `name` in `dir`: it starts empty, the copies
  // fill it (with the folder holding it, when they fill that too), and it is
  // listed for real when a name is missing from it once they moved on.
  void AddedFolder(const std::string& dir, const std::string& name);
  // The listing of `dir` is no longer to be trusted.
  void Forget(const std::string& dir) { Drop(dir); }

  // An entry as the folder lists it: its name and its kind (a dirent's
  // d_type; DT_UNKNOWN where the file system does not tell).
  struct ListedName {
    std::string name;
    unsigned char kind;
  };
  // Lists `dir` afresh from `fd` (the folder opened with O_DIRECTORY; a
  // directory search must see every change) and hands the entries over.
  // 0, or the code of the failure.
  ErrorCode ListFresh(const std::string& dir, int fd, std::vector<ListedName>* names);

  // Whether `dir` can be listed (exists and is a folder), using the cache.
  ErrorCode CheckFolder(const std::string& dir);

  size_t size() const { return folders_.size(); }
  // Moves on whenever an answer of Find for a name that was found may have
  // changed (a listing read, dropped, or given another spelling of a name
  // it holds): what was worked out from earlier answers holds while it
  // stays the same.
  unsigned long long generation() const { return generation_; }
  // How many times a folder was read from disk: what the cache saves.
  size_t listings() const { return listings_; }

  // The folders the machine's copies are working in, held open; a held
  // folder is also checked for changes through its descriptor.
  FolderHandles& handles() { return handles_; }

 private:
  // The on-disk spellings of one name ignoring case: nearly always one, but a
  // Unix folder may hold several.
  struct Spellings {
    std::string smallest;  // in byte order: the one a search in any case finds
    std::vector<std::string> others;
    bool Has(const std::string& name) const;
  };
  // Hashing and comparing names ignoring ASCII case, so that one lookup
  // answers for the exact spelling and for any other.
  struct FoldedHash {
    size_t operator()(const std::string& name) const;
  };
  struct FoldedEqual {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  struct Listing {
    // Keyed by the first spelling seen of each name.
    std::unordered_map<std::string, Spellings, FoldedHash, FoldedEqual> names;
    dev_t device = 0;
    ino_t inode = 0;
    long long modified = 0;  // nanoseconds since 1970
    // A folder the machine made and that was not listed since (its names
    // are the machine's own): it has never been stamped.
    bool NeverRead() const { return modified == 0; }
    // Listed so soon after the folder last changed that a change in the same
    // clock tick would not move its time, or changed by the machine since its
    // time was taken: a miss lists it again.
    bool racy = false;
  };
  // The cached listing of `dir`, listing it first when needed; nullptr with
  // *error set when it cannot be listed.
  Listing* Get(const std::string& dir, ErrorCode* error);
  // The cached listing of `dir`, or nullptr.
  Listing* Cached(const std::string& dir);
  ErrorCode Read(const std::string& dir, Listing* listing);
  // Reads the open folder `fd` and puts what it holds in place of *listing
  // (nothing when it cannot be read); each entry also goes to *seen when
  // given.
  ErrorCode ReadOpen(int fd, Listing* listing, std::vector<ListedName>* seen = nullptr);
  // Reads the open folder `fd` into the empty *listing.
  ErrorCode ReadInto(int fd, Listing* listing, std::vector<ListedName>* seen);
  void Insert(Listing* listing, const std::string& name);
  // *listing gives way to `with` (a fresh reading, or an empty folder).
  void Replace(Listing* listing, Listing with);
  // Whether every name `listing` finds, `with` finds with the same spellings.
  static bool KeepsAnswers(const Listing& listing, const Listing& with);
  void Drop(const std::string& dir);
  void StampFolder(const std::string& dir, Listing* listing);
  static bool Lookup(const Listing& listing, const std::string& name, std::string* onDisk);
  // Whether the copies are filling `listing`'s folder.
  bool Filling(const Listing* listing) const;
  // They fill it too from now on (the folder filled longest ago ends when
  // there are too many).
  void StartFilling(Listing* listing);
  // The copies are done with the folders they were filling.
  void EndFilling();

  // stat of the folder `dir`, through its descriptor when held.
  int StatFolder(const std::string& dir, struct stat* info);

  std::unordered_map<std::string, Listing> folders_;
  // The listings asked for last: a copy asks for the same source and
  // destination folder file after file, and their paths are long to hash.
  // Emptied whenever a listing is dropped.
  struct Recent {
    std::string dir;
    Listing* listing = nullptr;
  };
  Recent recent_[2];
  size_t nextRecent_ = 0;
  // The folders the copies are filling, oldest first: the one they copy
  // into and those made on the way down to it (a theme and its images).
  std::array<Listing*, 4> filling_{};
  FolderHandles handles_;
  size_t listings_ = 0;
  unsigned long long generation_ = 0;
};

}  // namespace tpl
